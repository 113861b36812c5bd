#include "platform/raster/Graphics.h"
#include "tests/Pixels.h"

#include <QGuiApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPalette>
#include <QTest>

#include <climits>
#include <cmath>

using Points = QList<QPoint>;

namespace {

PixelSet toSet(const Points& points)
{
    PixelSet out;
    for (const QPoint& p : points)
        out.insert({p.x(), p.y()});
    return out;
}

// Every pixel of rows y0..y1 from x0 to x1 inclusive.
Points block(int x0, int x1, int y0, int y1)
{
    Points out;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            out << QPoint(x, y);
    return out;
}

} // namespace

class TestGraphics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ensureTahoma(); }

    void newBitmapIsWhiteAndCanvasHasDefaults()
    {
        TBitmap bmp(5, 4);
        QVERIFY(pixelsNotOf(bmp.image()).empty());
        QCOMPARE(bmp.Canvas().Pen.Color, clBlack);
        QCOMPARE(bmp.Canvas().Pen.Width, 1);
        QCOMPARE(bmp.Canvas().Brush.Color, clWhite);
        QCOMPARE(bmp.Canvas().Brush.Style, bsSolid);
        QCOMPARE(bmp.Canvas().PenPos(), QPoint(0, 0));
    }

    void thinLines_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<Points>("expected");
        QTest::newRow("rightward leaves out its end") << QPoint(2, 3) << QPoint(6, 3) << block(2, 5, 3, 3);
        QTest::newRow("leftward covers x2+1..x1") << QPoint(6, 3) << QPoint(2, 3) << block(3, 6, 3, 3);
        QTest::newRow("downward") << QPoint(4, 1) << QPoint(4, 5) << block(4, 4, 1, 4);
        QTest::newRow("upward") << QPoint(4, 5) << QPoint(4, 1) << block(4, 4, 2, 5);
        QTest::newRow("point to itself") << QPoint(4, 4) << QPoint(4, 4) << Points{};
        QTest::newRow("diagonal is y-major") << QPoint(0, 0) << QPoint(3, 3)
                                             << Points{{0, 0}, {1, 1}, {2, 2}};
        QTest::newRow("half goes to the smaller y") << QPoint(0, 0) << QPoint(4, 2)
                                                    << Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}};
        QTest::newRow("half goes to the smaller y, backwards") << QPoint(4, 2) << QPoint(0, 0)
                                                               << Points{{4, 2}, {3, 1}, {2, 1}, {1, 0}};
        QTest::newRow("steep, half goes to the smaller x") << QPoint(0, 0) << QPoint(2, 4)
                                                           << Points{{0, 0}, {0, 1}, {1, 2}, {1, 3}};
        QTest::newRow("clipped on both sides") << QPoint(-5, 2) << QPoint(20, 2) << block(0, 7, 2, 2);
        QTest::newRow("far outside draws nothing") << QPoint(-100000, -50) << QPoint(100000, -50) << Points{};
        QTest::newRow("diagonal across the whole int range") << QPoint(INT_MIN, INT_MIN) << QPoint(INT_MAX, INT_MAX)
                                                             << Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}};
        // k / steps is just above one half on the bitmap: x = y - 1.
        QTest::newRow("steep across the whole int range") << QPoint(INT_MIN, INT_MIN) << QPoint(INT_MAX - 1, INT_MAX)
                                                          << Points{{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}};
        QTest::newRow("vertical on the last int column") << QPoint(INT_MAX, INT_MIN) << QPoint(INT_MAX, INT_MAX)
                                                         << Points{};
    }

    void thinLines()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(Points, expected);
        TBitmap bmp(8, 6);
        bmp.Canvas().MoveTo(from.x(), from.y());
        bmp.Canvas().LineTo(to.x(), to.y());
        QCOMPARE(bmp.Canvas().PenPos(), to);
        const QString diff = describeDifference(pixelsNotOf(bmp.image()), toSet(expected));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    void hugeCoordinatesDoNotHang()
    {
        TBitmap bmp(8, 6);
        TCanvas& c = bmp.Canvas();
        c.MoveTo(-2000000000, 3);
        c.LineTo(2000000000, 3);
        c.Brush.Style = bsClear;
        c.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX); // its outline is all off the bitmap
        QCOMPARE(pixelsNotOf(bmp.image()), toSet(block(0, 7, 3, 3)));
        // A wide line across the int range still crosses the bitmap.
        c.Pen.Width = 3;
        c.MoveTo(INT_MIN, INT_MIN);
        c.LineTo(INT_MAX, INT_MAX);
        for (int i = 0; i < 6; ++i)
            QVERIFY2(pixelsNotOf(bmp.image()).count({i, i}) == 1, qPrintable(QString::number(i)));
    }

    // Every stroke of the reference table (widths 1 to 8, every octant,
    // short and long, clipped at each edge, zero length, random ones) paints
    // exactly the pixels the classic raster engine paints; see
    // tests/data/gdi/README.md for where the table comes from.
    void linesMatchTheReference_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QString>("spans");
        QFile file(QStringLiteral(ZV_TEST_DATA_DIR "/gdi/lines.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        int row = 0;
        while (!file.atEnd()) {
            const QString line = QString::fromLatin1(file.readLine()).trimmed();
            const QStringList head = line.section(QLatin1Char(' '), 0, 4).split(QLatin1Char(' '));
            QCOMPARE(head.size(), 5);
            const QPoint from(head[1].toInt(), head[2].toInt()), to(head[3].toInt(), head[4].toInt());
            QTest::addRow("%d: w%s (%d,%d)-(%d,%d)", ++row, qPrintable(head[0]), from.x(), from.y(), to.x(), to.y())
                << head[0].toInt() << from << to << line.section(QLatin1Char(' '), 5);
        }
        QVERIFY(row > 1000);
    }

    void linesMatchTheReference()
    {
        QFETCH(int, width);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QString, spans);
        PixelSet expected;
        for (const QString& span : spans.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const int y = span.section(QLatin1Char(':'), 0, 0).toInt();
            const QString xs = span.section(QLatin1Char(':'), 1);
            for (int x = xs.section(QLatin1Char('-'), 0, 0).toInt(); x < xs.section(QLatin1Char('-'), 1).toInt(); ++x)
                expected.insert({x, y});
        }
        TBitmap bmp(64, 64);
        bmp.Canvas().Pen.Width = width;
        bmp.Canvas().MoveTo(from.x(), from.y());
        bmp.Canvas().LineTo(to.x(), to.y());
        const QString diff = describeDifference(pixelsNotOf(bmp.image()), expected);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    void wideHorizontalLineOfTheQuestionPanel()
    {
        // A width-3 line from (64, 1) to (736, 1) covers rows 0 and 2 for
        // x 64..736 and row 1 for x 63..737.
        TBitmap bmp(800, 6);
        bmp.Canvas().Pen.Width = 3;
        bmp.Canvas().MoveTo(64, 1);
        bmp.Canvas().LineTo(736, 1);
        QCOMPARE(pixelsNotOf(bmp.image()), toSet(block(64, 736, 0, 0) + block(63, 737, 1, 1) + block(64, 736, 2, 2)));
    }

    void rectangles_data()
    {
        QTest::addColumn<TBrushStyle>("brushStyle");
        QTest::addColumn<QRect>("corners"); // x1, y1 as topLeft; x2, y2 as the size
        QTest::addColumn<Points>("outline");
        QTest::addColumn<Points>("fill");
        QTest::newRow("solid") << bsSolid << QRect(1, 1, 5, 4)
                               << block(1, 4, 1, 1) + block(1, 4, 3, 3) + block(1, 1, 2, 2) + block(4, 4, 2, 2)
                               << block(2, 3, 2, 2);
        QTest::newRow("clear brush keeps the inside") << bsClear << QRect(1, 1, 5, 4)
                                                      << block(1, 4, 1, 1) + block(1, 4, 3, 3) + block(1, 1, 2, 2)
                                                             + block(4, 4, 2, 2)
                                                      << Points{};
        QTest::newRow("outline outside the bitmap") << bsSolid << QRect(-1, -1, 9, 7) << Points{}
                                                    << block(0, 7, 0, 5);
    }

    void rectangles()
    {
        QFETCH(TBrushStyle, brushStyle);
        QFETCH(QRect, corners);
        QFETCH(Points, outline);
        QFETCH(Points, fill);
        TBitmap bmp(8, 6);
        TCanvas& c = bmp.Canvas();
        c.Pen.Color = clRed;
        c.Brush.Color = clBlue;
        c.Brush.Style = brushStyle;
        c.Rectangle(corners.left(), corners.top(), corners.width(), corners.height());
        PixelSet expectedRed = toSet(outline), expectedBlue = toSet(fill);
        PixelSet red, blue;
        for (const auto& p : pixelsNotOf(bmp.image())) {
            const TColor px = c.GetPixel(p.first, p.second);
            (px == clRed ? red : blue).insert(p);
        }
        QCOMPARE(red, expectedRed);
        QCOMPARE(blue, expectedBlue);
    }

    void resizingKeepsPixelsAndAddsWhite()
    {
        TBitmap bmp(4, 3);
        bmp.Canvas().Brush.Color = clRed;
        bmp.Canvas().Pen.Color = clRed;
        bmp.Canvas().Rectangle(0, 0, 4, 3);
        bmp.SetHeight(4);
        QCOMPARE(bmp.Height(), 4);
        QCOMPARE(pixelsNotOf(bmp.image()), toSet(block(0, 3, 0, 2)));
        bmp.SetWidth(2);
        QCOMPARE(pixelsNotOf(bmp.image()), toSet(block(0, 1, 0, 2)));
        // The canvas follows the resized picture.
        bmp.Canvas().Pen.Color = clBlue;
        bmp.Canvas().MoveTo(0, 3);
        bmp.Canvas().LineTo(2, 3);
        QCOMPARE(bmp.Canvas().GetPixel(1, 3), clBlue);
    }

    void assignCopiesPixelsNotTheSharedImage()
    {
        TBitmap a(3, 2), b;
        a.Canvas().MoveTo(0, 0);
        a.Canvas().LineTo(3, 0);
        b.Assign(a);
        a.Canvas().MoveTo(0, 1);
        a.Canvas().LineTo(3, 1);
        QCOMPARE(b.Width(), 3);
        QCOMPARE(pixelsNotOf(b.image()), toSet(block(0, 2, 0, 0)));
    }

    void bitBltClipsToBothPictures_data()
    {
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("source");
        QTest::addColumn<Points>("expected");
        QTest::newRow("inside") << QPoint(1, 1) << QRect(0, 0, 2, 2) << block(1, 2, 1, 2);
        QTest::newRow("off the destination's top-left") << QPoint(-1, -1) << QRect(0, 0, 3, 3) << block(0, 1, 0, 1);
        QTest::newRow("off the destination's bottom-right") << QPoint(5, 4) << QRect(0, 0, 3, 3)
                                                            << block(5, 5, 4, 4);
        QTest::newRow("source partly outside") << QPoint(0, 0) << QRect(2, 2, 4, 4) << block(0, 0, 0, 0);
    }

    void bitBltClipsToBothPictures()
    {
        QFETCH(QPoint, to);
        QFETCH(QRect, source);
        QFETCH(Points, expected);
        TBitmap src(3, 3), dst(6, 5);
        src.Canvas().Brush.Color = clRed;
        src.Canvas().Pen.Color = clRed;
        src.Canvas().Rectangle(0, 0, 3, 3);
        BitBlt(dst.Canvas(), to.x(), to.y(), source.width(), source.height(), src.Canvas(), source.x(), source.y());
        QCOMPARE(pixelsNotOf(dst.image()), toSet(expected));
    }

    void systemColoursResolveOnlyAtThePixel_data()
    {
        QTest::addColumn<TColor>("color");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("plain colour") << TColor(0x00B38855) << qRgb(85, 136, 179);
        QTest::newRow("high byte other than 0x80 ignored") << TColor(0x01FF0000) << qRgb(0, 0, 255);
        QTest::newRow("button face from the palette")
            << clBtnFace << (QGuiApplication::palette().color(QPalette::Button).rgb() | 0xFF000000u);
        QTest::newRow("no palette role: classic value") << TColor(clSystemColor | 1) << qRgb(58, 110, 165);
        QTest::newRow("index beyond the table is black") << TColor(clSystemColor | 31) << qRgb(0, 0, 0);
    }

    void systemColoursResolveOnlyAtThePixel()
    {
        QFETCH(TColor, color);
        QFETCH(QRgb, expected);
        TBitmap bmp(3, 1);
        bmp.Canvas().Pen.Color = color;
        bmp.Canvas().LineTo(3, 0);
        QCOMPARE(bmp.image().pixel(1, 0), expected);
    }

    void fontSizes_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("pixels");
        QTest::newRow("8") << 8 << 11;
        QTest::newRow("14") << 14 << 19;
        QTest::newRow("16") << 16 << 21;
        QTest::newRow("18") << 18 << 24;
    }

    void fontSizes()
    {
        QFETCH(int, points);
        QFETCH(int, pixels);
        QCOMPARE(pointsToPixels(points), pixels);
        TFont f;
        f.SetSize(points);
        QCOMPARE(f.Height, -pixels);
        QCOMPARE(f.Size(), points);
    }

    void textOutWithClearBrushKeepsTheBackground()
    {
        TBitmap bmp(80, 30);
        TCanvas& c = bmp.Canvas();
        c.Pen.Color = clRed;
        c.Brush.Color = clRed;
        c.Rectangle(0, 0, 80, 30);
        c.Brush.Style = bsClear;
        c.Font.Height = -19;
        c.Font.Color = clWhite;
        c.TextOut(2, 2, QStringLiteral("Mm"));
        // Text pixels blend white into red: never anything but red's hue.
        bool wroteSomething = false;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 80; ++x) {
                const QRgb px = bmp.image().pixel(x, y);
                QCOMPARE(qRed(px), 255);
                wroteSomething |= qGreen(px) > 0;
            }
        QVERIFY(wroteSomething);
        QCOMPARE(c.PenPos(), QPoint(2 + c.TextWidth(QStringLiteral("Mm")), 2));
    }

    void textOutWithSolidBrushFillsTheTextBox()
    {
        TBitmap bmp(80, 30);
        TCanvas& c = bmp.Canvas();
        c.Brush.Color = clBlue;
        c.Font.Color = clBlue;
        c.TextOut(3, 4, QStringLiteral("Ab"));
        const int w = c.TextWidth(QStringLiteral("Ab")), h = c.TextHeight();
        QCOMPARE(pixelsNotOf(bmp.image()), toSet(block(3, 3 + w - 1, 4, 4 + h - 1)));
    }

    void formattedTextLayout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("widthFits"); // the longest text that must fit the width
        QTest::newRow("one line") << QStringLiteral("Dobro jutro") << QStringList{QStringLiteral("Dobro jutro")}
                                  << QStringLiteral("Dobro jutro");
        QTest::newRow("breaks at the space that no longer fits")
            << QStringLiteral("aaa bbb ccc") << QStringList{QStringLiteral("aaa bbb"), QStringLiteral("ccc")}
            << QStringLiteral("aaa bbb");
        QTest::newRow("a word wider than the width stands alone")
            << QStringLiteral("ab Wwwwwwwwwwwwwwwww cd")
            << QStringList{QStringLiteral("ab"), QStringLiteral("Wwwwwwwwwwwwwwwww"), QStringLiteral("cd")}
            << QStringLiteral("ab");
        QTest::newRow("line feeds break") << QStringLiteral("a\nb") << QStringList{QStringLiteral("a"), QStringLiteral("b")}
                                          << QStringLiteral("a");
    }

    // Measuring returns left, top, left + widest line, top + lines x height.
    void formattedTextLayout()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QFETCH(QString, widthFits);
        TBitmap bmp(10, 10);
        TCanvas& c = bmp.Canvas();
        c.Font.Height = -19;
        const int width = c.TextWidth(widthFits) + 1;
        QRect r(7, 5, width, 0);
        const int h = c.DrawText(text, r, TextFormat::Center | TextFormat::WordBreak | TextFormat::ExpandTabs | TextFormat::CalcRect);
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, c.TextWidth(line));
        const int lineHeight = c.TextHeight();
        QCOMPARE(h, int(lines.size()) * lineHeight);
        QCOMPARE(r.left(), 7);
        QCOMPARE(r.top(), 5);
        QCOMPARE(r.left() + r.width(), 7 + widest);
        QCOMPARE(r.top() + r.height(), 5 + int(lines.size()) * lineHeight);
    }

    // Each centred line starts at (left + right - width) / 2; a word wider
    // than the rectangle sticks out on both sides.
    void centredLinesStartAtTheTruncatedHalf()
    {
        TBitmap bmp(200, 40);
        TCanvas& c = bmp.Canvas();
        // A solid brush in the text's own colour: the text box shows exactly
        // where the line stands.
        c.Brush.Color = clRed;
        c.Font.Color = clRed;
        c.Font.Height = -19;
        const QString word = QStringLiteral("Wwwwwwww");
        const int w = c.TextWidth(word);
        QRect r(100 - 5, 0, 11, 40); // left 95, right 106
        c.DrawText(word, r, TextFormat::Center | TextFormat::WordBreak);
        const int x = (95 + 106 - w) / 2;
        QCOMPARE(c.GetPixel(x, 1), clRed);
        QCOMPARE(c.GetPixel(x - 1, 1), clWhite);
        QCOMPARE(c.GetPixel(x + w - 1, 1), clRed);
        QCOMPARE(c.GetPixel(x + w, 1), clWhite);
    }

    void tahomaIsTheFaceThatDraws()
    {
        TFont f;
        f.Styles = TFont::Bold;
        const QFontInfo info(f.toQFont());
        QCOMPARE(info.family(), QStringLiteral("Tahoma"));
        QVERIFY(info.bold());
    }

    void lineHeightsAsTheLayoutsPlatformMeasuresThem_data()
    {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("height");
        QTest::newRow("8 pt window font") << 11 << false << 13;
        QTest::newRow("about window font") << 15 << true << 18;
        QTest::newRow("14 pt caption") << 19 << false << 23;
        QTest::newRow("16 pt bold letter") << 21 << true << 25;
    }

    void lineHeightsAsTheLayoutsPlatformMeasuresThem()
    {
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        QFETCH(int, height);
        TBitmap bmp(1, 1);
        bmp.Canvas().Font.Height = -pixels;
        bmp.Canvas().Font.Styles = bold ? TFont::Bold : 0;
        QCOMPARE(bmp.Canvas().TextHeight(), height);
    }

    void tabsExpandToEightAverageCharacters()
    {
        TBitmap bmp(10, 10);
        TCanvas& c = bmp.Canvas();
        c.Font.Height = -19;
        const int stop = 8 * QFontMetrics(c.Font.toQFont()).averageCharWidth();
        QCOMPARE(c.TextWidth(QStringLiteral("a\tb")), stop + c.TextWidth(QStringLiteral("b")));
    }

    // Measures are kept, but a face added later is the one measured then.
    void measuresFollowAFaceAddedLater()
    {
        TBitmap bmp(1, 1);
        TCanvas& c = bmp.Canvas();
        c.Font.Name = QStringLiteral("Fixedsys");
        c.Font.Height = -19;
        const QString text = QStringLiteral("iiiiWWWW");
        const int before = c.TextWidth(text), beforeHeight = c.TextHeight();
        const int id = QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/fixedsys.ttf"));
        QVERIFY(id >= 0);
        const QFontMetrics now(c.Font.toQFont());
        QCOMPARE(c.TextWidth(text), now.horizontalAdvance(text));
        QVERIFY(c.TextWidth(text) != before || c.TextHeight() != beforeHeight);
        QFontDatabase::removeApplicationFont(id);
    }
};

// The drawing layer needs no widgets: a QGuiApplication runs these.
QTEST_MAIN(TestGraphics)
#include "tst_graphics.moc"
