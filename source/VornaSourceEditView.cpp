#include "source/VornaSourceEditView.h"

#include "platform/CmdUI.h"
#include "platform/CommandRegistry.h"
#include "res/resource.h"
#include "source/CEditReplaceDlg.h"
#include "source/CUpdateContext.h"
#include "source/HtmlSourceColoring.h"
#include "source/SourceChars.h"
#include "source/VornaSourceDoc.h"
#include "util/StringResources.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>

VornaSourceEditView::VornaSourceEditView(QWidget* parent) : VornaSourceTextView(parent)
{
    setAttribute(Qt::WA_InputMethodEnabled);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);

    onCommand(ID_EDIT_UNDO, [this] { OnEditUndo(); });
    onUpdate(ID_EDIT_UNDO, [this](platform::CmdUI& ui) { ui.enable(m_pTextBuffer && m_pTextBuffer->CanUndo()); });
    onCommand(ID_EDIT_REDO, [this] { OnEditRedo(); });
    onUpdate(ID_EDIT_REDO, [this](platform::CmdUI& ui) { ui.enable(m_pTextBuffer && m_pTextBuffer->CanRedo()); });
    onCommand(ID_EDIT_CUT, [this] { OnEditCut(); });
    onUpdate(ID_EDIT_CUT, [this](platform::CmdUI& ui) { ui.enable(HasSelection()); });
    onCommand(ID_EDIT_PASTE, [this] { OnEditPaste(); });
    onUpdate(ID_EDIT_PASTE, [this](platform::CmdUI& ui) { ui.enable(IsClipboardTextAvailable()); });
    onCommand(ID_EDIT_DELETE, [this] { OnEditDelete(); });
    onUpdate(ID_EDIT_DELETE, [](platform::CmdUI&) {});
    onCommand(ID_EDIT_DELETE_BACK, [this] { OnEditDeleteBack(); });
    onCommand(ID_EDIT_TAB, [this] { OnEditTab(); });
    onCommand(ID_EDIT_UNTAB, [this] { OnEditUntab(); });
    onCommand(ID_EDIT_SWITCH_OVRMODE, [this] { OnEditSwitchOvrmode(); });
    onUpdate(ID_EDIT_SWITCH_OVRMODE, [this](platform::CmdUI& ui) { ui.setCheck(m_bOvrMode ? 1 : 0); });
    onCommand(ID_EDIT_REPLACE, [this] { OnEditReplace(); });
    onUpdate(ID_SOURCE_INDICATOR_COL, [](platform::CmdUI& ui) { ui.enable(false); });
    onUpdate(ID_SOURCE_INDICATOR_READ,
             [this](platform::CmdUI& ui) { ui.enable(m_pTextBuffer && m_pTextBuffer->IsReadOnly()); });
    onUpdate(ID_INDICATOR_OVR, [this](platform::CmdUI& ui) { ui.enable(m_bOvrMode); });
}

VornaSourceEditView::~VornaSourceEditView()
{
    // Let go of the buffer before the document that owns it goes.
    DetachBuffer();
}

VornaSourceDoc* VornaSourceEditView::GetSourceDoc()
{
    if (!m_pSourceDoc)
        m_pSourceDoc = std::make_unique<VornaSourceDoc>();
    return m_pSourceDoc.get();
}

VornaSourceTextBuffer* VornaSourceEditView::FindTextBuffer()
{
    return &GetSourceDoc()->m_xTextBuffer;
}

void VornaSourceEditView::OnInitialUpdate()
{
    VornaSourceTextBuffer& buffer = GetSourceDoc()->m_xTextBuffer;
    buffer.FreeAll();
    buffer.InitEmpty(VornaSourceTextBuffer::CrLf);
    VornaSourceTextView::OnInitialUpdate();
}

void VornaSourceEditView::ResetState()
{
    m_bAutoIndent = true;
    m_bOvrMode = false;
    m_bImeComposing = false;
    m_strComposition.clear();
    VornaSourceTextView::ResetState();
}

