#pragma once

#include <QPoint>
#include <QString>

#include <cstdint>
#include <string>

// What the replace dialog does to the source view: search, highlight a match,
// replace the highlighted match, and tell that nothing was found.
class EditReplaceTarget
{
public:
    virtual ~EditReplaceTarget() = default;
    virtual bool FindInText(const std::string& what, QPoint start, uint32_t flags, bool wrap, QPoint& found) = 0;
    virtual bool FindInRange(const std::string& what, QPoint start, QPoint blockStart, QPoint blockEnd, uint32_t flags,
                             bool wrap, QPoint& found) = 0;
    virtual void SelectFoundText(QPoint start, int length) = 0;
    virtual bool ReplaceSelection(const std::string& text) = 0;
    virtual void ReportNotFound(const QString& findWhat) = 0;
};

// The values and rules of the replace dialog: find next, replace and replace
// all, over the whole text or over the selection that existed when the dialog
// was opened, whose ends follow the replacements made on their line.
class EditReplaceModel
{
public:
    explicit EditReplaceModel(EditReplaceTarget* target) : m_pTarget(target) {}

    // The remembered options and texts of the user's profile.
    void LoadProfile();
    void SaveProfile() const;

    // Find next is offered only with a text to find; so are Replace and
    // Replace all, which could otherwise never end.
    bool CanFindNext() const { return !m_sText.isEmpty(); }
    bool CanReplace() const { return !m_sText.isEmpty(); }

    void OnFindNext();
    void OnReplace();
    void OnReplaceAll();

    bool m_bFound = false;               // a match is highlighted and may be replaced
    QPoint m_ptCurrentPos;               // where the last match starts, or the next search begins
    bool m_bEnableScopeSelection = true; // a selection existed when the dialog opened
    QPoint m_ptSearchStart;              // where the first search begins
    QPoint m_ptBlockBegin;
    QPoint m_ptBlockEnd;
    bool m_bMatchCase = false;
    bool m_bWholeWord = false;
    QString m_sText;    // find what
    QString m_sNewText; // replace with
    int m_nScope = -1;  // 0 the selection, 1 the whole text

private:
    void DoSearch();
    bool DoReplaceOne();

    EditReplaceTarget* m_pTarget;
};

// The profile key of the replace options (HKEY_CURRENT_USER).
extern const char* const kEditReplaceProfileKey;
