#pragma once

#include "platform/raster/Graphics.h"

#include <QImage>
#include <QString>

#include <set>
#include <utility>

using PixelSet = std::set<std::pair<int, int>>;

// The (x, y) of every pixel of the picture that is not `background`.
PixelSet pixelsNotOf(const QImage& image, TColor background = clWhite);

// A readable account of where two pixel sets differ (empty when equal).
QString describeDifference(const PixelSet& actual, const PixelSet& expected);

// The pixels of a picture, for before-and-after comparisons.
inline QImage snapshot(const TBitmap& bitmap) { return bitmap.image().copy(); }
