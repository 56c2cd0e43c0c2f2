#pragma once

// Command, control, dialog and string ids of frames and framesets.
