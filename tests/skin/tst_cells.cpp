#include "skin/ZlatovirButtons.h"
#include "tests/TestMain.h"
#include "tests/TestSupport.h"

#include <QEnterEvent>
#include <QTest>

namespace {

// Every image painted in its own solid colour, every caption and letter
// colour distinct, so the pixels tell which image and colours a cell used.
struct Look
{
    TColor fill, text, letter;
};
const Look normalLook{0x00000011, 0x000000F1, 0x0000F100};
const Look inLook{0x00000022, 0x000000F2, 0x0000F200};
const Look chechLook{0x00000033, 0x000000F3, 0x0000F300};
const Look okLook{0x00000044, 0x000000F4, 0x0000F400};
const Look yesLook{0x00000055, 0x000000F5, 0};
const Look noLook{0x00000066, 0x000000F6, 0};
const Look noImage{clWhite, clWhite, 0};

void paintDistinctImages()
{
    const TColor line = 0x00B38855;
    PaintOdgovorNormalImage(normalLook.text, normalLook.letter, line, normalLook.fill, normalLook.fill, 1);
    PaintOdgovorInImage(inLook.text, inLook.letter, line, inLook.fill, inLook.fill, 1);
    PaintOdgovorChechImage(chechLook.text, chechLook.letter, line, chechLook.fill, chechLook.fill, 1);
    PaintOdgovorOKImage(okLook.text, okLook.letter, line, okLook.fill, okLook.fill, 1);
    PaintOdgovorYESImage(yesLook.text, line, yesLook.fill, yesLook.fill, 1);
    PaintOdgovorNOImage(noLook.text, line, noLook.fill, noLook.fill, 1);
}

TColor at(const TCustomControl& cell, int x, int y)
{
    return cell.bitmap().Canvas().GetPixel(x, y);
}

// Columns of the pixels of exactly `color` (rows 0..28).
QList<int> columnsOf(const TCustomControl& cell, TColor color)
{
    QList<int> xs;
    for (int y = 0; y < AnswerImageHeight; ++y)
        for (int x = 0; x < cell.width(); ++x)
            if (at(cell, x, y) == color)
                xs << x;
    return xs;
}

class CountingOdgovor : public TZlatovirOdgovor
{
public:
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        TZlatovirOdgovor::Paint();
    }
};

void sendEnter(QWidget& w)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&w, &enter);
}

void sendLeave(QWidget& w)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&w, &leave);
}

// A caption whose width at the cell's own font is close to `target` pixels.
QString captionOfWidth(TZlatovirOdgovor& cell, int target)
{
    TBitmap scratch(1, 1);
    scratch.Canvas().Font = cell.TextFont;
    QString caption;
    for (QChar step : {QLatin1Char('m'), QLatin1Char('i')})
        while (scratch.Canvas().TextWidth(caption + step) <= target)
            caption += step;
    return caption;
}

} // namespace

Q_DECLARE_METATYPE(TOdgovorNo)
Q_DECLARE_METATYPE(TDugmeStatus)
Q_DECLARE_METATYPE(Look)

