#pragma once

#include "platform/FileFault.h"

#include <QString>

// Why a file could not be read or written, in the user's words: the sentence
// the program puts into its messages of failed loads, saves and copies.
// Empty for FileFault::None.
enum class FileAccess { Read, Write };
QString FileFaultText(platform::FileFault fault, FileAccess access = FileAccess::Write);
