#pragma once

// Command, control, dialog, menu and string ids of the program.

#define IDS_DISPLAY_MY_COMPUTER 41551
#define IDS_NO_TITLE 41603
#define IDS_APPLY_TO_ALL_DOCUMENTS 41697
#define IDS_DISPLAY_DESKTOP 41773
#define IDS_DISPLAY_MY_DOCUMENTS 41774
#define IDS_APPLY_TO_ALL_WEB_DOCUMENTS 57677
#define IDS_MESSAGE_BOX_CAPTION 57791
