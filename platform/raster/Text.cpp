#include "platform/raster/Graphics.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QStringList>
#include <QtEndian>

#include <cmath>

namespace {

// A text line's vertical metrics as the layout's platform computes them: the
// font's OS/2 "win" ascent and descent scaled to the pixel size, each rounded
// (Tahoma at 15 pixels: 15 + 3 = 18; at 19 pixels: 19 + 4 = 23). Qt's own
// metrics may come from other tables and give shorter lines. A font without
// those values falls back to Qt's metrics.
struct LineMetrics
{
    int ascent;
    int descent;
    int height() const { return ascent + descent; }
};

LineMetrics lineMetrics(const QFont& font)
{
    static QHash<QString, LineMetrics> cache;
    const QString key = font.key();
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    LineMetrics m{};
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.isValid() ? raw.fontTable("OS/2") : QByteArray();
    const int pixels = font.pixelSize();
    if (os2.size() >= 78 && raw.unitsPerEm() > 0 && pixels > 0) {
        const auto* table = reinterpret_cast<const uchar*>(os2.constData());
        const double scale = pixels / raw.unitsPerEm();
        m.ascent = int(std::lround(qFromBigEndian<quint16>(table + 74) * scale));
        m.descent = int(std::lround(qFromBigEndian<quint16>(table + 76) * scale));
    } else {
        const QFontMetrics fm(font);
        m = {fm.ascent(), fm.descent()};
    }
    cache.insert(key, m);
    return m;
}

// Tab stops lie every eight average character widths.
int tabWidth(const QFontMetrics& fm)
{
    return std::max(1, 8 * fm.averageCharWidth());
}

// Walks a line's pieces between tabs: each piece starts at its offset, a tab
// moving on to the next tab stop. Returns the line's width.
template <class Piece>
int forEachTabPiece(const QFontMetrics& fm, const QString& line, Piece piece)
{
    if (!line.contains(QLatin1Char('\t'))) {
        piece(0, line);
        return fm.horizontalAdvance(line);
    }
    const int tab = tabWidth(fm);
    int x = 0;
    const QStringList parts = line.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            x = (x / tab + 1) * tab;
        piece(x, parts[i]);
        x += fm.horizontalAdvance(parts[i]);
    }
    return x;
}

int lineWidth(const QFontMetrics& fm, const QString& line)
{
    return forEachTabPiece(fm, line, [](int, const QString&) {});
}

// Breaks text into lines: at line feeds, and with word breaking at spaces
// where the next word no longer fits the width. A word is never split (a
// word wider than the width stands alone), and the one space at a break is
// dropped.
QStringList layoutLines(const QFontMetrics& fm, const QString& text, int width, bool wordBreak)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines;
    for (const QString& paragraph : normalised.split(QLatin1Char('\n'))) {
        if (!wordBreak) {
            lines << paragraph;
            continue;
        }
        const QStringList words = paragraph.split(QLatin1Char(' '));
        QString line = words.first();
        for (qsizetype i = 1; i < words.size(); ++i) {
            const QString candidate = line + QLatin1Char(' ') + words[i];
            if (lineWidth(fm, candidate) <= width) {
                line = candidate;
            } else {
                lines << line;
                line = words[i];
            }
        }
        lines << line;
    }
    return lines;
}

} // namespace

int TCanvas::drawTextLine(int x, int y, const QString& text)
{
    const QFont font = Font.toQFont();
    const QFontMetrics fm(font);
    const LineMetrics lm = lineMetrics(font);
    if (Brush.Style == bsSolid)
        fillBlock(x, x + lineWidth(fm, text), y, y + lm.height(), resolveColor(Brush.Color));
    if (text.isEmpty())
        return 0;
    QPainter painter(m_image);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(resolveColor(Font.Color)));
    const int baseline = y + lm.ascent;
    return forEachTabPiece(fm, text, [&](int offset, const QString& piece) {
        painter.drawText(QPoint(x + offset, baseline), piece);
    });
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    m_penPos = QPoint(x + drawTextLine(x, y, text), y);
}

int TCanvas::TextWidth(const QString& text) const
{
    return lineWidth(QFontMetrics(Font.toQFont()), text);
}

int TCanvas::TextHeight() const
{
    return lineMetrics(Font.toQFont()).height();
}

// Each line is centred at x = (left + right - line width) / 2 with
// truncating division; the line height is the font's height. Measuring
// keeps left and top and gives right = left + widest line and bottom = top
// + lines x line height.
int TCanvas::DrawText(const QString& text, QRect& rect, TextFormats format)
{
    const QFontMetrics fm(Font.toQFont());
    QString source = text;
    if (!(format & TextFormat::ExpandTabs))
        source.replace(QLatin1Char('\t'), QLatin1Char(' '));
    const int left = rect.left();
    const int right = rect.left() + rect.width();
    const QStringList lines = layoutLines(fm, source, right - left, format.testFlag(TextFormat::WordBreak));
    const int lineHeight = lineMetrics(Font.toQFont()).height();
    const int height = int(lines.size()) * lineHeight;

    if (format & TextFormat::CalcRect) {
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, lineWidth(fm, line));
        rect = QRect(QPoint(left, rect.top()), QSize(widest, height));
        return height;
    }
    int y = rect.top();
    for (const QString& line : lines) {
        const int w = lineWidth(fm, line);
        const int x = (format & TextFormat::Center) ? (left + right - w) / 2 : left;
        drawTextLine(x, y, line);
        y += lineHeight;
    }
    return height;
}
