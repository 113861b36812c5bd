#include "platform/raster/Graphics.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    BitBlt(*this, x, y, bitmap.Width(), bitmap.Height(), bitmap.Canvas(), 0, 0);
}

void TCanvas::DrawImage(int x, int y, const QImage& image)
{
    QPainter painter(m_image);
    painter.drawImage(QPoint(x, y), image);
}

TColor TCanvas::GetPixel(int x, int y) const
{
    if (!m_image->rect().contains(x, y))
        return clInvalid;
    return colorFromRgb(m_image->pixel(x, y));
}

TBitmap::TBitmap(int width, int height)
{
    SetSize(width, height);
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_image.width() && height == m_image.height())
        return;
    QImage grown;
    if (width > 0 && height > 0) {
        grown = QImage(width, height, QImage::Format_RGB32);
        grown.fill(resolveColor(clWhite));
        const int rows = std::min(height, m_image.height());
        const int bytes = std::min(width, m_image.width()) * int(sizeof(QRgb));
        for (int y = 0; y < rows; ++y)
            std::memcpy(grown.scanLine(y), m_image.constScanLine(y), size_t(bytes));
    }
    m_image = grown;
}

void TBitmap::Assign(const TBitmap& source)
{
    m_image = source.m_image.copy();
}

void BitBlt(TCanvas& dst, int x, int y, int w, int h, const TCanvas& src, int sx, int sy)
{
    // Clip the source block to the source, then its destination to the destination.
    QRect from(sx, sy, w, h);
    from &= src.image().rect();
    QRect to = from.translated(x - sx, y - sy) & dst.image().rect();
    from = to.translated(sx - x, sy - y);
    if (to.isEmpty())
        return;
    QImage& out = dst.image();
    const QImage& in = src.image();
    const size_t bytes = size_t(to.width()) * sizeof(QRgb);
    for (int row = 0; row < to.height(); ++row) {
        const auto* s = reinterpret_cast<const QRgb*>(in.constScanLine(from.top() + row)) + from.left();
        auto* d = reinterpret_cast<QRgb*>(out.scanLine(to.top() + row)) + to.left();
        std::memmove(d, s, bytes);
    }
}