bool VornaSourceEditView::IsEditable()
{
    return m_pTextBuffer && !m_pTextBuffer->IsReadOnly();
}

LineState VornaSourceEditView::ParseLineColors(LineState state, int line, ColorRun* runs, int& count)
{
    return ParseHtmlLineColors(state, GetLineText(line), GetLineLength(line), runs, count);
}

void VornaSourceEditView::OnBufferChanged(SourceBufferView* source, CUpdateContext* context, uint32_t flags, int line)
{
    VornaSourceTextView::OnBufferChanged(source, context, flags, line);
    if (m_bSelectionPushed && context) {
        context->AdjustPoint(m_ptSavedSelStart);
        context->AdjustPoint(m_ptSavedSelEnd);
    }
}

void VornaSourceEditView::SetReplaceTracking(bool on, QPoint start, QPoint end)
{
    m_bSelectionPushed = on;
    m_ptSavedSelStart = start;
    m_ptSavedSelEnd = end;
}

void VornaSourceEditView::MoveCaretTo(QPoint pos)
{
    SetAnchor(pos);
    SetCaretPosition(pos);
    SetSelection(pos, pos);
    ScrollCaretIntoView(pos);
}

void VornaSourceEditView::DeleteCurrentSelection(int action)
{
    QPoint start;
    QPoint end;
    GetSelection(start, end);
    if (start == end)
        return;
    MoveCaretTo(start);
    m_pTextBuffer->DeleteText(this, start.y(), start.x(), end.y(), end.x(), action);
}

void VornaSourceEditView::OnChar(std::string_view character)
{
    if (character.empty() || !m_pTextBuffer)
        return;
    if (QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton))
        return;
    const auto first = static_cast<unsigned char>(character.front());

    if (character == "\r") {
        const QPoint caret = GetCaretPosition();
        if (m_bOvrMode && caret.y() < GetLineCount() - 1) {
            MoveCaretTo(QPoint(0, caret.y() + 1));
            return;
        }
        SourceUndoGroup group(m_pTextBuffer, this);
        if (IsEditable()) {
            DeleteCurrentSelection(SOURCE_ACTION_DELSEL);
            const QPoint at = GetCaretPosition();
            int endLine = 0;
            int endChar = 0;
            m_pTextBuffer->InsertText(this, at.y(), at.x(), "\r\n", endLine, endChar, SOURCE_ACTION_TYPING);
            MoveCaretTo(QPoint(endChar, endLine));
        }
        return;
    }
    if (first < 32 || first == 127 || !IsEditable())
        return;

    SourceUndoGroup group(m_pTextBuffer, this, character != " ");
    if (HasSelection()) {
        DeleteCurrentSelection(SOURCE_ACTION_DELSEL);
    } else if (m_bOvrMode && !m_bImeResult) {
        const QPoint caret = GetCaretPosition();
        if (caret.x() < GetLineLength(caret.y()))
            m_pTextBuffer->DeleteText(this, caret.y(), caret.x(), caret.y(), caret.x() + CharLengthAt(caret),
                                      SOURCE_ACTION_TYPING);
    }
    const QPoint at = GetCaretPosition();
    int endLine = 0;
    int endChar = 0;
    m_pTextBuffer->InsertText(this, at.y(), at.x(), character, endLine, endChar, SOURCE_ACTION_TYPING);
    const QPoint end(endChar, endLine);
    SetAnchor(end);
    SetCaretPosition(end);
    SetSelection(end, end);
    if (!m_bImeTyping)
        ScrollCaretIntoView(end);
}

