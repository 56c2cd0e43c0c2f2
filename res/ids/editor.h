#pragma once

// Command, control, dialog and string ids of the page event sink, object editing, image maps and painters.

#define IDS_DELETE_IMAGE_MAP_AREA 57696
#define IDS_CONTENT_NESTED_TOO_DEEP 65160
