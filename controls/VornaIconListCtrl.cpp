#include "controls/VornaIconListCtrl.h"

#include "controls/CPicture.h"
#include "controls/PictureListDelegate.h"

VornaIconListCtrl::VornaIconListCtrl(QWidget* parent) : VornaIconListCtrl(true, parent) {}

VornaIconListCtrl::VornaIconListCtrl(bool addGifExtension, QWidget* parent)
    : QListWidget(parent), m_bAddGifExtension(addGifExtension)
{
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWrapping(true);
    setWordWrap(true);
    setIconSize(QSize(32, 32));
    m_delegate = new PictureListDelegate([this](const QString& text) { return GetPicturePath(text); }, this);
    setItemDelegate(m_delegate);
}

int VornaIconListCtrl::InsertItem(int index, const QString& text)
{
    index = qBound(0, index, count());
    insertItem(index, text);
    return index;
}

QString VornaIconListCtrl::GetPicturePath(const QString& text) const
{
    QString name = text;
    const qsizetype n = name.size();
    const bool hasExtension =
        (n >= 4 && name.at(n - 4) == QLatin1Char('.')) || (n >= 5 && name.at(n - 5) == QLatin1Char('.'));
    if (m_bAddGifExtension && !hasExtension)
        name += QStringLiteral(".gif");
    QString folder = m_strFolder;
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + name;
}

platform::Rect VornaIconListCtrl::FitPictureRect(int w, int h, int bw, int bh)
{
    return FitRectInBox(w, h, bw, bh);
}
