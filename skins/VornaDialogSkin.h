#pragma once

#include <QDialog>
#include <QStringList>

class VornaIconListCtrl;
class QListWidgetItem;

// The skin chooser (dialog 461, "スキン"): every skin folder with its
// preview, the built-in skins first. After IDOK the chosen name is in
// m_strSelected.
class VornaDialogSkin : public QDialog
{
    Q_OBJECT
public:
    explicit VornaDialogSkin(QWidget* parent = nullptr);
    ~VornaDialogSkin() override;

    // IDOK (1) with a skin chosen, else IDCANCEL (2).
    int DoModal();

    // The skin names of the folder's subfolders in the list's order: classic,
    // metal, spring, summer, autumn and winter where they exist (whatever
    // their case), then the others in the order found.
    static QStringList SkinNames(const QString& skinsFolder, const QString& mask = QStringLiteral("*"));

    void LoadSkinList();
    void OnItemChanged(QListWidgetItem* item);
    void OnItemDoubleClicked(QListWidgetItem* item);
    void OnOK();

    QString m_strSkinsFolder;
    QString m_strSearchMask = QStringLiteral("*");
    QString m_strSelected;

protected:
    bool event(QEvent* event) override;

private:
    VornaIconListCtrl* m_list = nullptr;
};
