// funkcije: the gradient fills of the skin images (the fill half; the
// tracing half lives with the regions).
#pragma once

#include "platform/raster/Graphics.h"

namespace funkcije {

// Two-colour gradients stroked with the canvas's current pen; only the pen
// colour is set, so a stroke is as wide as the pen the canvas already has.
// The channels are the three low bytes of C1 and C2 exactly as passed: a
// system-colour value fills with its raw low bytes.
//
// n = Right - Left (horizontal) or Bottom - Top (vertical); nothing is drawn
// for n <= 0. Otherwise n + 1 strokes, both end positions included, each
// channel running from C1 by a double-precision step of (C2 - C1) / n added
// once per stroke and rounded half to even.

// Colour runs from C1 at column Left to C2 at column Right; one vertical
// stroke from Top to Bottom per column.
void FillGradientHorizontal(TCanvas& Canvas, TColor C1, TColor C2, int Top, int Left, int Right, int Bottom);

// Colour runs from C1 at row Top to C2 at row Bottom; one horizontal stroke
// from Left to Right per row.
void FillGradientVertical(TCanvas& Canvas, TColor C1, TColor C2, int Top, int Left, int Right, int Bottom);

} // namespace funkcije
