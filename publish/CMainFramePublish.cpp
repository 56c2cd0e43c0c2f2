#include "app/CMainFrame.h"

#include "publish/CVornaFtp.h"

CVornaFtp& CMainFrame::GetFtp()
{
    if (!m_pFtp)
        m_pFtp = std::make_unique<CVornaFtp>();
    return *m_pFtp;
}
