#include "region/BitmapToRegion.h"
#include "region/Region.h"
#include "tests/Pixels.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTest>

using Points = QList<QPoint>;

namespace {

// The region must hold exactly the expected pixels: checked pixel by pixel
// over the picture and a margin around it, both by membership and by painting
// through it as a clip, which is how a window mask is used (a region made of
// unbanded rectangles can pass the first and fail the second).
QString regionMismatch(const QRegion& region, const PixelSet& expected, QSize size)
{
    PixelSet inside, painted;
    for (int y = -2; y < size.height() + 3; ++y)
        for (int x = -2; x < size.width() + 3; ++x)
            if (region.contains(QPoint(x, y)))
                inside.insert({x, y});
    QImage canvas(size + QSize(5, 5), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter p(&canvas);
        p.translate(2, 2);
        p.setClipRegion(region);
        p.fillRect(QRect(QPoint(-2, -2), canvas.size()), Qt::black);
    }
    for (const auto& [x, y] : pixelsNotOf(canvas))
        painted.insert({x - 2, y - 2});
    const QString byMembership = describeDifference(inside, expected);
    const QString byPainting = describeDifference(painted, expected);
    if (byMembership.isEmpty() && byPainting.isEmpty())
        return {};
    return QStringLiteral("membership: %1 / painting: %2").arg(byMembership, byPainting);
}

PixelSet toSet(const Points& points)
{
    PixelSet out;
    for (const QPoint& p : points)
        out.insert({p.x(), p.y()});
    return out;
}

QByteArray shapeData(quint16 w, quint16 h, const QList<QList<int>>& segments)
{
    std::vector<TRegionSegment> decoded;
    for (const QList<int>& s : segments)
        decoded.push_back({std::uint16_t(s[0]), std::uint16_t(s[1]), std::uint16_t(s[2])});
    return TRegion::EncodeSegments(w, h, decoded);
}

void readFromResource(TRegion& component, const QString& name)
{
    QFile file(QStringLiteral(ZV_RESOURCES_DIR "/%1.Data").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no shape block %s", qPrintable(name));
    component.ReadRegData(file);
}

} // namespace

class TestRegion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tracing_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Points>("shape"); // pixels painted in the colour below
        QTest::addColumn<TColor>("colour");
        QTest::addColumn<int>("runs");
        QTest::newRow("single pixel") << QSize(6, 5) << Points{{2, 3}} << clBlack << 1;
        QTest::newRow("pixel in the bottom row") << QSize(6, 5) << Points{{4, 4}} << clBlack << 1;
        QTest::newRow("full column") << QSize(6, 5) << Points{{1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}} << clBlack << 1;
        QTest::newRow("column with a gap") << QSize(6, 5) << Points{{3, 0}, {3, 1}, {3, 3}, {3, 4}} << clBlack << 2;
        QTest::newRow("near-white 0x00FEFFFF is inside") << QSize(4, 4) << Points{{0, 0}, {3, 3}} << TColor(0x00FEFFFF)
                                                         << 2;
        QTest::newRow("near-white 0x00FFFFFE is inside") << QSize(4, 4) << Points{{2, 1}} << TColor(0x00FFFFFE) << 1;
        QTest::newRow("empty picture") << QSize(5, 5) << Points{} << clBlack << 0;
        QTest::newRow("columns side by side") << QSize(5, 3) << Points{{1, 1}, {2, 1}, {3, 1}, {2, 2}} << clBlack << 3;
    }

    void tracing()
    {
        QFETCH(QSize, size);
        QFETCH(Points, shape);
        QFETCH(TColor, colour);
        QFETCH(int, runs);
        TBitmap bmp(size.width(), size.height());
        for (const QPoint& p : shape) {
            bmp.Canvas().Pen.Color = colour;
            bmp.Canvas().MoveTo(p.x(), p.y());
            bmp.Canvas().LineTo(p.x() + 1, p.y());
        }
        TBitmap copy;
        copy.Assign(bmp);
        QCOMPARE(int(funkcije::TraceColumnRuns(copy).size()), runs);
        const QRegion region = funkcije::BitmapToRegion(bmp);
        QCOMPARE(bmp.Height(), size.height() + 1);
        QCOMPARE(region.isEmpty(), shape.isEmpty());
        const QString diff = regionMismatch(region, toSet(shape), size);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        // Equal to the same pixels united one by one: equal rows make one band.
        QRegion united;
        for (const QPoint& p : shape)
            united += QRect(p, QSize(1, 1));
        QCOMPARE(region, united);
    }

    void tracingTheSameBitmapTwiceGrowsItTwice()
    {
        TBitmap bmp(10, 8), fresh;
        bmp.Canvas().MoveTo(2, 7);
        bmp.Canvas().LineTo(8, 7);
        fresh.Assign(bmp);
        TBitmap copy;
        copy.Assign(fresh);
        const QRegion first = funkcije::BitmapToRegion(copy);
        copy.Assign(fresh);
        QCOMPARE(funkcije::BitmapToRegion(copy), first);
        funkcije::BitmapToRegion(bmp);
        funkcije::BitmapToRegion(bmp);
        QCOMPARE(bmp.Height(), 10);
    }

    // The real shapes: one run per column, and a region that holds exactly
    // the mask's black pixels (a region made from unbanded column rectangles
    // is wrong in thousands of them).
    void realShapesTraceExactly_data()
    {
        QTest::addColumn<QString>("component");
        QTest::addColumn<int>("width");
        QTest::newRow("question") << "regPitanje" << 800;
        QTest::newRow("answer") << "RegOdgovor" << 400;
    }

    void realShapesTraceExactly()
    {
        QFETCH(QString, component);
        QFETCH(int, width);
        TRegion shape;
        readFromResource(shape, component);
        shape.SetEnabled(true);
        TBitmap mask, work;
        shape.PaintToBitmap(&mask, clWhite, clBlack);
        work.Assign(mask);
        const std::vector<QRect> runs = funkcije::TraceColumnRuns(work);
        QCOMPARE(int(runs.size()), width);
        for (int x = 0; x < width; ++x) // one run a column, from the left
            QCOMPARE(runs[size_t(x)].left(), x);
        work.Assign(mask);
        const QRegion region = funkcije::BitmapToRegion(work);
        const QString diff = regionMismatch(region, pixelsNotOf(mask.image()), mask.image().size());
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    void realShapeBlocks_data()
    {
        QTest::addColumn<QString>("component");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<int>>("firstSegment");
        QTest::addColumn<int>("bandRow");
        QTest::newRow("question") << "regPitanje" << 309 << QSize(800, 61) << QList<int>{62, 739, 0} << 30;
        QTest::newRow("answer") << "RegOdgovor" << 149 << QSize(400, 29) << QList<int>{37, 363, 0} << 14;
    }

    void realShapeBlocks()
    {
        QFETCH(QString, component);
        QFETCH(int, bytes);
        QFETCH(QSize, size);
        QFETCH(QList<int>, firstSegment);
        QFETCH(int, bandRow);
        TRegion shape;
        readFromResource(shape, component);
        QCOMPARE(int(shape.RegData.size()), bytes);
        shape.SetEnabled(true);
        QCOMPARE(int(shape.FShapeWidth), size.width());
        QCOMPARE(int(shape.FShapeHeight), size.height());
        QCOMPARE(int(shape.FSegments.size()), size.height());
        const TRegionSegment& s = shape.FSegments.front();
        QCOMPARE((QList<int>{s.X1, s.X2, s.Y}), firstSegment);
        for (int r = 0; r < size.height(); ++r) {
            const TRegionSegment& row = shape.FSegments[size_t(r)];
            const TRegionSegment& mirror = shape.FSegments[size_t(size.height() - 1 - r)];
            QCOMPARE(int(row.Y), r);
            QCOMPARE(row.X1, mirror.X1);
            QCOMPARE(row.X2, mirror.X2);
        }
        for (int r = bandRow - 1; r <= bandRow + 1; ++r) {
            QCOMPARE(int(shape.FSegments[size_t(r)].X1), 0);
            QCOMPARE(int(shape.FSegments[size_t(r)].X2), size.width());
        }
    }

    void fieldWidths_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("segmentBytes");
        QTest::newRow("255 x 255: one-byte fields") << 255 << 255 << 3;
        QTest::newRow("256 wide: two-byte X") << 256 << 10 << 5;
        QTest::newRow("256 high: two-byte Y") << 10 << 256 << 4;
        QTest::newRow("256 x 256") << 256 << 256 << 6;
    }

    void fieldWidths()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, segmentBytes);
        TRegion r;
        r.RegData = shapeData(quint16(width), quint16(height), {{1, 9, 2}, {250, 255, 254}});
        QCOMPARE(int(r.RegData.size()), 4 + 2 * segmentBytes);
        r.SetEnabled(true);
        QCOMPARE(int(r.FSegments.size()), 2);
        QCOMPARE(int(r.FSegments[1].X1), 250);
        QCOMPARE(int(r.FSegments[1].X2), 255);
        QCOMPARE(int(r.FSegments[1].Y), 254);
    }

    void segmentsAndStates()
    {
        TRegion r;
        // A segment with X1 == X2 paints nothing; a last segment cut short is skipped.
        r.RegData = shapeData(8, 4, {{2, 5, 1}, {6, 6, 2}}) + QByteArray("\x01\x02", 2);
        r.SetEnabled(true);
        QCOMPARE(int(r.FSegments.size()), 2);
        TBitmap bmp;
        r.PaintToBitmap(&bmp, clWhite, clBlack);
        QCOMPARE(bmp.Width(), 8);
        QCOMPARE(bmp.Height(), 4);
        QCOMPARE(pixelsNotOf(bmp.image()), toSet({{2, 1}, {3, 1}, {4, 1}}));
        r.SetEnabled(true);
        QCOMPARE(int(r.FSegments.size()), 2);
        const QByteArray data = r.RegData;
        r.SetEnabled(false);
        QVERIFY(r.FSegments.empty());
        QCOMPARE(r.RegData, data);
        QCOMPARE(int(r.FShapeWidth), 8);
        QCOMPARE(int(r.FShapeHeight), 4);
        r.PaintToBitmap(nullptr, clWhite, clBlack);
    }

    void emptyDataKeepsTheLastSize()
    {
        TRegion never;
        never.SetEnabled(true);
        TBitmap bmp(3, 3);
        never.PaintToBitmap(&bmp, clWhite, clBlack);
        QCOMPARE(bmp.Width(), 0);
        TRegion r;
        r.RegData = shapeData(5, 6, {});
        r.SetEnabled(true);
        r.RegData.clear();
        r.SetEnabled(true);
        QCOMPARE(int(r.FShapeWidth), 5);
        QCOMPARE(int(r.FShapeHeight), 6);
    }

    void dataBlock()
    {
        TRegion empty;
        QVERIFY(!empty.HasData());
        TRegion r;
        r.RegData = shapeData(9, 9, {{1, 2, 3}});
        QVERIFY(r.HasData());
        QBuffer stream;
        stream.open(QIODevice::ReadWrite);
        r.WriteRegData(stream);
        QCOMPARE(stream.data().left(4), QByteArray("\x07\x00\x00\x00", 4));
        stream.seek(0);
        TRegion back;
        back.ReadRegData(stream);
        QCOMPARE(back.RegData, r.RegData);
        // A block cut short keeps what there was.
        QBuffer cut;
        cut.setData(stream.data().left(6));
        cut.open(QIODevice::ReadOnly);
        back.ReadRegData(cut);
        QCOMPARE(back.RegData, r.RegData.left(2));
    }
};

// The drawing layer needs no widgets: a QGuiApplication runs these.
QTEST_MAIN(TestRegion)
#include "tst_region.moc"
