#pragma once

// Command, control, dialog and string ids of webs and the site manager.
