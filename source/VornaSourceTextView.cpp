#include "source/VornaSourceTextView.h"

#include "platform/CmdUI.h"
#include "platform/CommandRegistry.h"
#include "platform/ModalRunner.h"
#include "platform/WindowMessage.h"
#include "platform/WindowTimer.h"
#include "res/resource.h"
#include "source/CUpdateContext.h"
#include "source/SourceChars.h"
#include "source/SourceGlyphCache.h"
#include "source/SourcePageSetupDlg.h"
#include "source/SourcePrintLayout.h"
#include "source/SourceTextSearch.h"
#include "source/VornaSourceTextBuffer.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QSplitter>
#include <QStyleHints>
#include <QTextLayout>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <cmath>

namespace sourceview_detail {

constexpr LineState kUnknownState = 0xFFFFFFFFu;

bool pointBefore(QPoint a, QPoint b)
{
    return a.y() < b.y() || (a.y() == b.y() && a.x() < b.x());
}

// Character classes of the word moves: word characters (ASCII letters and
// digits, "_" and East-Asian wide characters), other characters beyond ASCII,
// white space, and punctuation.
enum class CharClass { Word, HighSingle, Space, Punct };

CharClass classOf(std::string_view line, int pos)
{
    const auto c = static_cast<unsigned char>(line[static_cast<size_t>(pos)]);
    if (c < 0x80) {
        if (SourceChars::IsWhiteSpaceByte(c))
            return CharClass::Space;
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_')
            return CharClass::Word;
        return CharClass::Punct;
    }
    return SourceChars::CharColumns(line, pos) == 2 ? CharClass::Word : CharClass::HighSingle;
}

// A command reached by a key when no shortcut of the frame takes the key.
struct KeyCommand
{
    int key;
    Qt::KeyboardModifiers modifiers;
    int command;
};

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

const KeyCommand kKeyCommands[] = {
    {Qt::Key_Left, kNone, ID_EDIT_CHAR_LEFT},
    {Qt::Key_Left, kShift, ID_EDIT_EXT_CHAR_LEFT},
    {Qt::Key_Right, kNone, ID_EDIT_CHAR_RIGHT},
    {Qt::Key_Right, kShift, ID_EDIT_EXT_CHAR_RIGHT},
    {Qt::Key_Left, kCtrl, ID_EDIT_WORD_LEFT},
    {Qt::Key_Left, kCtrlShift, ID_EDIT_EXT_WORD_LEFT},
    {Qt::Key_Right, kCtrl, ID_EDIT_WORD_RIGHT},
    {Qt::Key_Right, kCtrlShift, ID_EDIT_EXT_WORD_RIGHT},
    {Qt::Key_Up, kNone, ID_EDIT_LINE_UP},
    {Qt::Key_Up, kShift, ID_EDIT_EXT_LINE_UP},
    {Qt::Key_Down, kNone, ID_EDIT_LINE_DOWN},
    {Qt::Key_Down, kShift, ID_EDIT_EXT_LINE_DOWN},
    {Qt::Key_Up, kCtrl, ID_EDIT_SCROLL_UP},
    {Qt::Key_Down, kCtrl, ID_EDIT_SCROLL_DOWN},
    {Qt::Key_PageUp, kNone, ID_EDIT_PAGE_UP},
    {Qt::Key_PageUp, kShift, ID_EDIT_EXT_PAGE_UP},
    {Qt::Key_PageDown, kNone, ID_EDIT_PAGE_DOWN},
    {Qt::Key_PageDown, kShift, ID_EDIT_EXT_PAGE_DOWN},
    {Qt::Key_End, kNone, ID_EDIT_LINE_END},
    {Qt::Key_End, kShift, ID_EDIT_EXT_LINE_END},
    {Qt::Key_Home, kNone, ID_EDIT_HOME},
    {Qt::Key_Home, kShift, ID_EDIT_EXT_HOME},
    {Qt::Key_Home, kCtrl, ID_EDIT_TEXT_BEGIN},
    {Qt::Key_Home, kCtrlShift, ID_EDIT_EXT_TEXT_BEGIN},
    {Qt::Key_End, kCtrl, ID_EDIT_TEXT_END},
    {Qt::Key_End, kCtrlShift, ID_EDIT_EXT_TEXT_END},
    {Qt::Key_C, kCtrl, ID_EDIT_COPY},
    {Qt::Key_A, kCtrl, ID_EDIT_SELECT_ALL},
    {Qt::Key_F2, kCtrl, ID_EDIT_TOGGLE_BOOKMARK},
    {Qt::Key_F2, kNone, ID_EDIT_GOTO_NEXT_BOOKMARK},
    {Qt::Key_F2, kShift, ID_EDIT_GOTO_PREV_BOOKMARK},
    {Qt::Key_F2, kCtrlShift, ID_EDIT_CLEAR_ALL_BOOKMARKS},
    {Qt::Key_Z, kCtrl, ID_EDIT_UNDO},
    {Qt::Key_Y, kCtrl, ID_EDIT_REDO},
    {Qt::Key_X, kCtrl, ID_EDIT_CUT},
    {Qt::Key_V, kCtrl, ID_EDIT_PASTE},
    {Qt::Key_H, kCtrl, ID_EDIT_REPLACE},
    {Qt::Key_P, kCtrl, ID_FILE_PRINT},
};

// The line flags that show a mark in the margin, in the order of their marks.
const uint32_t kMarginFlags[] = {0x10000, 0x20000, 0x40000, 0x2,   0x4, 0x8,     0x10,    0x20,
                                 0x40,    0x80,    0x100,   0x200, 0x1, 0x80000, 0x100000};

// Glyphs of one colour in one font, collected over a row and drawn at once.
struct GlyphGroup
{
    QRgb color;
    SourceGlyphCache* cache;
    int font;
    QList<quint32> glyphs;
    QList<QPointF> positions;
};

// Lays out printed text wrapped to the width (long words are broken where
// they must be, so nothing runs off the paper); returns its height.
int layoutPrintText(QTextLayout& layout, qreal width)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return static_cast<int>(std::ceil(height));
}

QString sourceText(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace sourceview_detail

using namespace sourceview_detail;

VornaSourceTextView::VornaSourceTextView(QWidget* parent) : QAbstractScrollArea(parent)
{
    m_lfBaseFont.setFamilies(
        {QStringLiteral("IPAGothic"), QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")});
    m_lfBaseFont.setStyleHint(QFont::TypeWriter);
    m_lfBaseFont.setPixelSize(14);
    setFont(m_lfBaseFont);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);

    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollBarAction(Qt::Vertical, action); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollBarAction(Qt::Horizontal, action); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_bSettingScrollBars)
            ScrollToLine(std::clamp(value, 0, std::max(0, GetLineCount() - 1)), false);
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (m_bSettingScrollBars)
            return;
        ScrollToColumn(std::clamp(value, 0, std::max(0, GetMaxLineColumns() - 1)), false);
        UpdateCaret();
    });

    RegisterCommands();
    ResetState();
}

VornaSourceTextView::~VornaSourceTextView()
{
    DetachBuffer();
}

void VornaSourceTextView::RegisterCommands()
{
    onCommandRange(ID_EDIT_CHAR_LEFT, ID_EDIT_EXT_TEXT_END, [this](int id) { OnMoveCommand(id); });
    onCommand(ID_EDIT_COPY, [this] { CopySelection(); });
    onUpdate(ID_EDIT_COPY, [this](platform::CmdUI& ui) { ui.enable(HasSelection()); });
    onCommand(ID_EDIT_SELECT_ALL, [this] { SelectAllText(); });
    onUpdate(ID_EDIT_SELECT_ALL, [](platform::CmdUI& ui) { ui.enable(true); });

    onCommand(ID_EDIT_TOGGLE_BOOKMARK, [this] { OnToggleBookmark(); });
    onCommand(ID_EDIT_GOTO_NEXT_BOOKMARK, [this] { OnNextBookmark(); });
    onCommand(ID_EDIT_GOTO_PREV_BOOKMARK, [this] { OnPrevBookmark(); });
    onCommand(ID_EDIT_CLEAR_ALL_BOOKMARKS, [this] { OnClearAllBookmarks(); });
    onUpdateRange(ID_EDIT_GOTO_NEXT_BOOKMARK, ID_EDIT_CLEAR_ALL_BOOKMARKS,
                  [this](platform::CmdUI& ui) { ui.enable(m_bBookmarkExist); });
    onCommandRange(ID_EDIT_TOGGLE_BOOKMARK0, ID_EDIT_TOGGLE_BOOKMARK9,
                   [this](int id) { OnToggleNumberedBookmark(id); });
    onCommandRange(ID_EDIT_GO_BOOKMARK0, ID_EDIT_GO_BOOKMARK9, [this](int id) { OnGoNumberedBookmark(id); });
    onCommand(ID_EDIT_CLEAR_BOOKMARKS, [this] { OnClearNumberedBookmarks(); });
    onUpdate(ID_SOURCE_INDICATOR_POSITION, [this](platform::CmdUI& ui) { ui.setText(GetPositionIndicatorText()); });
    onUpdate(ID_SOURCE_INDICATOR_LINE_ENDING, [this](platform::CmdUI& ui) {
        const QString text = GetLineEndingIndicatorText();
        ui.setText(text);
        ui.enable(!text.isEmpty());
    });

    onCommand(ID_FILE_PAGE_SETUP, [this] { OnFilePageSetup(); });
    onCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    onCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrintDirect(); });
    onCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
}

