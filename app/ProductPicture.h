#pragma once

#include <QPixmap>
#include <QSize>

// The product's picture of a bitmap resource (the splash window's, the about
// box's): the shipped image when there is one, else a drawn banner of that
// size with the product's names.
QPixmap ProductPicture(int bitmapId, QSize size);
