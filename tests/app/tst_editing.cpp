#include "tests/TestMain.h"
#include "tests/TestSupport.h"
#include "tests/app/EditorFixture.h"

#include <QFile>
#include <QTest>

namespace {

constexpr TColor Steel = 0x00B38855;

// The seven colour pages in the order of cellPaints() and imageSnapshots().
struct PageUnderTest
{
    const char* name;
    const char* c2Box;
    const char* desno;
};
const PageUnderTest pages[] = {
    {"Pitanje", "cbPitanjeC2", "rbPitanjeDesno"},
    {"Normal", "cbOdgovorNormalC2", "rbOdgovorNormalDesno"},
    {"In", "cbOdgovorInC2", "rbOdgovorInDesno"},
    {"Chech", "cbOdgovorChechC2", "rbOdgovorChechDesno"},
    {"OK", "cbOdgovorOKC2", "rbOdgovorOKDesno"},
    {"NO", "cbOdgovorNOC2", "rbOdgovorNODesno"},
    {"YES", "cbOdgovorYESC2", "rbOdgovorYESDesno"},
};

QList<QString> changedImages(const std::vector<QImage>& before)
{
    QList<QString> changed;
    const std::vector<QImage> after = imageSnapshots();
    for (size_t i = 0; i < after.size(); ++i)
        if (after[i] != before[i])
            changed << QString::fromLatin1(pages[i].name);
    return changed;
}

QList<QString> repaintedCells(const std::vector<int>& before, const std::vector<int>& after)
{
    QList<QString> out;
    for (size_t i = 0; i < after.size(); ++i)
        if (after[i] != before[i])
            out << QString::fromLatin1(pages[i].name) + QStringLiteral(" x%1").arg(after[i] - before[i]);
    return out;
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

    EditorFixture editor;
    TfrmMain* w() { return editor.w(); }

private Q_SLOTS:
    void init()
    {
        QFile::remove(settingsFileName());
        editor.start();
    }
    void cleanup() { editor.stop(); }

    void stateRightAfterCreation()
    {
        QCOMPARE(w()->document().isModified(), false);
        QCOMPARE(w()->document().currentFileName(), QStringLiteral("NovaSkinDatoteka"));
        QCOMPARE(w()->windowTitle(), QStringLiteral("Zlatovir VODU Editor [ NovaSkinDatoteka ]"));
        QCOMPARE(Application()->Title(), QStringLiteral("Zlatovir VEDU Dozezi"));
    }

    void userPicksAColourOnEachPage_data()
    {
        QTest::addColumn<int>("page");
        for (int i = 0; i < 7; ++i)
            QTest::newRow(pages[i].name) << i;
    }

    // The page's image and its one cell are repainted, nothing else.
    void userPicksAColourOnEachPage()
    {
        QFETCH(int, page);
        const std::vector<QImage> images = imageSnapshots();
        const std::vector<int> paints = cellPaints(w());
        auto* box = w()->findChild<TColorBox*>(QString::fromLatin1(pages[page].c2Box));
        userPicksColour(*box, clFuchsia);
        QCOMPARE(box->Selected(), clFuchsia);
        QCOMPARE(changedImages(images), QList<QString>{QString::fromLatin1(pages[page].name)});
        QCOMPARE(repaintedCells(paints, cellPaints(w())), QList<QString>{QString::fromLatin1(pages[page].name) + " x1"});
        QVERIFY(w()->document().isModified());
    }

    void userPicksTheInPagesSecondColour()
    {
        const QImage cellBefore = component<TZlatovirOdgovor>(w(), "mOdgovor2")->bitmap().image().copy();
        userPicksColour(*component<TColorBox>(w(), "cbOdgovorInC2"), clBlue);
        QCOMPARE(bmpOdgovorIn->Canvas().GetPixel(399, 7), clBlue); // a repaint ends exactly on C2
        QVERIFY(component<TZlatovirOdgovor>(w(), "mOdgovor2")->bitmap().image() != cellBefore);
        QCOMPARE(component<TZlatovirOdgovor>(w(), "mOdgovor2")->bitmap().Canvas().GetPixel(399, 7), clBlue);
        QVERIFY(w()->document().isModified());
    }

    void doleAndDesnoOnTheQuestionPage()
    {
        w()->SetPitanje(clWhite, Steel, clBlack, rgbColor(122, 0, 0), 1);
        component<TRadioButton>(w(), "rbPitanjeDole")->click();
        QVERIFY(component<TRadioButton>(w(), "rbPitanjeDole")->isChecked() && !component<TRadioButton>(w(), "rbPitanjeDesno")->isChecked());
        const TCanvas& c = bmpPitanje->Canvas();
        // Downward: rows differ, columns do not.
        QCOMPARE(c.GetPixel(300, 20), c.GetPixel(500, 20));
        QVERIFY(c.GetPixel(300, 20) != c.GetPixel(300, 40));
        QCOMPARE(component<TZlatovirPitanje>(w(), "mPitanje")->bitmap().Canvas().GetPixel(5, 20), c.GetPixel(5, 20));
        w()->document().setModified(false);
        component<TRadioButton>(w(), "rbPitanjeDesno")->click();
        QVERIFY(c.GetPixel(300, 20) != c.GetPixel(500, 20));
        QCOMPARE(c.GetPixel(300, 20), c.GetPixel(300, 40));
        QVERIFY(w()->document().isModified());
    }

    void ostaloPaintsNothingButMarksTheSkinChanged()
    {
        const std::vector<QImage> images = imageSnapshots();
        const std::vector<int> paints = cellPaints(w());
        userPicksColour(*component<TColorBox>(w(), "cbPrijateljSenka"), clGreen);
        QVERIFY(changedImages(images).isEmpty());
        QCOMPARE(cellPaints(w()), paints);
        QVERIFY(w()->document().isModified());
    }

    void standardOnAnUnchangedPageStillRepaints()
    {
        const std::vector<int> paints = cellPaints(w());
        component<QToolButton>(w(), "spbOdgovorChech")->click();
        QVERIFY(w()->document().isModified());
        const std::vector<int> after = cellPaints(w());
        QVERIFY(after[3] > paints[3]);
        QCOMPARE(repaintedCells(paints, after).size(), 1);
    }

    void setPageDirectionBytes_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("byte");
        QTest::addColumn<bool>("desnoBefore");
        QTest::addColumn<bool>("desnoAfter");
        const struct
        {
            const char* op;
            bool strict;
        } ops[] = {{"SetPitanje", true}, {"SetOdgovorNormal", true}, {"SetOdgovorIn", false},
                   {"SetOdgovorChech", false}, {"SetOdgovorOK", false}, {"SetOdgovorYES", false},
                   {"SetOdgovorNO", false}};
        for (const auto& o : ops)
            for (bool before : {true, false})
                for (int byte : {0, 1, 2, 255})
                    QTest::addRow("%s %d from %s", o.op, byte, before ? "Desno" : "Dole")
                        << QString::fromLatin1(o.op) << byte << before
                        << (byte == 0 ? false : byte == 1 ? true : o.strict ? before : true);
    }

