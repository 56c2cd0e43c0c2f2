#pragma once

#include "platform/Rect.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QtGlobal>

class QPainter;

// Results of picture loading, as the program tests them.
constexpr qint32 kPictureOk = 0;
constexpr qint32 kPictureAccessDenied = qint32(0x80070005); // the file cannot be opened or read
constexpr qint32 kPictureOutOfMemory = qint32(0x8007000E);
constexpr qint32 kPictureFail = qint32(0x80004005);    // fewer bytes read than the file holds
constexpr qint32 kPictureInvalid = qint32(0x800A01E1); // the data is no picture that can be read

// The rectangle in which a picture of w x h is shown inside a box of bw x bh:
// at its own aspect ratio, never enlarged, centred. Empty for a picture of no size.
platform::Rect FitRectInBox(int w, int h, int bw, int bh);

// Where CPicture::Draw places a picture of w x h inside a box of bw x bh (0 for
// the picture's own size): very wide or very tall pictures that do not fit
// become a band across the box, others are fitted.
platform::Rect PicturePlacement(int w, int h, int bw, int bh);

// A picture file of any format the image readers understand, drawn scaled into a box.
class CPicture
{
public:
    CPicture() = default;
    virtual ~CPicture() = default;

    // Loads the file. On a failure to read the file the picture held stays.
    qint32 Load(const QString& path);
    // Decodes length bytes of data, dropping the picture held first.
    qint32 LoadFromStream(const QByteArray& data, qint64 length);
    void Free();
    void SetSize(int width, int height);
    // The picture (null when none is loaded).
    QImage GetHandle() const { return m_picture; }
    bool isNull() const { return m_picture.isNull(); }

    // Draws the picture placed in the box at (x, y) of boxWidth x boxHeight.
    void Draw(QPainter& dc, int x, int y, int boxWidth, int boxHeight) const;

    QString m_strName;
    quint8 m_bFlag = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;

private:
    QImage m_picture;
};