void VornaSourceEditView::OnImeResult(std::string_view text)
{
    if (!IsEditable() || text.empty())
        return;
    if (m_bOvrMode) {
        int characters = 0;
        for (size_t i = 0; i < text.size(); i += std::max(1, SourceChars::CharLengthAt(text, static_cast<int>(i))))
            ++characters;
        for (int n = 0; n < characters; ++n) {
            const QPoint caret = GetCaretPosition();
            if (caret.x() >= GetLineLength(caret.y()))
                break;
            m_pTextBuffer->DeleteText(this, caret.y(), caret.x(), caret.y(), caret.x() + CharLengthAt(caret),
                                      SOURCE_ACTION_TYPING);
        }
    }
    // The result's characters are typed; overwriting was done above.
    m_bImeResult = true;
    for (size_t i = 0; i < text.size();) {
        const int length = std::max(1, SourceChars::CharLengthAt(text, static_cast<int>(i)));
        std::string_view character = text.substr(i, static_cast<size_t>(length));
        i += static_cast<size_t>(length);
        m_bImeTyping = i < text.size();
        OnChar(character == "\n" ? std::string_view("\r") : character);
    }
    m_bImeTyping = false;
    m_bImeResult = false;
}

void VornaSourceEditView::OnEditAction(int action, const std::string& text)
{
    if (!m_bAutoIndent || action != SOURCE_ACTION_TYPING || text != "\r\n" || m_bOvrMode || !m_pTextBuffer)
        return;
    const QPoint caret = GetCaretPosition();
    if (caret.y() <= 0)
        return;
    const std::string_view previous = GetLine(caret.y() - 1);
    // Line-break bytes kept inside a line are not indentation: a CR would
    // split the new line and an LF would add a line to the page.
    size_t indent = 0;
    while (indent < previous.size() && SourceChars::IsWhiteSpaceByte(static_cast<unsigned char>(previous[indent])) &&
           previous[indent] != '\r' && previous[indent] != '\n')
        ++indent;
    if (indent == 0)
        return;
    const std::string copy(previous.substr(0, indent));
    int endLine = 0;
    int endChar = 0;
    if (m_pTextBuffer->InsertText(nullptr, caret.y(), caret.x(), copy, endLine, endChar, SOURCE_ACTION_AUTOINDENT))
        MoveCaretTo(QPoint(endChar, endLine));
}

void VornaSourceEditView::OnEditUndo()
{
    QPoint pos;
    if (m_pTextBuffer && m_pTextBuffer->CanUndo() && m_pTextBuffer->Undo(pos))
        MoveCaretTo(pos);
}

void VornaSourceEditView::OnEditRedo()
{
    QPoint pos;
    if (m_pTextBuffer && m_pTextBuffer->CanRedo() && m_pTextBuffer->Redo(pos))
        MoveCaretTo(pos);
}

void VornaSourceEditView::OnEditCut()
{
    if (!IsEditable() || !HasSelection())
        return;
    QPoint start;
    QPoint end;
    GetSelection(start, end);
    std::string text;
    GetTextRange(start, end, text);
    CopyTextToClipboard(text);
    MoveCaretTo(start);
    m_pTextBuffer->DeleteText(this, start.y(), start.x(), end.y(), end.x(), SOURCE_ACTION_CUT);
}

void VornaSourceEditView::OnEditPaste()
{
    if (!IsEditable())
        return;
    SourceUndoGroup group(m_pTextBuffer, this);
    DeleteCurrentSelection(SOURCE_ACTION_DELSEL);
    std::string text;
    if (ReadTextFromClipboard(text)) {
        text = ToSourceLineBreaks(text);
        const QPoint at = GetCaretPosition();
        int endLine = 0;
        int endChar = 0;
        if (m_pTextBuffer->InsertText(this, at.y(), at.x(), text, endLine, endChar, SOURCE_ACTION_PASTE))
            MoveCaretTo(QPoint(endChar, endLine));
    }
}

