#pragma once

#include "platform/Rect.h"

#include <QListWidget>

class PictureListDelegate;

// An icon view whose items show picture files: each item's text names a
// picture in m_strFolder (".gif" is added to a text without an extension of
// three or four letters), drawn fitted into the item's icon area. The owner
// sets the folder and the icon size, then inserts one item per picture.
class VornaIconListCtrl : public QListWidget
{
    Q_OBJECT
public:
    explicit VornaIconListCtrl(QWidget* parent = nullptr);

    int InsertItem(int index, const QString& text);
    // The picture file an item's text names.
    QString GetPicturePath(const QString& text) const;
    // A picture of w x h shown in a box of bw x bh: at its own aspect ratio,
    // never larger than it is nor than the box, centred.
    static platform::Rect FitPictureRect(int w, int h, int bw, int bh);

    // The folder of the picture files.
    QString m_strFolder;

protected:
    VornaIconListCtrl(bool addGifExtension, QWidget* parent);

private:
    bool m_bAddGifExtension = true;
    PictureListDelegate* m_delegate = nullptr;
};
