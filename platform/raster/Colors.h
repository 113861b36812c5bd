// Colors: the pixels of TColor values (the values and their names are the
// base library's).
#pragma once

#include "platform/base/ColorValue.h"

#include <QRgb>

// The opaque Qt pixel a colour stands for. System colours take the
// application palette's colour where a palette role matches, otherwise the
// classic default of that index; an index beyond the table is black. Any
// other value is read as 0x00BBGGRR and its high byte ignored.
QRgb resolveColor(TColor c);

// The colour of an opaque Qt pixel, as 0x00BBGGRR.
constexpr TColor colorFromRgb(QRgb rgb) { return rgbColor(qRed(rgb), qGreen(rgb), qBlue(rgb)); }
