#pragma once

#include "ColorBox.h"
#include "Graphics.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <set>
#include <utility>

using PixelSet = std::set<std::pair<int, int>>;

// The (x, y) of every pixel of the picture that is not `background`.
PixelSet pixelsNotOf(const QImage& image, TColor background = clWhite);

// A readable account of where two pixel sets differ (empty when equal).
QString describeDifference(const PixelSet& actual, const PixelSet& expected);

// The pixels of a picture, for before-and-after comparisons.
inline QImage snapshot(const TBitmap& bitmap) { return bitmap.image().copy(); }

// What the combo box does when the user picks row `index` in its list.
void userPicks(TColorBox& box, int index);
// The user picks the listed entry showing `color`.
void userPicksColour(TColorBox& box, TColor color);

// Runs `check` as an unprivileged user, so that permission checks mean the
// same under root (as CI runs) as for anyone: as it is when not root, else
// in a child process that gives `folder` (recursively) to the user "nobody"
// and drops to that user. `check` returns what went wrong, empty when
// nothing did; so does this.
QString asUnprivilegedUser(const QString& folder, const std::function<QString()>& check);
