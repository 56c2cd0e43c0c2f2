#include "source/VornaSourceTextBuffer.h"

#include "platform/CodePages.h"
#include "source/CUpdateContext.h"
#include "source/SourceBufferView.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {

const char* const kSourceSeparators[] = {"\r\n", "\n\r", "\n"};

bool isSingleBit(uint32_t value)
{
    return value != 0 && (value & (value - 1)) == 0;
}

int chooseLineEndingMode(std::string_view data)
{
    const size_t lf = data.find('\n');
    if (lf == std::string_view::npos)
        return VornaSourceTextBuffer::CrLf;
    if (lf > 0 && data[lf - 1] == '\r')
        return VornaSourceTextBuffer::CrLf;
    if (lf + 1 < data.size() && data[lf + 1] == '\r')
        return VornaSourceTextBuffer::LfCr;
    return VornaSourceTextBuffer::Lf;
}

} // namespace

std::vector<std::string> SplitSourceTextPieces(std::string_view text)
{
    std::vector<std::string> pieces;
    size_t begin = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            continue;
        pieces.emplace_back(text.substr(begin, i - begin));
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        begin = i + 1;
    }
    pieces.emplace_back(text.substr(begin));
    return pieces;
}

std::string ToSourceLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

std::string VornaSourceTextBuffer::UndoRecord::Text() const
{
    if (IsInsert())
        return inserted;
    std::string text;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += pieces[i];
    }
    return text;
}

VornaSourceTextBuffer::VornaSourceTextBuffer() = default;

VornaSourceTextBuffer::~VornaSourceTextBuffer()
{
    FreeAll();
}

void VornaSourceTextBuffer::ResetHistory()
{
    m_aUndoBuf.clear();
    m_nUndoPosition = 0;
    m_nSyncPosition = 0;
    m_bUndoGroup = false;
    m_bUndoBeginGroup = false;
    m_nUndoBufSize = DefaultUndoLimit;
}

bool VornaSourceTextBuffer::InitEmpty(int mode)
{
    m_aLines.clear();
    m_aLines.emplace_back();
    m_bInit = true;
    m_bReadOnly = false;
    m_bModified = false;
    m_nCRLFMode = (mode >= CrLf && mode <= Lf) ? mode : CrLf;
    ResetHistory();
    NotifyViews(nullptr, nullptr, ViewUpdateReset, -1);
    return true;
}

void VornaSourceTextBuffer::FreeAll()
{
    m_aLines.clear();
    // Without records nothing can be undone or redone until the next load.
    m_aUndoBuf.clear();
    m_nUndoPosition = 0;
    m_nSyncPosition = 0;
    m_bUndoGroup = false;
    m_bUndoBeginGroup = false;
    m_bInit = false;
}

void VornaSourceTextBuffer::LoadFromBytes(std::string_view data, int mode)
{
    if (mode < CrLf || mode > Lf)
        mode = chooseLineEndingMode(data);
    m_nCRLFMode = mode;
    const std::string_view separator = kSourceSeparators[mode];

    m_aLines.clear();
    m_aLines.reserve(4096);
    size_t begin = 0;
    for (;;) {
        // A plain substring search: every byte is tested again as the start
        // of a separator, so CR CR LF ends a line after its first CR.
        const size_t found = data.find(separator, begin);
        if (found == std::string_view::npos)
            break;
        m_aLines.push_back(LineInfo{std::string(data.substr(begin, found - begin)), 0});
        begin = found + separator.size();
    }
    m_aLines.push_back(LineInfo{std::string(data.substr(begin)), 0});

    m_bInit = true;
    m_bModified = false;
    ResetHistory();
    NotifyViews(nullptr, nullptr, ViewUpdateReset, -1);
}

