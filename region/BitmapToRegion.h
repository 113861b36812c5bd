// BitmapToRegion: the tracing half of funkcije: a bitmap's non-white pixels
// as column runs and as one exact window region.
#pragma once

#include "platform/raster/Graphics.h"

#include <QRect>
#include <QRegion>

#include <vector>


namespace funkcije {

// The vertical runs of shape pixels of a picture: every column from the left,
// every maximal stretch of pixels other than exactly 0x00FFFFFF from the
// top, as one-pixel-wide rectangles. Grows the picture by one white row
// first (see BitmapToRegion).
std::vector<QRect> TraceColumnRuns(TBitmap& Bitmap);

// The window shape made of exactly the non-white pixels of Bitmap, in the
// bitmap's coordinates, which are those of the widget that receives it
// ((0, 0) is its top-left corner, wherever it stands). Only 0x00FFFFFF is
// background: 0x00FEFFFF is inside. A picture with no shape pixels gives an
// empty region.
//
// The picture comes back one row taller: a run is closed on the row where it
// ends and that row is not covered, so without the added white row a run
// reaching the bottom row would lose its last pixel. Trace a fresh copy each
// time the same picture is needed again.
//
// The region is made in one conversion from all the runs, never by one
// union per rectangle.
QRegion BitmapToRegion(TBitmap& Bitmap);

} // namespace funkcije
