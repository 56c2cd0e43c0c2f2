#pragma once

// Sizes of the property dialogs that switch between per cent and pixels.

// A size truncated toward zero into an int, held at the int's ends (NaN
// reads as 0).
int TruncatedSize(double size);

// An exact size in the other unit: to per cent (unit 0) or to pixels (unit
// 1) of `reference` pixels. An unknown reference (below 1) keeps the number.
double SizeInUnit(double size, int unit, int reference);
