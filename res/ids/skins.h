#pragma once

// Command, control, dialog and string ids of skins.

#define IDD_SKIN 461
#define IDC_SKIN_LIST 1072
#define IDS_SKIN_NOT_CHOSEN 41473
#define IDS_SKIN_CAPTION 61700
#define IDS_SKIN_KINDS 61701
#define IDS_SKIN_OK 61702
#define IDS_SKIN_CANCEL 61703
