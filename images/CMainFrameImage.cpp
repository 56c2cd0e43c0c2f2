#include "app/CMainFrame.h"

#include "images/VornaDialogOpenImage.h"
#include "images/VornaDlgImageBrowser.h"

void CMainFrame::RefreshImageWindows(bool activation)
{
    if (m_pDlgOpenImage && m_pDlgOpenImage->isVisible())
        m_pDlgOpenImage->RefreshFolder(activation);
    if (m_pImageBrowser && m_pImageBrowser->isVisible())
        m_pImageBrowser->RefreshFolder(activation);
}
