#pragma once

#include "platform/Rect.h"

#include <QString>

class CBitmapEx;
class QLabel;

// Shows the skin's background picture of a skinned palette dialog in a picture
// label and tells the dialog how large the picture is.
class VornaDlgBkimage
{
public:
    // Loads the file named by the key "BkImage" of the section of the skin INI
    // file (folder + value) into the bitmap object and shows it in the label.
    // Returns (0, 0, width, height) of the bitmap object: empty when the picture
    // does not load (the label is left alone); with the key missing or empty the
    // label shows no picture and the size is the object's from its last load.
    static platform::Rect LoadFromSkin(QLabel& control, CBitmapEx& bitmap, const QString& section,
                                       const QString& skinFolder, const QString& iniPath);
};
