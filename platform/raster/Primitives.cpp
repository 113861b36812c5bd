#include "platform/raster/Graphics.h"

#include <algorithm>

namespace {

// Writes n copies of one pixel. The four-pixel body compiles to one vector
// store at -O2 wherever the fill is inlined, so long rows cost a quarter of
// a pixel-by-pixel loop; the compiler does not vectorise the plain loop of
// unknown length at that level.
inline void fillPixels(QRgb* p, qsizetype n, QRgb color)
{
    for (; n >= 4; n -= 4, p += 4) {
        p[0] = color;
        p[1] = color;
        p[2] = color;
        p[3] = color;
    }
    for (; n > 0; --n)
        *p++ = color;
}

} // namespace

void TCanvas::fillSpan(int y, int x0, int x1, QRgb color)
{
    if (y < 0 || y >= m_image->height())
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, m_image->width());
    if (x0 >= x1)
        return;
    fillPixels(reinterpret_cast<QRgb*>(m_image->scanLine(y)) + x0, x1 - x0, color);
}

void TCanvas::fillBlock(int x0, int x1, int y0, int y1, QRgb color)
{
    x0 = std::max(x0, 0);
    x1 = std::min(x1, m_image->width());
    y0 = std::max(y0, 0);
    y1 = std::min(y1, m_image->height());
    if (x0 >= x1 || y0 >= y1)
        return;
    uchar* bits = m_image->bits();
    const qsizetype stride = m_image->bytesPerLine();
    if (x1 - x0 == 1) {
        // One column, one pixel a row: the gradients' upright strokes.
        for (uchar* p = bits + y0 * stride + x0 * qsizetype(sizeof(QRgb)); y0 < y1; ++y0, p += stride)
            *reinterpret_cast<QRgb*>(p) = color;
        return;
    }
    for (int y = y0; y < y1; ++y) {
        fillPixels(reinterpret_cast<QRgb*>(bits + y * stride) + x0, x1 - x0, color);
    }
}
