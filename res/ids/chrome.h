#pragma once

// Command, control, dialog and string ids of menus, toolbars and window hooks.
