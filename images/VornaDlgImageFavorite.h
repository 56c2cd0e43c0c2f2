#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

// The bookmark manager (569 "ブックマークの管理"): the bookmarks by name in
// the order they were made, with Add (at most 20 bookmarks), Edit (one
// selected) and Delete (all selected). Every change is stored at once and
// the list read again.
class VornaDlgImageFavorite : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 569;

    explicit VornaDlgImageFavorite(QWidget* parent = nullptr);

    void RefreshList();
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnSelChangeList();

    QListWidget* bookmarkList() const { return m_list; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SelectItem(int row);
    void EnableButtons(bool enable);

    QListWidget* m_list = nullptr;
    QPushButton* m_btnEdit = nullptr;
    QPushButton* m_btnDelete = nullptr;
    bool m_bShownOnce = false;
};
