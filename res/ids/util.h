#pragma once

// Command, control, dialog and string ids of the shared helpers and DOM helpers.

#define IDS_HYPERLINK_NEEDS_FILE_NAME 41460
#define IDS_DISPLAY_MY_COMPUTER 41551
#define IDS_NO_TITLE 41603
#define IDS_DISPLAY_DESKTOP 41773
#define IDS_DISPLAY_MY_DOCUMENTS 41774
#define IDS_APPLY_TO_ALL_WEB_DOCUMENTS 57677