    void setPageDirectionBytes()
    {
        QFETCH(QString, operation);
        QFETCH(int, byte);
        QFETCH(bool, desnoBefore);
        QFETCH(bool, desnoAfter);
        const QString page = operation.mid(3).replace(QStringLiteral("Odgovor"), QString());
        const QString prefix = page == QLatin1String("Pitanje") ? QStringLiteral("rbPitanje")
                                                                 : QStringLiteral("rbOdgovor") + page;
        auto* desno = w()->findChild<TRadioButton*>(prefix + QStringLiteral("Desno"));
        auto* dole = w()->findChild<TRadioButton*>(prefix + QStringLiteral("Dole"));
        QVERIFY(desno && dole);
        (desnoBefore ? desno : dole)->setChecked(true);
        w()->document().setModified(false);
        const GradientDirection d = GradientDirection(byte);
        const TColor t = clWhite, ch = clAqua, l = Steel, a = clBlack, b = clRed;
        if (operation == "SetPitanje") w()->SetPitanje(t, l, a, b, d);
        if (operation == "SetOdgovorNormal") w()->SetOdgovorNormal(t, ch, l, a, b, d);
        if (operation == "SetOdgovorIn") w()->SetOdgovorIn(t, ch, l, a, b, d);
        if (operation == "SetOdgovorChech") w()->SetOdgovorChech(t, ch, l, a, b, d);
        if (operation == "SetOdgovorOK") w()->SetOdgovorOK(t, ch, l, a, b, d);
        if (operation == "SetOdgovorYES") w()->SetOdgovorYES(t, l, a, b, d);
        if (operation == "SetOdgovorNO") w()->SetOdgovorNO(t, l, a, b, d);
        QCOMPARE(desno->isChecked(), desnoAfter);
        QCOMPARE(dole->isChecked(), !desnoAfter);
        QVERIFY(w()->document().isModified());
    }

