#include "dialogs/VornaDlgSymbol.h"

#include "controls/Draw3dRect.h"
#include "controls/SkinContext.h"
#include "controls/VornaFontCombo.h"
#include "controls/VornaSymbolList.h"
#include "util/PageDom.h"
#include "util/StringResources.h"

#include "engine/editing/TextRange.h"

#include "platform/ModalRunner.h"

#include <QFontInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace vornadlgsymbol_detail {

template <typename Widget> Widget* named(Widget* widget, int id)
{
    widget->setObjectName(QStringLiteral("id_%1").arg(id));
    return widget;
}

} // namespace vornadlgsymbol_detail

VornaDlgSymbol::VornaDlgSymbol(QWidget* parent, const QString& tablePath) : QDialog(parent)
{
    using vornadlgsymbol_detail::named;
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("記号"));
    m_cbFont = named(new VornaFontCombo(this), 1003);
    m_cbFont->setEditable(true);
    m_lstSymbols = named(new VornaSymbolList(this), 1006);
    m_stPreview = named(new QLabel(this), 1455);
    m_stPreview->setFixedSize(44, 44);
    QSizePolicy keep = m_stPreview->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_stPreview->setSizePolicy(keep);
    m_btnInsert = named(new QPushButton(QStringLiteral("挿入(&I)"), this), 1456);
    m_btnInsert->setDefault(true);
    auto* close = named(new QPushButton(QStringLiteral("閉じる"), this), platform::IDCANCEL);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* grid = new QGridLayout(this);
    auto* fontLabel = new QLabel(QStringLiteral("フォント(&F) :"), this);
    fontLabel->setBuddy(m_cbFont);
    grid->addWidget(fontLabel, 0, 0);
    grid->addWidget(m_cbFont, 0, 1);
    grid->addWidget(m_lstSymbols, 1, 0, 1, 2);
    auto* side = new QVBoxLayout;
    side->addWidget(m_stPreview, 0, Qt::AlignHCenter);
    side->addWidget(line);
    side->addWidget(m_btnInsert);
    side->addWidget(close);
    side->addStretch();
    grid->addLayout(side, 0, 2, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    resize(440, 280);

    connect(close, &QPushButton::clicked, this, &VornaDlgSymbol::reject);
    connect(m_btnInsert, &QPushButton::clicked, this, &VornaDlgSymbol::OnInsert);
    connect(m_lstSymbols, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_btnInsert->isEnabled())
            OnInsert();
    });
    connect(m_lstSymbols, &QListWidget::currentRowChanged, this, [this] { update(PreviewRect()); });
    OnInitDialog(tablePath);
    connect(m_cbFont, &QComboBox::activated, this, &VornaDlgSymbol::OnSelChangeFont);
}

VornaDlgSymbol::~VornaDlgSymbol() = default;

void VornaDlgSymbol::OnInitDialog(const QString& tablePath)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // 1.-2. The faces, "Arial" or the face this machine draws for it.
    m_cbFont->AdjustDropWidth();
    const QString wanted = LoadResString(41866);
    int face = m_cbFont->findText(wanted, Qt::MatchStartsWith);
    if (face < 0)
        face = m_cbFont->findText(QFontInfo(QFont(wanted)).family(), Qt::MatchStartsWith);
    m_cbFont->setCurrentIndex(face);
    m_lstSymbols->setFace(face >= 0 ? m_cbFont->itemText(face) : wanted);
    // 3.-4. The table, one cell per symbol.
    m_pSymbols = ReadSymbolTable(tablePath.isEmpty() ? SymbolTablePath() : tablePath);
    m_nSymbols = int(m_pSymbols.size());
    for (const SymbolEntry& entry : std::as_const(m_pSymbols))
        m_lstSymbols->addSymbol(entry.glyph());
    // 5.
    if (m_lstSymbols->currentRow() < 0)
        m_btnInsert->setEnabled(false);
    m_stPreview->hide();
    QGuiApplication::restoreOverrideCursor();
}

void VornaDlgSymbol::OnSelChangeFont()
{
    m_lstSymbols->setFace(m_cbFont->currentIndex() >= 0 ? m_cbFont->itemText(m_cbFont->currentIndex())
                                                        : m_cbFont->currentText());
    update();
}

bool VornaDlgSymbol::OnInsert()
{
    const int row = m_lstSymbols->currentRow();
    if (row < 0 || row >= m_pSymbols.size())
        return false;
    std::optional<engine::TextRange> range;
    if (GetPageSelection(nullptr, nullptr, &range) != S_OK || !range)
        return false;
    range->pasteHTML(SymbolInsertHtml(m_cbFont->currentText(), m_pSymbols[row].m_strHtml));
    // The caret follows the symbol, so that the next one goes after it.
    range->select();
    return true;
}

QRect VornaDlgSymbol::PreviewRect() const
{
    return m_stPreview->geometry();
}

void VornaDlgSymbol::reject()
{
    hide();
}

void VornaDlgSymbol::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    // A sunken double frame in the skin's colours.
    const SkinContext& skin = SkinContext::instance();
    const platform::Rect outer = platform::Rect::fromQRect(PreviewRect());
    Draw3dRect(painter, outer, skin.sysColor(COLOR_BTNSHADOW), skin.sysColor(COLOR_3DLIGHT));
    Draw3dRect(painter, ShrunkRect(outer, 1), skin.sysColor(COLOR_3DDKSHADOW), skin.sysColor(COLOR_BTNHIGHLIGHT));
    QRect area = PreviewRect().adjusted(2, 2, -2, -2);
    painter.fillRect(area, Qt::white);
    const int row = m_lstSymbols->currentRow();
    if (row < 0 || row >= m_pSymbols.size())
        return;
    if (!m_lstSymbols->m_strFace.isEmpty())
        painter.setFont(VornaFontCombo::FontOfCellHeight(m_lstSymbols->m_strFace, kPreviewCellHeight));
    painter.setPen(Qt::black);
    painter.drawText(area.adjusted(8, 5, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     m_pSymbols[row].glyph());
}
