#include "tests/TestMain.h"
#include "tests/TestSupport.h"
#include "tests/app/EditorFixture.h"

#include <QHash>
#include <QMenuBar>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QMenu>
#include "skin/Vision.h"
#include <QMimeData>
#include <QDragEnterEvent>
#include <QUrl>
#include <QShortcut>
#include <QTest>
#include <QTabBar>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>
#include <numeric>

namespace {

// The contrast ratio of two colours by the WCAG formula.
double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb c) {
        const auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of a text against its own background in a picture of it: the
// background is the area's most common colour, the text its most distinct.
double textContrast(const QImage& area)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            ++counts[area.pixel(x, y) & 0xFFFFFF];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            most = it.value(), background = it.key();
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(it.key(), background));
    return best;
}

// A dark palette whose Window and Button roles differ, as dark desktop
// themes' do: a style may paint the pages in either, or in neither.
QPalette darkPalette()
{
    QPalette p;
    const QColor window(53, 53, 53), button(70, 70, 70), base(35, 35, 35), text(230, 230, 230);
    for (const auto role : {QPalette::Window, QPalette::AlternateBase, QPalette::ToolTipBase})
        p.setColor(role, window);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::Base, base);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        p.setColor(role, text);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    return p;
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

    EditorFixture editor;
    TfrmMain* w() { return editor.w(); }

    // The context menu opened over `target` (by the right button, or by the
    // keyboard): its entries' texts and whether each can be chosen. The entry
    // named `choose` is chosen; otherwise the menu is closed unchosen.
    QList<QPair<QString, bool>> contextMenu(QWidget* target, const QString& choose = {},
                                            QContextMenuEvent::Reason reason = QContextMenuEvent::Mouse)
    {
        QList<QPair<QString, bool>> entries;
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* a : menu->actions()) {
                    if (!a->isSeparator())
                        entries << qMakePair(a->text(), a->isEnabled());
                    if (a->text() == choose)
                        a->trigger();
                    for (QAction* entry : a->menu() ? a->menu()->actions() : QList<QAction*>())
                        if (entry->text() == choose)
                            entry->trigger();
                }
                menu->close();
            }
        });
        QContextMenuEvent event(reason, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(target, &event);
        return entries;
    }

    // The window's shortcut for `keys`, as the window system would run it
    // (the offscreen platform does not route test key events to shortcuts).
    void pressShortcut(const QKeySequence& keys)
    {
        const QList<QShortcut*> shortcuts = w()->findChildren<QShortcut*>();
        const auto it = std::find_if(shortcuts.begin(), shortcuts.end(), [&](QShortcut* s) { return s->key() == keys; });
        QVERIFY2(it != shortcuts.end(), qPrintable(keys.toString()));
        Q_EMIT (*it)->activated();
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(settingsFileName());
        editor.start();
        w()->show();
    }
    void cleanup() { editor.stop(); }

    // Each kind of edit is one step: undone and redone through the page's
    // own path (one image, one cell), named in the context menu; undo and
    // redo are changes like any other, so the skin is changed after each.
    // A row may edit a control of the page first, so that the step starts
    // from an edited page.
    void undoAndRedo_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("cell");
        QTest::newRow("a colour") << "" << "cbPitanjeC1" << "Pitanje, Boja 1" << "mPitanje";
        QTest::newRow("a colour of a later page") << "" << "cbOdgovorNOLine" << "Potvrda (normalno), Linija" << "mNO";
        QTest::newRow("a page whose tab ends in a blank") << "" << "cbOdgovorNormalC2" << "Odgovor (normalno), Boja 2"
                                                          << "mOdgovor1";
        QTest::newRow("a direction") << "" << "rbOdgovorInDole" << "Odgovor (ulaz), Prelivanje" << "mOdgovor2";
        QTest::newRow("Standarno of an edited page") << "cbOdgovorOKC1" << "spbOdgovorOK" << "Odgovor (tacan), Standarno"
                                                     << "mOdgovor4";
        QTest::newRow("Ostalo") << "" << "cbVoditelj" << "Ostalo, Voditelj" << "";
    }

    void undoAndRedo()
    {
        QFETCH(QString, first);
        QFETCH(QString, control);
        QFETCH(QString, step);
        QFETCH(QString, cell);
        if (!first.isEmpty())
            userPicksColour(*component<TColorBox>(w(), qPrintable(first)), clRed);
        const QByteArray start = encodeSkinRecord(w()->currentRecord());
        QWidget* target = w()->findChild<QWidget*>(control);
        QVERIFY(target);
        if (auto* box = qobject_cast<TColorBox*>(target))
            userPicksColour(*box, clRed);
        else if (auto* radio = qobject_cast<QRadioButton*>(target))
            radio->click();
        else
            qobject_cast<QToolButton*>(target)->click();
        const QByteArray edited = encodeSkinRecord(w()->currentRecord());
        QVERIFY(w()->document().isModified());
        QCOMPARE(contextMenu(component<TZlatovirPitanje>(w(), "mPitanje")).value(0), qMakePair(QStringLiteral("Ponisti: ") + step, true));

        // Each undo and redo repaints exactly the page's own cell, once.
        const TCustomControl* own = cell.isEmpty() ? nullptr : w()->findChild<TCustomControl*>(cell);
        for (const bool undo : {true, false}) {
            const std::vector<int> paints = cellPaints(w());
            const int ownPaints = own ? own->paintCount() : 0;
            pressShortcut(undo ? QKeySequence(Qt::CTRL | Qt::Key_Z) : QKeySequence(Qt::CTRL | Qt::Key_Y));
            QCOMPARE(encodeSkinRecord(w()->currentRecord()), undo ? start : edited);
            QVERIFY(w()->document().isModified());
            const std::vector<int> now = cellPaints(w());
            QCOMPARE(std::accumulate(now.begin(), now.end(), 0) - std::accumulate(paints.begin(), paints.end(), 0),
                     own ? 1 : 0);
            if (own)
                QCOMPARE(own->paintCount(), ownPaints + 1);
        }
        pressShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)); // nothing left to redo
        QCOMPARE(encodeSkinRecord(w()->currentRecord()), edited);
    }

    // Only the commands make the skin unchanged; a new or opened skin starts
    // a new history; the menu greys what it cannot do.
    void historyAndTheDocument()
    {
        QCOMPARE(contextMenu(component<TZlatovirPitanje>(w(), "mPitanje")),
                 (QList<QPair<QString, bool>>{{"Ponisti", false},
                                              {"Ponovi", false},
                                              {"Standardne boje ove strane", true},
                                              {"Sacuvaj pregled kao...", true},
                                              {"Prikaz", true}}));
        QTemporaryDir dir;
        userPicksColour(*component<TColorBox>(w(), "cbPitanjeC1"), clRed);
        editor.fake().fileAnswers = {dir.filePath("a")};
        component<QAction>(w(), "mnmSaveAs")->trigger();
        QVERIFY(!w()->document().isModified());
        userPicksColour(*component<TColorBox>(w(), "cbPitanjeC1"), clBlue);
        QVERIFY(w()->document().isModified());
        w()->history().stack().undo();
        QVERIFY(w()->document().isModified()); // back at the saved colours, but an undo is a change: closing asks
        w()->history().stack().undo();
        QVERIFY(w()->document().isModified());
        // The next step starts from what the undo put back.
        const TColor undone = component<TColorBox>(w(), "cbPitanjeC1")->Selected();
        userPicksColour(*component<TColorBox>(w(), "cbPitanjeC1"), clLime);
        w()->history().stack().undo();
        QCOMPARE(component<TColorBox>(w(), "cbPitanjeC1")->Selected(), undone);
        editor.fake().messageAnswers = {MessageAnswer::No};
        component<QAction>(w(), "Nov1")->trigger();
        QVERIFY(!w()->history().stack().canUndo() && !w()->document().isModified());
        // "Standarno" of the visible page through the menu, on an unchanged page: still a change.
        contextMenu(component<TZlatovirPitanje>(w(), "mPitanje"), QStringLiteral("Standardne boje ove strane"), QContextMenuEvent::Keyboard);
        QVERIFY(w()->document().isModified());
        QCOMPARE(w()->history().stack().undoText(), QStringLiteral("Pitanje, Standarno"));
        // From a preview cell the entry resets that cell's page, brought
        // forward, and leaves the visible page alone.
        userPicksColour(*component<TColorBox>(w(), "cbPitanjeC1"), clRed);
        userPicksColour(*component<TColorBox>(w(), "cbOdgovorInC1"), clRed);
        contextMenu(component<TZlatovirOdgovor>(w(), "mOdgovor2"), QStringLiteral("Standardne boje ove strane"));
        QCOMPARE(component<TColorBox>(w(), "cbOdgovorInC1")->Selected(), standardSkinRecord().OdgovorInC1);
        QCOMPARE(component<TColorBox>(w(), "cbPitanjeC1")->Selected(), clRed);
        QCOMPARE(component<TPageControl>(w(), "PageControl1")->currentWidget(), component<QWidget>(w(), "TabSheet3"));
    }

    // A vision chosen from the menu changes what the cells put on the
    // screen, edits included, and nothing they paint or save.
    void simulatedPreview()
    {
        const auto cells = w()->centralWidget()->findChildren<TZlatovirCelija*>();
        const auto shows = [&](Vision vision) {
            for (TZlatovirCelija* cell : cells)
                QCOMPARE(cell->grab().toImage().convertToFormat(QImage::Format_RGB32),
                         simulateVision(cell->bitmap().image(), vision));
        };
        const QImage plain = w()->previewImage();
        contextMenu(component<TZlatovirOdgovor>(w(), "mOdgovor2"), QStringLiteral("Deuteranopija"));
        shows(Vision::Deuteranopia);
        QCOMPARE(w()->previewImage(), plain); // what "Sacuvaj pregled kao..." saves
        userPicksColour(*component<TColorBox>(w(), "cbOdgovorInC1"), clRed);
        shows(Vision::Deuteranopia);
        contextMenu(component<TZlatovirPitanje>(w(), "mPitanje"), QStringLiteral("Normalan vid"));
        shows(Vision::Normal);
    }

    // The wheel steps a box only while it has the focus; a box's tooltip
    // says what "Custom..." or a system colour is; screen readers get names.
    void colourBoxes()
    {
        TColorBox* box = component<TColorBox>(w(), "cbPitanjeC1");
        for (const bool focused : {false, true}) {
            if (focused) {
                w()->activateWindow();
                box->setFocus();
                QVERIFY(QTest::qWaitFor([&] { return box->hasFocus(); }));
            }
            const TColor before = box->Selected();
            QWheelEvent wheel(QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(box, &wheel);
            QCOMPARE(box->Selected() != before, focused);
            QCOMPARE(w()->history().stack().canUndo(), focused);
        }
        // The wheel steps onto "Custom..." without opening its dialog.
        box->setSelected(clBlack);
        QWheelEvent up(QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &up);
        QCOMPARE(box->currentIndex(), 0);
        box->setSelected(0x00336699);
        QCOMPARE(box->toolTip(), QStringLiteral("#996633"));
        box->setSelected(clBtnFace);
        QCOMPARE(box->toolTip(), QStringLiteral("Button Face"));
        QCOMPARE(component<TColorBox>(w(), "cbOdgovorNormalText")->accessibleName(), QStringLiteral("Odgovor (normalno), Tekst"));
        QCOMPARE(w()->findChild<QLabel*>("Label2")->buddy(), box);
        QCOMPARE(component<TZlatovirOdgovor>(w(), "mOdgovor1")->accessibleName(), QStringLiteral("Pregled: Odgovor (normalno)"));
    }

    // Local files may be dropped, only as a copy, which the source is told
    // whatever it proposed, at once: the question about unsaved changes (or
    // why the files can't be opened) comes after the drop has returned. One
    // .kvz file opens; other local files get a message; anything else is
    // refused silently. (%1 is a folder holding a.kvz and a.png.)
    void drops_data()
    {
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<Qt::DropActions>("offered");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("after"); // "opened", "message" or ""
        const Qt::DropActions copy = Qt::CopyAction, copyOrMove = Qt::CopyAction | Qt::MoveAction;
        QTest::newRow("one skin") << QStringList{"file://%1/a.kvz"} << copy << true << "opened";
        QTest::newRow("one skin, move proposed") << QStringList{"file://%1/a.kvz"} << copyOrMove << true << "opened";
        QTest::newRow("one skin from localhost") << QStringList{"file://localhost%1/a.kvz"} << copy << true << "opened";
        QTest::newRow("one skin, only a move") << QStringList{"file://%1/a.kvz"} << Qt::DropActions(Qt::MoveAction)
                                               << false << "";
        QTest::newRow("two skins") << QStringList{"file://%1/a.kvz", "file://%1/a.kvz"} << copy << true << "message";
        QTest::newRow("a picture") << QStringList{"file://%1/a.png"} << copy << true << "message";
        QTest::newRow("not a local file") << QStringList{"https://example.org/a.kvz"} << copy << false << "";
        QTest::newRow("another host's file") << QStringList{"file://server%1/a.kvz"} << copy << false << "";
    }

    void drops()
    {
        QFETCH(QStringList, urls);
        QFETCH(Qt::DropActions, offered);
        QFETCH(bool, accepted);
        QFETCH(QString, after);
        QTemporaryDir dir;
        QVERIFY(writeWholeFile(dir.filePath("a.kvz"), encodeSkinFile(standardSkinRecord())).isEmpty());
        QMimeData data;
        QList<QUrl> list;
        for (const QString& u : urls)
            list << QUrl(u.arg(dir.path()));
        data.setUrls(list);
        w()->document().setModified(true);
        QDragEnterEvent enter(QPoint(5, 5), offered, &data, Qt::LeftButton, Qt::NoModifier);
        QDragMoveEvent move(QPoint(6, 6), offered, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(QPoint(6, 6), offered, &data, Qt::LeftButton, Qt::NoModifier);
        for (QDropEvent* event : {static_cast<QDropEvent*>(&enter), static_cast<QDropEvent*>(&move), &drop}) {
            event->setDropAction(offered & Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction);
            QApplication::sendEvent(w(), event);
            QCOMPARE(event->isAccepted(), accepted);
            if (accepted)
                QCOMPARE(event->dropAction(), Qt::CopyAction);
        }
        QVERIFY(editor.fake().messages.isEmpty()); // nothing asked while the source waits
        editor.fake().messageAnswers = {after == "message" ? MessageAnswer::Ok : MessageAnswer::No};
        QCoreApplication::processEvents();
        QCOMPARE(editor.fake().messages.size(), after.isEmpty() ? 0 : 1);
        QCOMPARE(w()->document().currentFileName() == dir.filePath("a.kvz"), after == "opened");
    }

    // Under a light and a dark palette every text of the window stands out
    // from its own background by at least 4.5 : 1; the direction captions
    // lie on their page's own colour, covering the bevel line; the preview
    // stays on white.
    void readableUnderLightAndDarkPalettes_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }

    void readableUnderLightAndDarkPalettes()
    {
        QFETCH(bool, dark);
        editor.stop();
        const QPalette light = QApplication::palette();
        if (dark)
            QApplication::setPalette(darkPalette());
        editor.start();
        w()->show();
        const QImage window = w()->grab().toImage();
        const auto readable = [&](const QImage& picture, QWidget* control, QMargins skip) {
            const QRect area = QRect(control->mapTo(w(), QPoint(0, 0)), control->size()).marginsRemoved(skip);
            const double c = textContrast(picture.copy(area));
            QVERIFY2(c >= 4.5, qPrintable(QStringLiteral("%1: %2").arg(control->metaObject()->className()).arg(c)));
        };
        readable(window, w()->menuBar(), {});
        readable(window, component<TPageControl>(w(), "PageControl1")->tabBar(), {});
        for (int t = 0; t < component<TPageControl>(w(), "PageControl1")->count(); ++t) {
            component<TPageControl>(w(), "PageControl1")->setCurrentIndex(t);
            const QImage page = w()->grab().toImage();
            for (QWidget* control : component<TPageControl>(w(), "PageControl1")->widget(t)->findChildren<QWidget*>()) {
                // Swatches, indicators and arrows are not text.
                if (qobject_cast<TColorBox*>(control))
                    readable(page, control, QMargins(26, 3, 22, 3));
                else if (qobject_cast<QRadioButton*>(control))
                    readable(page, control, QMargins(20, 0, 0, 0));
                else if (qobject_cast<QLabel*>(control) || qobject_cast<QToolButton*>(control))
                    readable(page, control, {});
            }
            // The caption's last column is its trailing blank, on the bevel's row.
            for (QLabel* caption : component<TPageControl>(w(), "PageControl1")->widget(t)->findChildren<QLabel*>())
                if (caption->text() == QStringLiteral("Prelivanje: ")) {
                    const QPoint blank = caption->mapTo(w(), QPoint(caption->width() - 1, 6));
                    const QPoint pageOnly = caption->mapTo(w(), QPoint(-4, 1));
                    QCOMPARE(page.pixel(blank), page.pixel(pageOnly));
                }
        }
        const QPoint corner = component<TZlatovirPitanje>(w(), "mPitanje")->mapTo(w(), QPoint(2, 2));
        QCOMPARE(window.pixel(corner) & 0xFFFFFF, 0xFFFFFFu);
        editor.stop();
        QApplication::setPalette(light);
        editor.start();
    }
};

ZV_TEST_MAIN(TestHistory)
#include "tst_history.moc"