class TestCells : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        initializeSkinRendering();
        paintDistinctImages();
    }
    void cleanup() { finalizeSkinRendering(); }

    void imageAndColoursByStateAndBox_data()
    {
        QTest::addColumn<TOdgovorNo>("box");
        QTest::addColumn<TDugmeStatus>("status");
        QTest::addColumn<int>("hover");
        QTest::addColumn<Look>("look");
        const struct
        {
            const char* name;
            TOdgovorNo box;
        } boxes[] = {{"A", odA}, {"C", odC}, {"YES", odYES}, {"NO", odNO}, {"half-half", odPolaPola}};
        for (const auto& b : boxes) {
            const bool confirmation = b.box == odYES || b.box == odNO;
            auto row = [&](const char* state, TDugmeStatus s, int hover, Look look) {
                QTest::addRow("%s, %s", b.name, state) << b.box << s << hover << look;
            };
            row("NoEnable", dsNoEnable, 0, confirmation ? noLook : normalLook);
            row("NoEnable, hovered", dsNoEnable, 1, confirmation ? noLook : normalLook);
            row("None", dsNone, 0, confirmation ? noLook : normalLook);
            row("None, hovered", dsNone, 1, confirmation ? yesLook : inLook);
            row("Select", dsSelect, 0, confirmation ? yesLook : inLook);
            row("Cheched", dsCheched, 0, confirmation ? yesLook : chechLook);
            row("SelectYES", dsSelectYES, 0, confirmation ? noImage : okLook);
        }
    }

    void imageAndColoursByStateAndBox()
    {
        QFETCH(TOdgovorNo, box);
        QFETCH(TDugmeStatus, status);
        QFETCH(int, hover);
        QFETCH(Look, look);
        TZlatovirOdgovor cell;
        cell.setOdgovorNo(box);
        cell.HoverState = std::uint8_t(hover);
        cell.setLblCaption(QStringLiteral("Tekst"));
        cell.setDStatus(status);

        // The image shows away from any text; rows 29 and 30 keep the background.
        QCOMPARE(at(cell, 3, 5), look.fill);
        QCOMPARE(at(cell, 396, 24), look.fill);
        QCOMPARE(at(cell, 200, 29), clWhite);
        QCOMPARE(at(cell, 200, 30), clWhite);

        const QList<int> captionXs = columnsOf(cell, look.text);
        QVERIFY(!captionXs.isEmpty());
        if (cell.hasLetter()) {
            QVERIFY(*std::min_element(captionXs.begin(), captionXs.end()) >= 68);
            const QList<int> letterXs = columnsOf(cell, look.letter);
            QVERIFY(!letterXs.isEmpty());
            QVERIFY(*std::min_element(letterXs.begin(), letterXs.end()) >= 38);
            QVERIFY(*std::max_element(letterXs.begin(), letterXs.end()) < 70);
        } else {
            for (const Look& l : {normalLook, inLook, chechLook, okLook})
                QVERIFY(columnsOf(cell, l.letter).isEmpty());
            if (look.fill != clWhite) {
                // Centred: as much room on the left as on the right.
                const int left = *std::min_element(captionXs.begin(), captionXs.end());
                const int right = 399 - *std::max_element(captionXs.begin(), captionXs.end());
                QVERIFY2(std::abs(left - right) <= 4, qPrintable(QStringLiteral("%1 vs %2").arg(left).arg(right)));
            }
        }
    }

    void confirmationCellInSelectYesIsWhiteThroughout()
    {
        TZlatovirOdgovor cell;
        cell.setOdgovorNo(odNO);
        cell.setLblCaption(QStringLiteral("Potvrda (ulaz)"));
        cell.setDStatus(dsSelectYES);
        QImage picture = cell.bitmap().image().copy(0, 0, 400, 29);
        QVERIFY(pixelsNotOf(picture).empty());
    }

    void letterAndCaptionPositions_data()
    {
        QTest::addColumn<TOdgovorNo>("box");
        QTest::addColumn<QString>("letter");
        QTest::newRow("A") << odA << QStringLiteral("A:");
        QTest::newRow("D") << odD << QStringLiteral("D:");
    }

    // The letter's text box starts at (40, 1); the caption's at x = 70,
    // centred vertically with one pixel up: the cell's letter and caption
    // are, pixel for pixel, the same texts drawn there in the same fonts.
    void letterAndCaptionPositions()
    {
        QFETCH(TOdgovorNo, box);
        QFETCH(QString, letter);
        TZlatovirOdgovor cell;
        cell.setOdgovorNo(box);
        cell.setLblCaption(QStringLiteral("Odgovor"));
        cell.setDStatus(dsSelect);
        TBitmap probe(400, 29);
        TCanvas& c = probe.Canvas();
        c.Brush.Style = bsClear;
        c.Font = cell.CharFont;
        c.Font.Color = inLook.letter;
        c.TextOut(40, 1, letter);
        c.Font = cell.TextFont;
        c.Font.Color = inLook.text;
        c.TextOut(70, (31 - c.TextHeight()) / 2 - 1, QStringLiteral("Odgovor"));
        for (const TColor colour : {inLook.letter, inLook.text}) {
            QList<QPoint> drawn, expected;
            for (int y = 0; y < 29; ++y)
                for (int x = 0; x < 400; ++x) {
                    if (at(cell, x, y) == colour)
                        drawn << QPoint(x, y);
                    if (c.GetPixel(x, y) == colour)
                        expected << QPoint(x, y);
                }
            QVERIFY(!expected.isEmpty());
            QCOMPARE(drawn, expected);
        }
    }

    void fitFontSizeShrinksTheCaptionNotTheFont()
    {
        TZlatovirOdgovor cell;
        const QString caption = captionOfWidth(cell, 350);
        TBitmap scratch(1, 1);
        TCanvas& c = scratch.Canvas();
        c.Font = cell.TextFont;
        QVERIFY(c.TextWidth(caption) > 340);
        int expected = 0;
        for (int size = 13; size >= 1 && !expected; --size) {
            c.Font.SetSize(size);
            if (c.TextWidth(caption) <= 300)
                expected = size;
        }
        QVERIFY(expected > 0 && expected < 14);
        c.Font = cell.TextFont;
        QCOMPARE(cell.FitFontSize(c, 300, caption), expected);
        QCOMPARE(cell.TextFont.Size(), 14);

        c.Font = cell.TextFont;
        QCOMPARE(cell.FitFontSize(c, 300, QStringLiteral("kratko")), 14);
        // Exactly at the limit: its size stays.
        c.Font = cell.TextFont;
        QCOMPARE(cell.FitFontSize(c, c.TextWidth(caption), caption), 14);
        c.Font = cell.TextFont;
        QCOMPARE(cell.FitFontSize(c, 300, QString(400, QLatin1Char('W'))), 14);
        QCOMPARE(c.Font.Size(), 1);

        // Drawn at the fitted size: the caption now ends by x = 370.
        cell.setLblCaption(caption);
        cell.setDStatus(dsSelect);
        const QList<int> xs = columnsOf(cell, inLook.text);
        QVERIFY(!xs.isEmpty());
        QVERIFY(*std::max_element(xs.begin(), xs.end()) <= 371);
    }

    void whichSettersRepaint()
    {
        CountingOdgovor cell;
        cell.setOdgovorNo(odC);
        QCOMPARE(cell.paints, 0);
        cell.setDStatus(dsCheched);
        QCOMPARE(cell.paints, 1);
        cell.setLblCaption(QStringLiteral("x"));
        QCOMPARE(cell.paints, 2);
        cell.Redraw();
        QCOMPARE(cell.paints, 3);
    }

    void hover_data()
    {
        QTest::addColumn<TOdgovorNo>("box");
        QTest::addColumn<TDugmeStatus>("status");
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<Look>("outside");
        QTest::addColumn<Look>("inside");
        QTest::newRow("answer in dsNone") << odB << dsNone << QString() << normalLook << inLook;
        QTest::newRow("confirmation in dsNone") << odYES << dsNone << QString() << noLook << yesLook;
        QTest::newRow("disabled") << odB << dsNone << QStringLiteral("disabled") << normalLook << normalLook;
        QTest::newRow("mouse captured elsewhere") << odB << dsNone << QStringLiteral("capture") << normalLook
                                                  << normalLook;
        QTest::newRow("automatic drag") << odB << dsNone << QStringLiteral("drag") << normalLook << normalLook;
        QTest::newRow("other states keep their look") << odB << dsCheched << QString() << chechLook << chechLook;
    }

    void hover()
    {
        QFETCH(TOdgovorNo, box);
        QFETCH(TDugmeStatus, status);
        QFETCH(QString, obstacle);
        QFETCH(Look, outside);
        QFETCH(Look, inside);
        // Hidden widgets: no enter or leave comes from the window system.
        QWidget window;
        auto* cell = new TZlatovirOdgovor(&window);
        auto* other = new QWidget(&window);
        cell->setOdgovorNo(box);
        cell->setDStatus(status);
        if (obstacle == QLatin1String("disabled"))
            cell->setEnabled(false);
        if (obstacle == QLatin1String("capture"))
            other->grabMouse();
        if (obstacle == QLatin1String("drag"))
            cell->setDragMode(dmAutomatic);
        QCOMPARE(at(*cell, 3, 5), outside.fill);
        sendEnter(*cell);
        QCOMPARE(at(*cell, 3, 5), inside.fill);
        if (obstacle == QLatin1String("capture"))
            other->releaseMouse();
        sendLeave(*cell);
        QCOMPARE(at(*cell, 3, 5), outside.fill);
        QCOMPARE(cell->HoverState, std::uint8_t(0));
    }

    void clicks_data()
    {
        QTest::addColumn<TDugmeStatus>("status");
        QTest::addColumn<bool>("handler");
        QTest::addColumn<bool>("called");
        QTest::newRow("NoEnable with a handler") << dsNoEnable << true << false;
        QTest::newRow("Select with a handler") << dsSelect << true << true;
        QTest::newRow("SelectYES with a handler") << dsSelectYES << true << true;
        QTest::newRow("Select without a handler") << dsSelect << false << false;
    }

    void clicks()
    {
        QFETCH(TDugmeStatus, status);
        QFETCH(bool, handler);
        QFETCH(bool, called);
        TZlatovirOdgovor cell;
        cell.setOdgovorNo(odD);
        cell.setDStatus(status);
        QList<TOdgovorNo> calls;
        if (handler)
            cell.OnOdgovorClick = [&calls](TOdgovorNo no) { calls << no; };
        QTest::mouseClick(&cell, Qt::LeftButton, {}, QPoint(100, 10));
        QCOMPARE(calls, called ? QList<TOdgovorNo>{odD} : QList<TOdgovorNo>{});
    }

    void questionCaptionIsCentredAsABlock_data()
    {
        QTest::addColumn<int>("words");
        QTest::newRow("one line") << 1;
        QTest::newRow("more lines than fit") << 60;
    }

    void questionCaptionIsCentredAsABlock()
    {
        QFETCH(int, words);
        TZlatovirPitanje cell;
        PaintPitanjeImage(0x0000FFEE, 0x00B38855, clBlack, clBlack, 1);
        QStringList text;
        for (int i = 0; i < words; ++i)
            text << QStringLiteral("Pitanje");
        cell.setLblCaption(text.join(QLatin1Char(' ')));
        TBitmap scratch(1, 1);
        scratch.Canvas().Font = cell.TextFont;
        const int lineHeight = scratch.Canvas().TextHeight();
        QRect measure(65, 0, 736 - 65, 61);
        const int blockHeight =
            scratch.Canvas().DrawText(cell.LblCaption(), measure, TextFormat::Center | TextFormat::WordBreak | TextFormat::ExpandTabs | TextFormat::CalcRect);
        QCOMPARE(blockHeight % lineHeight, 0);
        QCOMPARE(blockHeight > 61, words > 1);
        const QRect r = cell.captionRect();
        QCOMPARE(r.left(), 65);
        QCOMPARE(r.left() + r.width(), 736);
        QCOMPARE(r.top(), (61 - blockHeight) / 2);
        // The caption's pixels lie inside the block, between x = 65 and 736.
        int found = 0;
        for (int y = 0; y < 61; ++y)
            for (int x = 0; x < 800; ++x)
                if (at(cell, x, y) == 0x0000FFEE) {
                    ++found;
                    QVERIFY(x >= 64 && x <= 737);
                    QVERIFY(y >= r.top() && y < r.top() + blockHeight);
                }
        QVERIFY(found > 0);
    }
};

ZV_TEST_MAIN(TestCells)
#include "tst_cells.moc"