void VornaSourceTextView::OnMoveCommand(int id)
{
    const bool extend = ((id - ID_EDIT_CHAR_LEFT) % 2) == 1;
    switch (id) {
    case ID_EDIT_CHAR_LEFT:
    case ID_EDIT_EXT_CHAR_LEFT:
        MoveCharLeft(extend);
        break;
    case ID_EDIT_CHAR_RIGHT:
    case ID_EDIT_EXT_CHAR_RIGHT:
        MoveCharRight(extend);
        break;
    case ID_EDIT_WORD_LEFT:
    case ID_EDIT_EXT_WORD_LEFT:
        MoveWordLeft(extend);
        break;
    case ID_EDIT_WORD_RIGHT:
    case ID_EDIT_EXT_WORD_RIGHT:
        MoveWordRight(extend);
        break;
    case ID_EDIT_LINE_UP:
    case ID_EDIT_EXT_LINE_UP:
        MoveLineUp(extend);
        break;
    case ID_EDIT_LINE_DOWN:
    case ID_EDIT_EXT_LINE_DOWN:
        MoveLineDown(extend);
        break;
    case ID_EDIT_SCROLL_UP:
        ScrollLineUp();
        break;
    case ID_EDIT_SCROLL_DOWN:
        ScrollLineDown();
        break;
    case ID_EDIT_PAGE_UP:
    case ID_EDIT_EXT_PAGE_UP:
        MovePageUp(extend);
        break;
    case ID_EDIT_PAGE_DOWN:
    case ID_EDIT_EXT_PAGE_DOWN:
        MovePageDown(extend);
        break;
    case ID_EDIT_LINE_END:
    case ID_EDIT_EXT_LINE_END:
        MoveLineEnd(extend);
        break;
    case ID_EDIT_HOME:
    case ID_EDIT_EXT_HOME:
        MoveLineHome(extend);
        break;
    case ID_EDIT_TEXT_BEGIN:
    case ID_EDIT_EXT_TEXT_BEGIN:
        MoveTextStart(extend);
        break;
    case ID_EDIT_TEXT_END:
    case ID_EDIT_EXT_TEXT_END:
        MoveTextEnd(extend);
        break;
    default:
        break;
    }
}

void VornaSourceTextView::RunCommand(int id)
{
    platform::CommandRegistry* registry = platform::CommandRegistry::instance();
    if (!(registry && registry->sendCommand(id)))
        runCommand(id);
}

void VornaSourceTextView::RunKeyCommand(int id)
{
    platform::CmdUI ui(id);
    if (runUpdate(ui) && ui.enableChanged() && !ui.isEnabled())
        return;
    RunCommand(id);
}

// ---------------------------------------------------------------------------
// Buffer attachment and state

void VornaSourceTextView::AttachBuffer(VornaSourceTextBuffer* buffer)
{
    if (m_pTextBuffer)
        m_pTextBuffer->DetachView(this);
    if (!buffer)
        buffer = FindTextBuffer();
    m_pTextBuffer = buffer;
    if (m_pTextBuffer)
        m_pTextBuffer->AttachView(this);
    ResetState();
    UpdateVertScrollBar(false);
    UpdateHorzScrollBar(false);
    viewport()->update();
}

void VornaSourceTextView::DetachBuffer()
{
    if (!m_pTextBuffer)
        return;
    m_pTextBuffer->DetachView(this);
    m_pTextBuffer = nullptr;
    ResetState();
}

void VornaSourceTextView::ResetFonts()
{
    for (auto& font : m_apFonts)
        font.reset();
    for (auto& cache : m_apGlyphCaches)
        cache.reset();
}

void VornaSourceTextView::ResetState()
{
    m_nTopLine = 0;
    m_nOffsetChar = 0;
    m_nLineHeight = -1;
    m_nCharWidth = -1;
    m_nMaxLineLength = -1;
    m_nScreenLines = -1;
    m_nScreenChars = -1;
    m_nIdealCharPos = -1;
    m_nTabSize = 4;
    m_ptAnchor = QPoint(0, 0);
    ResetFonts();
    m_pdwParseCookies.clear();
    m_pnActualLineLength.clear();
    m_ptCursorPos = QPoint(0, 0);
    m_ptSelStart = QPoint(0, 0);
    m_ptSelEnd = QPoint(0, 0);
    m_ptDrawSelStart = QPoint(0, 0);
    m_ptDrawSelEnd = QPoint(0, 0);
    if (m_bDragSelection)
        StopDragSelection();
    m_bHorzScrollBarLocked = false;
    UpdateCaret();
    m_bShowInactiveSelection = false;
    m_bPrintHeader = false;
    m_bPrintFooter = true;
    m_bBookmarkExist = false;
}

void VornaSourceTextView::OnInitialUpdate()
{
    AttachBuffer(nullptr);
    // A later pane of a splitter starts where the first pane stands.
    auto* splitter = qobject_cast<QSplitter*>(parentWidget());
    if (!splitter || splitter->indexOf(this) <= 0)
        return;
    auto* first = qobject_cast<VornaSourceTextView*>(splitter->widget(0));
    if (!first || first == this)
        return;
    if (splitter->orientation() == Qt::Vertical)
        ScrollToColumn(first->GetFirstColumn(), true);
    else
        ScrollToLine(first->GetTopLine(), true);
}

// ---------------------------------------------------------------------------
// Buffer access

int VornaSourceTextView::GetLineCount()
{
    return m_pTextBuffer ? m_pTextBuffer->GetLineCount() : 1;
}

int VornaSourceTextView::GetLineLength(int line)
{
    return m_pTextBuffer ? m_pTextBuffer->GetLineLength(line) : 0;
}

int VornaSourceTextView::GetLineColumns(int line)
{
    const int count = GetLineCount();
    if (line < 0 || line >= count)
        return 0;
    if (m_pnActualLineLength.empty())
        m_pnActualLineLength.assign(static_cast<size_t>(count), -1);
    if (line >= static_cast<int>(m_pnActualLineLength.size()))
        return SourceChars::LineColumns(GetLine(line), m_nTabSize);
    int& width = m_pnActualLineLength[static_cast<size_t>(line)];
    if (width < 0)
        width = SourceChars::LineColumns(GetLine(line), m_nTabSize);
    return width;
}

const char* VornaSourceTextView::GetLineText(int line)
{
    return m_pTextBuffer ? m_pTextBuffer->GetLineText(line) : nullptr;
}

uint32_t VornaSourceTextView::GetLineFlags(int line)
{
    return m_pTextBuffer ? m_pTextBuffer->GetLineFlags(line) : 0;
}

std::string_view VornaSourceTextView::GetLine(int line)
{
    const char* text = GetLineText(line);
    return text ? std::string_view(text, static_cast<size_t>(GetLineLength(line))) : std::string_view();
}

void VornaSourceTextView::GetTextRange(QPoint start, QPoint end, std::string& text)
{
    text.clear();
    if (m_pTextBuffer)
        m_pTextBuffer->GetText(start.y(), start.x(), end.y(), end.x(), text);
}

// ---------------------------------------------------------------------------
// Clipboard and drag data

bool VornaSourceTextView::IsClipboardTextAvailable()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

bool VornaSourceTextView::CopyTextToClipboard(const std::string& text)
{
    if (text.empty())
        return false;
    QString plain = sourceText(text);
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QGuiApplication::clipboard()->setText(plain);
    return true;
}

bool VornaSourceTextView::ReadTextFromClipboard(std::string& text)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return false;
    text = data->text().toStdString();
    return true;
}

std::unique_ptr<QMimeData> VornaSourceTextView::MakeDragData()
{
    OrderSelection();
    if (m_ptDrawSelStart == m_ptDrawSelEnd)
        return nullptr;
    std::string text;
    GetTextRange(m_ptDrawSelStart, m_ptDrawSelEnd, text);
    QString plain = sourceText(text);
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    auto data = std::make_unique<QMimeData>();
    data->setText(plain);
    m_ptDraggedTextBegin = m_ptDrawSelStart;
    m_ptDraggedTextEnd = m_ptDrawSelEnd;
    return data;
}

bool VornaSourceTextView::OnDragSourceDone(int)
{
    return false;
}

int VornaSourceTextView::DoDragDrop(std::unique_ptr<QMimeData> data, int allowedEffects)
{
    Qt::DropActions actions;
    if (allowedEffects & DROPEFFECT_COPY)
        actions |= Qt::CopyAction;
    if (allowedEffects & DROPEFFECT_MOVE)
        actions |= Qt::MoveAction;
    QDrag drag(this);
    drag.setMimeData(data.release());
    const Qt::DropAction result =
        drag.exec(actions, (allowedEffects & DROPEFFECT_MOVE) ? Qt::MoveAction : Qt::CopyAction);
    if (result == Qt::MoveAction)
        return DROPEFFECT_MOVE;
    if (result == Qt::CopyAction)
        return DROPEFFECT_COPY;
    return DROPEFFECT_NONE;
}

void VornaSourceTextView::SetDraggedText(bool dragging, QPoint begin, QPoint end)
{
    m_bDraggingText = dragging;
    m_ptDraggedTextBegin = begin;
    m_ptDraggedTextEnd = end;
}

// ---------------------------------------------------------------------------
// Colours and fonts

platform::ColorRef VornaSourceTextView::GetColorByIndex(int colorIndex)
{
    switch (colorIndex) {
    case COLORINDEX_WHITESPACE:
    case COLORINDEX_BKGND:
    case COLORINDEX_SELMARGIN:
        return platform::fromQColor(palette().color(QPalette::Base));
    case COLORINDEX_NORMALTEXT:
        return platform::fromQColor(palette().color(QPalette::Text));
    case COLORINDEX_SELBKGND:
        return platform::rgb(0, 0, 0);
    case COLORINDEX_SELTEXT:
        return platform::rgb(255, 255, 255);
    case COLORINDEX_TAG:
        return platform::rgb(0, 0, 255);
    case COLORINDEX_ATTRIBUTE:
        return platform::rgb(255, 0, 0);
    case COLORINDEX_VALUE:
        return platform::rgb(255, 0, 255);
    case COLORINDEX_COMMENT:
        return platform::rgb(0, 128, 0);
    case 10:
    case 11:
        return platform::rgb(128, 128, 128);
    case 12:
        return platform::rgb(255, 204, 204);
    case 13:
        return platform::rgb(128, 0, 0);
    case 14:
        return platform::rgb(0, 0, 0);
    case 16:
        return platform::rgb(0, 128, 192);
    default:
        return platform::rgb(255, 0, 0);
    }
}

void VornaSourceTextView::GetLineColorOverride(int, platform::ColorRef& background, platform::ColorRef& text,
                                               bool& paintWhitespace)
{
    background = ColorNone;
    text = ColorNone;
    paintWhitespace = false;
}

bool VornaSourceTextView::IsItalicColor(int)
{
    return false;
}

bool VornaSourceTextView::IsBoldColor(int)
{
    return false;
}

QFont VornaSourceTextView::GetTextFont(bool italic, bool bold)
{
    const size_t index = (italic ? 2 : 0) + (bold ? 1 : 0);
    if (!m_apFonts[index]) {
        auto font = std::make_unique<QFont>(m_lfBaseFont);
        font->setWeight(bold ? QFont::Bold : QFont::Normal);
        font->setItalic(italic);
        m_apFonts[index] = std::move(font);
    }
    return *m_apFonts[index];
}

void VornaSourceTextView::MeasureCharCell()
{
    const QFontMetrics metrics(GetTextFont(false, false));
    m_nLineHeight = std::max(1, metrics.height());
    m_nCharWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('X')));
}

