#pragma once

#include <QSize>
#include <QString>

// What an armed insertion needs to know for the extent its object starts
// with (before the pointer places and perhaps drags it).
struct InsertExtentInput
{
    int kind = 0;      // the insertion kind, 0 to 10
    int mediaType = 0; // kind 3: 0 Flash, 1 Shockwave, 2 Media Player, 3 Real Audio, 4 Flash counter
    int imageFlag = 0; // kind 2: 0 an image file, 1 a counter image
    QString imageSrc;  // kinds 2 and 6: the image file
    QSize tableSize;   // kind 4
    int viewWidth = 0; // the page view window's width (kinds 7 and 9)
};

// The default extent of an object to insert: a text box and a text object
// 100 x 20; an image file its pixel size (0 x 0 when it cannot be measured,
// and for a counter image); a media object 400 x 300, Real Audio 280 x 100,
// a Flash counter 0 x 0; a table its own size; a rule four fifths of the view
// less its margins wide and 2 high, a marquee as wide and 0 high. Kinds that
// insert nothing get 0 x 0.
QSize DefaultInsertExtent(const InsertExtentInput& in);
