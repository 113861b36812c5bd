#include "region/BitmapToRegion.h"

#include <QVector>

#include <algorithm>
#include <utility>

namespace funkcije {

std::vector<QRect> TraceColumnRuns(TBitmap& Bitmap)
{
    Bitmap.SetHeight(Bitmap.Height() + 1);
    const QImage& image = Bitmap.image();
    const int width = image.width();
    const int height = image.height();
    const QRgb background = resolveColor(clWhite);
    // The picture is read row by row, as it lies in memory, each column
    // keeping its open run; the runs are then put in column order.
    std::vector<int> top(size_t(width), -1); // the open run's first row, or -1
    std::vector<QRect> runs;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const bool last = y == height - 1;
        for (int x = 0; x < width; ++x) {
            const bool white = (row[x] | 0xFF000000u) == background;
            int& open = top[size_t(x)];
            if (!white && open < 0)
                open = y;
            // The figure's bottom edge lies on row y, which it does not cover.
            if (open >= 0 && (white || last)) {
                if (y > open)
                    runs.emplace_back(x, open, 1, y - open);
                open = -1;
            }
        }
    }
    // A column's runs close from the top down, so a stable order by column
    // keeps them from the top within it.
    std::stable_sort(runs.begin(), runs.end(), [](const QRect& a, const QRect& b) { return a.left() < b.left(); });
    return runs;
}

// QRegion::setRects takes y-x banded rectangles only (sorted by y, then x;
// one height per band; no overlap; never abutting sideways). Column runs are
// not in that form, so they are first turned into the row spans they cover.
// Rows whose spans are equal to the row above make one band with it, as
// QRegion's own operations would, so the region compares equal to the same
// shape built any other way.
QRegion BitmapToRegion(TBitmap& Bitmap)
{
    const std::vector<QRect> runs = TraceColumnRuns(Bitmap);
    const int height = Bitmap.Height();
    const int width = Bitmap.Width();
    if (runs.empty() || width <= 0)
        return QRegion();
    std::vector<unsigned char> covered(size_t(height) * size_t(width), 0);
    for (const QRect& run : runs)
        for (int y = run.top(); y <= run.bottom(); ++y)
            covered[size_t(y) * size_t(width) + size_t(run.left())] = 1;

    QVector<QRect> rects;
    qsizetype bandStart = 0; // the first rectangle of the band being built
    std::vector<std::pair<int, int>> spans, bandSpans;
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = &covered[size_t(y) * size_t(width)];
        spans.clear();
        for (int x = 0; x < width;) {
            if (!row[x]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && row[x])
                ++x;
            spans.emplace_back(start, x - start);
        }
        if (!spans.empty() && spans == bandSpans && rects.last().bottom() == y - 1) {
            for (qsizetype i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom(y);
            continue;
        }
        bandStart = rects.size();
        for (const auto& [x, w] : spans)
            rects.append(QRect(x, y, w, 1));
        bandSpans.swap(spans);
    }
    QRegion region;
    region.setRects(rects.constData(), int(rects.size()));
    return region;
}

} // namespace funkcije
