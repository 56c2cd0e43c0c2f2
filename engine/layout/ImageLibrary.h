#pragma once

namespace engine {

// ImageMagick, the image library behind the program's decoding, encoding and
// picture effects. Every user starts it through startImageLibrary() before its
// first call; the first call starts it (from any thread, once), later calls
// return at once. It also sets the limits every decode keeps to: pictures
// wider or taller than imageSideLimit(), or larger than imageAreaLimit()
// pixels, are refused rather than decoded.
void startImageLibrary();

// The largest width and height, and the largest area in pixels, a picture may
// have to be decoded. Valid after startImageLibrary().
long long imageSideLimit();
long long imageAreaLimit();

} // namespace engine