int VornaSourceTextView::GetLineHeight()
{
    if (m_nLineHeight < 0)
        MeasureCharCell();
    return m_nLineHeight;
}

int VornaSourceTextView::GetCharWidth()
{
    if (m_nCharWidth < 0)
        MeasureCharCell();
    return m_nCharWidth;
}

int VornaSourceTextView::GetVisibleLines()
{
    if (m_nScreenLines < 0)
        m_nScreenLines = viewport()->height() / GetLineHeight();
    return m_nScreenLines;
}

int VornaSourceTextView::GetVisibleColumns()
{
    if (m_nScreenChars < 0)
        m_nScreenChars = std::max(0, viewport()->width() - GetMarginWidth()) / GetCharWidth();
    return m_nScreenChars;
}

int VornaSourceTextView::GetMaxLineColumns()
{
    if (m_nMaxLineLength < 0) {
        m_nMaxLineLength = 0;
        const int count = GetLineCount();
        for (int line = 0; line < count; ++line)
            m_nMaxLineLength = std::max(m_nMaxLineLength, GetLineColumns(line));
    }
    return m_nMaxLineLength;
}

// ---------------------------------------------------------------------------
// Columns and text positions

int VornaSourceTextView::ColumnOfChar(int line, int pos)
{
    return SourceChars::ColumnOfChar(GetLine(line), pos, m_nTabSize);
}

int VornaSourceTextView::CharOfColumn(int line, int column)
{
    if (column <= 0)
        return 0;
    const std::string_view text = GetLine(line);
    const int size = static_cast<int>(text.size());
    int current = 0;
    for (int i = 0; i < size;) {
        const bool tab = text[static_cast<size_t>(i)] == '\t';
        const int length = tab ? 1 : SourceChars::CharLengthAt(text, i);
        current += tab ? m_nTabSize - current % m_nTabSize : SourceChars::CharColumns(text, i);
        if (current >= column) {
            // A tab is entered from its nearer side; a wide character that the
            // column falls inside is not entered at all.
            const bool after = tab ? column > current - m_nTabSize / 2 : column >= current;
            return after ? i + length : i;
        }
        i += length;
    }
    return size;
}

bool VornaSourceTextView::IsDoubleByteAt(QPoint pos)
{
    return SourceChars::IsMultiByteAt(GetLine(pos.y()), pos.x());
}

int VornaSourceTextView::CharLengthAt(QPoint pos)
{
    return SourceChars::CharLengthAt(GetLine(pos.y()), pos.x());
}

int VornaSourceTextView::CharLengthBefore(QPoint pos)
{
    return SourceChars::CharLengthBefore(GetLine(pos.y()), pos.x());
}

void VornaSourceTextView::ExpandTabs(int line, int offset, int count, std::string& out)
{
    out.clear();
    const std::string_view text = GetLine(line);
    const int size = static_cast<int>(text.size());
    offset = std::clamp(offset, 0, size);
    const int end = std::clamp(offset + count, offset, size);
    int column = SourceChars::ColumnOfChar(text, offset, m_nTabSize);
    for (int i = offset; i < end;) {
        if (text[static_cast<size_t>(i)] == '\t') {
            const int spaces = m_nTabSize - column % m_nTabSize;
            out.append(static_cast<size_t>(spaces), ' ');
            column += spaces;
            ++i;
            continue;
        }
        const int length = std::max(1, SourceChars::CharLengthAt(text, i));
        column += SourceChars::CharColumns(text, i);
        out.append(text.substr(static_cast<size_t>(i), static_cast<size_t>(length)));
        i += length;
    }
}

QPoint VornaSourceTextView::TextPosToPoint(QPoint pos)
{
    return QPoint((ColumnOfChar(pos.y(), pos.x()) - m_nOffsetChar) * GetCharWidth() + GetMarginWidth(),
                  (pos.y() - m_nTopLine) * GetLineHeight());
}

QPoint VornaSourceTextView::PointToTextPos(QPoint point)
{
    const int line = std::clamp(m_nTopLine + point.y() / GetLineHeight(), 0, std::max(0, GetLineCount() - 1));
    const int column = std::max(0, m_nOffsetChar + (point.x() - GetMarginWidth()) / GetCharWidth());
    return QPoint(SourceChars::CharOfColumn(GetLine(line), column, m_nTabSize), line);
}

QPoint VornaSourceTextView::ClickToTextPos(QPoint point)
{
    const int line = std::clamp(m_nTopLine + point.y() / GetLineHeight(), 0, std::max(0, GetLineCount() - 1));
    const int cw = GetCharWidth();
    const int x = std::max(0, m_nOffsetChar * cw + point.x() - GetMarginWidth());
    const std::string_view text = GetLine(line);
    const int size = static_cast<int>(text.size());
    int column = 0;
    for (int i = 0; i < size;) {
        const bool tab = text[static_cast<size_t>(i)] == '\t';
        const int length = tab ? 1 : std::max(1, SourceChars::CharLengthAt(text, i));
        const int width = tab ? m_nTabSize - column % m_nTabSize : SourceChars::CharColumns(text, i);
        // A character is passed once the click is right of its middle; a tab
        // once the click is in its last half cell.
        const int threshold = tab ? (column + width) * cw - cw / 2 : column * cw + width * cw / 2;
        if (x < threshold)
            return QPoint(i, line);
        column += width;
        i += length;
    }
    return QPoint(size, line);
}

// ---------------------------------------------------------------------------
// Caret and selection

void VornaSourceTextView::GetSelection(QPoint& start, QPoint& end)
{
    OrderSelection();
    start = m_ptDrawSelStart;
    end = m_ptDrawSelEnd;
}

void VornaSourceTextView::OrderSelection()
{
    if (pointBefore(m_ptSelEnd, m_ptSelStart)) {
        m_ptDrawSelStart = m_ptSelEnd;
        m_ptDrawSelEnd = m_ptSelStart;
    } else {
        m_ptDrawSelStart = m_ptSelStart;
        m_ptDrawSelEnd = m_ptSelEnd;
    }
}

bool VornaSourceTextView::IsInSelection(QPoint pos) const
{
    const QPoint start = m_ptDrawSelStart;
    const QPoint end = m_ptDrawSelEnd;
    if (pos.y() < start.y() || pos.y() > end.y())
        return false;
    if (start.y() == end.y())
        return start.x() <= pos.x() && pos.x() < end.x();
    if (pos.y() == start.y())
        return pos.x() >= start.x();
    if (pos.y() == end.y())
        return pos.x() < end.x();
    return true;
}

void VornaSourceTextView::SetCaretPosition(QPoint pos)
{
    m_ptCursorPos = pos;
    m_nIdealCharPos = ColumnOfChar(pos.y(), pos.x());
    UpdateCaret();
}

void VornaSourceTextView::SetSelection(QPoint start, QPoint end)
{
    if (start != m_ptSelStart) {
        InvalidateLineRange(start.y(), end.y());
        InvalidateLineRange(m_ptSelStart.y(), m_ptSelEnd.y());
    } else if (end != m_ptSelEnd) {
        InvalidateLineRange(end.y(), m_ptSelEnd.y());
    }
    m_ptSelStart = start;
    m_ptSelEnd = end;
}

bool VornaSourceTextView::IsPointSelected(QPoint pos)
{
    OrderSelection();
    return IsInSelection(pos);
}

void VornaSourceTextView::HideTextCaret()
{
    m_bCursorHidden = true;
    UpdateCaret();
}

void VornaSourceTextView::ShowTextCaret()
{
    m_bCursorHidden = false;
    UpdateCaret();
}

void VornaSourceTextView::UpdateCaret()
{
    bool show = false;
    QRect rect;
    if (m_bFocused && !m_bCursorHidden && ColumnOfChar(m_ptCursorPos.y(), m_ptCursorPos.x()) >= m_nOffsetChar) {
        rect = QRect(TextPosToPoint(m_ptCursorPos), QSize(2, GetLineHeight()));
        show = true;
    }
    if (show == m_bCaretShown && rect == m_rcCaret)
        return;
    if (m_bCaretShown)
        viewport()->update(m_rcCaret);
    m_bCaretShown = show;
    m_rcCaret = rect;
    if (show)
        viewport()->update(rect);
    RestartCaretBlink();
}

void VornaSourceTextView::RestartCaretBlink()
{
    m_bCaretBlinkOn = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (m_bCaretShown && flash > 0)
        m_caretBlink.start(flash / 2, this);
    else
        m_caretBlink.stop();
}

void VornaSourceTextView::InvalidateLineRange(int first, int last)
{
    const int lineHeight = GetLineHeight();
    const QRect client = viewport()->rect();
    if (last == -1) {
        const int top = std::max(client.top(), (first - m_nTopLine) * lineHeight);
        if (top <= client.bottom())
            viewport()->update(QRect(0, top, client.width(), client.bottom() + 1 - top));
        return;
    }
    if (last < first)
        std::swap(first, last);
    const int top = std::max(client.top(), (first - m_nTopLine) * lineHeight);
    const int bottom = std::min(client.bottom() + 1, (last - m_nTopLine + 1) * lineHeight);
    if (bottom > top)
        viewport()->update(QRect(0, top, client.width(), bottom - top));
}

void VornaSourceTextView::SetShowInactiveSelection(bool show)
{
    m_bShowInactiveSelection = show;
    if (HasSelection())
        InvalidateLineRange(m_ptSelStart.y(), m_ptSelEnd.y());
}

// ---------------------------------------------------------------------------
// Scrolling

void VornaSourceTextView::ScrollViewport(int dx, int dy, const QRect& area)
{
    viewport()->scroll(dx, dy, area);
    // The caret's pixels moved with the text.
    if (m_bCaretShown && area.intersects(m_rcCaret))
        m_rcCaret.translate(dx, dy);
}

void VornaSourceTextView::ScrollToLine(int line, bool trackScrollBar)
{
    if (m_nTopLine == line)
        return;
    const int dy = (m_nTopLine - line) * GetLineHeight();
    m_nTopLine = line;
    ScrollViewport(0, dy, viewport()->rect());
    if (trackScrollBar)
        UpdateVertScrollBar(true);
}

void VornaSourceTextView::ScrollToColumn(int column, bool trackScrollBar)
{
    if (m_nOffsetChar == column)
        return;
    const int dx = (m_nOffsetChar - column) * GetCharWidth();
    m_nOffsetChar = column;
    QRect area = viewport()->rect();
    area.setLeft(GetMarginWidth());
    ScrollViewport(dx, 0, area);
    if (trackScrollBar)
        UpdateHorzScrollBar(true);
}

