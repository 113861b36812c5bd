#include "app/Startup.h"
#include "app/Unit1.h"
#include "app/Unit3.h"
#include "platform/raster/Jpeg.h"
#include "tests/TestMain.h"
#include "tests/TestSupport.h"

#include <QFontInfo>
#include <QLayout>
#include <QMenuBar>
#include <QProcess>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

constexpr TColor Steel = 0x00B38855;

template <class T>
T* child(QWidget* root, const QString& name)
{
    return root->findChild<T*>(name);
}

// Focusable controls of one page, in their tab order.
const QList<std::pair<const char*, QStringList>> pageTabOrder = {
    {"pagePitanje", {"cbPitanjeText", "cbPitanjeLinija", "cbPitanjeC1", "cbPitanjeC2", "rbPitanjeDesno", "rbPitanjeDole"}},
    {"TabSheet2", {"cbOdgovorNormalText", "cbOdgovorNormalLine", "cbOdgovorNormalC1", "cbOdgovorNormalC2",
                   "cbOdgovorNormalChar", "rbOdgovorNormalDesno", "rbOdgovorNormalDole"}},
    {"TabSheet3", {"cbOdgovorInChar", "cbOdgovorInLine", "cbOdgovorInC1", "cbOdgovorInC2", "cbOdgovorInText",
                   "rbOdgovorInDesno", "rbOdgovorInDole"}},
    {"TabSheet4", {"cbOdgovorChechChar", "cbOdgovorChechLine", "cbOdgovorChechC1", "cbOdgovorChechC2",
                   "cbOdgovorChechText", "rbOdgovorChechDesno", "rbOdgovorChechDole"}},
    {"TabSheet5", {"cbOdgovorOKC2", "cbOdgovorOKC1", "cbOdgovorOKLine", "cbOdgovorOKChar", "cbOdgovorOKText",
                   "rbOdgovorOKDesno", "rbOdgovorOKDole"}},
    {"TabSheet7", {"cbOdgovorNOText", "cbOdgovorNOLine", "cbOdgovorNOC1", "cbOdgovorNOC2", "rbOdgovorNODole",
                   "rbOdgovorNODesno"}},
    {"TabSheet8", {"cbOdgovorYESText", "cbOdgovorYESLine", "cbOdgovorYESC1", "cbOdgovorYESC2", "rbOdgovorYESDole",
                   "rbOdgovorYESDesno"}},
    {"TabSheet6", {"cbVoditelj", "cbPrijatelj", "cbPrijateljHalo", "cbTacanOdgovor", "cbNetacanOdgovor",
                   "cbPrijateljSenka"}},
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::optional<EditorSession> session;
    TfrmMain* w() { return session->frmMain(); }

private Q_SLOTS:
    void init() { session.emplace(*Application()); }
    void cleanup() { session.reset(); }

    void pagesInTabOrder()
    {
        const QStringList names = {"pagePitanje", "TabSheet2", "TabSheet3", "TabSheet4",
                                   "TabSheet5",   "TabSheet7", "TabSheet8", "TabSheet6"};
        const QStringList captions = {"Pitanje",         "Odgovor (normalno) ", "Odgovor (ulaz)",
                                      "Odgovor (označen)", "Odgovor (tacan)",    "Potvrda (normalno)",
                                      "Potvrda (ulaz)",  "Ostalo"};
        QCOMPARE(component<TPageControl>(w(), "PageControl1")->count(), 8);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(component<TPageControl>(w(), "PageControl1")->widget(i)->objectName(), names[i]);
            QCOMPARE(component<TPageControl>(w(), "PageControl1")->tabText(i), captions[i]);
        }
        QCOMPARE(component<TPageControl>(w(), "PageControl1")->currentWidget(), component<QWidget>(w(), "pagePitanje"));
        QCOMPARE(component<TPageControl>(w(), "PageControl1")->geometry(), QRect(8, 0, 785, 169));
    }

    void colourRows_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("top");
        QTest::addColumn<TColor>("defaultColour");
        struct Row
        {
            const char* page;
            const char* label;
            const char* box;
            int top;
            TColor def;
        };
        const Row rows[] = {
            {"pagePitanje", "Label1", "cbPitanjeText", 8, clWhite},
            {"pagePitanje", "Label4", "cbPitanjeLinija", 56, Steel},
            {"pagePitanje", "Label2", "cbPitanjeC1", 80, clBlack},
            {"pagePitanje", "Label3", "cbPitanjeC2", 104, clBlack},
            {"TabSheet2", "Label5", "cbOdgovorNormalText", 8, clWhite},
            {"TabSheet2", "Label9", "cbOdgovorNormalChar", 32, clAqua},
            {"TabSheet2", "Label6", "cbOdgovorNormalLine", 56, Steel},
            {"TabSheet2", "Label7", "cbOdgovorNormalC1", 80, clBlack},
            {"TabSheet2", "Label8", "cbOdgovorNormalC2", 104, clBlack},
            {"TabSheet3", "Label14", "cbOdgovorInText", 8, clWhite},
            {"TabSheet3", "Label10", "cbOdgovorInChar", 32, clAqua},
            {"TabSheet3", "Label11", "cbOdgovorInLine", 56, Steel},
            {"TabSheet3", "Label12", "cbOdgovorInC1", 80, 0x000099FF},
            {"TabSheet3", "Label13", "cbOdgovorInC2", 104, 0x00ADDEFE},
            {"TabSheet4", "Label19", "cbOdgovorChechText", 8, clWhite},
            {"TabSheet4", "Label15", "cbOdgovorChechChar", 32, clAqua},
            {"TabSheet4", "Label16", "cbOdgovorChechLine", 56, Steel},
            {"TabSheet4", "Label17", "cbOdgovorChechC1", 80, 0x000033FF},
            {"TabSheet4", "Label18", "cbOdgovorChechC2", 104, 0x009DB0FE},
            {"TabSheet5", "Label20", "cbOdgovorOKText", 8, clWhite},
            {"TabSheet5", "Label21", "cbOdgovorOKChar", 32, clAqua},
            {"TabSheet5", "Label22", "cbOdgovorOKLine", 56, Steel},
            {"TabSheet5", "Label23", "cbOdgovorOKC1", 80, 0x0033CC00},
            {"TabSheet5", "Label24", "cbOdgovorOKC2", 104, 0x00B1EC9F},
            {"TabSheet7", "Label34", "cbOdgovorNOText", 8, clWhite},
            {"TabSheet7", "Label32", "cbOdgovorNOLine", 56, Steel},
            {"TabSheet7", "Label31", "cbOdgovorNOC1", 80, clBlack},
            {"TabSheet7", "Label30", "cbOdgovorNOC2", 104, clBlack},
            {"TabSheet8", "Label39", "cbOdgovorYESText", 8, clWhite},
            {"TabSheet8", "Label37", "cbOdgovorYESLine", 56, Steel},
            {"TabSheet8", "Label36", "cbOdgovorYESC1", 80, 0x000099FF},
            {"TabSheet8", "Label35", "cbOdgovorYESC2", 104, 0x00ADDEFE},
        };
        for (const Row& r : rows)
            QTest::newRow(r.box) << QString::fromLatin1(r.page) << QString::fromLatin1(r.label)
                                 << QString::fromLatin1(r.box) << r.top << r.def;
    }

    void colourRows()
    {
        QFETCH(QString, page);
        QFETCH(QString, label);
        QFETCH(QString, box);
        QFETCH(int, top);
        QFETCH(TColor, defaultColour);
        QWidget* p = child<QWidget>(w(), page);
        auto* l = child<QLabel>(p, label);
        auto* b = child<TColorBox>(p, box);
        QVERIFY(l && b);
        const QMap<int, QString> captions = {{8, "Tekst:"}, {32, "Oznaka:"}, {56, "Linija:"}, {80, "Boja 1:"}, {104, "Boja 2:"}};
        QCOMPARE(l->text(), captions[top]);
        QCOMPARE(l->geometry(), QRect(9, top, 40, 22));
        QCOMPARE(l->alignment(), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(b->geometry(), QRect(56, top, 145, 22));
        QCOMPARE(b->Selected(), defaultColour);
    }

    void directionGroups_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("names"); // bold label, bevel, Desno, Dole, Standarno
        QTest::newRow("Pitanje") << "pagePitanje"
                                 << QStringList{"Label38", "Bevel1", "rbPitanjeDesno", "rbPitanjeDole", "spbPitanje"};
        QTest::newRow("Normal") << "TabSheet2"
                                << QStringList{"Label40", "Bevel2", "rbOdgovorNormalDesno", "rbOdgovorNormalDole",
                                               "spbOdgovorNormal"};
        QTest::newRow("In") << "TabSheet3"
                            << QStringList{"Label41", "Bevel3", "rbOdgovorInDesno", "rbOdgovorInDole", "spbOdgovorIn"};
        QTest::newRow("Chech") << "TabSheet4"
                               << QStringList{"Label42", "Bevel4", "rbOdgovorChechDesno", "rbOdgovorChechDole",
                                              "spbOdgovorChech"};
        QTest::newRow("OK") << "TabSheet5"
                            << QStringList{"Label43", "Bevel5", "rbOdgovorOKDesno", "rbOdgovorOKDole", "spbOdgovorOK"};
        QTest::newRow("NO") << "TabSheet7"
                            << QStringList{"Label44", "Bevel6", "rbOdgovorNODesno", "rbOdgovorNODole", "spbOdgovorNO"};
        QTest::newRow("YES") << "TabSheet8"
                             << QStringList{"Label45", "Bevel7", "rbOdgovorYESDesno", "rbOdgovorYESDole",
                                            "spbOdgovorYES"};
    }

    void directionGroups()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, names);
        QWidget* p = child<QWidget>(w(), page);
        auto* label = child<QLabel>(p, names[0]);
        auto* bevel = child<QFrame>(p, names[1]);
        auto* desno = child<TRadioButton>(p, names[2]);
        auto* dole = child<TRadioButton>(p, names[3]);
        auto* standard = child<QToolButton>(p, names[4]);
        QVERIFY(label && bevel && desno && dole && standard);
        QCOMPARE(label->text(), QStringLiteral("Prelivanje: "));
        QCOMPARE(label->geometry(), QRect(232, 24, 63, 13));
        QVERIFY(label->font().bold());
        QCOMPARE(bevel->geometry(), QRect(224, 30, 153, 2));
        QCOMPARE(bevel->frameShape(), QFrame::HLine);
        QCOMPARE(desno->text(), QStringLiteral("Desno"));
        QCOMPARE(desno->geometry(), QRect(240, 40, 113, 17));
        QVERIFY(desno->isChecked());
        QCOMPARE(dole->text(), QStringLiteral("Dole"));
        QCOMPARE(dole->geometry(), QRect(240, 64, 113, 17));
        QVERIFY(!dole->isChecked());
        QCOMPARE(standard->text(), QStringLiteral("Standarno"));
        QCOMPARE(standard->geometry(), QRect(232, 104, 113, 22));
        QVERIFY(standard->autoRaise());
        QCOMPARE(standard->focusPolicy(), Qt::NoFocus);
        QVERIFY(standard->font().bold());
        QCOMPARE(standard->font().pixelSize(), 11);
    }

    void ostaloPage_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("labelRect");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QPoint>("boxAt");
        QTest::addColumn<TColor>("defaultColour");
        QTest::newRow("Tacan") << "Label28" << "Tačan odgovor:" << QRect(1, 8, 96, 22) << "cbTacanOdgovor"
                               << QPoint(104, 8) << clYellow;
        QTest::newRow("Netacan") << "Label29" << "Netačan odgovor:" << QRect(1, 32, 96, 22) << "cbNetacanOdgovor"
                                 << QPoint(104, 32) << clRed;
        QTest::newRow("Voditelj") << "Label25" << "Voditelj:" << QRect(0, 56, 97, 22) << "cbVoditelj"
                                  << QPoint(104, 56) << clYellow;
        QTest::newRow("Halo") << "Label27" << "Prijatelj HALO:" << QRect(257, 8, 96, 22) << "cbPrijateljHalo"
                              << QPoint(360, 8) << clAqua;
        QTest::newRow("Prijatelj") << "Label26" << "Prijatelj:" << QRect(257, 32, 96, 22) << "cbPrijatelj"
                                   << QPoint(360, 32) << clWhite;
        QTest::newRow("Senka") << "Label33" << "Prijatelj senka:" << QRect(257, 56, 96, 22) << "cbPrijateljSenka"
                               << QPoint(360, 56) << clNavy;
    }

    void ostaloPage()
    {
        QFETCH(QString, label);
        QFETCH(QString, caption);
        QFETCH(QRect, labelRect);
        QFETCH(QString, box);
        QFETCH(QPoint, boxAt);
        QFETCH(TColor, defaultColour);
        auto* l = child<QLabel>(component<QWidget>(w(), "TabSheet6"), label);
        auto* b = child<TColorBox>(component<QWidget>(w(), "TabSheet6"), box);
        QVERIFY(l && b);
        QCOMPARE(l->text(), caption);
        QCOMPARE(l->geometry(), labelRect);
        QCOMPARE(l->alignment(), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(b->geometry(), QRect(boxAt, QSize(145, 22)));
        QCOMPARE(b->Selected(), defaultColour);
        QCOMPARE(component<QToolButton>(w(), "spbOstalo")->geometry(), QRect(536, 112, 113, 22));
    }

    void tabOrderFollowsTheLayout()
    {
        QStringList expected{QStringLiteral("PageControl1")};
        for (const auto& [page, controls] : pageTabOrder)
            expected += controls;
        // The layout's focusable controls as Tab visits them (the tab bar's
        // own scroll buttons and the like are left out).
        QStringList actual;
        QWidget* at = component<TPageControl>(w(), "PageControl1");
        do {
            if (at == component<TPageControl>(w(), "PageControl1") || qobject_cast<TColorBox*>(at) || qobject_cast<TRadioButton*>(at))
                actual << at->objectName();
            at = at->nextInFocusChain();
        } while (at != component<TPageControl>(w(), "PageControl1"));
        QCOMPARE(actual, expected);
    }

    void cells_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("odgovorNo"); // -1: the question cell
        QTest::addColumn<int>("status");
        QTest::newRow("mPitanje") << "mPitanje" << QRect(0, 216, 800, 61)
                                  << "Dobrodošli u ZLATOVIR-ov VEDU DOZEZI" << -1 << -1;
        QTest::newRow("mOdgovor1") << "mOdgovor1" << QRect(0, 288, 400, 31) << "Odgovor (normalno)" << int(odA)
                                   << int(dsNoEnable);
        QTest::newRow("mOdgovor2") << "mOdgovor2" << QRect(400, 288, 400, 31) << "Odgovor (ulaz)" << int(odB)
                                   << int(dsSelect);
        QTest::newRow("mOdgovor3") << "mOdgovor3" << QRect(0, 328, 400, 31) << "Odgovor (označen)" << int(odC)
                                   << int(dsCheched);
        QTest::newRow("mOdgovor4") << "mOdgovor4" << QRect(400, 328, 400, 31) << "Odgovor (tačan)" << int(odD)
                                   << int(dsSelectYES);
        QTest::newRow("mNO carries odYES") << "mNO" << QRect(0, 376, 400, 31) << "Potvrda (normalno)" << int(odYES)
                                           << int(dsNoEnable);
        QTest::newRow("mYES carries odNO") << "mYES" << QRect(400, 376, 400, 31) << "Potvrda (ulaz)" << int(odNO)
                                           << int(dsCheched);
    }

    void cells()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(int, odgovorNo);
        QFETCH(int, status);
        auto* cell = child<TZlatovirCelija>(w(), name);
        QVERIFY(cell);
        QCOMPARE(cell->parentWidget(), w()->centralWidget());
        QCOMPARE(cell->geometry(), geometry);
        QCOMPARE(cell->LblCaption(), caption);
        QCOMPARE(cell->TextFont.Name, QStringLiteral("Tahoma"));
        QCOMPARE(cell->TextFont.Height, -19);
        auto* answer = qobject_cast<TZlatovirOdgovor*>(cell);
        QCOMPARE(answer != nullptr, odgovorNo >= 0);
        if (answer) {
            QCOMPARE(int(answer->OdgovorNo()), odgovorNo);
            QCOMPARE(int(answer->DStatus()), status);
            QCOMPARE(answer->cursor().shape(), Qt::PointingHandCursor);
        }
    }

    void cellsShowTheDefaultImagesWhenTheWindowOpens()
    {
        QCOMPARE(component<TZlatovirOdgovor>(w(), "mOdgovor2")->bitmap().Canvas().GetPixel(3, 5), bmpOdgovorIn->Canvas().GetPixel(3, 5));
        QCOMPARE(component<TZlatovirOdgovor>(w(), "mOdgovor4")->bitmap().Canvas().GetPixel(396, 24), bmpOdgovorOK->Canvas().GetPixel(396, 24));
        QCOMPARE(component<TZlatovirPitanje>(w(), "mPitanje")->bitmap().Canvas().GetPixel(400, 1), Steel);
    }

    // Each cell is cut to its component's shape (the shapes themselves are
    // the region tests' business): the question cell to the 800 x 61 panel,
    // the six 31-pixel answer cells to one 400 x 29 box.
    void previewsAreCutToThePanelShapes()
    {
        const QRegion question = component<TZlatovirPitanje>(w(), "mPitanje")->mask();
        QCOMPARE(question.boundingRect(), QRect(0, 0, 800, 61));
        QVERIFY(question.contains(QPoint(0, 30)) && !question.contains(QPoint(0, 0)));
        const QRegion answer = component<TZlatovirOdgovor>(w(), "mOdgovor1")->mask();
        QCOMPARE(answer.boundingRect(), QRect(0, 0, 400, 29));
        QVERIFY(answer.contains(QPoint(0, 14)) && !answer.contains(QPoint(0, 12)));
        for (TZlatovirOdgovor* cell : {component<TZlatovirOdgovor>(w(), "mOdgovor2"), component<TZlatovirOdgovor>(w(), "mOdgovor3"), component<TZlatovirOdgovor>(w(), "mOdgovor4"), component<TZlatovirOdgovor>(w(), "mYES"), component<TZlatovirOdgovor>(w(), "mNO")})
            QCOMPARE(cell->mask(), answer);
        // The components hold their data but no decoded segments afterwards.
        QVERIFY(!w()->regPitanje.Enabled() && w()->regPitanje.FSegments.empty());
    }

    void menu()
    {
        const QList<QAction*> bar = component<QMenuBar>(w(), "MainMenu1")->actions();
        QCOMPARE(bar.size(), 2);
        QCOMPARE(bar[0]->menu(), component<QMenu>(w(), "Skin1"));
        QCOMPARE(bar[1]->menu(), component<QMenu>(w(), "Pomoc1"));
        QCOMPARE(component<QMenu>(w(), "Skin1")->title(), QStringLiteral("&Skin"));
        QCOMPARE(component<QMenu>(w(), "Pomoc1")->title(), QStringLiteral("&Pomoc"));
        struct Item
        {
            QAction* action;
            const char* text;
            const char* shortcut;
        };
        const Item skin[] = {{component<QAction>(w(), "Nov1"), "&Nov", "Ctrl+N"},           {component<QAction>(w(), "Otvori1"), "&Otvori", "Ctrl+O"},
                             {component<QAction>(w(), "mnmSave"), "&Sacuvaj", "Ctrl+S"},    {component<QAction>(w(), "mnmSaveAs"), "Sacuvaj k&ao...", ""},
                             {component<QAction>(w(), "N1"), "", ""},                       {component<QAction>(w(), "Zatvori1"), "Zatvori", ""}};
        QCOMPARE(component<QMenu>(w(), "Skin1")->actions().size(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(component<QMenu>(w(), "Skin1")->actions()[i], skin[i].action);
            QCOMPARE(skin[i].action->text(), QString::fromUtf8(skin[i].text));
            QCOMPARE(skin[i].action->shortcut(), QKeySequence(QString::fromLatin1(skin[i].shortcut)));
        }
        QVERIFY(component<QAction>(w(), "N1")->isSeparator());
        QCOMPARE(component<QMenu>(w(), "Pomoc1")->actions(), QList<QAction*>{component<QAction>(w(), "Oprogramu1")});
        QCOMPARE(component<QAction>(w(), "Oprogramu1")->text(), QStringLiteral("O programu..."));
        QVERIFY(component<QAction>(w(), "Oprogramu1")->shortcut().isEmpty());
    }

    void shortcutsRunTheirCommands_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("action");
        QTest::newRow("Ctrl+N") << int(Qt::Key_N) << "Nov1";
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << "Otvori1";
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << "mnmSave";
    }

    void shortcutsRunTheirCommands()
    {
        QFETCH(int, key);
        QFETCH(QString, action);
        auto* a = w()->findChild<QAction*>(action);
        QSignalSpy triggered(a, &QAction::triggered);
        // Keep the command itself from running: only the binding is under test.
        disconnect(a, &QAction::triggered, w(), nullptr);
        w()->show();
        QVERIFY(QTest::qWaitForWindowActive(w()));
        QTest::keyClick(w(), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(triggered.count(), 1);
    }

    void window()
    {
        w()->layout()->activate();
        QCOMPARE(w()->width(), 800);
        QCOMPARE(w()->centralWidget()->width(), 800);
        QVERIFY(w()->centralWidget()->height() >= 407);
        QVERIFY(!(w()->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w()->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(w()->palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(w()->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(w()->font().pixelSize(), 11);
        QCOMPARE(component<TPageControl>(w(), "PageControl1")->font().pixelSize(), 11);
        QCOMPARE(Application()->Title(), QStringLiteral("Zlatovir VEDU Dozezi"));
        QVERIFY(!w()->isVisible());
        QVERIFY(session->frmAbout() && !session->frmAbout()->isVisible());
    }

    // Closing the about window goes on; closing the main window ends the loop.
    void theLoopEndsWhenTheMainWindowCloses()
    {
        bool mainClosed = false, rescued = false;
        QTimer::singleShot(0, [&] {
            session->frmAbout()->show();
            session->frmAbout()->close();
            QTimer::singleShot(20, [&] { mainClosed = w()->close(); });
        });
        QTimer rescue;
        rescue.setSingleShot(true);
        QObject::connect(&rescue, &QTimer::timeout, &rescue, [&] {
            rescued = true;
            QCoreApplication::quit();
        });
        rescue.start(5000);
        Application()->Run();
        QVERIFY(mainClosed);
        QVERIFY(!rescued);
    }

    // The tab under the mouse lights up, and only that tab. Tabs that do not
    // fit (here under a larger font) wrap onto rows, without scroll buttons:
    // every tab whole and clickable, the current tab's row next to the
    // pages, which give up the added row's height; they still hot-track.
    void tabsHotTrackAndWrap()
    {
        w()->show();
        TPageControl* pages = component<TPageControl>(w(), "PageControl1");
        QTabBar* bar = pages->tabBar();
        const auto litByHovering = [&](int index) {
            const QImage still = bar->grab().toImage();
            const QPoint over = pages->tabArea(index).center();
            QHoverEvent hover(QEvent::HoverMove, over, bar->mapToGlobal(over), QPoint(-1, -1));
            QCoreApplication::sendEvent(bar, &hover);
            const QImage hot = bar->grab().toImage();
            QRect changed;
            for (int y = 0; y < hot.height(); ++y)
                for (int x = 0; x < hot.width(); ++x)
                    if (hot.pixel(x, y) != still.pixel(x, y))
                        changed |= QRect(x, y, 1, 1);
            return !changed.isEmpty() && pages->tabArea(index).contains(changed);
        };
        QCOMPARE(pages->tabRows(), 1);
        QVERIFY(litByHovering(3));
        const auto pageArea = [pages] {
            QWidget* page = pages->currentWidget();
            return QRect(page->mapTo(pages, QPoint(0, 0)), page->size());
        };
        const QRect oneRowPage = pageArea();

        QFont large = pages->font();
        large.setPixelSize(16);
        pages->setFont(large);
        QCoreApplication::processEvents();
        QCOMPARE(pages->tabRows(), 2);
        const int rowHeight = pages->tabArea(0).height();
        QCOMPARE(bar->height(), 2 * rowHeight);
        QVERIFY(pageArea().top() >= oneRowPage.top() + rowHeight);
        QCOMPARE(pageArea().bottom(), oneRowPage.bottom());
        for (QWidget* button : bar->findChildren<QWidget*>())
            QVERIFY(!button->isVisible());
        for (int i = 0; i < pages->count(); ++i) {
            const QRect area = pages->tabArea(i);
            QVERIFY(bar->rect().contains(area));
            QVERIFY(area.width() > bar->fontMetrics().horizontalAdvance(pages->tabText(i)));
            for (int j = 0; j < i; ++j)
                QVERIFY(!area.intersects(pages->tabArea(j)));
        }
        // Each row stretched to the bar's full width, flush at both ends.
        QMap<int, int> rowWidths;
        for (int i = 0; i < pages->count(); ++i)
            rowWidths[pages->tabArea(i).top()] += pages->tabArea(i).width();
        for (const int width : rowWidths)
            QCOMPARE(width, bar->width());
        for (const int i : {7, 0, 5, 2}) {
            QTest::mouseClick(bar, Qt::LeftButton, {}, pages->tabArea(i).center());
            QCOMPARE(pages->currentIndex(), i);
            QCOMPARE(pages->tabArea(i).bottom(), bar->height() - 1);
        }
        QVERIFY(litByHovering(6));
    }

    // The editor reads no command line: the toolkit's own options, which
    // would end it at once here, change nothing.
    void theCommandLineIsNotRead()
    {
        QProcess editor; // in this test's environment: its own home, offscreen
        editor.start(QStringLiteral(EDITOR), {QStringLiteral("-platform"), QStringLiteral("nosuchplatform"),
                                              QStringLiteral("-style"), QStringLiteral("nosuchstyle")});
        QVERIFY(editor.waitForStarted());
        QVERIFY(!editor.waitForFinished(1500));
        editor.kill();
        editor.waitForFinished();
    }

    void startUpRegistersJpegAndTheEndWithdrawsEverything()
    {
        QStringList extensions;
        for (const PictureFormat& f : TPicture::FileFormats())
            if (f.Description == QStringLiteral("JPEG Image File"))
                extensions << f.Extension;
        QCOMPARE(extensions, (QStringList{"jpeg", "jpg"}));
        const PictureFormat* jpg = TPicture::FormatOf(QStringLiteral("banner.JPG"));
        QVERIFY(jpg);
        QVERIFY(dynamic_cast<TJPEGImage*>(jpg->Create().get()));
        QVERIFY(bmpPitanje && jpgGarant);

        session.reset();
        QVERIFY(!bmpPitanje && !bmpOdgovorNO && !jpgGarant);
        QVERIFY(!TPicture::FormatOf(QStringLiteral("banner.jpg")));
        session.emplace(*Application());
    }
};

ZV_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
