#pragma once

// Command, control, dialog, menu and string ids of the program, one file per
// subsystem in res/ids/ (the texts of string ids in res/strings/, likewise).

#include "res/ids/platform.h"
#include "res/ids/util.h"
#include "res/ids/controls.h"
#include "res/ids/app.h"
#include "res/ids/editor.h"
#include "res/ids/commands.h"
#include "res/ids/dialogs.h"
#include "res/ids/frames.h"
#include "res/ids/source.h"
#include "res/ids/web.h"
#include "res/ids/publish.h"
#include "res/ids/images.h"
#include "res/ids/effects.h"
#include "res/ids/chrome.h"
#include "res/ids/skins.h"