void VornaSourceTextView::UpdateVertScrollBar(bool positionOnly)
{
    QScrollBar* bar = verticalScrollBar();
    m_bSettingScrollBars = true;
    if (!positionOnly) {
        const int visible = GetVisibleLines();
        const int count = GetLineCount();
        if (visible >= count && m_nTopLine > 0) {
            m_nTopLine = 0;
            viewport()->update();
            UpdateCaret();
        }
        bar->setSingleStep(1);
        bar->setPageStep(std::max(1, visible));
        bar->setRange(0, std::max({0, count - visible, m_nTopLine}));
        // Disabled rather than hidden while every line fits.
        bar->setEnabled(count > visible);
    } else if (m_nTopLine > bar->maximum()) {
        bar->setMaximum(m_nTopLine);
    }
    bar->setValue(m_nTopLine);
    m_bSettingScrollBars = false;
}

void VornaSourceTextView::UpdateHorzScrollBar(bool positionOnly)
{
    QScrollBar* bar = horizontalScrollBar();
    m_bSettingScrollBars = true;
    if (!positionOnly) {
        const int visible = GetVisibleColumns();
        const int widest = GetMaxLineColumns();
        if (visible >= widest && m_nOffsetChar > 0) {
            m_nOffsetChar = 0;
            viewport()->update();
            UpdateCaret();
        }
        bar->setSingleStep(1);
        bar->setPageStep(std::max(1, visible));
        bar->setRange(0, std::max({0, widest - visible, m_nOffsetChar}));
        bar->setEnabled(widest > visible);
    } else if (m_nOffsetChar > bar->maximum()) {
        bar->setMaximum(m_nOffsetChar);
    }
    bar->setValue(m_nOffsetChar);
    m_bSettingScrollBars = false;
}

void VornaSourceTextView::OnScrollBarAction(Qt::Orientation orientation, int action)
{
    // A page moves by one less than the visible lines or columns, so that one
    // line stays in view.
    QScrollBar* bar = orientation == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
    const int page = bar->pageStep();
    if (action == QAbstractSlider::SliderPageStepAdd)
        bar->setSliderPosition(bar->value() + std::max(1, page - 1));
    else if (action == QAbstractSlider::SliderPageStepSub)
        bar->setSliderPosition(bar->value() - std::max(1, page - 1));
}

void VornaSourceTextView::ScrollCaretIntoView(QPoint pos)
{
    const int visibleLines = GetVisibleLines();
    int top = m_nTopLine;
    if (pos.y() >= m_nTopLine + visibleLines)
        top = pos.y() - visibleLines + 1;
    else if (pos.y() < m_nTopLine)
        top = pos.y();
    top = std::max(0, std::min(top, GetLineCount() - 1));
    if (top != m_nTopLine) {
        ScrollToLine(top, true);
        SyncSiblingPanes(true);
    }

    const int column = ColumnOfChar(pos.y(), pos.x());
    const int visibleColumns = GetVisibleColumns();
    int first = m_nOffsetChar;
    if (column > m_nOffsetChar + visibleColumns)
        first = column - visibleColumns;
    else if (column < m_nOffsetChar)
        first = column;
    first = std::max(0, std::min(first, GetMaxLineColumns() - 1));
    if (first != m_nOffsetChar) {
        ScrollToColumn(first, true);
        UpdateCaret();
        SyncSiblingPanes(false);
    }
}

void VornaSourceTextView::SyncSiblingPanes(bool vertical)
{
    auto* splitter = qobject_cast<QSplitter*>(parentWidget());
    if (!splitter)
        return;
    // Panes side by side form a row and share the top line; panes above one
    // another form a column and share the first column.
    const bool row = splitter->orientation() == Qt::Horizontal;
    if (row != vertical)
        return;
    for (int i = 0; i < splitter->count(); ++i) {
        auto* pane = qobject_cast<VornaSourceTextView*>(splitter->widget(i));
        if (pane && pane != this)
            pane->OnSiblingScrolled(this, vertical);
    }
}

void VornaSourceTextView::OnSiblingScrolled(VornaSourceTextView* source, bool vertical)
{
    if (!source || source == this)
        return;
    if (vertical) {
        if (source->GetTopLine() == m_nTopLine)
            return;
        ScrollToLine(source->GetTopLine(), true);
    } else {
        if (source->GetFirstColumn() == m_nOffsetChar)
            return;
        ScrollToColumn(source->GetFirstColumn(), true);
    }
    UpdateCaret();
}

// ---------------------------------------------------------------------------
// Buffer notifications

void VornaSourceTextView::OnBufferChanged(SourceBufferView*, CUpdateContext* context, uint32_t flags, int line)
{
    if (flags & VornaSourceTextBuffer::ViewUpdateReset) {
        ResetState();
        UpdateVertScrollBar(false);
        UpdateHorzScrollBar(false);
        viewport()->update();
        return;
    }
    const int count = GetLineCount();
    if (flags & VornaSourceTextBuffer::ViewUpdateOneLine) {
        if (line >= 0) {
            if (line < static_cast<int>(m_pdwParseCookies.size()))
                std::fill(m_pdwParseCookies.begin() + line, m_pdwParseCookies.end(), kUnknownState);
            if (line < static_cast<int>(m_pnActualLineLength.size()))
                m_pnActualLineLength[static_cast<size_t>(line)] = -1;
            InvalidateLineRange(line, -1);
        }
    } else {
        line = std::max(0, line);
        // Colouring states from the line down are unknown.
        if (!m_pdwParseCookies.empty()) {
            m_pdwParseCookies.resize(static_cast<size_t>(count), kUnknownState);
            if (line < count)
                std::fill(m_pdwParseCookies.begin() + line, m_pdwParseCookies.end(), kUnknownState);
        }
        // A line's width is its own: the widths below the changed lines move
        // with their lines.
        if (!m_pnActualLineLength.empty()) {
            const int delta = count - static_cast<int>(m_pnActualLineLength.size());
            std::vector<int> widths(static_cast<size_t>(std::max(0, count)), -1);
            for (int i = 0; i < count; ++i) {
                const int old = i < line ? i : (i > line + std::max(0, delta) ? i - delta : -1);
                if (old >= 0 && old < static_cast<int>(m_pnActualLineLength.size()))
                    widths[static_cast<size_t>(i)] = m_pnActualLineLength[static_cast<size_t>(old)];
            }
            m_pnActualLineLength = std::move(widths);
        }
        InvalidateLineRange(line, -1);
    }
    if (context) {
        context->AdjustPoint(m_ptCursorPos);
        context->AdjustPoint(m_ptSelStart);
        context->AdjustPoint(m_ptSelEnd);
        context->AdjustPoint(m_ptAnchor);
        if (m_bDraggingText) {
            context->AdjustPoint(m_ptDraggedTextBegin);
            context->AdjustPoint(m_ptDraggedTextEnd);
        }
        QPoint top(0, m_nTopLine);
        context->AdjustPoint(top);
        if (top.y() != m_nTopLine) {
            m_nTopLine = top.y();
            viewport()->update();
        }
        UpdateCaret();
    }
    if (flags & VornaSourceTextBuffer::ViewUpdateHeight)
        UpdateVertScrollBar(false);
    if (flags & VornaSourceTextBuffer::ViewUpdateWidth) {
        m_nMaxLineLength = -1;
        if (!m_bHorzScrollBarLocked)
            UpdateHorzScrollBar(false);
    }
}

void VornaSourceTextView::OnEditAction(int, const std::string&) {}

// ---------------------------------------------------------------------------
// Painting

LineState VornaSourceTextView::ParseLineColors(LineState, int, ColorRun*, int& count)
{
    count = 0;
    return 0;
}

LineState VornaSourceTextView::GetLineStateBefore(int line)
{
    if (line < 0)
        return 0;
    const int count = GetLineCount();
    if (m_pdwParseCookies.empty())
        m_pdwParseCookies.assign(static_cast<size_t>(count), kUnknownState);
    line = std::min(line, static_cast<int>(m_pdwParseCookies.size()) - 1);
    if (line < 0)
        return 0;
    if (m_pdwParseCookies[static_cast<size_t>(line)] != kUnknownState)
        return m_pdwParseCookies[static_cast<size_t>(line)];
    int known = line;
    while (known >= 0 && m_pdwParseCookies[static_cast<size_t>(known)] == kUnknownState)
        --known;
    LineState state = known >= 0 ? m_pdwParseCookies[static_cast<size_t>(known)] : 0;
    for (int i = known + 1; i <= line; ++i) {
        int runs = 0;
        state = ParseLineColors(state, i, nullptr, runs);
        m_pdwParseCookies[static_cast<size_t>(i)] = state;
    }
    return state;
}

void VornaSourceTextView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect client = viewport()->rect();
    const QRect paint = event->rect();
    OrderSelection();
    const int lineHeight = GetLineHeight();
    const int margin = GetMarginWidth();
    const int count = GetLineCount();
    const int firstRow = std::max(0, paint.top() / lineHeight);
    int y = firstRow * lineHeight;
    int line = m_nTopLine + firstRow;
    while (y <= paint.bottom()) {
        const QRect marginRect(0, y, margin, lineHeight);
        const QRect textRect(margin, y, std::max(0, client.width() - margin), lineHeight);
        const int shown = line < count ? line : -1;
        if (paint.left() < margin)
            PaintMargin(painter, marginRect, shown);
        if (paint.right() >= margin)
            PaintLine(painter, textRect, shown);
        ++line;
        y += lineHeight;
    }
    PaintOverlay(painter);
    if (m_bCaretShown && m_bCaretBlinkOn && paint.intersects(m_rcCaret)) {
        // An inverting caret stays visible on the selection too.
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.fillRect(m_rcCaret, Qt::white);
    }
}

void VornaSourceTextView::PaintOverlay(QPainter&) {}

