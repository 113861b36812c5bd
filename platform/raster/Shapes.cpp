#include "platform/raster/Graphics.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

// Products of two coordinate differences need up to 66 bits when the end
// points lie anywhere in the int range: they are taken in 128 bits.
using Wide = __int128;

// Nearest integer to a * m / b (b > 0), an exact half going to the smaller
// value.
std::int64_t roundHalfDown(std::int64_t a, std::int64_t m, std::int64_t b)
{
    const Wide n = 2 * Wide(a) * m + b - 1;
    const Wide d = 2 * Wide(b);
    return std::int64_t(n >= 0 ? n / d : -((-n + d - 1) / d));
}

struct Span
{
    int x0; // first pixel
    int x1; // one past the last pixel
};

// Row spans of the round cap of a w-pixel pen, for row offsets
// -floor(w/2) .. ceil(w/2) - 1 around the end point: the elliptic region of
// the w x w box from -floor(w/2) to ceil(w/2) - 1. Its rows come from the
// midpoint ellipse walk of that box (integer error terms, the horizontal
// step taken when twice the error reaches the x increment, the vertical one
// when it stays within the y increment); the walk runs over the lower half,
// each row taking the inset reached when it is entered, and the upper half
// mirrors it. w = 3 gives a plus sign, w = 4 the 4 x 4 box without its
// corners, w = 8 insets of 2, 1, 0, 0, 0, 0, 1, 2.
std::vector<Span> computeCapSpans(int w)
{
    const int lo = -(w / 2);
    const int hi = (w + 1) / 2; // one past the last column
    std::vector<int> inset(size_t(w), 0);
    if (w >= 2) {
        const std::int64_t a = w - 1;
        const std::int64_t twoA2 = 8 * a * a;
        std::int64_t stepX = 4 * a * a * (1 - a);
        std::int64_t stepY = 4 * a * a * (1 + a % 2);
        std::int64_t err = stepX + stepY + a * a * (a % 2);
        int x = 0;
        int row = w / 2;
        while (x <= w / 2) {
            const std::int64_t e2 = 2 * err;
            if (e2 >= stepX) {
                ++x;
                err += stepX += twoA2;
            }
            if (e2 <= stepY) {
                ++row;
                err += stepY += twoA2;
                if (row < w)
                    inset[size_t(row)] = x;
            }
        }
        for (int i = 0; i < w / 2; ++i)
            inset[size_t(i)] = inset[size_t(w - 1 - i)];
    }
    std::vector<Span> spans;
    spans.reserve(size_t(w));
    for (int i = 0; i < w; ++i)
        spans.push_back({lo + inset[size_t(i)], hi - inset[size_t(i)]});
    return spans;
}

const std::vector<Span>& capSpans(int w)
{
    thread_local std::vector<std::vector<Span>> cache;
    thread_local std::vector<Span> unusual;
    if (w > 256) {
        unusual = computeCapSpans(w);
        return unusual;
    }
    if (size_t(w) >= cache.size())
        cache.resize(size_t(w) + 1);
    if (cache[size_t(w)].empty())
        cache[size_t(w)] = computeCapSpans(w);
    return cache[size_t(w)];
}