void VornaSourceEditView::OnEditDelete()
{
    if (!IsEditable())
        return;
    QPoint start;
    QPoint end;
    GetSelection(start, end);
    if (start == end) {
        const QPoint caret = GetCaretPosition();
        start = caret;
        if (caret.x() >= GetLineLength(caret.y())) {
            if (caret.y() >= GetLineCount() - 1)
                return;
            end = QPoint(0, caret.y() + 1);
        } else {
            end = QPoint(caret.x() + CharLengthAt(caret), caret.y());
        }
    }
    MoveCaretTo(start);
    m_pTextBuffer->DeleteText(this, start.y(), start.x(), end.y(), end.x(), SOURCE_ACTION_DELETE);
}

void VornaSourceEditView::OnEditDeleteBack()
{
    if (HasSelection()) {
        OnEditDelete();
        return;
    }
    if (!IsEditable())
        return;
    const QPoint caret = GetCaretPosition();
    QPoint target = caret;
    if (caret.x() == 0) {
        if (caret.y() > 0)
            target = QPoint(GetLineLength(caret.y() - 1), caret.y() - 1);
    } else {
        target = QPoint(caret.x() - CharLengthBefore(caret), caret.y());
    }
    MoveCaretTo(target);
    if (target != caret)
        m_pTextBuffer->DeleteText(this, target.y(), target.x(), caret.y(), caret.x(), SOURCE_ACTION_BACKSPACE);
}

bool VornaSourceEditView::ChangeBlockLines(const std::function<void(int line)>& change)
{
    QPoint selStart;
    QPoint selEnd;
    GetSelection(selStart, selEnd);
    if (selStart.y() >= selEnd.y())
        return false;
    // The block's lines: a selection ending at character 0 leaves its end line out.
    const int firstLine = selStart.y();
    const int lastLine = selEnd.x() == 0 ? selEnd.y() - 1 : selEnd.y();
    const int last = GetLineCount() - 1;
    QPoint newEnd(0, selEnd.y() + 1);
    if (selEnd.x() == 0)
        newEnd = selEnd;
    else if (selEnd.y() >= last)
        newEnd = QPoint(GetLineLength(last), last);

    SourceUndoGroup group(m_pTextBuffer, this);
    SetAnchor(QPoint(0, firstLine));
    SetSelection(QPoint(0, firstLine), newEnd);
    SetCaretPosition(newEnd);
    ScrollCaretIntoView(newEnd);
    SetHorzScrollBarFrozen(true);
    for (int line = firstLine; line <= lastLine; ++line)
        change(line);
    SetHorzScrollBarFrozen(false);
    UpdateHorzScrollBar(false);
    return true;
}

void VornaSourceEditView::OnEditTab()
{
    if (!IsEditable())
        return;
    const bool block = ChangeBlockLines([this](int line) {
        int endLine = 0;
        int endChar = 0;
        m_pTextBuffer->InsertText(this, line, 0, "\t", endLine, endChar, SOURCE_ACTION_INDENT);
    });
    if (block)
        return;

    const QPoint caret = GetCaretPosition();
    const std::string_view line = GetLine(caret.y());
    if (m_bOvrMode && caret.x() < static_cast<int>(line.size())) {
        const int steps = m_nTabSize - ColumnOfChar(caret.y(), caret.x()) % m_nTabSize;
        int pos = caret.x();
        for (int moved = 0; moved < steps && pos < static_cast<int>(line.size());) {
            const bool tab = line[pos] == '\t';
            moved += tab ? 1 : SourceChars::CharColumns(line, pos);
            pos += tab ? 1 : SourceChars::CharLengthAt(line, pos);
            if (tab)
                break;
        }
        MoveCaretTo(QPoint(pos, caret.y()));
        return;
    }

    SourceUndoGroup group(m_pTextBuffer, this);
    DeleteCurrentSelection(SOURCE_ACTION_DELSEL);
    const QPoint at = GetCaretPosition();
    int endLine = 0;
    int endChar = 0;
    if (m_pTextBuffer->InsertText(this, at.y(), at.x(), "\t", endLine, endChar, SOURCE_ACTION_TYPING))
        MoveCaretTo(QPoint(endChar, endLine));
}

