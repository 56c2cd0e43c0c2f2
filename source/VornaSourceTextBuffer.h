#pragma once

#include <QPoint>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CUpdateContext;
class SourceBufferView;

// The HTML text of one page while it is shown as source: an array of lines
// (UTF-8 bytes without their line break), an undo history grouped into steps,
// the line-ending mode found when the text was loaded, line marks, and the
// views that show it. Every change goes through InsertText and DeleteText
// with an action code and is told to the attached views. The buffer never
// writes a file; its owner takes the text with GetText.
//
// Points are (character, line): x a byte index within the line, y the line.
// Positions outside the text are clamped to it.
class VornaSourceTextBuffer
{
public:
    // Update flags passed to SourceBufferView::OnBufferChanged.
    enum : uint32_t {
        ViewUpdateWidth = 0x0001,     // line contents changed
        ViewUpdateHeight = 0x0002,    // lines inserted or removed
        ViewUpdateOneLine = 0x0100,   // only the given line
        ViewUpdateFlagsOnly = 0x0200, // only the line's flags
        ViewUpdateReset = 0x1000,     // the whole text was replaced
    };

    // The plain bookmark; other single bits are unique marks kept on at most
    // one line by SetLineFlag.
    static constexpr uint32_t LineFlagBookmark = 0x80000;

    // Line-ending modes and their separators: 0 CR LF, 1 LF CR, 2 LF.
    enum LineEndingMode { CrLf = 0, LfCr = 1, Lf = 2 };

    // Undo record flags.
    static constexpr uint32_t UndoInsert = 0x0001;
    static constexpr uint32_t UndoBeginGroup = 0x0100;

    static constexpr int DefaultUndoLimit = 4096;

    struct LineInfo
    {
        std::string text;
        uint32_t flags = 0;
    };

    struct UndoRecord
    {
        uint32_t flags = 0;
        QPoint start;
        QPoint end;
        int action = 0;
        std::string inserted;            // an insertion's text as the caller gave it
        std::vector<std::string> pieces; // a deletion's exact line pieces

        bool IsInsert() const { return (flags & UndoInsert) != 0; }
        // The step's text: an insertion as given, a deletion's lines joined by CR LF.
        std::string Text() const;
    };

    VornaSourceTextBuffer();
    virtual ~VornaSourceTextBuffer();
    VornaSourceTextBuffer(const VornaSourceTextBuffer&) = delete;
    VornaSourceTextBuffer& operator=(const VornaSourceTextBuffer&) = delete;

    // One empty line in the given mode, fresh undo history.
    bool InitEmpty(int mode = CrLf);
    // Removes all lines and undo records.
    void FreeAll();
    // Replaces the text with the file's, decoded from the given charset (the
    // file's bytes are taken as UTF-8 when none is given; an unknown name is
    // detected from the bytes). Mode -1 chooses the line-ending mode from the
    // first line break. A file that cannot be read leaves one empty, writable
    // line and returns false.
    bool LoadFromFile(const QString& path, const QString& charset = QString(), int mode = -1);
    // The same from bytes already in memory (UTF-8).
    void LoadFromBytes(std::string_view bytes, int mode = -1);

    // The text of a range; lines joined by the separator (CR LF when none).
    void GetText(int startLine, int startChar, int endLine, int endChar, std::string& text,
                 const char* separator = nullptr) const;
    // The whole text joined by CR LF.
    std::string GetAllText() const;

    int GetLineCount() const { return static_cast<int>(m_aLines.size()); }
    int GetLineLength(int line) const;
    const char* GetLineText(int line) const;
    std::string_view GetLine(int line) const;
    uint32_t GetLineFlags(int line) const;

    bool IsInitialised() const { return m_bInit; }
    bool IsReadOnly() const { return m_bReadOnly; }
    int GetLineEndingMode() const { return m_nCRLFMode; }

    // True while the text differs from the loaded one as far as the undo
    // history can tell: the undo position is not the saved position, or the
    // saved state was dropped from the history.
    bool IsModified() const;
    bool CanUndo() const { return m_nUndoPosition > 0; }
    bool CanRedo() const { return m_nUndoPosition < static_cast<int>(m_aUndoBuf.size()); }

