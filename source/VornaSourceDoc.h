#pragma once

#include "source/VornaSourceTextBuffer.h"

// The private document behind the source view of one page: it owns the page's
// source text buffer and carries the buffer's changes to its modified flag.
// It is never opened from or saved to a file; the page's child frame loads
// the buffer and takes its text back.
class VornaSourceDoc
{
public:
    // The document's buffer: every change of the text sets the document's
    // modified flag; undoing does not clear it.
    class CSampleTextBuffer : public VornaSourceTextBuffer
    {
    public:
        explicit CSampleTextBuffer(VornaSourceDoc* owner) : m_pOwnerDoc(owner) {}
        ~CSampleTextBuffer() override = default;
        void SetModified(bool modified = true) override;

    private:
        VornaSourceDoc* m_pOwnerDoc;
    };

    VornaSourceDoc();
    virtual ~VornaSourceDoc();
    VornaSourceDoc(const VornaSourceDoc&) = delete;
    VornaSourceDoc& operator=(const VornaSourceDoc&) = delete;

    virtual bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    CSampleTextBuffer m_xTextBuffer;

private:
    bool m_bModified = false;
};
