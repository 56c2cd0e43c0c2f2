#pragma once

#include <QIdentityProxyModel>

// The file list of the program's file dialogs with sizes and dates written in
// the program's locale (Japanese): the toolkit's file model writes them in the
// system's, so an English system would show "4 bytes" and "7 Dec".
class FileListTexts : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override;
};