    bool InsertText(SourceBufferView* source, int line, int pos, std::string_view text, int& endLine, int& endChar,
                    int action = 0);
    bool DeleteText(SourceBufferView* source, int startLine, int startChar, int endLine, int endChar, int action = 0);

    bool Undo(QPoint& caret);
    bool Redo(QPoint& caret);

    void StartUndoGroup(bool merge = false);
    void EndUndoGroup(SourceBufferView* source);

    void AttachView(SourceBufferView* view);
    void DetachView(SourceBufferView* view);

    int GetLineWithFlag(uint32_t flag) const;
    void SetLineFlag(int line, uint32_t flag, bool set, bool removeFromPrevious = true);
    int FindNextMarkedLine(int line) const;
    int FindPrevMarkedLine(int line) const;

    virtual void SetModified(bool modified = true);
    bool GetModifiedField() const { return m_bModified; }

    // The undo history, for inspection.
    const std::vector<UndoRecord>& GetUndoRecords() const { return m_aUndoBuf; }
    int GetUndoPosition() const { return m_nUndoPosition; }
    void SetUndoLimit(int limit) { m_nUndoBufSize = limit > 1 ? limit : 1; }

protected:
    bool InsertTextRaw(SourceBufferView* source, int line, int pos, std::string_view text, int& endLine, int& endChar);
    bool InsertPiecesRaw(SourceBufferView* source, int line, int pos, const std::vector<std::string>& pieces,
                         int& endLine, int& endChar);
    bool DeleteTextRaw(SourceBufferView* source, int startLine, int startChar, int endLine, int endChar);
    void RecordUndoStep(bool insert, QPoint start, QPoint end, std::string inserted, std::vector<std::string> pieces,
                        int action);
    void NotifyViews(SourceBufferView* source, CUpdateContext* context, uint32_t flags, int line);

private:
    QPoint ClampPoint(int line, int pos) const;
    void CollectPieces(QPoint start, QPoint end, std::vector<std::string>& pieces) const;
    void UpdateModifiedAfterUndo();
    void ResetHistory();

    bool m_bInit = false;
    bool m_bReadOnly = false;
    bool m_bModified = false;
    int m_nCRLFMode = CrLf;
    int m_nUndoBufSize = DefaultUndoLimit;
    std::vector<LineInfo> m_aLines;
    std::vector<UndoRecord> m_aUndoBuf;
    int m_nUndoPosition = 0;
    int m_nSyncPosition = 0; // -1 once the saved state left the history
    bool m_bUndoGroup = false;
    bool m_bUndoBeginGroup = false;
    std::vector<SourceBufferView*> m_lpViews;
};

// Opens an undo group on the buffer (none: nothing) for its lifetime: the
// changes made meanwhile undo and redo as one step. Closing tells `source`
// (may be null) of the group's last edit, as EndUndoGroup does.
class SourceUndoGroup
{
public:
    SourceUndoGroup(VornaSourceTextBuffer* buffer, SourceBufferView* source, bool merge = false)
        : m_buffer(buffer), m_source(source)
    {
        if (m_buffer)
            m_buffer->StartUndoGroup(merge);
    }
    ~SourceUndoGroup()
    {
        if (m_buffer)
            m_buffer->EndUndoGroup(m_source);
    }
    SourceUndoGroup(const SourceUndoGroup&) = delete;
    SourceUndoGroup& operator=(const SourceUndoGroup&) = delete;

private:
    VornaSourceTextBuffer* m_buffer;
    SourceBufferView* m_source;
};

// Splits text at line breaks as typing and pasting see them: a CR, or a CR
// followed by LF, ends a piece; an LF alone is an ordinary character.
std::vector<std::string> SplitSourceTextPieces(std::string_view text);

// Text from the clipboard, a drop or an input method (LF line ends) made fit
// for InsertText: every LF not preceded by CR becomes CR LF.
std::string ToSourceLineBreaks(std::string_view text);
