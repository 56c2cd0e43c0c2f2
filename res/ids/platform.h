#pragma once

// Command, control, dialog and string ids of the framework services.
