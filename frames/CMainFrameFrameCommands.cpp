// The frame commands of the main frame.
#include "app/CMainFrame.h"

void CMainFrame::OnFileNewFrameset() {}
