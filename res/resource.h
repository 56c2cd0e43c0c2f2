#pragma once

// Command, control, dialog, menu and string ids of the program.
