#pragma once

// Command, control, dialog and string ids of the image browser, banner maker and scanner.

#define IDS_MSGBOX_CANCEL 65102
