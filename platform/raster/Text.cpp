#include "platform/raster/Graphics.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPointer>
#include <QRawFont>
#include <QStringList>
#include <QtEndian>

#include <cmath>
#include <unordered_map>

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

LineMetrics readLineMetrics(const QFont& font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.isValid() ? raw.fontTable("OS/2") : QByteArray();
    const int pixels = font.pixelSize();
    if (os2.size() >= 78 && raw.unitsPerEm() > 0 && pixels > 0) {
        const auto* table = reinterpret_cast<const uchar*>(os2.constData());
        const double scale = pixels / raw.unitsPerEm();
        return {int(std::lround(qFromBigEndian<quint16>(table + 74) * scale)),
                int(std::lround(qFromBigEndian<quint16>(table + 76) * scale))};
    }
    const QFontMetrics fm(font);
    return {fm.ascent(), fm.descent()};
}

// What measuring a font's text found, kept: laying a line out to measure it
// costs far more than looking its width up, and the same lines are measured
// over and over (a centred line to place it and again as it is drawn, each
// candidate line of a word break, a preview cell's caption at every
// repaint). Forgotten when the font database changes, since a font may then
// resolve to another face. The texts are the program's own and few; the
// widths start over should they ever grow many. Text is measured on the
// user-interface thread only.
struct KnownMeasures
{
    LineMetrics lines;
    QHash<QString, int> widths;
};

struct FontHash
{
    size_t operator()(const QFont& font) const noexcept { return qHash(font); }
};

// The measures by font. They belong to the application object, so that the
// fonts they hold go before the application's font database does.
class KnownFonts : public QObject
{
public:
    static KnownMeasures& of(const QFont& font)
    {
        static QPointer<KnownFonts> known;
        if (!known)
            known = new KnownFonts(qGuiApp);
        auto it = known->m_fonts.find(font);
        if (it == known->m_fonts.end())
            it = known->m_fonts.emplace(font, KnownMeasures{readLineMetrics(font), {}}).first;
        return it->second;
    }

private:
    explicit KnownFonts(QGuiApplication* app) : QObject(app)
    {
        connect(app, &QGuiApplication::fontDatabaseChanged, this, [this] { m_fonts.clear(); });
    }

    std::unordered_map<QFont, KnownMeasures, FontHash> m_fonts;
};

// One font's measures: its metrics, and the widths of its texts.
class Measure
{
public:
    explicit Measure(const QFont& font) : m_fm(font), m_known(KnownFonts::of(font)) {}

    const LineMetrics& lines() const { return m_known.lines; }

    int advance(const QString& text) const
    {
        constexpr qsizetype ManyTexts = 4096;
        if (auto it = m_known.widths.constFind(text); it != m_known.widths.constEnd())
            return *it;
        if (m_known.widths.size() >= ManyTexts)
            m_known.widths.clear();
        const int width = m_fm.horizontalAdvance(text);
        m_known.widths.insert(text, width);
        return width;
    }

    // Tab stops lie every eight average character widths.
    int tabWidth() const { return std::max(1, 8 * m_fm.averageCharWidth()); }

private:
    QFontMetrics m_fm;
    KnownMeasures& m_known;
};

// Walks a line's pieces between tabs: each piece starts at its offset, a tab
// moving on to the next tab stop. Returns the line's width.
template <class Piece>
int forEachTabPiece(const Measure& measure, const QString& line, Piece piece)
{
    if (!line.contains(QLatin1Char('\t'))) {
        piece(0, line);
        return measure.advance(line);
    }
    const int tab = measure.tabWidth();
    int x = 0;
    const QStringList parts = line.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            x = (x / tab + 1) * tab;
        piece(x, parts[i]);
        x += measure.advance(parts[i]);
    }
    return x;
}

int lineWidth(const Measure& measure, const QString& line)
{
    return forEachTabPiece(measure, line, [](int, const QString&) {});
}

// Breaks text into lines: at line feeds, and with word breaking at spaces
// where the next word no longer fits the width. A word is never split (a
// word wider than the width stands alone), and the one space at a break is
// dropped.
QStringList layoutLines(const Measure& measure, const QString& text, int width, bool wordBreak)
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
            if (lineWidth(measure, candidate) <= width) {
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
    const Measure measure(font);
    const LineMetrics& lm = measure.lines();
    if (Brush.Style == bsSolid)
        fillBlock(x, x + lineWidth(measure, text), y, y + lm.height(), resolveColor(Brush.Color));
    if (text.isEmpty())
        return 0;
    QPainter painter(m_image);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(resolveColor(Font.Color)));
    const int baseline = y + lm.ascent;
    return forEachTabPiece(measure, text, [&](int offset, const QString& piece) {
        painter.drawText(QPoint(x + offset, baseline), piece);
    });
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    m_penPos = QPoint(x + drawTextLine(x, y, text), y);
}

int TCanvas::TextWidth(const QString& text) const
{
    return lineWidth(Measure(Font.toQFont()), text);
}

int TCanvas::TextHeight() const
{
    return Measure(Font.toQFont()).lines().height();
}

// Each line is centred at x = (left + right - line width) / 2 with
// truncating division; the line height is the font's height. Measuring
// keeps left and top and gives right = left + widest line and bottom = top
// + lines x line height.
int TCanvas::DrawText(const QString& text, QRect& rect, TextFormats format)
{
    const Measure measure(Font.toQFont());
    QString source = text;
    if (!(format & TextFormat::ExpandTabs))
        source.replace(QLatin1Char('\t'), QLatin1Char(' '));
    const int left = rect.left();
    const int right = rect.left() + rect.width();
    const QStringList lines = layoutLines(measure, source, right - left, format.testFlag(TextFormat::WordBreak));
    const int lineHeight = measure.lines().height();
    const int height = int(lines.size()) * lineHeight;

    if (format & TextFormat::CalcRect) {
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, lineWidth(measure, line));
        rect = QRect(QPoint(left, rect.top()), QSize(widest, height));
        return height;
    }
    int y = rect.top();
    for (const QString& line : lines) {
        const int w = lineWidth(measure, line);
        const int x = (format & TextFormat::Center) ? (left + right - w) / 2 : left;
        drawTextLine(x, y, line);
        y += lineHeight;
    }
    return height;
}
