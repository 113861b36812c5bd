#include "app/Startup.h"
#include "app/Unit1.h"
#include "app/Unit3.h"
#include "platform/raster/Jpeg.h"
#include "tests/TestMain.h"
#include "tests/TestSupport.h"
#include "tests/app/EditorFixture.h"

#include <QFontInfo>
#include <QLayout>
#include <QMenuBar>
#include <QProcess>
#include <QSet>
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

    // The window's colour boxes are exactly the colours of the skin table's
    // pages: each page's boxes on one tab of their own, each holding its
    // standard colour at start, each with its label in front of it on its row.
    void colourBoxesAreTheTablesColours()
    {
        auto* pages = component<TPageControl>(w(), "PageControl1");
        QStringList fromTable;
        QSet<int> tabs;
        for (const SkinPage& page : skinPages()) {
            int tab = -1;
            for (const PageColour& colour : page.colours) {
                auto* box = component<TColorBox>(w(), (QByteArray("cb") + fieldName(colour.field)).constData());
                fromTable << box->objectName();
                QCOMPARE(box->Selected(), standardSkinRecord().*colour.field);
                int at = 0;
                while (!pages->widget(at)->isAncestorOf(box))
                    ++at;
                QVERIFY(tab < 0 || tab == at);
                tab = at;
                const auto labels = box->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
                QVERIFY(std::any_of(labels.begin(), labels.end(), [box](QLabel* l) {
                    return l->geometry().top() == box->geometry().top() && l->geometry().right() < box->x()
                           && l->text().endsWith(QLatin1Char(':')) && l->alignment() == (Qt::AlignRight | Qt::AlignVCenter);
                }));
            }
            QVERIFY(!tabs.contains(tab));
            tabs << tab;
        }
        QStringList inWindow;
        for (TColorBox* box : w()->findChildren<TColorBox*>())
            inWindow << box->objectName();
        fromTable.sort();
        inWindow.sort();
        QCOMPARE(inWindow, fromTable);
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
        const TRegion* shape = component<TRegion>(w(), "regPitanje");
        QVERIFY(!shape->Enabled() && shape->FSegments.empty());
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
