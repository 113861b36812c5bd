#include "skin/funkcije.h"

#include <cmath>

namespace funkcije {

namespace {

void fillGradient(TCanvas& canvas, TColor c1, TColor c2, int top, int left, int right, int bottom,
                  bool alongColumns)
{
    const int n = alongColumns ? right - left : bottom - top;
    if (n <= 0)
        return;
    double r = colorRed(c1), g = colorGreen(c1), b = colorBlue(c1);
    const double dr = double(colorRed(c2) - colorRed(c1)) / n;
    const double dg = double(colorGreen(c2) - colorGreen(c1)) / n;
    const double db = double(colorBlue(c2) - colorBlue(c1)) / n;
    for (int i = 0; i <= n; ++i) {
        // nearbyint rounds half to even in the default rounding mode; the
        // running values are advanced by addition, never recomputed, so
        // their rounding drift is part of the result.
        canvas.Pen.Color = rgbColor(int(std::nearbyint(r)), int(std::nearbyint(g)), int(std::nearbyint(b)));
        if (alongColumns) {
            canvas.MoveTo(left + i, top);
            canvas.LineTo(left + i, bottom);
        } else {
            canvas.MoveTo(left, top + i);
            canvas.LineTo(right, top + i);
        }
        r += dr;
        g += dg;
        b += db;
    }
}

} // namespace

void FillGradientHorizontal(TCanvas& Canvas, TColor C1, TColor C2, int Top, int Left, int Right, int Bottom)
{
    fillGradient(Canvas, C1, C2, Top, Left, Right, Bottom, true);
}

void FillGradientVertical(TCanvas& Canvas, TColor C1, TColor C2, int Top, int Left, int Right, int Bottom)
{
    fillGradient(Canvas, C1, C2, Top, Left, Right, Bottom, false);
}

} // namespace funkcije