bool VornaSourceTextBuffer::LoadFromFile(const QString& path, const QString& charset, int mode)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        InitEmpty(mode >= CrLf && mode <= Lf ? mode : CrLf);
        return false;
    }
    const QByteArray raw = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        InitEmpty(mode >= CrLf && mode <= Lf ? mode : CrLf);
        return false;
    }
    file.close();

    QString code;
    if (!charset.isEmpty()) {
        code = platform::canonicalCharset(charset);
        if (code.isEmpty())
            code = platform::detectCharset(raw);
    }
    if (code.isEmpty() || code.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0) {
        LoadFromBytes(std::string_view(raw.constData(), static_cast<size_t>(raw.size())), mode);
    } else {
        const QByteArray utf8 = platform::decodeText(raw, code).toUtf8();
        LoadFromBytes(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())), mode);
    }
    // The read-only attribute of the file: its owner may not write it.
    m_bReadOnly = !(QFileInfo(path).permissions() & QFileDevice::WriteOwner);
    return true;
}

QPoint VornaSourceTextBuffer::ClampPoint(int line, int pos) const
{
    if (m_aLines.empty())
        return QPoint(0, 0);
    line = std::clamp(line, 0, GetLineCount() - 1);
    pos = std::clamp(pos, 0, GetLineLength(line));
    return QPoint(pos, line);
}

int VornaSourceTextBuffer::GetLineLength(int line) const
{
    if (line < 0 || line >= GetLineCount())
        return 0;
    return static_cast<int>(m_aLines[line].text.size());
}

const char* VornaSourceTextBuffer::GetLineText(int line) const
{
    if (line < 0 || line >= GetLineCount())
        return nullptr;
    return m_aLines[line].text.data();
}

std::string_view VornaSourceTextBuffer::GetLine(int line) const
{
    if (line < 0 || line >= GetLineCount())
        return {};
    return m_aLines[line].text;
}

uint32_t VornaSourceTextBuffer::GetLineFlags(int line) const
{
    if (line < 0 || line >= GetLineCount())
        return 0;
    return m_aLines[line].flags;
}

bool VornaSourceTextBuffer::IsModified() const
{
    return m_nUndoPosition != m_nSyncPosition;
}

void VornaSourceTextBuffer::GetText(int startLine, int startChar, int endLine, int endChar, std::string& text,
                                    const char* separator) const
{
    text.clear();
    if (m_aLines.empty())
        return;
    const std::string_view sep = separator ? std::string_view(separator) : std::string_view("\r\n");
    QPoint start = ClampPoint(startLine, startChar);
    QPoint end = ClampPoint(endLine, endChar);
    if (start.y() >= end.y()) {
        const std::string& line = m_aLines[start.y()].text;
        if (end.y() == start.y() && end.x() > start.x())
            text.assign(line, start.x(), end.x() - start.x());
        return;
    }
    size_t size = 0;
    for (int i = start.y(); i <= end.y(); ++i)
        size += m_aLines[i].text.size() + sep.size();
    text.reserve(size);
    text.append(m_aLines[start.y()].text, start.x());
    for (int i = start.y() + 1; i < end.y(); ++i) {
        text += sep;
        text += m_aLines[i].text;
    }
    text += sep;
    text.append(m_aLines[end.y()].text, 0, end.x());
}

std::string VornaSourceTextBuffer::GetAllText() const
{
    std::string text;
    if (!m_aLines.empty())
        GetText(0, 0, GetLineCount() - 1, GetLineLength(GetLineCount() - 1), text);
    return text;
}

bool VornaSourceTextBuffer::InsertTextRaw(SourceBufferView* source, int line, int pos, std::string_view text,
                                          int& endLine, int& endChar)
{
    return InsertPiecesRaw(source, line, pos, SplitSourceTextPieces(text), endLine, endChar);
}

