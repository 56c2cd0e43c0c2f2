#include "app/CMainFrame.h"

#include "images/VornaDialogOpenImage.h"

void CMainFrame::RefreshImageWindows(bool activation)
{
    if (m_pDlgOpenImage && m_pDlgOpenImage->isVisible())
        m_pDlgOpenImage->RefreshFolder(activation);
}
