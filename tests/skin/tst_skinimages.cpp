#include "platform/base/Errors.h"
#include "skin/Vision.h"
#include "skin/ZlatovirButtons.h"
#include "skin/funkcije.h"
#include "tests/TestMain.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QPalette>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <functional>

#include <jpeglib.h>
#include <jerror.h>

using Reds = QList<int>;
using PaintCall = std::function<void()>;
Q_DECLARE_METATYPE(PaintCall)

namespace {

constexpr TColor SteelBlue = 0x00B38855;

TColor red(int r) { return rgbColor(r, 0, 0); }

std::vector<TBitmap*> allImages()
{
    return {bmpPitanje, bmpOdgovorNormal, bmpOdgovorIn, bmpOdgovorChech, bmpOdgovorOK, bmpOdgovorYES, bmpOdgovorNO};
}

std::vector<TColor*> allColourGlobals()
{
    return {&clrPitanjeText,      &clrOdgovorNormalText, &clrOdgovorNormalChar, &clrOdgovorInText,
            &clrOdgovorInChar,    &clrOdgovorChechText,  &clrOdgovorChechChar,  &clrOdgovorOKText,
            &clrOdgovorOKChar,    &clrOdgovorYESText,    &clrOdgovorNOText};
}

// Columns of an answer image's row 7 that lie clear of the outline.
QList<int> fillOnlyColumns()
{
    QList<int> xs;
    for (int x = 0; x <= 20; ++x)
        xs << x;
    for (int x = 376; x < 400; ++x)
        xs << x;
    return xs;
}

} // namespace