bool VornaSourceTextBuffer::InsertPiecesRaw(SourceBufferView* source, int line, int pos,
                                            const std::vector<std::string>& pieces, int& endLine, int& endChar)
{
    if (m_bReadOnly || m_aLines.empty() || pieces.empty())
        return false;
    const QPoint at = ClampPoint(line, pos);
    std::string& first = m_aLines[at.y()].text;
    std::string tail = first.substr(at.x());
    first.erase(at.x());
    first += pieces.front();
    if (pieces.size() > 1) {
        std::vector<LineInfo> added;
        added.reserve(pieces.size() - 1);
        for (size_t i = 1; i < pieces.size(); ++i)
            added.push_back(LineInfo{pieces[i], 0});
        m_aLines.insert(m_aLines.begin() + at.y() + 1, std::make_move_iterator(added.begin()),
                        std::make_move_iterator(added.end()));
    }
    endLine = at.y() + static_cast<int>(pieces.size()) - 1;
    endChar = GetLineLength(endLine);
    m_aLines[endLine].text += tail;

    CInsertContext context(at, QPoint(endChar, endLine));
    const uint32_t flags =
        pieces.size() > 1 ? (ViewUpdateWidth | ViewUpdateHeight) : (ViewUpdateWidth | ViewUpdateOneLine);
    NotifyViews(source, &context, flags, at.y());
    if (!m_bModified)
        SetModified(true);
    return true;
}

bool VornaSourceTextBuffer::DeleteTextRaw(SourceBufferView* source, int startLine, int startChar, int endLine,
                                          int endChar)
{
    if (m_bReadOnly || m_aLines.empty())
        return false;
    QPoint start = ClampPoint(startLine, startChar);
    QPoint end = ClampPoint(endLine, endChar);
    if (end.y() < start.y() || (end.y() == start.y() && end.x() < start.x()))
        std::swap(start, end);
    CDeleteContext context(start, end);
    if (start.y() != end.y()) {
        std::string kept = m_aLines[end.y()].text.substr(end.x());
        m_aLines.erase(m_aLines.begin() + start.y() + 1, m_aLines.begin() + end.y() + 1);
        std::string& first = m_aLines[start.y()].text;
        first.erase(start.x());
        first += kept;
        NotifyViews(source, &context, ViewUpdateWidth | ViewUpdateHeight, start.y());
    } else {
        m_aLines[start.y()].text.erase(start.x(), end.x() - start.x());
        NotifyViews(source, &context, ViewUpdateWidth | ViewUpdateOneLine, start.y());
    }
    if (!m_bModified)
        SetModified(true);
    return true;
}

void VornaSourceTextBuffer::CollectPieces(QPoint start, QPoint end, std::vector<std::string>& pieces) const
{
    pieces.clear();
    if (start.y() == end.y()) {
        pieces.push_back(m_aLines[start.y()].text.substr(start.x(), end.x() - start.x()));
        return;
    }
    pieces.push_back(m_aLines[start.y()].text.substr(start.x()));
    for (int i = start.y() + 1; i < end.y(); ++i)
        pieces.push_back(m_aLines[i].text);
    pieces.push_back(m_aLines[end.y()].text.substr(0, end.x()));
}

bool VornaSourceTextBuffer::InsertText(SourceBufferView* source, int line, int pos, std::string_view text, int& endLine,
                                       int& endChar, int action)
{
    const QPoint at = ClampPoint(line, pos);
    if (!InsertTextRaw(source, at.y(), at.x(), text, endLine, endChar))
        return false;
    // A change outside a group is a step of its own.
    std::optional<SourceUndoGroup> ownGroup;
    if (!m_bUndoGroup)
        ownGroup.emplace(this, source);
    RecordUndoStep(true, at, QPoint(endChar, endLine), std::string(text), {}, action);
    return true;
}

bool VornaSourceTextBuffer::DeleteText(SourceBufferView* source, int startLine, int startChar, int endLine, int endChar,
                                       int action)
{
    if (m_bReadOnly || m_aLines.empty())
        return false;
    QPoint start = ClampPoint(startLine, startChar);
    QPoint end = ClampPoint(endLine, endChar);
    if (end.y() < start.y() || (end.y() == start.y() && end.x() < start.x()))
        std::swap(start, end);
    std::vector<std::string> pieces;
    CollectPieces(start, end, pieces);
    if (!DeleteTextRaw(source, start.y(), start.x(), end.y(), end.x()))
        return false;
    // A change outside a group is a step of its own.
    std::optional<SourceUndoGroup> ownGroup;
    if (!m_bUndoGroup)
        ownGroup.emplace(this, source);
    RecordUndoStep(false, start, end, std::string(), std::move(pieces), action);
    return true;
}