void VornaSourceEditView::OnEditUntab()
{
    if (!IsEditable())
        return;
    const bool block = ChangeBlockLines([this](int line) {
        // Spaces up to the tab size, or up to and with the first tab.
        const std::string_view text = GetLine(line);
        int count = 0;
        while (count < static_cast<int>(text.size()) && count < m_nTabSize) {
            if (text[count] == '\t') {
                ++count;
                break;
            }
            if (text[count] != ' ')
                break;
            ++count;
        }
        if (count > 0)
            m_pTextBuffer->DeleteText(this, line, 0, line, count, SOURCE_ACTION_INDENT);
    });
    if (block)
        return;

    const QPoint caret = GetCaretPosition();
    if (caret.x() == 0)
        return;
    const int column = ColumnOfChar(caret.y(), caret.x());
    int target = (column / m_nTabSize) * m_nTabSize;
    if (target == column)
        target -= m_nTabSize;
    const std::string_view line = GetLine(caret.y());
    int pos = 0;
    for (int current = 0; pos < static_cast<int>(line.size()) && current < target;) {
        if (line[pos] == '\t') {
            current += m_nTabSize - current % m_nTabSize;
            ++pos;
        } else {
            current += SourceChars::CharColumns(line, pos);
            pos += SourceChars::CharLengthAt(line, pos);
        }
    }
    MoveCaretTo(QPoint(pos, caret.y()));
}

void VornaSourceEditView::OnEditSwitchOvrmode()
{
    m_bOvrMode = !m_bOvrMode;
}

bool VornaSourceEditView::ReplaceSelection(std::string_view text)
{
    if (!HasSelection() || !IsEditable())
        return false;
    DeleteCurrentSelection(SOURCE_ACTION_DELSEL);
    const QPoint start = GetCaretPosition();
    int endLine = 0;
    int endChar = 0;
    m_pTextBuffer->InsertText(this, start.y(), start.x(), text, endLine, endChar, SOURCE_ACTION_REPLACE);
    const QPoint end(endChar, endLine);
    SetAnchor(end);
    SetCaretPosition(end);
    SetSelection(start, end);
    ScrollCaretIntoView(end);
    return true;
}

bool VornaSourceEditView::DropText(QPoint pos, std::string_view text)
{
    if (!IsEditable())
        return false;
    if (IsDraggingText() && IsPointSelected(pos)) {
        MoveCaretTo(pos);
        return false;
    }
    int endLine = 0;
    int endChar = 0;
    if (!m_pTextBuffer->InsertText(this, pos.y(), pos.x(), ToSourceLineBreaks(text), endLine, endChar,
                                   SOURCE_ACTION_DRAGDROP))
        return false;
    const QPoint end(endChar, endLine);
    SetAnchor(pos);
    SetCaretPosition(end);
    SetSelection(pos, end);
    ScrollCaretIntoView(end);
    return true;
}

bool VornaSourceEditView::OnDragSourceDone(int dropEffect)
{
    if (IsDraggingText() && dropEffect == DROPEFFECT_MOVE && m_pTextBuffer) {
        const QPoint begin = GetDraggedTextBegin();
        const QPoint end = GetDraggedTextEnd();
        return m_pTextBuffer->DeleteText(this, begin.y(), begin.x(), end.y(), end.x(), SOURCE_ACTION_DRAGDROP);
    }
    return IsDraggingText();
}