void VornaSourceTextView::PaintMargin(QPainter& painter, const QRect& rect, int line)
{
    if (!m_bSelMargin) {
        painter.fillRect(rect, platform::toQColor(GetColorByIndex(COLORINDEX_BKGND)));
        return;
    }
    painter.fillRect(rect, platform::toQColor(GetColorByIndex(COLORINDEX_SELMARGIN)));
    if (line < 0)
        return;
    const uint32_t flags = GetLineFlags(line);
    if (flags == 0)
        return;
    int image = -1;
    for (size_t i = 0; i < std::size(kMarginFlags); ++i) {
        if (flags & kMarginFlags[i]) {
            image = static_cast<int>(i);
            break;
        }
    }
    if (image < 0)
        return;
    // Marks are drawn in code: the plain bookmark as a bar, a numbered one as
    // its digit in a box, any other mark as a grey bar.
    const QRect mark = rect.adjusted(1, 2, -1, -2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (image == 13) {
        painter.fillRect(mark, QColor(0, 96, 192));
    } else if (image >= 3 && image <= 12) {
        const int digit = image == 12 ? 0 : image - 2;
        painter.fillRect(mark, QColor(255, 224, 96));
        painter.setPen(QColor(0, 0, 0));
        QFont digitFont = GetTextFont(false, true);
        digitFont.setPixelSize(std::max(6, std::min(mark.height(), 10)));
        painter.setFont(digitFont);
        painter.drawText(mark, Qt::AlignCenter, QString::number(digit));
    } else {
        painter.fillRect(mark, QColor(128, 128, 128));
    }
    painter.restore();
}

void VornaSourceTextView::PaintLine(QPainter& painter, const QRect& rect, int line)
{
    if (line < 0) {
        painter.fillRect(rect, platform::toQColor(GetColorByIndex(COLORINDEX_WHITESPACE)));
        return;
    }
    const int length = GetLineLength(line);
    if (length == 0) {
        QRect rest = rect;
        if ((m_bFocused || m_bShowInactiveSelection) && IsInSelection(QPoint(0, line))) {
            const int cw = GetCharWidth();
            painter.fillRect(QRect(rest.left(), rest.top(), cw, rest.height()),
                             platform::toQColor(GetColorByIndex(COLORINDEX_SELBKGND)));
            rest.setLeft(rest.left() + cw);
        }
        if (rest.width() > 0)
            painter.fillRect(rest, platform::toQColor(GetColorByIndex(COLORINDEX_WHITESPACE)));
        return;
    }
    const LineState before = GetLineStateBefore(line - 1);
    // The colouring makes at most one run per byte.
    m_aRunBuffer.resize(static_cast<size_t>(length + 1));
    int runCount = 0;
    const LineState after = ParseLineColors(before, line, m_aRunBuffer.data(), runCount);
    if (line < static_cast<int>(m_pdwParseCookies.size()))
        m_pdwParseCookies[static_cast<size_t>(line)] = after;
    PaintTextRow(painter, rect, line, m_aRunBuffer.data(), std::clamp(runCount, 0, length + 1));
}

void VornaSourceTextView::PaintTextRow(QPainter& painter, const QRect& rect, int line, const ColorRun* runs,
                                       int runCount)
{
    const std::string_view text = GetLine(line);
    const int length = static_cast<int>(text.size());
    const int cw = GetCharWidth();
    const int origin = rect.left() - m_nOffsetChar * cw;
    const int right = rect.left() + rect.width();

    platform::ColorRef overrideBack = ColorNone;
    platform::ColorRef overrideText = ColorNone;
    bool paintWhitespace = false;
    GetLineColorOverride(line, overrideBack, overrideText, paintWhitespace);
    const QColor background =
        platform::toQColor(overrideBack != ColorNone ? overrideBack : GetColorByIndex(COLORINDEX_BKGND));
    const QColor whitespace = platform::toQColor(GetColorByIndex(COLORINDEX_WHITESPACE));
    const QColor selBack = platform::toQColor(GetColorByIndex(COLORINDEX_SELBKGND));
    const QRgb selText = platform::toQColor(GetColorByIndex(COLORINDEX_SELTEXT)).rgb();

    // The selected bytes of this line: [selFrom, selTo), the line break
    // included when selTo is beyond the line.
    int selFrom = INT_MAX;
    int selTo = INT_MAX;
    if ((m_bFocused || m_bShowInactiveSelection) && m_ptDrawSelStart != m_ptDrawSelEnd &&
        line >= m_ptDrawSelStart.y() && line <= m_ptDrawSelEnd.y()) {
        selFrom = line == m_ptDrawSelStart.y() ? m_ptDrawSelStart.x() : 0;
        selTo = line == m_ptDrawSelEnd.y() ? m_ptDrawSelEnd.x() : INT_MAX;
    }

    // The glyphs of a colour's font (regular, italic, bold); every style sits
    // on the regular font's baseline.
    auto glyphCache = [this](bool italic, bool bold) -> SourceGlyphCache& {
        const size_t index = (italic ? 2 : 0) + (bold ? 1 : 0);
        if (!m_apGlyphCaches[index])
            m_apGlyphCaches[index] = std::make_unique<SourceGlyphCache>(GetTextFont(italic, bold));
        return *m_apGlyphCaches[index];
    };
    const qreal baseline = rect.top() + std::round(glyphCache(false, false).Ascent());
    SourceGlyphCache* glyphs = nullptr;

    const int firstVisible = std::max(0, (rect.left() - origin) / cw - 2);
    const int lastVisible = (right - origin + cw - 1) / cw;
    std::vector<GlyphGroup> groups;
    int selColumnFrom = -1;
    int selColumnTo = -1;
    int column = 0;
    int run = 0;
    int colorIndex = COLORINDEX_NORMALTEXT;
    int lastColorIndex = -1;
    QRgb color = 0;
    for (int i = 0; i < length && column < lastVisible;) {
        while (run < runCount && runs[run].pos <= i)
            colorIndex = runs[run++].color;
        const bool tab = text[static_cast<size_t>(i)] == '\t';
        const int bytes = tab ? 1 : std::max(1, SourceChars::CharLengthAt(text, i));
        const int width = tab ? m_nTabSize - column % m_nTabSize : SourceChars::CharColumns(text, i);
        const bool selected = i >= selFrom && i < selTo;
        if (selected) {
            if (selColumnFrom < 0)
                selColumnFrom = column;
            selColumnTo = column + width;
        }
        if (!tab && column + width > firstVisible) {
            int codePoint = SourceChars::CodePointAt(text, i);
            if (codePoint < 0)
                codePoint = 0xFFFD;
            if (codePoint >= 0x20 && codePoint != 0x7F) {
                if (colorIndex != lastColorIndex) {
                    lastColorIndex = colorIndex;
                    color = platform::toQColor(overrideText != ColorNone ? overrideText : GetColorByIndex(colorIndex))
                                .rgb();
                    glyphs = &glyphCache(IsItalicColor(colorIndex), IsBoldColor(colorIndex));
                }
                const SourceGlyphCache::Glyph glyph = glyphs->GlyphOf(static_cast<char32_t>(codePoint));
                if (glyph.font >= 0) {
                    const QRgb use = selected ? selText : color;
                    GlyphGroup* group = nullptr;
                    for (GlyphGroup& g : groups)
                        if (g.color == use && g.cache == glyphs && g.font == glyph.font)
                            group = &g;
                    if (!group) {
                        groups.push_back(GlyphGroup{use, glyphs, glyph.font, {}, {}});
                        group = &groups.back();
                    }
                    group->glyphs.append(glyph.index);
                    group->positions.append(QPointF(origin + column * cw, baseline));
                }
            }
        }
        column += width;
        i += bytes;
    }

    // Backgrounds: the text's cells, the selected cells, the selected line
    // break, and what is left of the row.
    const int textEnd = origin + GetLineColumns(line) * cw;
    const int textLeft = std::max(rect.left(), origin);
    if (std::min(right, textEnd) > textLeft)
        painter.fillRect(QRect(textLeft, rect.top(), std::min(right, textEnd) - textLeft, rect.height()), background);
    if (selColumnFrom >= 0) {
        const int left = std::max(rect.left(), origin + selColumnFrom * cw);
        const int end = std::min(right, origin + selColumnTo * cw);
        if (end > left)
            painter.fillRect(QRect(left, rect.top(), end - left, rect.height()), selBack);
    }
    int rest = std::max(textEnd, rect.left());
    if (rest < right) {
        if (length >= selFrom && length < selTo) {
            painter.fillRect(QRect(rest, rect.top(), std::min(cw, right - rest), rect.height()), selBack);
            rest += cw;
        }
        if (rest < right)
            painter.fillRect(QRect(rest, rect.top(), right - rest, rect.height()), whitespace);
    }

    if (groups.empty())
        return;
    painter.save();
    painter.setClipRect(rect);
    for (const GlyphGroup& group : groups) {
        QGlyphRun glyphRun;
        glyphRun.setRawFont(group.cache->Font(group.font));
        glyphRun.setGlyphIndexes(group.glyphs);
        glyphRun.setPositions(group.positions);
        painter.setPen(QColor::fromRgb(group.color));
        painter.drawGlyphRun(QPointF(0, 0), glyphRun);
    }
    painter.restore();
}

// ---------------------------------------------------------------------------
// Caret movement

void VornaSourceTextView::FinishMove(bool extend, bool keepIdealColumn)
{
    if (!keepIdealColumn)
        m_nIdealCharPos = ColumnOfChar(m_ptCursorPos.y(), m_ptCursorPos.x());
    ScrollCaretIntoView(m_ptCursorPos);
    UpdateCaret();
    if (!extend)
        m_ptAnchor = m_ptCursorPos;
    SetSelection(m_ptAnchor, m_ptCursorPos);
}

bool VornaSourceTextView::CollapseSelection(bool extend, bool toStart)
{
    OrderSelection();
    if (extend || m_ptDrawSelStart == m_ptDrawSelEnd)
        return false;
    m_ptCursorPos = toStart ? m_ptDrawSelStart : m_ptDrawSelEnd;
    FinishMove(extend);
    return true;
}

void VornaSourceTextView::MoveCharLeft(bool extend)
{
    if (CollapseSelection(extend, true))
        return;
    if (m_ptCursorPos.x() == 0) {
        if (m_ptCursorPos.y() > 0)
            m_ptCursorPos = QPoint(GetLineLength(m_ptCursorPos.y() - 1), m_ptCursorPos.y() - 1);
    } else {
        m_ptCursorPos.rx() -= std::max(1, CharLengthBefore(m_ptCursorPos));
    }
    FinishMove(extend);
}

void VornaSourceTextView::MoveCharRight(bool extend)
{
    if (CollapseSelection(extend, false))
        return;
    if (m_ptCursorPos.x() >= GetLineLength(m_ptCursorPos.y())) {
        if (m_ptCursorPos.y() < GetLineCount() - 1)
            m_ptCursorPos = QPoint(0, m_ptCursorPos.y() + 1);
    } else {
        m_ptCursorPos.rx() += std::max(1, CharLengthAt(m_ptCursorPos));
    }
    FinishMove(extend);
}

void VornaSourceTextView::MoveWordLeft(bool extend)
{
    if (CollapseSelection(extend, true))
        return;
    if (m_ptCursorPos.x() == 0) {
        if (m_ptCursorPos.y() == 0)
            return;
        m_ptCursorPos = QPoint(GetLineLength(m_ptCursorPos.y() - 1), m_ptCursorPos.y() - 1);
    }
    const std::string_view text = GetLine(m_ptCursorPos.y());
    int pos = std::min(m_ptCursorPos.x(), static_cast<int>(text.size()));
    auto before = [&](int at) { return at - std::max(1, SourceChars::CharLengthBefore(text, at)); };
    while (pos > 0 && classOf(text, before(pos)) == CharClass::Space)
        pos = before(pos);
    if (pos > 0) {
        const CharClass kind = classOf(text, before(pos));
        if (kind == CharClass::Word || kind == CharClass::HighSingle) {
            while (pos > 0) {
                const CharClass c = classOf(text, before(pos));
                if (c != CharClass::Word && c != CharClass::HighSingle)
                    break;
                pos = before(pos);
            }
        } else {
            while (pos > 0) {
                const CharClass c = classOf(text, before(pos));
                if (c == CharClass::Word || c == CharClass::Space)
                    break;
                pos = before(pos);
            }
        }
    }
    m_ptCursorPos.setX(pos);
    FinishMove(extend);
}

void VornaSourceTextView::MoveWordRight(bool extend)
{
    if (CollapseSelection(extend, false))
        return;
    if (m_ptCursorPos.x() >= GetLineLength(m_ptCursorPos.y())) {
        if (m_ptCursorPos.y() >= GetLineCount() - 1)
            return;
        m_ptCursorPos = QPoint(0, m_ptCursorPos.y() + 1);
        if (GetLineLength(m_ptCursorPos.y()) == 0) {
            MoveCharRight(extend);
            return;
        }
    }
    const std::string_view text = GetLine(m_ptCursorPos.y());
    const int size = static_cast<int>(text.size());
    int pos = m_ptCursorPos.x();
    auto step = [&](int at) { return at + std::max(1, SourceChars::CharLengthAt(text, at)); };
    if (pos < size && classOf(text, pos) == CharClass::Word) {
        while (pos < size) {
            const CharClass c = classOf(text, pos);
            if (c != CharClass::Word && c != CharClass::HighSingle)
                break;
            pos = step(pos);
        }
    } else {
        while (pos < size) {
            const CharClass c = classOf(text, pos);
            if (c == CharClass::Word || c == CharClass::Space)
                break;
            pos = step(pos);
        }
    }
    while (pos < size && classOf(text, pos) == CharClass::Space)
        pos = step(pos);
    m_ptCursorPos.setX(pos);
    FinishMove(extend);
}

void VornaSourceTextView::MoveLineUp(bool extend)
{
    OrderSelection();
    if (!extend && m_ptDrawSelStart != m_ptDrawSelEnd)
        m_ptCursorPos = m_ptDrawSelStart;
    if (m_ptCursorPos.y() > 0) {
        if (m_nIdealCharPos == -1)
            m_nIdealCharPos = ColumnOfChar(m_ptCursorPos.y(), m_ptCursorPos.x());
        const int line = m_ptCursorPos.y() - 1;
        m_ptCursorPos = QPoint(std::min(CharOfColumn(line, m_nIdealCharPos), GetLineLength(line)), line);
    }
    FinishMove(extend, true);
}

void VornaSourceTextView::MoveLineDown(bool extend)
{
    OrderSelection();
    if (!extend && m_ptDrawSelStart != m_ptDrawSelEnd)
        m_ptCursorPos = m_ptDrawSelEnd;
    if (m_ptCursorPos.y() < GetLineCount() - 1) {
        if (m_nIdealCharPos == -1)
            m_nIdealCharPos = ColumnOfChar(m_ptCursorPos.y(), m_ptCursorPos.x());
        const int line = m_ptCursorPos.y() + 1;
        m_ptCursorPos = QPoint(std::min(CharOfColumn(line, m_nIdealCharPos), GetLineLength(line)), line);
    }
    FinishMove(extend, true);
}

void VornaSourceTextView::MoveLineHome(bool extend)
{
    const std::string_view text = GetLine(m_ptCursorPos.y());
    int first = 0;
    while (first < static_cast<int>(text.size()) &&
           SourceChars::IsWhiteSpaceByte(static_cast<unsigned char>(text[static_cast<size_t>(first)])))
        ++first;
    const bool allWhite = first == static_cast<int>(text.size());
    m_ptCursorPos.setX(allWhite || m_ptCursorPos.x() == first ? 0 : first);
    FinishMove(extend);
}

void VornaSourceTextView::MoveLineEnd(bool extend)
{
    m_ptCursorPos.setX(GetLineLength(m_ptCursorPos.y()));
    FinishMove(extend);
}

void VornaSourceTextView::MovePageUp(bool extend)
{
    // A page is the visible lines less one; at least one line, however small the view.
    const int step = std::max(1, GetVisibleLines() - 1);
    const int top = std::max(0, m_nTopLine - step);
    if (top != m_nTopLine) {
        ScrollToLine(top, true);
        SyncSiblingPanes(true);
    }
    const int line = std::max(0, m_ptCursorPos.y() - step);
    int pos = std::min(m_ptCursorPos.x(), GetLineLength(line));
    while (pos > 0 && SourceChars::IsInsideChar(GetLine(line), pos))
        --pos;
    m_ptCursorPos = QPoint(pos, line);
    FinishMove(extend);
}

void VornaSourceTextView::MovePageDown(bool extend)
{
    const int step = std::max(1, GetVisibleLines() - 1);
    const int top = std::min(std::max(0, GetLineCount() - 1), m_nTopLine + step);
    if (top != m_nTopLine) {
        ScrollToLine(top, true);
        SyncSiblingPanes(true);
    }
    const int line = std::min(GetLineCount() - 1, m_ptCursorPos.y() + step);
    int pos = std::min(m_ptCursorPos.x(), GetLineLength(line));
    while (pos > 0 && SourceChars::IsInsideChar(GetLine(line), pos))
        --pos;
    m_ptCursorPos = QPoint(pos, line);
    FinishMove(extend);
}

void VornaSourceTextView::MoveTextStart(bool extend)
{
    m_ptCursorPos = QPoint(0, 0);
    FinishMove(extend);
}

void VornaSourceTextView::MoveTextEnd(bool extend)
{
    const int last = GetLineCount() - 1;
    m_ptCursorPos = QPoint(GetLineLength(last), last);
    FinishMove(extend);
}

void VornaSourceTextView::ScrollLineUp()
{
    if (m_nTopLine > 0) {
        ScrollToLine(m_nTopLine - 1, true);
        SyncSiblingPanes(true);
    }
}

void VornaSourceTextView::ScrollLineDown()
{
    if (m_nTopLine < GetLineCount() - 1) {
        ScrollToLine(m_nTopLine + 1, true);
        SyncSiblingPanes(true);
    }
}

void VornaSourceTextView::SelectAllText()
{
    const int last = GetLineCount() - 1;
    m_ptCursorPos = QPoint(GetLineLength(last), last);
    SetSelection(QPoint(0, 0), m_ptCursorPos);
    UpdateCaret();
}

void VornaSourceTextView::CopySelection()
{
    if (m_ptSelStart == m_ptSelEnd)
        return;
    OrderSelection();
    std::string text;
    GetTextRange(m_ptDrawSelStart, m_ptDrawSelEnd, text);
    CopyTextToClipboard(text);
}

QPoint VornaSourceTextView::WordStartFrom(QPoint pos)
{
    const std::string_view text = GetLine(pos.y());
    int at = std::min(pos.x(), static_cast<int>(text.size()));
    while (at > 0) {
        const int before = at - std::max(1, SourceChars::CharLengthBefore(text, at));
        if (classOf(text, before) != CharClass::Word)
            break;
        at = before;
    }
    return QPoint(at, pos.y());
}

QPoint VornaSourceTextView::WordEndFrom(QPoint pos)
{
    const std::string_view text = GetLine(pos.y());
    const int size = static_cast<int>(text.size());
    int at = std::min(pos.x(), size);
    while (at < size && classOf(text, at) == CharClass::Word)
        at += std::max(1, SourceChars::CharLengthAt(text, at));
    return QPoint(at, pos.y());
}

// ---------------------------------------------------------------------------
// Mouse

void VornaSourceTextView::StartDragSelection(bool words, bool lines)
{
    platform::setTimer(this, AutoScrollTimer, AutoScrollInterval);
    m_bWordSelection = words;
    m_bLineSelection = lines;
    m_bDragSelection = true;
}

void VornaSourceTextView::StopDragSelection()
{
    platform::killTimer(this, AutoScrollTimer);
    m_bDragSelection = false;
}

void VornaSourceTextView::LineSelectionTo(QPoint point, QPoint& start, QPoint& end, QPoint& caret)
{
    const int last = GetLineCount() - 1;
    auto lineAfter = [&](int line) { return line >= last ? QPoint(GetLineLength(last), last) : QPoint(0, line + 1); };
    const int line = PointToTextPos(point).y();
    caret = QPoint(0, line);
    if (line < m_ptAnchor.y()) {
        start = QPoint(0, line);
        end = lineAfter(m_ptAnchor.y());
    } else {
        start = QPoint(0, m_ptAnchor.y());
        end = lineAfter(line);
    }
}

void VornaSourceTextView::WordSelectionTo(QPoint pos, QPoint& start, QPoint& end, QPoint& caret)
{
    if (pointBefore(pos, m_ptAnchor)) {
        start = WordStartFrom(pos);
        end = WordEndFrom(m_ptAnchor);
        caret = start;
    } else {
        start = WordStartFrom(m_ptAnchor);
        end = WordEndFrom(pos);
        caret = end;
    }
}

void VornaSourceTextView::OnLButtonDown(Qt::KeyboardModifiers modifiers, QPoint point)
{
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    m_ptLastMouse = point;
    m_ptMouseDown = point;
    if (point.x() < GetMarginWidth()) {
        if (ctrl) {
            SelectAllText();
        } else {
            m_ptCursorPos = QPoint(0, PointToTextPos(point).y());
            if (!shift)
                m_ptAnchor = m_ptCursorPos;
            const int last = GetLineCount() - 1;
            const QPoint start(0, m_ptCursorPos.y());
            const QPoint end =
                m_ptAnchor.y() >= last ? QPoint(GetLineLength(last), last) : QPoint(0, m_ptAnchor.y() + 1);
            m_nIdealCharPos = ColumnOfChar(m_ptCursorPos.y(), m_ptCursorPos.x());
            UpdateCaret();
            ScrollCaretIntoView(m_ptCursorPos);
            SetSelection(start, end);
            StartDragSelection(false, true);
        }
    } else {
        OrderSelection();
        if (IsInSelection(PointToTextPos(point))) {
            m_bPreparingToDrag = true;
        } else {
            m_ptCursorPos = ClickToTextPos(point);
            if (!shift)
                m_ptAnchor = m_ptCursorPos;
            QPoint start = m_ptAnchor;
            QPoint end = m_ptCursorPos;
            if (ctrl) {
                QPoint caret;
                WordSelectionTo(m_ptCursorPos, start, end, caret);
                m_ptCursorPos = caret;
            }
            m_nIdealCharPos = ColumnOfChar(m_ptCursorPos.y(), m_ptCursorPos.x());
            UpdateCaret();
            ScrollCaretIntoView(m_ptCursorPos);
            SetSelection(start, end);
            StartDragSelection(ctrl, false);
        }
    }
    if (hasFocus())
        QGuiApplication::inputMethod()->reset();
    ShowTextCaret();
}

void VornaSourceTextView::OnMouseMove(QPoint point)
{
    m_ptLastMouse = point;
    if (m_bDragSelection) {
        const bool onMargin = point.x() < GetMarginWidth();
        if (m_bLineSelection) {
            if (onMargin) {
                QPoint start;
                QPoint end;
                QPoint caret;
                LineSelectionTo(point, start, end, caret);
                m_ptCursorPos = caret;
                UpdateCaret();
                SetSelection(start, end);
                return;
            }
            viewport()->setCursor(Qt::IBeamCursor);
            m_bLineSelection = false;
            m_bWordSelection = false;
        }
        const QPoint pos = ClickToTextPos(point);
        QPoint start = m_ptAnchor;
        QPoint end = pos;
        QPoint caret = pos;
        if (m_bWordSelection)
            WordSelectionTo(pos, start, end, caret);
        m_ptCursorPos = caret;
        UpdateCaret();
        SetSelection(start, end);
        return;
    }
    if (m_bPreparingToDrag) {
        if ((point - m_ptMouseDown).manhattanLength() < QApplication::startDragDistance())
            return;
        m_bPreparingToDrag = false;
        std::unique_ptr<QMimeData> data = MakeDragData();
        if (!data)
            return;
        // A move within the view undoes as one step.
        SourceUndoGroup group(m_pTextBuffer, this);
        m_bDraggingText = true;
        const int effect = DoDragDrop(std::move(data), GetAllowedDropEffects());
        if (effect != DROPEFFECT_NONE)
            OnDragSourceDone(effect);
        m_bDraggingText = false;
    }
}

void VornaSourceTextView::OnLButtonUp(QPoint point)
{
    m_ptLastMouse = point;
    if (m_bDragSelection) {
        QPoint start = m_ptAnchor;
        QPoint end = m_ptCursorPos;
        QPoint caret = m_ptCursorPos;
        if (m_bLineSelection) {
            LineSelectionTo(point, start, end, caret);
            // Dragged downwards, the caret ends below the selected lines.
            if (!pointBefore(caret, QPoint(0, m_ptAnchor.y())))
                caret = end;
        } else if (m_bWordSelection) {
            WordSelectionTo(ClickToTextPos(point), start, end, caret);
        }
        m_ptCursorPos = caret;
        m_nIdealCharPos = ColumnOfChar(caret.y(), caret.x());
        ScrollCaretIntoView(m_ptCursorPos);
        UpdateCaret();
        SetSelection(start, end);
        StopDragSelection();
    }
    if (m_bPreparingToDrag) {
        m_bPreparingToDrag = false;
        const QPoint pos = ClickToTextPos(point);
        m_ptCursorPos = pos;
        m_nIdealCharPos = ColumnOfChar(pos.y(), pos.x());
        ScrollCaretIntoView(pos);
        UpdateCaret();
        SetSelection(pos, pos);
    }
}

void VornaSourceTextView::OnLButtonDblClk(QPoint point)
{
    m_ptLastMouse = point;
    if (m_bDragSelection)
        return;
    m_ptCursorPos = ClickToTextPos(point);
    m_ptAnchor = m_ptCursorPos;
    const QPoint start = WordStartFrom(m_ptAnchor);
    const QPoint end = WordEndFrom(m_ptCursorPos);
    m_ptCursorPos = end;
    m_nIdealCharPos = ColumnOfChar(end.y(), end.x());
    UpdateCaret();
    ScrollCaretIntoView(m_ptCursorPos);
    SetSelection(start, end);
    StartDragSelection(true, false);
}

void VornaSourceTextView::OnRButtonDown(QPoint point)
{
    const QPoint pos = ClickToTextPos(point);
    OrderSelection();
    if (IsInSelection(pos))
        return;
    m_ptCursorPos = pos;
    m_ptAnchor = pos;
    m_nIdealCharPos = ColumnOfChar(pos.y(), pos.x());
    SetSelection(pos, pos);
    ScrollCaretIntoView(pos);
    UpdateCaret();
}

void VornaSourceTextView::OnTimer(int id)
{
    if (id != AutoScrollTimer)
        return;
    const QPoint point = m_ptLastMouse;
    const QRect client = viewport()->rect();
    const int lineHeight = GetLineHeight();
    bool scrolled = false;

    int top = m_nTopLine;
    if (point.y() < client.top()) {
        top -= point.y() < client.top() - lineHeight ? 3 : 1;
    } else if (point.y() > client.bottom()) {
        top += point.y() > client.bottom() + lineHeight - 1 ? 3 : 1;
    }
    top = std::max(0, std::min(top, GetLineCount() - 1));
    if (top != m_nTopLine) {
        ScrollToLine(top, true);
        SyncSiblingPanes(true);
        scrolled = true;
    }

    int first = m_nOffsetChar;
    if (point.x() < client.left())
        --first;
    else if (point.x() > client.right())
        ++first;
    first = std::max(0, std::min(first, GetMaxLineColumns() - 1));
    if (first != m_nOffsetChar) {
        ScrollToColumn(first, true);
        UpdateCaret();
        SyncSiblingPanes(false);
        scrolled = true;
    }

    if (scrolled) {
        const QPoint pos = ClickToTextPos(point);
        if (pos != m_ptCursorPos) {
            m_ptCursorPos = pos;
            UpdateCaret();
        }
        SetSelection(m_ptAnchor, m_ptCursorPos);
    }
}

Qt::CursorShape VornaSourceTextView::CursorShapeAt(QPoint point)
{
    if (point.x() < GetMarginWidth())
        return Qt::ArrowCursor;
    OrderSelection();
    return IsInSelection(PointToTextPos(point)) ? Qt::ArrowCursor : Qt::IBeamCursor;
}

// ---------------------------------------------------------------------------
// Bookmarks and indicators

void VornaSourceTextView::GoToLine(int line)
{
    const QPoint point(0, line);
    SetCaretPosition(point);
    SetSelection(point, point);
    SetAnchor(point);
    ScrollCaretIntoView(point);
}

void VornaSourceTextView::OnToggleBookmark()
{
    if (!m_pTextBuffer)
        return;
    const int line = m_ptCursorPos.y();
    const bool marked = m_pTextBuffer->GetLineFlags(line) & VornaSourceTextBuffer::LineFlagBookmark;
    m_pTextBuffer->SetLineFlag(line, VornaSourceTextBuffer::LineFlagBookmark, !marked, false);
    m_bBookmarkExist = m_pTextBuffer->GetLineWithFlag(VornaSourceTextBuffer::LineFlagBookmark) >= 0;
}

void VornaSourceTextView::OnNextBookmark()
{
    if (!m_pTextBuffer)
        return;
    const int line = m_pTextBuffer->FindNextMarkedLine(m_ptCursorPos.y());
    if (line >= 0)
        GoToLine(line);
}

void VornaSourceTextView::OnPrevBookmark()
{
    if (!m_pTextBuffer)
        return;
    const int line = m_pTextBuffer->FindPrevMarkedLine(m_ptCursorPos.y());
    if (line >= 0)
        GoToLine(line);
}

void VornaSourceTextView::OnClearAllBookmarks()
{
    if (!m_pTextBuffer)
        return;
    const int count = m_pTextBuffer->GetLineCount();
    for (int line = 0; line < count; ++line)
        if (m_pTextBuffer->GetLineFlags(line) & VornaSourceTextBuffer::LineFlagBookmark)
            m_pTextBuffer->SetLineFlag(line, VornaSourceTextBuffer::LineFlagBookmark, false, true);
    m_bBookmarkExist = false;
}

void VornaSourceTextView::OnToggleNumberedBookmark(int id)
{
    if (!m_pTextBuffer)
        return;
    const uint32_t flag = 1u << (id - ID_EDIT_TOGGLE_BOOKMARK0);
    const int line = m_ptCursorPos.y();
    const bool marked = m_pTextBuffer->GetLineFlags(line) & flag;
    m_pTextBuffer->SetLineFlag(line, flag, !marked, true);
}

void VornaSourceTextView::OnGoNumberedBookmark(int id)
{
    if (!m_pTextBuffer)
        return;
    const int line = m_pTextBuffer->GetLineWithFlag(1u << (id - ID_EDIT_GO_BOOKMARK0));
    if (line >= 0)
        GoToLine(line);
}

void VornaSourceTextView::OnClearNumberedBookmarks()
{
    if (!m_pTextBuffer)
        return;
    for (int n = 0; n <= 9; ++n) {
        const uint32_t flag = 1u << n;
        const int line = m_pTextBuffer->GetLineWithFlag(flag);
        if (line >= 0)
            m_pTextBuffer->SetLineFlag(line, flag, false, true);
    }
}

QString VornaSourceTextView::GetPositionIndicatorText()
{
    // The column counts a wide character as two and anything else (a tab
    // too) as one, as the page's Japanese encoding counts its bytes.
    const std::string_view text = GetLine(m_ptCursorPos.y());
    const int end = std::min(m_ptCursorPos.x(), static_cast<int>(text.size()));
    int column = 0;
    for (int i = 0; i < end;) {
        const bool tab = text[static_cast<size_t>(i)] == '\t';
        column += tab ? 1 : SourceChars::CharColumns(text, i);
        i += tab ? 1 : std::max(1, SourceChars::CharLengthAt(text, i));
    }
    return QStringLiteral("Ln %1, Col %2").arg(m_ptCursorPos.y() + 1).arg(column + 1);
}

QString VornaSourceTextView::GetLineEndingIndicatorText()
{
    if (!m_pTextBuffer)
        return QString();
    switch (m_pTextBuffer->GetLineEndingMode()) {
    case VornaSourceTextBuffer::CrLf:
        return QStringLiteral("DOS");
    case VornaSourceTextBuffer::Lf:
        return QStringLiteral("UNIX");
    case VornaSourceTextBuffer::LfCr:
        return QStringLiteral("MAC");
    default:
        return QString();
    }
}

// ---------------------------------------------------------------------------
// Printing

void VornaSourceTextView::GetHeaderText(int, QString& text)
{
    text.clear();
}

void VornaSourceTextView::GetFooterText(int page, QString& text)
{
    text = QStringLiteral("Page %1/%2").arg(page).arg(m_nPrintPages);
}

void VornaSourceTextView::DrawPrintHeader(QPainter& painter, int page)
{
    QString text;
    GetHeaderText(page, text);
    if (text.isEmpty())
        return;
    const platform::Rect band = SourcePrintHeaderRect(m_rcPrintArea, m_nPrintLineHeight);
    painter.drawText(band.toQRect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text);
}

void VornaSourceTextView::DrawPrintFooter(QPainter& painter, int page)
{
    QString text;
    GetFooterText(page, text);
    if (text.isEmpty())
        return;
    const platform::Rect band = SourcePrintFooterRect(m_rcPrintArea, m_nPrintLineHeight);
    painter.drawText(band.toQRect(), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, text);
}

void VornaSourceTextView::OnBeginPrinting(QPrinter& printer)
{
    // The text prints at the size it has on the screen.
    QFont font = GetTextFont(false, false);
    const int screenDpi = std::max(1, logicalDpiY());
    font.setPointSizeF(std::max(1, font.pixelSize()) * 72.0 / screenDpi);
    m_pPrintFont = std::make_unique<QFont>(font, &printer);
}

int VornaSourceTextView::MeasurePrintLine(QPrinter& printer, int line)
{
    if (GetLineLength(line) == 0)
        return m_nPrintLineHeight;
    std::string expanded;
    ExpandTabs(line, 0, GetLineLength(line), expanded);
    QTextLayout layout(sourceText(expanded), *m_pPrintFont, &printer);
    return layoutPrintText(layout, m_rcPrintArea.width());
}

void VornaSourceTextView::PaginateForPrint(QPrinter& printer)
{
    m_ptPageArea = platform::Rect(0, 0, printer.width(), printer.height());
    const QFontMetrics metrics(*m_pPrintFont, &printer);
    m_nPrintLineHeight = std::max(1, metrics.height());
    SourcePageSetupModel margins;
    margins.LoadProfile();
    const int dpiX = printer.logicalDpiX();
    const int dpiY = printer.logicalDpiY();
    const platform::Rect marginsDevice(
        HundredthsOfMmToDevice(margins.m_nLeftMargin, dpiX), HundredthsOfMmToDevice(margins.m_nTopMargin, dpiY),
        HundredthsOfMmToDevice(margins.m_nRightMargin, dpiX), HundredthsOfMmToDevice(margins.m_nBottomMargin, dpiY));
    m_rcPrintArea = SourcePrintTextRect(m_ptPageArea, marginsDevice, m_nPrintLineHeight,
                                        metrics.horizontalAdvance(QLatin1Char('X')), m_bPrintHeader, m_bPrintFooter);
    m_pnPages = PaginateSourceLines(GetLineCount(), m_rcPrintArea.top, m_rcPrintArea.bottom,
                                    [&](int line) { return MeasurePrintLine(printer, line); });
    m_nPrintPages = static_cast<int>(m_pnPages.size());
}

bool VornaSourceTextView::OnPrepareDC(int page)
{
    return m_pnPages.empty() || page <= m_nPrintPages;
}

void VornaSourceTextView::OnPrint(QPainter& painter, QPrinter& printer, int page)
{
    if (page < 1 || page > m_nPrintPages)
        return;
    const int first = m_pnPages[static_cast<size_t>(page - 1)];
    const int last = page < m_nPrintPages ? m_pnPages[static_cast<size_t>(page)] : GetLineCount();
    painter.setFont(*m_pPrintFont);
    painter.setPen(Qt::black);
    if (m_bPrintHeader)
        DrawPrintHeader(painter, page);
    if (m_bPrintFooter)
        DrawPrintFooter(painter, page);
    painter.save();
    painter.setClipRect(m_rcPrintArea.toQRect());
    int y = m_rcPrintArea.top;
    std::string expanded;
    for (int line = first; line < last; ++line) {
        if (GetLineLength(line) == 0) {
            y += m_nPrintLineHeight;
            continue;
        }
        ExpandTabs(line, 0, GetLineLength(line), expanded);
        QTextLayout layout(sourceText(expanded), *m_pPrintFont, &printer);
        const int height = layoutPrintText(layout, m_rcPrintArea.width());
        layout.draw(&painter, QPointF(m_rcPrintArea.left, y));
        y += height;
    }
    painter.restore();
}

void VornaSourceTextView::OnEndPrinting()
{
    m_pPrintFont.reset();
    m_pnPages.clear();
    m_nPrintPages = 0;
    m_nPrintLineHeight = 0;
}

bool VornaSourceTextView::PrintDocument(QPrinter& printer)
{
    OnBeginPrinting(printer);
    // The pages are laid out before the first one prints, so that a range
    // beyond the last page prints nothing instead of a page that is not there.
    PaginateForPrint(printer);
    const int first = std::max(1, printer.fromPage());
    const int last = printer.toPage() > 0 ? printer.toPage() : INT_MAX;
    if (!OnPrepareDC(first)) {
        OnEndPrinting();
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        OnEndPrinting();
        return false;
    }
    for (int page = first; page <= last && OnPrepareDC(page); ++page) {
        if (page > first)
            printer.newPage();
        OnPrint(painter, printer, page);
    }
    painter.end();
    OnEndPrinting();
    return true;
}

void VornaSourceTextView::OnFilePageSetup()
{
    SourcePageSetupModel model;
    model.LoadProfile();
    SourcePageSetupDlg dialog(model, this);
    if (dialog.Run() == platform::IDOK)
        model.SaveProfile();
}

void VornaSourceTextView::OnFilePrint()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("id_%1").arg(IDD_PRINTDLG));
    if (platform::runModal(dialog, IDD_PRINTDLG) == platform::IDOK)
        PrintDocument(printer);
}