class TestSkinImages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Colours of the standard skin as players with each deficiency see them,
    // worked by hand from the published matrices (Machado et al. 2009,
    // severity 1.0): sRGB decoded, the matrix, clipped, encoded, rounded.
    void visionSimulation_data()
    {
        QTest::addColumn<QString>("vision");
        QTest::addColumn<QRgb>("colour");
        QTest::addColumn<QRgb>("seen");
        const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 204, 51), orange = qRgb(255, 153, 0);
        QTest::newRow("normal keeps it") << "normal" << orange << orange;
        QTest::newRow("protanopia, red") << "protanopia" << red << qRgb(109, 95, 0);
        QTest::newRow("protanopia, green") << "protanopia" << green << qRgb(208, 184, 17);
        QTest::newRow("deuteranopia, red") << "deuteranopia" << red << qRgb(163, 144, 0);
        QTest::newRow("deuteranopia, green") << "deuteranopia" << green << qRgb(190, 171, 68);
        QTest::newRow("deuteranopia, orange") << "deuteranopia" << orange << qRgb(210, 187, 6);
        QTest::newRow("tritanopia, red (blue clipped up from below)") << "tritanopia" << red << qRgb(255, 0, 15);
        QTest::newRow("tritanopia, green") << "tritanopia" << green << qRgb(0, 198, 175);
        QTest::newRow("tritanopia, orange") << "tritanopia" << orange << qRgb(255, 129, 130);
    }

    void visionSimulation()
    {
        QFETCH(QString, vision);
        QFETCH(QRgb, colour);
        QFETCH(QRgb, seen);
        QCOMPARE(simulateVision(colour, *visionNamed(vision)), seen);
        QImage picture(2, 1, QImage::Format_RGB32);
        picture.setPixel(0, 0, colour);
        picture.setPixel(1, 0, qRgb(0, 0, 0));
        QCOMPARE(simulateVision(picture, *visionNamed(vision)).pixel(0, 0), seen);
    }

    void init() { initializeSkinRendering(); }
    void cleanup() { finalizeSkinRendering(); }

    void gradientWorkedExamples_data()
    {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<Reds>("strokes");
        QTest::newRow("0 to 10 across, halves to even") << true << 0 << 10 << Reds{0, 2, 5, 8, 10};
        QTest::newRow("200 to 100 across") << true << 200 << 100 << Reds{200, 175, 150, 125, 100};
        QTest::newRow("3 to 0 across, n = 2") << true << 3 << 0 << Reds{3, 2, 0};
        QTest::newRow("0 to 10 down") << false << 0 << 10 << Reds{0, 2, 5, 8, 10};
        QTest::newRow("3 to 0 down, n = 2") << false << 3 << 0 << Reds{3, 2, 0};
    }

    // n + 1 one-pixel strokes, both ends included; each covers the two rows
    // (or columns) of the area and leaves out its end point.
    void gradientWorkedExamples()
    {
        QFETCH(bool, horizontal);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(Reds, strokes);
        const int n = int(strokes.size()) - 1;
        TBitmap bmp(horizontal ? n + 2 : 3, horizontal ? 3 : n + 2);
        if (horizontal)
            funkcije::FillGradientHorizontal(bmp.Canvas(), red(from), red(to), 0, 0, n, 2);
        else
            funkcije::FillGradientVertical(bmp.Canvas(), red(from), red(to), 0, 0, 2, n);
        for (int i = 0; i <= n + 1; ++i) {
            for (int j = 0; j <= 2; ++j) {
                const int x = horizontal ? i : j, y = horizontal ? j : i;
                const TColor expected = (i <= n && j < 2) ? red(strokes[i]) : clWhite;
                QVERIFY2(bmp.Canvas().GetPixel(x, y) == expected, qPrintable(QStringLiteral("(%1,%2)").arg(x).arg(y)));
            }
        }
    }

    void emptyOrInvertedAreasDrawNothing_data()
    {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<QList<int>>("area"); // Top, Left, Right, Bottom
        QTest::newRow("Right == Left") << true << QList<int>{0, 3, 3, 5};
        QTest::newRow("Right < Left") << true << QList<int>{0, 5, 2, 5};
        QTest::newRow("Bottom == Top") << false << QList<int>{2, 0, 6, 2};
        QTest::newRow("Bottom < Top") << false << QList<int>{4, 0, 6, 1};
    }

    void emptyOrInvertedAreasDrawNothing()
    {
        QFETCH(bool, horizontal);
        QFETCH(QList<int>, area);
        TBitmap bmp(8, 8);
        auto fill = horizontal ? funkcije::FillGradientHorizontal : funkcije::FillGradientVertical;
        fill(bmp.Canvas(), clBlack, clRed, area[0], area[1], area[2], area[3]);
        QVERIFY(pixelsNotOf(bmp.image()).empty());
    }

    void equalEndsGiveASolidFill()
    {
        TBitmap bmp(9, 4);
        funkcije::FillGradientHorizontal(bmp.Canvas(), 0x00123456, 0x00123456, 0, 0, 9, 4);
        QVERIFY(pixelsNotOf(bmp.image(), 0x00123456).empty());
    }

    // The fill takes a system colour's raw low bytes; the pen resolves it.
    void systemColourInFillAndInOutline()
    {
        PaintOdgovorNormalImage(clWhite, clAqua, clBtnFace, clBtnFace, clBtnFace, 1);
        QCOMPARE(bmpOdgovorNormal->Canvas().GetPixel(0, 7), rgbColor(15, 0, 0));
        QCOMPARE(bmpOdgovorNormal->image().pixel(200, 1),
                 QApplication::palette().color(QPalette::Button).rgb() | 0xFF000000u);
    }

    void questionDirections_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("endRed");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<int>("probeRed");
        QTest::addColumn<QPoint>("sameAsProbe");
        QTest::addColumn<QPoint>("otherThanProbe");
        // Repaints stroke with the 3-pixel pen, so row y (column x) shows
        // stroke y + 1 (x + 1). Steps of 2 and 0.25 are exact.
        QTest::newRow("Dole: horizontal bands") << 0 << 122 << QPoint(400, 20) << 42 << QPoint(200, 20)
                                                << QPoint(400, 40);
        QTest::newRow("Desno: vertical bands") << 1 << 200 << QPoint(400, 20) << 100 << QPoint(400, 40)
                                               << QPoint(500, 20);
    }

    void questionDirections()
    {
        QFETCH(int, direction);
        QFETCH(int, endRed);
        QFETCH(QPoint, probe);
        QFETCH(int, probeRed);
        QFETCH(QPoint, sameAsProbe);
        QFETCH(QPoint, otherThanProbe);
        PaintPitanjeImage(clWhite, SteelBlue, red(0), red(endRed), GradientDirection(direction));
        const TCanvas& c = bmpPitanje->Canvas();
        QCOMPARE(c.GetPixel(probe.x(), probe.y()), red(probeRed));
        QCOMPARE(c.GetPixel(sameAsProbe.x(), sameAsProbe.y()), red(probeRed));
        QVERIFY(c.GetPixel(otherThanProbe.x(), otherThanProbe.y()) != red(probeRed));
        // The last row (column) inside the image is exactly C2 after a repaint.
        const QPoint last = direction == 0 ? QPoint(5, 60) : QPoint(799, 10);
        QCOMPARE(c.GetPixel(last.x(), last.y()), red(endRed));
    }

    void directionOtherThanZeroOrOneRepaintsOnlyTheOutline()
    {
        PaintPitanjeImage(clWhite, SteelBlue, red(0), red(200), 1);
        const QImage before = snapshot(*bmpPitanje);
        PaintPitanjeImage(clWhite, clLime, clBlue, clYellow, 2);
        int changed = 0;
        for (int y = 0; y < 61; ++y)
            for (int x = 0; x < 800; ++x) {
                const TColor now = bmpPitanje->Canvas().GetPixel(x, y);
                if (now != colorFromRgb(before.pixel(x, y))) {
                    QCOMPARE(now, clLime);
                    ++changed;
                }
            }
        QVERIFY(changed > 2000);
        QCOMPARE(bmpPitanje->Canvas().GetPixel(400, 1), clLime);
        QCOMPARE(bmpPitanje->Canvas().GetPixel(400, 30), colorFromRgb(before.pixel(400, 30)));
    }

    void firstPaintStrokesOnePixelLaterPaintsThree_data()
    {
        QTest::addColumn<int>("paint");
        QTest::addColumn<int>("strokeOffset");
        QTest::newRow("first paint: column x shows stroke x") << 1 << 0;
        QTest::newRow("repaint: column x shows stroke x + 1") << 2 << 1;
    }

    // 0 to 200 over 400 columns: exact half steps, so ties to even show.
    void firstPaintStrokesOnePixelLaterPaintsThree()
    {
        QFETCH(int, paint);
        QFETCH(int, strokeOffset);
        TBitmap bmp(AnswerImageWidth, AnswerImageHeight);
        for (int i = 0; i < paint; ++i)
            DrawAnswerShape(bmp.Canvas(), SteelBlue, red(0), red(200), 1);
        QCOMPARE(bmp.Canvas().Pen.Width, 3);
        for (int x : fillOnlyColumns()) {
            const int expected = int(std::nearbyint(0.5 * (x + strokeOffset)));
            QVERIFY2(bmp.Canvas().GetPixel(x, 7) == red(expected), qPrintable(QString::number(x)));
        }
    }

    void repaintEndsExactlyOnC2AndStartsOneStepAfterC1()
    {
        PaintOdgovorInImage(clWhite, clAqua, SteelBlue, red(0), red(200), 1);
        QCOMPARE(bmpOdgovorIn->Canvas().GetPixel(399, 7), red(200));
        QCOMPARE(bmpOdgovorIn->Canvas().GetPixel(0, 7), red(0)); // stroke 1: 0.5 rounds to 0
        QCOMPARE(bmpOdgovorIn->Canvas().GetPixel(2, 7), red(2)); // stroke 3: 1.5 rounds to 2
        PaintOdgovorInImage(clWhite, clAqua, SteelBlue, red(0), red(58), 0);
        QCOMPARE(bmpOdgovorIn->Canvas().GetPixel(5, 28), red(58));
        QCOMPARE(bmpOdgovorIn->Canvas().GetPixel(5, 0), red(2));
    }

    // Black inside and outside the hexagon, a steel-blue outline: 3 pixels
    // across the top and bottom and the stems, 4 across the slanted sides.
    void defaultQuestionImage()
    {
        const TCanvas& c = bmpPitanje->Canvas();
        for (int y = 0; y < 61; ++y)
            for (int x = 0; x < 800; ++x) {
                const TColor px = c.GetPixel(x, y);
                QVERIFY2(px == clBlack || px == SteelBlue, qPrintable(QStringLiteral("(%1,%2)").arg(x).arg(y)));
            }
        auto columnRun = [&](int x, int y0, int y1) {
            int n = 0;
            for (int y = y0; y <= y1; ++y)
                n += c.GetPixel(x, y) == SteelBlue;
            return n;
        };
        QCOMPARE(columnRun(400, 0, 10), 3);  // top
        QCOMPARE(columnRun(400, 50, 60), 3); // bottom
        QCOMPARE(columnRun(10, 20, 40), 3);  // left stem
        QCOMPARE(columnRun(790, 20, 40), 3); // right stem
        QCOMPARE(c.GetPixel(400, 30), clBlack);
        QCOMPARE(c.GetPixel(5, 5), clBlack);
        QCOMPARE(c.GetPixel(795, 55), clBlack);
    }

    void imagesMatchTheReference_data()
    {
        QTest::addColumn<bool>("applied");
        QTest::addColumn<int>("image");
        const char* const names[] = {"Pitanje",   "OdgovorNormal", "OdgovorIn", "OdgovorChech",
                                     "OdgovorOK", "OdgovorYES",    "OdgovorNO"};
        for (const bool applied : {false, true})
            for (int i = 0; i < 7; ++i)
                QTest::addRow("%s-%s", applied ? "applied" : "start", names[i]) << applied << i;
    }

    // Every pixel of the seven images at start-up, and after a skin with
    // other colours and directions is applied, equals the classic raster
    // engine's picture of the same strokes (tests/data/gdi/README.md).
    void imagesMatchTheReference()
    {
        QFETCH(bool, applied);
        QFETCH(int, image);
        if (applied) {
            // Line, C1, C2, direction of each image, as in the reference generator.
            PaintPitanjeImage(clWhite, rgbColor(255, 0, 0), rgbColor(0, 0, 128), rgbColor(240, 250, 255), 0);
            PaintOdgovorNormalImage(clWhite, clAqua, rgbColor(0, 128, 0), rgbColor(17, 34, 51), rgbColor(205, 190, 175), 1);
            PaintOdgovorInImage(clWhite, clAqua, rgbColor(255, 255, 0), rgbColor(128, 0, 128), rgbColor(0, 255, 255), 0);
            PaintOdgovorChechImage(clWhite, clAqua, rgbColor(0, 0, 0), rgbColor(255, 255, 255), rgbColor(1, 2, 3), 1);
            PaintOdgovorOKImage(clWhite, clAqua, rgbColor(192, 192, 192), rgbColor(0, 128, 128), rgbColor(255, 136, 0), 0);
            PaintOdgovorYESImage(clWhite, rgbColor(128, 0, 0), rgbColor(10, 200, 30), rgbColor(250, 40, 160), 1);
            PaintOdgovorNOImage(clWhite, rgbColor(0, 0, 255), rgbColor(99, 99, 99), rgbColor(100, 100, 100), 0);
        }
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        const QImage reference(QStringLiteral(ZV_TEST_DATA_DIR "/gdi/%1.png").arg(name));
        QVERIFY2(!reference.isNull(), qPrintable(name));
        const QImage& ours = allImages()[size_t(image)]->image();
        QCOMPARE(ours.size(), reference.size());
        int differing = 0;
        QPoint first;
        for (int y = 0; y < ours.height(); ++y)
            for (int x = 0; x < ours.width(); ++x)
                if ((ours.pixel(x, y) & 0xFFFFFF) != (reference.pixel(x, y) & 0xFFFFFF) && differing++ == 0)
                    first = QPoint(x, y);
        QVERIFY2(differing == 0, qPrintable(QStringLiteral("%1 pixels differ, the first at (%2,%3)")
                                                .arg(differing).arg(first.x()).arg(first.y())));
    }

    void imagesAndBannerExistAfterStartUp()
    {
        QCOMPARE(bmpPitanje->Width(), 800);
        QCOMPARE(bmpPitanje->Height(), 61);
        for (TBitmap* image : allImages()) {
            if (image == bmpPitanje)
                continue;
            QCOMPARE(image->Width(), 400);
            QCOMPARE(image->Height(), 29);
        }
        QCOMPARE(jpgGarant->Width(), 798);
        QCOMPARE(jpgGarant->Height(), 129);
        QCOMPARE(clrOdgovorChechChar, clAqua);
        QCOMPARE(bmpOdgovorOK->Canvas().GetPixel(0, 7), rgbColor(0, 204, 51));
    }

    void paintRoutineTouchesOnlyItsOwnImageAndColours_data()
    {
        QTest::addColumn<PaintCall>("paint");
        QTest::addColumn<int>("image");
        QTest::addColumn<QList<int>>("globals");
        const TColor t = 0x00010203, ch = 0x00040506, l = 0x00070809, a = 0x000A0B0C, b = 0x000D0E0F;
        QTest::newRow("Pitanje") << PaintCall([=] { PaintPitanjeImage(t, l, a, b, 0); }) << 0 << QList<int>{0};
        QTest::newRow("Normal") << PaintCall([=] { PaintOdgovorNormalImage(t, ch, l, a, b, 0); }) << 1
                                << QList<int>{1, 2};
        QTest::newRow("In") << PaintCall([=] { PaintOdgovorInImage(t, ch, l, a, b, 0); }) << 2 << QList<int>{3, 4};
        QTest::newRow("Chech") << PaintCall([=] { PaintOdgovorChechImage(t, ch, l, a, b, 0); }) << 3
                               << QList<int>{5, 6};
        QTest::newRow("OK") << PaintCall([=] { PaintOdgovorOKImage(t, ch, l, a, b, 0); }) << 4 << QList<int>{7, 8};
        QTest::newRow("YES") << PaintCall([=] { PaintOdgovorYESImage(t, l, a, b, 0); }) << 5 << QList<int>{9};
        QTest::newRow("NO") << PaintCall([=] { PaintOdgovorNOImage(t, l, a, b, 0); }) << 6 << QList<int>{10};
    }

    void paintRoutineTouchesOnlyItsOwnImageAndColours()
    {
        QFETCH(PaintCall, paint);
        QFETCH(int, image);
        QFETCH(QList<int>, globals);
        std::vector<QImage> before;
        for (TBitmap* bmp : allImages())
            before.push_back(snapshot(*bmp));
        std::vector<TColor> coloursBefore;
        for (TColor* g : allColourGlobals())
            coloursBefore.push_back(*g);
        paint();
        for (size_t i = 0; i < before.size(); ++i)
            QCOMPARE(allImages()[i]->image() == before[i], int(i) != image);
        for (size_t i = 0; i < coloursBefore.size(); ++i) {
            const bool own = globals.contains(int(i));
            QCOMPARE(*allColourGlobals()[i] == coloursBefore[i], !own);
            if (own)
                QVERIFY(*allColourGlobals()[i] == 0x00010203 || *allColourGlobals()[i] == 0x00040506);
        }
    }

    void startUpFailures_data()
    {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing resource") << QStringLiteral("NOPE") << QStringLiteral("Resource NOPE not found");
        QTest::newRow("not a JPEG") << QStringLiteral("NOTJPEG")
                                    << QStringLiteral("JPEG error #%1").arg(int(JERR_NO_SOI));
        QTest::newRow("cut-short JPEG") << QStringLiteral("SHORTJPEG")
                                        << QStringLiteral("JPEG error #%1").arg(int(JERR_NO_IMAGE));
    }

    // A failed start-up raises the error and releases what it created.
    void startUpFailures()
    {
        QFETCH(QString, resource);
        QFETCH(QString, message);
        finalizeSkinRendering();
        try {
            initializeSkinRendering(resource);
            QFAIL("start-up went on without its banner");
        } catch (const EditorError& e) {
            QCOMPARE(e.message(), message);
        }
        for (TBitmap* image : allImages())
            QVERIFY(image == nullptr);
        QVERIFY(jpgGarant == nullptr);
    }
};

ZV_TEST_MAIN(TestSkinImages)
#include "tst_skinimages.moc"