int clampToInt(std::int64_t v)
{
    return int(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

struct Corner
{
    std::int64_t x;
    std::int64_t y;
};

// Smallest integer >= a * m / b, for b > 0.
std::int64_t ceilMulDiv(std::int64_t a, std::int64_t m, std::int64_t b)
{
    const Wide n = Wide(a) * m;
    return std::int64_t(n >= 0 ? (n + b - 1) / b : -((-n) / b));
}

// Pixels x of row y inside a convex polygon with integer corners: a pixel is
// inside when its integer point is, the left and top edges inclusive and the
// right and bottom edges exclusive. Each edge covers the rows from its upper
// end up to, not including, its lower end, and crosses row y at the exact
// rational x, which is rounded up on both sides.
Span polygonRow(const std::array<Corner, 4>& poly, std::int64_t y)
{
    std::int64_t xmin = 0, xmax = 0;
    int hits = 0;
    for (size_t i = 0; i < poly.size(); ++i) {
        const Corner& p = poly[i];
        const Corner& q = poly[(i + 1) % poly.size()];
        if (p.y == q.y || y < std::min(p.y, q.y) || y >= std::max(p.y, q.y))
            continue;
        const Corner& top = p.y < q.y ? p : q;
        const Corner& bottom = p.y < q.y ? q : p;
        const std::int64_t x = top.x + ceilMulDiv(y - top.y, bottom.x - top.x, bottom.y - top.y);
        xmin = hits ? std::min(xmin, x) : x;
        xmax = hits ? std::max(xmax, x) : x;
        ++hits;
    }
    if (hits < 2)
        return {0, 0};
    return {clampToInt(xmin), clampToInt(xmax)};
}

// The body of a slanted wide line: a parallelogram along the line whose
// corners lie on integer points. Across the line the pen's extent is split
// into a narrow half, round(e/2), and a wide half, round((e+1)/2), in x and
// in y separately (e = w*|dy|/length in x, w*|dx|/length in y, halves
// rounded away from zero). The wide half lies above the line for a line
// drawn to the right, the narrow half below it; a line drawn upward swaps
// the halves of both axes.
std::array<Corner, 4> slantedBody(QPoint from, QPoint to, int w)
{
    const double dx = double(to.x()) - from.x();
    const double dy = double(to.y()) - from.y();
    const double len = std::hypot(dx, dy);
    const double extentX = w * std::abs(dy) / len;
    const double extentY = w * std::abs(dx) / len;
    const auto half = [](double v) { return std::int64_t(std::floor(v + 0.5)); };
    Corner narrow{half(extentX / 2), half(extentY / 2)};
    Corner wide{half((extentX + 1) / 2), half((extentY + 1) / 2)};
    if (dx < 0) {
        narrow.y = -narrow.y;
        wide.y = -wide.y;
    }
    if (dy < 0) {
        std::swap(narrow, wide);
        narrow.x = -narrow.x;
        wide.x = -wide.x;
    }
    const Corner a{from.x(), from.y()};
    const Corner b{to.x(), to.y()};
    return {Corner{a.x - narrow.x, a.y + narrow.y}, Corner{a.x + wide.x, a.y - wide.y},
            Corner{b.x + wide.x, b.y - wide.y}, Corner{b.x - narrow.x, b.y + narrow.y}};
}

} // namespace

void TCanvas::LineTo(int x, int y)
{
    const QPoint to(x, y);
    const QRgb color = resolveColor(Pen.Color);
    if (Pen.Width <= 1)
        strokeThin(m_penPos, to, color);
    else
        strokeWide(m_penPos, to, Pen.Width, color);
    m_penPos = to;
}

// 1-pixel line: the start pixel is drawn, the end pixel is not. Along the
// major axis (|dx| == |dy| counts as y-major) every step from the start up
// to the end takes the nearest integer of the ideal line as its minor
// coordinate, an exact .5 going to the smaller coordinate.
void TCanvas::strokeThin(QPoint from, QPoint to, QRgb color)
{
    const std::int64_t dx = std::int64_t(to.x()) - from.x();
    const std::int64_t dy = std::int64_t(to.y()) - from.y();
    if (dx == 0 && dy == 0)
        return;
    // Straight lines are one span or one column: [start, end) or (end, start].
    if (dy == 0) {
        const std::int64_t x0 = dx > 0 ? from.x() : std::int64_t(to.x()) + 1;
        const std::int64_t x1 = dx > 0 ? to.x() : std::int64_t(from.x()) + 1;
        fillSpan(from.y(), clampToInt(x0), clampToInt(x1), color);
        return;
    }
    if (dx == 0) {
        const std::int64_t y0 = dy > 0 ? from.y() : std::int64_t(to.y()) + 1;
        const std::int64_t y1 = dy > 0 ? to.y() : std::int64_t(from.y()) + 1;
        fillBlock(from.x(), clampToInt(std::int64_t(from.x()) + 1), clampToInt(y0), clampToInt(y1), color);
        return;
    }
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const std::int64_t steps = xMajor ? std::abs(dx) : std::abs(dy);
    const std::int64_t minorDelta = xMajor ? dy : dx;
    const int sign = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const std::int64_t start = xMajor ? from.x() : from.y();
    const std::int64_t limit = xMajor ? m_image->width() : m_image->height();

    // Only the steps whose major coordinate lies on the bitmap can draw.
    std::int64_t kFirst = 0, kLast = steps - 1;
    if (sign > 0) {
        kFirst = std::max<std::int64_t>(kFirst, -start);
        kLast = std::min<std::int64_t>(kLast, limit - 1 - start);
    } else {
        kFirst = std::max<std::int64_t>(kFirst, start - (limit - 1));
        kLast = std::min<std::int64_t>(kLast, start);
    }
    for (std::int64_t k = kFirst; k <= kLast; ++k) {
        const std::int64_t major = start + sign * k;
        const std::int64_t minor = (xMajor ? from.y() : from.x()) + roundHalfDown(k, minorDelta, steps);
        if (minor < 0 || minor >= (xMajor ? m_image->height() : m_image->width()))
            continue;
        if (xMajor)
            fillSpan(int(minor), int(major), int(major) + 1, color);
        else
            fillSpan(int(major), int(minor), int(minor) + 1, color);
    }
}

// Wide solid pen with round ends: the union of a round cap at both end
// points (computeCapSpans) and the body, each pixel painted once. A
// horizontal body covers columns [min x, max x) and w rows from
// y - floor(w/2) (an even width gets its extra row above); a vertical one
// likewise with the extra column on the left; a slanted one is the
// integer-cornered parallelogram of slantedBody filled by polygonRow. A line
// from a point to itself has no body, only its cap.
void TCanvas::strokeWide(QPoint from, QPoint to, int w, QRgb color)
{
    const int lo = -(w / 2);
    const int hi = (w + 1) / 2 - 1;
    const std::vector<Span>& cap = capSpans(w);

    const bool horizontal = from.y() == to.y();
    const bool vertical = from.x() == to.x() && !horizontal;
    const bool slanted = !horizontal && !vertical;
    std::int64_t top = std::int64_t(std::min(from.y(), to.y())) + lo;
    std::int64_t bottom = std::int64_t(std::max(from.y(), to.y())) + hi;
    std::array<Corner, 4> body{};
    if (slanted) {
        body = slantedBody(from, to, w);
        for (const Corner& c : body) {
            top = std::min(top, c.y);
            bottom = std::max(bottom, c.y);
        }
    }

    // A vertical body row is exactly the band: the caps lie within its
    // columns. Those rows are filled as one block; the cap rows above and
    // below it go through the general union.
    int blockTop = 0, blockEnd = 0;
    if (vertical) {
        blockTop = std::clamp(std::min(from.y(), to.y()), 0, m_image->height());
        blockEnd = std::clamp(std::max(from.y(), to.y()), 0, m_image->height());
        fillBlock(clampToInt(std::int64_t(from.x()) + lo), clampToInt(std::int64_t(from.x()) + hi + 1), blockTop,
                  blockEnd, color);
    }

    auto unionRow = [&](int y) {
        std::array<Span, 3> spans{};
        size_t count = 0;
        for (const QPoint& end : {from, to}) {
            const std::int64_t dy = std::int64_t(y) - end.y();
            if (dy >= lo && dy <= hi) {
                const Span& c = cap[size_t(dy - lo)];
                spans[count++] = {clampToInt(std::int64_t(end.x()) + c.x0), clampToInt(std::int64_t(end.x()) + c.x1)};
            }
        }
        Span band{0, 0};
        if (horizontal) {
            const std::int64_t dy = std::int64_t(y) - from.y();
            if (dy >= lo && dy <= hi)
                band = {std::min(from.x(), to.x()), std::max(from.x(), to.x())};
        } else if (slanted) {
            band = polygonRow(body, y);
        }
        if (band.x0 < band.x1)
            spans[count++] = band;

        for (size_t i = 1; i < count; ++i)
            for (size_t j = i; j > 0 && spans[j].x0 < spans[j - 1].x0; --j)
                std::swap(spans[j], spans[j - 1]);
        Span run{0, 0};
        bool open = false;
        for (size_t i = 0; i < count; ++i) {
            if (spans[i].x0 >= spans[i].x1)
                continue;
            if (open && spans[i].x0 <= run.x1) {
                run.x1 = std::max(run.x1, spans[i].x1);
                continue;
            }
            if (open)
                fillSpan(y, run.x0, run.x1, color);
            run = spans[i];
            open = true;
        }
        if (open)
            fillSpan(y, run.x0, run.x1, color);
    };

    const int first = int(std::clamp<std::int64_t>(top, 0, m_image->height()));
    const int last = int(std::clamp<std::int64_t>(bottom, -1, m_image->height() - 1));
    for (int y = first; y <= last; ++y) {
        if (y >= blockTop && y < blockEnd)
            y = blockEnd;
        if (y <= last)
            unionRow(y);
    }
}

// With a 1-pixel pen the outline lies on columns x1..x2-1 and rows
// y1..y2-1 and the brush fills what is inside; column x2 and row y2 are
// never covered. A wider pen strokes the same outline as a closed band.
void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    if (x1 == x2 || y1 == y2)
        return;
    if (Brush.Style == bsSolid) {
        const QRgb fill = resolveColor(Brush.Color);
        fillBlock(x1 + 1, x2 - 1, y1 + 1, y2 - 1, fill);
    }
    const QRgb line = resolveColor(Pen.Color);
    if (Pen.Width <= 1) {
        fillSpan(y1, x1, x2, line);
        fillSpan(y2 - 1, x1, x2, line);
        // The sides only on the bitmap's rows: the rectangle may span the
        // whole int range.
        for (int y = std::max(y1, 0), end = std::min(y2, m_image->height()); y < end; ++y) {
            fillSpan(y, x1, x1 + 1, line);
            fillSpan(y, x2 - 1, x2, line);
        }
        return;
    }
    const std::array<QPoint, 5> corners = {QPoint(x1, y1), QPoint(x2 - 1, y1), QPoint(x2 - 1, y2 - 1),
                                           QPoint(x1, y2 - 1), QPoint(x1, y1)};
    for (size_t i = 0; i + 1 < corners.size(); ++i)
        strokeWide(corners[i], corners[i + 1], Pen.Width, line);
}

void TCanvas::FillRect(const QRect& r)
{
    const QRgb fill = resolveColor(Brush.Color);
    fillBlock(r.left(), clampToInt(std::int64_t(r.right()) + 1), r.top(), clampToInt(std::int64_t(r.bottom()) + 1), fill);
}