void VornaSourceTextView::OnFilePrintDirect()
{
    QPrinter printer(QPrinter::HighResolution);
    PrintDocument(printer);
}

void VornaSourceTextView::OnFilePrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("id_%1").arg(IDD_PRINT_PREVIEW));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { PrintDocument(*target); });
    platform::runModal(dialog, IDD_PRINT_PREVIEW);
}

// ---------------------------------------------------------------------------
// Text search

bool VornaSourceTextView::FindInText(const std::string& what, QPoint start, uint32_t flags, bool wrap, QPoint& found)
{
    return m_pTextBuffer && FindSourceTextInText(*m_pTextBuffer, what, start, flags, wrap, found);
}

bool VornaSourceTextView::FindInRange(const std::string& what, QPoint start, QPoint blockStart, QPoint blockEnd,
                                      uint32_t flags, bool wrap, QPoint& found)
{
    return m_pTextBuffer && FindSourceText(*m_pTextBuffer, what, start, blockStart, blockEnd, flags, wrap, found);
}

bool VornaSourceTextView::SelectFoundText(QPoint start, int length)
{
    const QPoint caret(start.x() + length, start.y());
    m_ptCursorPos = caret;
    m_ptAnchor = caret;
    SetSelection(start, caret);
    UpdateCaret();
    ScrollCaretIntoView(caret);
    return true;
}

