#include "app/Unit3.h"
#include "tests/TestMain.h"
#include "tests/TestSupport.h"
#include "tests/app/EditorFixture.h"

#include <QEvent>
#include <QFile>
#include <QTest>
#include <QTimer>

namespace {

constexpr TColor Background = 0x00400800;

QImage topRows(TfrmAbout* about)
{
    return component<TImage>(about, "Image1")->bitmap().image().copy(0, 0, 587, 50);
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

    EditorFixture editor;
    TfrmAbout* about() { return editor.session->frmAbout(); }

    // H: the text lines' heights plus 7 for each gap.
    int expectedTextHeight()
    {
        TCanvas& c = about()->FTextBitmap->Canvas();
        int h = 0;
        for (const QString& line : TfrmAbout::AboutLines)
            h += line == QLatin1String(" ") ? 7 : c.TextHeight();
        return h;
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(settingsFileName());
        editor.start();
    }
    void cleanup() { editor.stop(); }

    void layout()
    {
        QCOMPARE(about()->size(), QSize(587, 386));
        QCOMPARE(about()->windowTitle(), QStringLiteral("O programu"));
        QVERIFY(about()->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(component<TImage>(about(), "Image1")->geometry(), QRect(0, 0, 587, 386));
        QCOMPARE(about()->tmrUp.interval(), 100);
        QCOMPARE(about()->tmrWait.interval(), 10000);
        QCOMPARE(TfrmAbout::AboutLines.size(), 17);
        QCOMPARE(TfrmAbout::Title, QStringLiteral("ZLATOVIR VEDU DOZEZI  0.4"));
        QVERIFY(!about()->isVisible());
    }

    // Twelve lines of 18 pixels and five gaps of 7: H = 251.
    void textBitmapHeight()
    {
        QCOMPARE(about()->FTextBitmap->Canvas().TextHeight(), 18);
        QCOMPARE(expectedTextHeight(), 251);
        QCOMPARE(about()->FTextBitmap->Height(), 251);
        const TCanvas& c = about()->FTextBitmap->Canvas();
        const int w = about()->FTextBitmap->Width();
        // The icon at the four corners, over the background.
        for (const QPoint& p : {QPoint(16, 16), QPoint(w - 16, 16), QPoint(16, 251 - 16), QPoint(w - 16, 251 - 16)})
            QVERIFY2(c.GetPixel(p.x(), p.y()) != Background, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        QCOMPARE(c.GetPixel(w / 2, 251 - 1), Background);
    }

    void theWorkedCycle()
    {
        about()->FormShow();
        QCOMPARE(about()->FTextTop, 386);
        QVERIFY(about()->FEntering);
        QVERIFY(about()->tmrUp.isActive());
        about()->tmrUpTimer();
        QCOMPARE(about()->FTextTop, 384);
        for (int step = 2; step <= 146; ++step)
            about()->tmrUpTimer();
        QCOMPARE(about()->FTextTop, 94);
        QVERIFY(about()->FEntering && about()->tmrUp.isActive());
        about()->tmrUpTimer(); // step 147: it rests
        QCOMPARE(about()->FTextTop, 92);
        QVERIFY(!about()->FEntering);
        QVERIFY(!about()->tmrUp.isActive());
        QVERIFY(about()->tmrWait.isActive());
        about()->tmrWaitTimer();
        QVERIFY(about()->tmrUp.isActive() && !about()->tmrWait.isActive());
        for (int step = 1; step <= 146; ++step)
            about()->tmrUpTimer();
        QCOMPARE(about()->FTextTop, -200);
        about()->tmrUpTimer(); // -202 is below 50 - 251: back to the bottom
        QCOMPARE(about()->FTextTop, 386);
        QVERIFY(about()->FEntering);
        about()->FormClose();
    }

    // Rows 0 to 49 hold the background and the title only, at every step.
    void noTextAboveRow50()
    {
        about()->FormShow();
        about()->tmrUpTimer();
        const QImage reference = topRows(about());
        int steps = 0;
        while (steps < 2 * 147 + 5) {
            if (about()->tmrWait.isActive())
                about()->tmrWaitTimer();
            about()->tmrUpTimer();
            ++steps;
            QVERIFY2(topRows(about()) == reference, qPrintable(QStringLiteral("step %1").arg(steps)));
        }
        // And the text does show below row 50 on the way.
        QVERIFY(pixelsNotOf(component<TImage>(about(), "Image1")->bitmap().image().copy(0, 50, 587, 336), Background).size() > 100);
        about()->FormClose();
    }

    void titleShadowOnePixelRightAndBelow()
    {
        about()->FormShow();
        about()->tmrUpTimer();
        const QImage top = topRows(about());
        QRect red, white;
        for (int y = 0; y < top.height(); ++y)
            for (int x = 0; x < top.width(); ++x) {
                const TColor px = colorFromRgb(top.pixel(x, y));
                if (px == clRed)
                    red |= QRect(x, y, 1, 1);
                if (px == clWhite)
                    white |= QRect(x, y, 1, 1);
            }
        QVERIFY(!red.isEmpty() && !white.isEmpty());
        QCOMPARE(white.right(), red.right() + 1);
        QCOMPARE(white.bottom(), red.bottom() + 1);
        QVERIFY(red.top() >= 10);
        about()->FormClose();
    }

    void reopeningStartsFromTheBottom()
    {
        about()->show();
        for (int step = 0; step < 147; ++step)
            about()->tmrUpTimer();
        QVERIFY(about()->tmrWait.isActive());
        about()->close();
        QVERIFY(!about()->tmrWait.isActive() && !about()->tmrUp.isActive());
        about()->show();
        QCOMPARE(about()->FTextTop, 386);
        QVERIFY(about()->FEntering);
        QVERIFY(about()->tmrUp.isActive());
        about()->close();
    }

    // Restoring the minimised window is no new showing: the text goes on
    // where it was (the window system's restore arrives as a state change
    // from minimised, which Qt answers with a spontaneous show event).
    void restoringFromMinimisedKeepsTheAnimation()
    {
        about()->show();
        for (int step = 0; step < 10; ++step)
            about()->tmrUpTimer();
        QWindowStateChangeEvent restored(Qt::WindowMinimized);
        QCoreApplication::sendEvent(about(), &restored);
        QCOMPARE(about()->FTextTop, 366);
        about()->close();
    }

    void menuShowsTheSameWindowModallyAndADoubleClickCloses()
    {
        QList<QWidget*> seen;
        for (int round = 0; round < 3; ++round) {
            QTimer::singleShot(0, this, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                seen << modal;
                if (modal == about())
                    QTest::mouseDClick(component<TImage>(about(), "Image1"), Qt::LeftButton);
            });
            component<QAction>(editor.w(), "Oprogramu1")->trigger();
            QVERIFY(!about()->isVisible());
        }
        QCOMPARE(seen, (QList<QWidget*>{about(), about(), about()}));
        QCOMPARE(about()->textBuilds(), 1);
        QVERIFY(!about()->tmrUp.isActive());
    }
};

ZV_TEST_MAIN(TestAbout)
#include "tst_about.moc"