    // SetPitanje with 2 leaves the buttons alone and paints with what they show.
    void unreadableDirectionPaintsWithTheButtons()
    {
        component<TRadioButton>(w(), "rbPitanjeDole")->setChecked(true);
        w()->SetPitanje(clWhite, Steel, clBlack, rgbColor(122, 0, 0), 2);
        const TCanvas& c = bmpPitanje->Canvas();
        QCOMPARE(c.GetPixel(300, 20), c.GetPixel(500, 20));
        QCOMPARE(c.GetPixel(5, 60), rgbColor(122, 0, 0));
    }

    void setOperationsFillTheirOwnPage()
    {
        w()->SetOdgovorNO(clYellow, clLime, clBlue, clNavy, 1);
        QCOMPARE(component<TColorBox>(w(), "cbOdgovorNOText")->Selected(), clYellow);
        QCOMPARE(component<TColorBox>(w(), "cbOdgovorNOLine")->Selected(), clLime);
        QCOMPARE(component<TColorBox>(w(), "cbOdgovorNOC1")->Selected(), clBlue);
        QCOMPARE(component<TColorBox>(w(), "cbOdgovorNOC2")->Selected(), clNavy);
        QCOMPARE(component<TZlatovirOdgovor>(w(), "mNO")->bitmap().Canvas().GetPixel(399, 7), clNavy);
        QCOMPARE(clrOdgovorNOText, clYellow);
        w()->SetOdgovorYES(clRed, clLime, clBlue, clTeal, 1);
        QCOMPARE(component<TColorBox>(w(), "cbOdgovorYESC2")->Selected(), clTeal);
        QCOMPARE(component<TZlatovirOdgovor>(w(), "mYES")->bitmap().Canvas().GetPixel(399, 7), clTeal);
        w()->document().setModified(false);
        w()->SetOstalo(1, 2, 3, 4, 5, 6);
        QCOMPARE(component<TColorBox>(w(), "cbPrijateljSenka")->Selected(), TColor(6));
        QCOMPARE(component<TColorBox>(w(), "cbTacanOdgovor")->Selected(), TColor(1));
        QVERIFY(!w()->document().isModified());
    }

    void unlistedAndSystemColoursReachThePaintRoutineUnchanged()
    {
        w()->SetOdgovorIn(clWhite, clAqua, Steel, clBlack, 0x00123456, 1);
        QCOMPARE(component<TColorBox>(w(), "cbOdgovorInC2")->Selected(), TColor(0x00123456));
        QCOMPARE(bmpOdgovorIn->Canvas().GetPixel(399, 7), TColor(0x00123456));
        // A system colour fills with its raw low bytes: it was not converted.
        userPicksColour(*component<TColorBox>(w(), "cbOdgovorInC2"), clBtnFace);
        QCOMPARE(component<TColorBox>(w(), "cbOdgovorInC2")->Selected(), clBtnFace);
        QCOMPARE(bmpOdgovorIn->Canvas().GetPixel(399, 7), rgbColor(15, 0, 0));
    }

    void resetAllRestoresEverything()
    {
        w()->SetOdgovorIn(1, 2, 3, 4, 5, 0);
        w()->SetOstalo(1, 2, 3, 4, 5, 6);
        component<TPageControl>(w(), "PageControl1")->setCurrentIndex(4);
        w()->document().setCurrentFile(QStringLiteral("/tmp/x.kvz"));
        const std::vector<int> paints = cellPaints(w());
        w()->document().ResetAll();
        QVERIFY(!w()->document().isModified());
        QCOMPARE(component<TPageControl>(w(), "PageControl1")->currentWidget(), component<QWidget>(w(), "pagePitanje"));
        QCOMPARE(w()->document().currentFileName(), QStringLiteral("NovaSkinDatoteka"));
        QCOMPARE(w()->windowTitle(), QStringLiteral("Zlatovir VODU Editor [ NovaSkinDatoteka ]"));
        const std::vector<int> after = cellPaints(w());
        for (size_t i = 0; i < after.size(); ++i)
            QVERIFY(after[i] > paints[i]);
        QCOMPARE(component<TColorBox>(w(), "cbOdgovorInC1")->Selected(), TColor(0x000099FF));
        QCOMPARE(component<TColorBox>(w(), "cbPrijateljSenka")->Selected(), clNavy);
        for (TRadioButton* b : w()->findChildren<TRadioButton*>())
            QCOMPARE(b->isChecked(), b->objectName().endsWith(QLatin1String("Desno")));
        QCOMPARE(bmpOdgovorIn->Canvas().GetPixel(399, 7), TColor(0x00ADDEFE));
    }
};

ZV_TEST_MAIN(TestEditing)
#include "tst_editing.moc"