// ---------------------------------------------------------------------------
// Qt events

bool VornaSourceTextView::event(QEvent* event)
{
    if (event->type() == platform::WindowMessage::eventType()) {
        auto* message = static_cast<platform::WindowMessage*>(event);
        if (message->message() == platform::WM_TIMER) {
            OnTimer(static_cast<int>(message->wParam()));
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void VornaSourceTextView::scrollContentsBy(int, int)
{
    // Scrolling is done by ScrollToLine and ScrollToColumn.
}

void VornaSourceTextView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_nScreenLines = -1;
    m_nScreenChars = -1;
    UpdateVertScrollBar(false);
    UpdateHorzScrollBar(false);
}

void VornaSourceTextView::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    for (const KeyCommand& entry : kKeyCommands) {
        if (entry.key == event->key() && entry.modifiers == modifiers) {
            RunKeyCommand(entry.command);
            event->accept();
            return;
        }
    }
    event->ignore();
}

void VornaSourceTextView::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(event->modifiers(), point);
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(point);
    event->accept();
}

void VornaSourceTextView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    OnMouseMove(point);
    if (!m_bDragSelection && !(event->buttons() & Qt::LeftButton)) {
        const Qt::CursorShape shape = CursorShapeAt(point);
        if (viewport()->cursor().shape() != shape)
            viewport()->setCursor(shape);
    }
    event->accept();
}