void VornaSourceTextBuffer::StartUndoGroup(bool merge)
{
    m_bUndoGroup = true;
    m_bUndoBeginGroup = !(merge && m_nUndoPosition > 0);
}

void VornaSourceTextBuffer::EndUndoGroup(SourceBufferView* source)
{
    if (source && m_nUndoPosition >= 1) {
        m_bUndoBeginGroup = true;
        const UndoRecord& last = m_aUndoBuf[m_nUndoPosition - 1];
        const int action = last.action;
        const std::string text = last.Text();
        source->OnEditAction(action, text);
    }
    m_bUndoGroup = false;
}

void VornaSourceTextBuffer::RecordUndoStep(bool insert, QPoint start, QPoint end, std::string inserted,
                                           std::vector<std::string> pieces, int action)
{
    if (m_nUndoPosition < static_cast<int>(m_aUndoBuf.size())) {
        m_aUndoBuf.erase(m_aUndoBuf.begin() + m_nUndoPosition, m_aUndoBuf.end());
        if (m_nSyncPosition > m_nUndoPosition)
            m_nSyncPosition = -1; // the saved state was in the redo history just lost
    }
    size_t drop = 0;
    if (static_cast<int>(m_aUndoBuf.size()) >= m_nUndoBufSize && !m_aUndoBuf.empty()) {
        // Drop the oldest whole group, unless it is the step being recorded:
        // a step larger than the limit stays whole until the next one begins.
        drop = 1;
        while (drop < m_aUndoBuf.size() && !(m_aUndoBuf[drop].flags & UndoBeginGroup))
            ++drop;
        if (drop == m_aUndoBuf.size() && !m_bUndoBeginGroup)
            drop = 0;
    }
    if (drop > 0) {
        m_aUndoBuf.erase(m_aUndoBuf.begin(), m_aUndoBuf.begin() + static_cast<std::ptrdiff_t>(drop));
        m_nUndoPosition -= static_cast<int>(drop);
        if (m_nSyncPosition >= 0) {
            m_nSyncPosition -= static_cast<int>(drop);
            if (m_nSyncPosition < 0)
                m_nSyncPosition = -1; // the saved state can no longer be reached by undoing
        }
    }
    UndoRecord record;
    record.flags = insert ? UndoInsert : 0;
    if (m_bUndoBeginGroup) {
        record.flags |= UndoBeginGroup;
        m_bUndoBeginGroup = false;
    }
    record.start = start;
    record.end = end;
    record.action = action;
    record.inserted = std::move(inserted);
    record.pieces = std::move(pieces);
    m_aUndoBuf.push_back(std::move(record));
    m_nUndoPosition = static_cast<int>(m_aUndoBuf.size());
}

void VornaSourceTextBuffer::UpdateModifiedAfterUndo()
{
    if (m_bModified && m_nUndoPosition == m_nSyncPosition)
        SetModified(false);
    else if (!m_bModified && m_nUndoPosition != m_nSyncPosition)
        SetModified(true);
}

bool VornaSourceTextBuffer::Undo(QPoint& caret)
{
    if (m_nUndoPosition <= 0)
        return false;
    int endLine = 0;
    int endChar = 0;
    for (;;) {
        --m_nUndoPosition;
        const UndoRecord& record = m_aUndoBuf[m_nUndoPosition];
        if (record.IsInsert()) {
            DeleteTextRaw(nullptr, record.start.y(), record.start.x(), record.end.y(), record.end.x());
            caret = record.start;
        } else {
            InsertPiecesRaw(nullptr, record.start.y(), record.start.x(), record.pieces, endLine, endChar);
            caret = record.end;
        }
        if ((record.flags & UndoBeginGroup) || m_nUndoPosition == 0)
            break;
    }
    UpdateModifiedAfterUndo();
    return true;
}

