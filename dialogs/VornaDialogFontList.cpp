#include "dialogs/VornaDialogFontList.h"

#include "controls/FontFaces.h"
#include "controls/VornaBitmapButton.h"
#include "controls/VornaFontListBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QCollator>
#include <QIcon>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>

VornaDialogFontList::VornaDialogFontList(QWidget* parent) : QDialog(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    m_lstFonts = new VornaFontListBox(this);
    m_lstFonts->setObjectName(QStringLiteral("id_1015"));
    m_btnUp = new VornaBitmapButton(this);
    m_btnUp->setObjectName(QStringLiteral("id_1016"));
    m_btnUp->setIcon(QIcon::fromTheme(QStringLiteral("go-up")));
    m_btnDown = new VornaBitmapButton(this);
    m_btnDown->setObjectName(QStringLiteral("id_1017"));
    m_btnDown->setIcon(QIcon::fromTheme(QStringLiteral("go-down")));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_btnUp);
    layout->addWidget(m_lstFonts);
    layout->addWidget(m_btnDown);
    resize(220, 300);

    QStringList faces = FontList();
    QCollator collator;
    std::sort(faces.begin(), faces.end(), collator);
    faces.prepend(LoadResString(41564));
    m_lstFonts->addItems(faces);
    m_lstFonts->setCurrentRow(0);

    connect(m_btnUp, &QPushButton::clicked, this, [this] { MoveSelection(-kStep); });
    connect(m_btnDown, &QPushButton::clicked, this, [this] { MoveSelection(kStep); });
    connect(m_lstFonts, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Choose(m_lstFonts->row(item)); });
}

VornaDialogFontList::~VornaDialogFontList() = default;

int VornaDialogFontList::DoModal()
{
    move(pos() + QPoint(65, 250));
    return platform::runModal(*this, IDD);
}

void VornaDialogFontList::MoveSelection(int rows)
{
    if (m_lstFonts->count() == 0)
        return;
    const int row = std::clamp(m_lstFonts->currentRow() + rows, 0, m_lstFonts->count() - 1);
    m_lstFonts->setCurrentRow(row);
    m_lstFonts->scrollToItem(m_lstFonts->item(row));
}

void VornaDialogFontList::Choose(int row)
{
    if (row < 0 || row >= m_lstFonts->count())
        return;
    m_strFace = row == 0 ? QStringLiteral("Default") : m_lstFonts->item(row)->text();
    done(platform::IDOK);
}

void VornaDialogFontList::mousePressEvent(QMouseEvent* event)
{
    // A click outside the window cancels.
    if (!rect().contains(event->position().toPoint())) {
        done(platform::IDCANCEL);
        return;
    }
    QDialog::mousePressEvent(event);
}
