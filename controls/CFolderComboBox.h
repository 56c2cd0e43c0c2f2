#pragma once

#include "controls/FolderComboModel.h"

#include <QComboBox>
#include <QList>
#include <QPixmap>

// The drive and folder combo box of the image browser: the desktop, the
// computer with its volumes, the folders of the current path indented under
// the volume that holds it, and the documents folder, each with a small
// picture. Every change of folder rebuilds the entries; the owner turns a
// choice into the current folder with ApplySelection.
class CFolderComboBox : public QComboBox
{
    Q_OBJECT
public:
    static constexpr int kPictureSize = 18;
    static constexpr int kIndent = 12;

    // Filled at once for the current path (the working folder until one is set).
    explicit CFolderComboBox(QWidget* parent = nullptr, FolderComboVolumeLister volumes = {});

    void SetCurrentPath(const QString& path) { m_model.SetCurrentPath(path); }
    QString GetCurrentPath() const { return m_model.GetCurrentPath(); }
    // Shows the folder: stores it with a trailing "/", rebuilds the entries
    // and returns the selected entry, or -1.
    int SelectFolder(const QString& path);
    // Turns the entry the user chose into the current folder, unless it is
    // the one last applied, which is then recorded.
    void ApplySelection(int* lastApplied);
    void FillFolders();
    // Frees the entries; with keepList the box keeps its texts until refilled.
    void ClearItems(bool keepList);
    bool GetItemPath(int index, QString& path) const { return m_model.GetItemPath(index, path); }
    QString GetItemDisplayPath(int index) const { return m_model.GetItemDisplayPath(index); }

    const FolderComboModel& model() const { return m_model; }
    // The entry pictures: 0 desktop, 1 closed folder, 2 open folder,
    // 3 computer, 4 fixed, 5 removable, 6 optical, 7 network volume, 12 documents.
    const QList<QPixmap>& pictures() const { return m_imageList; }
    // The picture an entry is drawn with.
    int PictureOf(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void loadPictures();

    FolderComboModel m_model;
    QList<QPixmap> m_imageList;
};
