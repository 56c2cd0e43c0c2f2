#include "controls/FileListTexts.h"

#include <QDateTime>
#include <QFileSystemModel>
#include <QLocale>

QVariant FileListTexts::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || !index.isValid())
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    // The file model's columns: name, size, type, date modified.
    switch (index.column()) {
    case 1:
        if (files->isDir(source))
            return QString();
        return QLocale().formattedDataSize(files->size(source));
    case 3:
        return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
    default:
        return QIdentityProxyModel::data(index, role);
    }
}
