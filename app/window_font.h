#pragma once

#include <QFont>

// The window font at a pixel height: a sans-serif face that also has Chinese glyphs, so that the
// Chinese captions never show as boxes.
QFont WindowFont(int pixelSize);