void VornaSourceTextView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(event->position().toPoint());
    event->accept();
}

void VornaSourceTextView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(event->position().toPoint());
    event->accept();
}

void VornaSourceTextView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // One notch of 120 moves three lines.
    const int top = std::max(0, std::min(m_nTopLine - delta / 40, GetLineCount() - 1));
    if (top != m_nTopLine)
        ScrollToLine(top, false);
    UpdateVertScrollBar(true);
    event->accept();
}

void VornaSourceTextView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    m_bFocused = true;
    if (HasSelection())
        InvalidateLineRange(m_ptSelStart.y(), m_ptSelEnd.y());
    UpdateCaret();
}

void VornaSourceTextView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    // A popup menu over the view does not take the caret and selection away.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    m_bFocused = false;
    UpdateCaret();
    if (HasSelection())
        InvalidateLineRange(m_ptSelStart.y(), m_ptSelEnd.y());
    if (m_bDragSelection)
        StopDragSelection();
}

void VornaSourceTextView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        viewport()->update();
}

void VornaSourceTextView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_caretBlink.timerId()) {
        m_bCaretBlinkOn = !m_bCaretBlinkOn;
        if (m_bCaretShown)
            viewport()->update(m_rcCaret);
        return;
    }
    QAbstractScrollArea::timerEvent(event);
}
