#include "source/VornaSourceDoc.h"

void VornaSourceDoc::CSampleTextBuffer::SetModified(bool modified)
{
    // The buffer's own field stays clear, so every change tells the document.
    m_pOwnerDoc->SetModifiedFlag(modified);
}

VornaSourceDoc::VornaSourceDoc() : m_xTextBuffer(this) {}

VornaSourceDoc::~VornaSourceDoc()
{
    m_xTextBuffer.FreeAll();
}
