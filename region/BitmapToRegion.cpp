#include "BitmapToRegion.h"

#include <QVector>

#include <algorithm>

namespace funkcije {

std::vector<QRect> TraceColumnRuns(TBitmap& Bitmap)
{
    Bitmap.SetHeight(Bitmap.Height() + 1);
    const QImage& image = Bitmap.image();
    const int width = image.width();
    const int height = image.height();
    const QRgb background = resolveColor(clWhite);
    std::vector<QRect> runs;
    for (int x = 0; x < width; ++x) {
        bool open = false;
        int top = 0;
        for (int y = 0; y < height; ++y) {
            const QRgb pixel = reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
            const bool white = (pixel | 0xFF000000u) == background;
            if (!white && !open) {
                open = true;
                top = y;
            }
            // The figure's bottom edge lies on row y, which it does not cover.
            if (open && (white || y == height - 1)) {
                open = false;
                if (y > top)
                    runs.emplace_back(x, top, 1, y - top);
            }
        }
    }
    return runs;
}

// QRegion::setRects takes y-x banded rectangles only (sorted by y, then x;
// one height per band; no overlap; never abutting sideways). Column runs are
// not in that form, so they are first turned into the row spans they cover:
// one band per row, its spans merged.
QRegion BitmapToRegion(TBitmap& Bitmap, const QWidget*)
{
    const std::vector<QRect> runs = TraceColumnRuns(Bitmap);
    const int height = Bitmap.Height();
    const int width = Bitmap.Width();
    if (runs.empty() || width <= 0)
        return QRegion();
    std::vector<std::vector<bool>> covered(size_t(height), std::vector<bool>(size_t(width), false));
    for (const QRect& run : runs)
        for (int y = run.top(); y <= run.bottom(); ++y)
            covered[size_t(y)][size_t(run.left())] = true;

    QVector<QRect> spans;
    for (int y = 0; y < height; ++y) {
        const std::vector<bool>& row = covered[size_t(y)];
        for (int x = 0; x < width;) {
            if (!row[size_t(x)]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && row[size_t(x)])
                ++x;
            spans.append(QRect(start, y, x - start, 1));
        }
    }
    QRegion region;
    region.setRects(spans.constData(), int(spans.size()));
    return region;
}

} // namespace funkcije