bool VornaSourceTextBuffer::Redo(QPoint& caret)
{
    const int count = static_cast<int>(m_aUndoBuf.size());
    if (m_nUndoPosition >= count)
        return false;
    int endLine = 0;
    int endChar = 0;
    for (;;) {
        const UndoRecord& record = m_aUndoBuf[m_nUndoPosition];
        if (record.IsInsert()) {
            InsertTextRaw(nullptr, record.start.y(), record.start.x(), record.inserted, endLine, endChar);
            caret = record.end;
        } else {
            DeleteTextRaw(nullptr, record.start.y(), record.start.x(), record.end.y(), record.end.x());
            caret = record.start;
        }
        ++m_nUndoPosition;
        if (m_nUndoPosition >= count || (m_aUndoBuf[m_nUndoPosition].flags & UndoBeginGroup))
            break;
    }
    UpdateModifiedAfterUndo();
    return true;
}

void VornaSourceTextBuffer::AttachView(SourceBufferView* view)
{
    if (view)
        m_lpViews.push_back(view);
}

void VornaSourceTextBuffer::DetachView(SourceBufferView* view)
{
    const auto it = std::find(m_lpViews.begin(), m_lpViews.end(), view);
    if (it != m_lpViews.end())
        m_lpViews.erase(it);
}

void VornaSourceTextBuffer::NotifyViews(SourceBufferView* source, CUpdateContext* context, uint32_t flags, int line)
{
    // A view may detach while it is told; walk a copy.
    const std::vector<SourceBufferView*> views = m_lpViews;
    for (SourceBufferView* view : views)
        view->OnBufferChanged(source, context, flags, line);
}

int VornaSourceTextBuffer::GetLineWithFlag(uint32_t flag) const
{
    if (!isSingleBit(flag))
        return -1;
    for (int i = 0; i < GetLineCount(); ++i)
        if (m_aLines[i].flags & flag)
            return i;
    return -1;
}

void VornaSourceTextBuffer::SetLineFlag(int line, uint32_t flag, bool set, bool removeFromPrevious)
{
    if (!isSingleBit(flag))
        return;
    if (line == -1) {
        line = GetLineWithFlag(flag);
        if (line == -1)
            return;
        removeFromPrevious = false;
    }
    if (line < 0 || line >= GetLineCount())
        return;
    const uint32_t newFlags = set ? (m_aLines[line].flags | flag) : (m_aLines[line].flags & ~flag);
    if (newFlags == m_aLines[line].flags)
        return;
    if (removeFromPrevious && set) {
        const int previous = GetLineWithFlag(flag);
        if (previous >= 0) {
            m_aLines[previous].flags &= ~flag;
            NotifyViews(nullptr, nullptr, ViewUpdateOneLine | ViewUpdateFlagsOnly, previous);
        }
    }
    m_aLines[line].flags = newFlags;
    NotifyViews(nullptr, nullptr, ViewUpdateOneLine | ViewUpdateFlagsOnly, line);
}

int VornaSourceTextBuffer::FindNextMarkedLine(int line) const
{
    const int count = GetLineCount();
    if (count == 0)
        return -1;
    line = std::clamp(line, 0, count - 1);
    int from = (m_aLines[line].flags & LineFlagBookmark) ? line + 1 : line;
    for (int i = from; i < count; ++i)
        if (m_aLines[i].flags & LineFlagBookmark)
            return i;
    for (int i = 0; i < count; ++i)
        if (m_aLines[i].flags & LineFlagBookmark)
            return i;
    return -1;
}

int VornaSourceTextBuffer::FindPrevMarkedLine(int line) const
{
    const int count = GetLineCount();
    if (count == 0)
        return -1;
    line = std::clamp(line, 0, count - 1);
    int from = (m_aLines[line].flags & LineFlagBookmark) ? line - 1 : line;
    for (int i = from; i >= 0; --i)
        if (m_aLines[i].flags & LineFlagBookmark)
            return i;
    for (int i = count - 1; i >= 0; --i)
        if (m_aLines[i].flags & LineFlagBookmark)
            return i;
    return -1;
}

void VornaSourceTextBuffer::SetModified(bool modified)
{
    m_bModified = modified;
}