void VornaSourceEditView::OnEditReplace()
{
    if (!IsEditable())
        return;
    CEditReplaceDlg dialog(this);
    EditReplaceModel& model = dialog.Model();
    model.LoadProfile();
    if (HasSelection()) {
        QPoint start;
        QPoint end;
        GetSelection(start, end);
        SetReplaceTracking(true, start, end);
        model.m_bEnableScopeSelection = true;
        model.m_ptSearchStart = start;
        model.m_nScope = 0;
        model.m_ptBlockBegin = start;
        model.m_ptBlockEnd = end;
    } else {
        model.m_bEnableScopeSelection = false;
        model.m_ptSearchStart = GetCaretPosition();
        model.m_nScope = 1;
    }
    SetShowInactiveSelection(true);
    dialog.Run();
    SetShowInactiveSelection(false);
    if (m_bSelectionPushed) {
        SetSelection(m_ptSavedSelStart, m_ptSavedSelEnd);
        SetReplaceTracking(false);
    }
    model.SaveProfile();
}

void VornaSourceEditView::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Backspace:
        OnEditDeleteBack();
        return;
    case Qt::Key_Delete:
        OnEditDelete();
        return;
    case Qt::Key_Tab:
        if (modifiers == Qt::NoModifier) {
            OnEditTab();
            return;
        }
        break;
    case Qt::Key_Backtab:
        OnEditUntab();
        return;
    case Qt::Key_Insert:
        if (modifiers == Qt::NoModifier) {
            OnEditSwitchOvrmode();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnChar("\r");
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        const std::string bytes = text.toStdString();
        for (size_t i = 0; i < bytes.size();) {
            const int length = std::max(1, SourceChars::CharLengthAt(bytes, static_cast<int>(i)));
            OnChar(std::string_view(bytes).substr(i, static_cast<size_t>(length)));
            i += static_cast<size_t>(length);
        }
        return;
    }
    VornaSourceTextView::keyPressEvent(event);
}

bool VornaSourceEditView::focusNextPrevChild(bool)
{
    return false; // Tab and Shift+Tab indent
}

void VornaSourceEditView::contextMenuEvent(QContextMenuEvent* event)
{
    static const struct
    {
        int command;
        unsigned int text;
    } kItems[] = {
        {ID_EDIT_COPY, IDS_SOURCE_MENU_COPY},
        {ID_EDIT_CUT, IDS_SOURCE_MENU_CUT},
        {ID_EDIT_PASTE, IDS_SOURCE_MENU_PASTE},
        {ID_EDIT_DELETE, IDS_SOURCE_MENU_DELETE},
    };
    QMenu menu(this);
    for (const auto& item : kItems) {
        const int command = item.command;
        QAction* action = menu.addAction(LoadResString(item.text));
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    }
    menu.exec(event->globalPos());
}

void VornaSourceEditView::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->preeditString().isEmpty() && !m_bImeComposing) {
        HideTextCaret();
        m_bImeComposing = true;
    }
    if (!event->commitString().isEmpty())
        OnImeResult(event->commitString().toStdString());
    if (m_strComposition != event->preeditString()) {
        m_strComposition = event->preeditString();
        InvalidateLineRange(GetCaretPosition().y(), GetCaretPosition().y());
    }
    if (event->preeditString().isEmpty() && m_bImeComposing) {
        ShowTextCaret();
        m_bImeComposing = false;
    }
    if (event->preeditString().toUtf8().size() >= 126)
        QGuiApplication::inputMethod()->commit();
    event->accept();
}

QVariant VornaSourceEditView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    auto* self = const_cast<VornaSourceEditView*>(this);
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle: {
        QPoint start;
        QPoint end;
        self->GetSelection(start, end);
        const QPoint pos = m_bOvrMode || start == end ? GetCaretPosition() : start;
        const QPoint point = viewport()->mapTo(self, self->TextPosToPoint(pos));
        return QRect(point, QSize(2, self->GetLineHeight()));
    }
    case Qt::ImFont:
        return font();
    default:
        return VornaSourceTextView::inputMethodQuery(query);
    }
}

