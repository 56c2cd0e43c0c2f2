#include "dialogs/DialogControls.h"

#include "images/ImageLibraryFolders.h"
#include "images/VornaDialogOpenImage.h"
#include "res/resource.h"

#include "platform/ModalRunner.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QLabel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

QRadioButton* NamedRadio(const QString& label, int id, QWidget* parent)
{
    return Named(new QRadioButton(label, parent), id);
}

QHBoxLayout* WithRadios(QWidget* control, QRadioButton* first, QRadioButton* second)
{
    auto* row = new QHBoxLayout;
    row->addWidget(control);
    row->addWidget(first);
    row->addWidget(second);
    auto* group = new QButtonGroup(control);
    group->addButton(first);
    group->addButton(second);
    return row;
}

void AddRow(QFormLayout* form, const QString& label, QHBoxLayout* row)
{
    auto* text = new QLabel(label, form->parentWidget());
    if (QLayoutItem* first = row->itemAt(0))
        text->setBuddy(first->widget());
    form->addRow(text, row);
}

QHBoxLayout* ImageRow(QWidget* parent, QLineEdit*& edit, QPushButton*& browse)
{
    edit = Named(new QLineEdit(parent), 1296);
    browse = Named(new QPushButton(QStringLiteral("参照(&B)..."), parent), 1475);
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(browse);
    return row;
}

QString BrowseWallpaper(QWidget* parent)
{
    VornaDialogOpenImage dialog(parent);
    dialog.m_strCurrentFolder = InstallSubFolder(IDS_IMAGE_WALLPAPER_FOLDER);
    if (platform::runModal(dialog, IDD_OPEN_IMAGE) != platform::IDOK)
        return QString();
    return dialog.m_strResultPath;
}
