#pragma once

#include <QList>
#include <QSize>
#include <QString>

// The image-pointer page of the script wizard: a built-in trail (0 sun, 1
// star) or the user's picture, shown 40 pixels wide or at its own size, alone
// or as a trail of six, the trail growing or of one size.
class ScriptImageModel
{
public:
    int m_nBuiltInKind = 0;
    int m_nImageSource = 0; // 0 built in, 1 the user's image
    QString m_strImagePath;
    bool m_bNaturalSize = false;
    bool m_bTrail = false;
    bool m_bTrailSizeChange = false;

    static QString BuiltInText(int kind);
    // The six trail pictures of a built-in kind; empty for another kind.
    static QList<QString> TrailPictures(int kind);
    // The fixed sizes of the six built-in trail pictures.
    static QList<QSize> TrailSizes();
    // The picture's pixel size as its header gives it; an empty size when the
    // file is no picture the program reads (a text file, a folder, nothing).
    static QSize UserImageSize(const QString& path);
    // Whether the user's picture can be used: it exists and has a size.
    bool IsUserImageUsable() const { return !UserImageSize(m_strImagePath).isEmpty(); }
    // The sizes the pointer shows the user's picture at, from its natural
    // size: one entry without a trail, else six (the trail's sizes).
    QList<QSize> UserImageSizes(QSize natural) const;
    // The array line "mouse_T1=new Array(...)" (without "var ") of the
    // image values (already escaped for double quotes) with their sizes,
    // entries parted by the separator.
    static QString TrailArrayText(const QList<QString>& values, const QList<QSize>& sizes, const QString& separator);
};