void VornaSourceEditView::ShowDropIndicator(QPoint point)
{
    if (!m_bDropPosVisible) {
        HideTextCaret();
        m_ptSavedCaretPos = GetCaretPosition();
        m_bDropPosVisible = true;
    }
    const QPoint pos = ClickToTextPos(point);
    if (pos != m_ptDropPos || !m_bDropPosVisible) {
        InvalidateLineRange(m_ptDropPos.y(), m_ptDropPos.y());
        InvalidateLineRange(pos.y(), pos.y());
    }
    m_ptDropPos = pos;
}

void VornaSourceEditView::HideDropIndicator()
{
    if (!m_bDropPosVisible)
        return;
    m_bDropPosVisible = false;
    InvalidateLineRange(m_ptDropPos.y(), m_ptDropPos.y());
    SetCaretPosition(m_ptSavedCaretPos);
    ShowTextCaret();
}

void VornaSourceEditView::PaintOverlay(QPainter& painter)
{
    const int lineHeight = GetLineHeight();
    const int cw = GetCharWidth();
    const QColor text = platform::toQColor(GetColorByIndex(COLORINDEX_NORMALTEXT));
    if (m_bDropPosVisible) {
        const QPoint at = TextPosToPoint(m_ptDropPos);
        if (at.x() >= GetMarginWidth())
            painter.fillRect(QRect(at.x(), at.y(), 2, lineHeight), text);
    }
    if (m_strComposition.isEmpty())
        return;
    // The text being composed stands at the caret, underlined, each
    // character in its cells.
    const QPoint at = TextPosToPoint(GetCaretPosition());
    const std::string bytes = m_strComposition.toStdString();
    const QFont font = GetTextFont(false, false);
    const int ascent = QFontMetrics(font).ascent();
    painter.save();
    painter.setClipRect(QRect(GetMarginWidth(), 0, viewport()->width(), viewport()->height()));
    int column = 0;
    for (int i = 0; i < static_cast<int>(bytes.size());) {
        const int length = std::max(1, SourceChars::CharLengthAt(bytes, i));
        const int width = std::max(1, SourceChars::CharColumns(bytes, i));
        column += width;
        i += length;
    }
    const QRect area(at.x(), at.y(), column * cw, lineHeight);
    painter.fillRect(area, platform::toQColor(GetColorByIndex(COLORINDEX_BKGND)));
    painter.setFont(font);
    painter.setPen(text);
    column = 0;
    for (int i = 0; i < static_cast<int>(bytes.size());) {
        const int length = std::max(1, SourceChars::CharLengthAt(bytes, i));
        const int width = std::max(1, SourceChars::CharColumns(bytes, i));
        painter.drawText(QPoint(at.x() + column * cw, at.y() + ascent), QString::fromUtf8(bytes.data() + i, length));
        column += width;
        i += length;
    }
    painter.drawLine(area.left(), area.bottom(), area.right(), area.bottom());
    painter.restore();
}

bool VornaSourceEditView::AcceptDrag(QDropEvent* event, bool needEditable)
{
    if (!event->mimeData()->hasText() || (needEditable && !IsEditable())) {
        HideDropIndicator();
        event->ignore();
        return false;
    }
    ShowDropIndicator(event->position().toPoint());
    event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
    return true;
}

void VornaSourceEditView::dragEnterEvent(QDragEnterEvent* event)
{
    AcceptDrag(event, false);
}

void VornaSourceEditView::dragMoveEvent(QDragMoveEvent* event)
{
    AcceptDrag(event, true);
}

void VornaSourceEditView::dragLeaveEvent(QDragLeaveEvent* event)
{
    HideDropIndicator();
    event->accept();
}

void VornaSourceEditView::dropEvent(QDropEvent* event)
{
    HideDropIndicator();
    if (!IsEditable() || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    const QPoint pos = ClickToTextPos(event->position().toPoint());
    if (!DropText(pos, event->mimeData()->text().toStdString())) {
        event->ignore();
        return;
    }
    event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}
