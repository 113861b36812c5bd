#include "platform/base/Errors.h"
#include "platform/toolkit/Application.h"
#include "platform/toolkit/ColorBox.h"
#include "platform/toolkit/Controls.h"
#include "platform/toolkit/PageControl.h"
#include "platform/toolkit/QtPrompts.h"
#include "tests/FakePrompts.h"
#include "tests/TestMain.h"
#include "tests/TestSupport.h"

#include <QAbstractItemView>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include <unistd.h>

using Action = std::function<void(TColorBox&, FakePrompts&)>;
Q_DECLARE_METATYPE(Action)

class TestToolkit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void colorBoxListsCustomStandardExtendedAndSystemColours()
    {
        TColorBox box;
        QCOMPARE(box.count(), 1 + 16 + 4 + 30);
        QCOMPARE(box.itemText(0), QStringLiteral("Custom..."));
        QCOMPARE(box.itemText(1), QStringLiteral("Black"));
        QCOMPARE(box.itemText(2), QStringLiteral("Maroon"));
        QCOMPARE(box.itemText(16), QStringLiteral("White"));
        QCOMPARE(box.colorAt(16), clWhite);
        QCOMPARE(box.itemText(17), QStringLiteral("Money Green"));
        QCOMPARE(box.itemText(20), QStringLiteral("Medium Gray"));
        QCOMPARE(box.colorAt(21), clSystemColor | 0);
        QCOMPARE(box.colorAt(21 + 24), clSystemColor | 24);
        QCOMPARE(box.colorAt(21 + 25), clSystemColor | 26);
        QCOMPARE(box.colorAt(50), clSystemColor | 30);
        QCOMPARE(box.itemText(21 + 15), QStringLiteral("Button Face"));
        QVERIFY(!box.itemIcon(5).isNull());
        box.showPopup();
        QCOMPARE(box.view()->sizeHintForRow(5), 16);
        QCOMPARE(box.Selected(), clBlack);
    }

    // Item widths are measured once and shared by every box: a box with a
    // larger font (given before its list is made) must still get its items
    // measured in that font.
    void listItemsAreMeasuredInEachBoxsFont()
    {
        TColorBox small;
        small.showPopup();
        const int smallWidth = small.view()->sizeHintForColumn(0);
        QFont large = small.font();
        large.setPixelSize(40);
        TColorBox grown;
        grown.setFont(large);
        grown.showPopup();
        QVERIFY(grown.view()->sizeHintForColumn(0) > smallWidth + 50);
        QCOMPARE(grown.view()->sizeHintForRow(5), 16);
        QCOMPARE(small.view()->sizeHintForColumn(0), smallWidth);
    }

    // System colours are drawn in the live palette's colours, in the list as
    // in the skin images.
    void systemSwatchesFollowThePalette()
    {
        TColorBox box;
        const QPalette old = QApplication::palette();
        QPalette red = old;
        red.setColor(QPalette::Button, Qt::red);
        QApplication::setPalette(red);
        QCoreApplication::processEvents(); // the widgets hear of it through the loop
        const QImage swatch = box.itemIcon(box.namedIndexOf(clBtnFace)).pixmap(16, 12).toImage();
        QApplication::setPalette(old);
        QCOMPARE(swatch.pixelColor(8, 6), QColor(Qt::red));
        // Inside a one-pixel black frame.
        for (const QPoint frame : {QPoint(0, 0), QPoint(15, 6), QPoint(8, 11), QPoint(15, 11)})
            QCOMPARE(swatch.pixelColor(frame), QColor(Qt::black));
        QCOMPARE(swatch.pixelColor(1, 1), QColor(Qt::red));
    }

    // With its tabs on one row, the page control looks as Qt's own tab widget
    // does, to the pixel: tabs and pane.
    void pageControlOnOneRowAsTheStyleDrawsIt()
    {
        TPageControl pages;
        QTabWidget plain;
        for (QTabWidget* tabs : {static_cast<QTabWidget*>(&pages), &plain}) {
            for (const char* title : {"Pitanje", "Odgovor", "Ostalo"})
                tabs->addTab(new QWidget, QString::fromLatin1(title));
            tabs->resize(400, 300);
            tabs->show();
            QVERIFY(QTest::qWaitForWindowExposed(tabs));
        }
        QCOMPARE(pages.tabRows(), 1);
        QCOMPARE(pages.grab().toImage(), plain.grab().toImage());
    }

    void settingSelectedFromCode_data()
    {
        QTest::addColumn<TColor>("color");
        QTest::addColumn<QString>("shownAs");
        QTest::newRow("listed colour") << clNavy << QStringLiteral("Navy");
        QTest::newRow("extended colour") << clCream << QStringLiteral("Cream");
        QTest::newRow("system colour stays a system value") << clBtnFace << QStringLiteral("Button Face");
        QTest::newRow("unlisted colour becomes Custom") << TColor(0x00B38855) << QStringLiteral("Custom...");
        QTest::newRow("unlisted high byte kept as is") << TColor(0x02123456) << QStringLiteral("Custom...");
        QTest::newRow("the unused system colour is kept, not listed")
            << (clSystemColor | UnusedSystemColorIndex) << QStringLiteral("Custom...");
    }

    void settingSelectedFromCode()
    {
        QFETCH(TColor, color);
        QFETCH(QString, shownAs);
        TColorBox box;
        QSignalSpy changes(&box, &TColorBox::OnChange);
        box.setSelected(color);
        QCOMPARE(box.Selected(), color);
        QCOMPARE(box.currentText(), shownAs);
        QCOMPARE(changes.count(), 0);
    }

    void userActions_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<TColor>("selected");
        QTest::addColumn<int>("changes");
        QTest::newRow("picks a named colour") << Action([](TColorBox& b, FakePrompts&) { userPicks(b, 10); })
                                              << clRed << 1;
        QTest::newRow("picks a system colour") << Action([](TColorBox& b, FakePrompts&) { userPicks(b, 21 + 15); })
                                               << clBtnFace << 1;
        QTest::newRow("confirms the custom dialog") << Action([](TColorBox& b, FakePrompts& p) {
            p.colorAnswers.push_back(TColor(0x00ADDEFE));
            userPicks(b, 0);
        }) << TColor(0x00ADDEFE) << 1;
        QTest::newRow("cancels the custom dialog") << Action([](TColorBox& b, FakePrompts& p) {
            p.colorAnswers.push_back(std::nullopt);
            userPicks(b, 0);
        }) << clNavy << 0;
        QTest::newRow("keyboard: down from Navy") << Action([](TColorBox& b, FakePrompts&) {
            b.setFocus();
            QTest::keyClick(&b, Qt::Key_Down);
        }) << clPurple << 1;
        // Stepping onto "Custom..." takes the colour it holds; its dialog
        // opens only when it is chosen in the open list. (An unscripted
        // dialog ends the run.)
        QTest::newRow("keyboard: Home onto Custom... opens no dialog") << Action([](TColorBox& b, FakePrompts&) {
            QTest::keyClick(&b, Qt::Key_Home);
        }) << clBlack << 1;
        QTest::newRow("Enter on Custom... in the open list opens it") << Action([](TColorBox& b, FakePrompts& p) {
            p.colorAnswers.push_back(TColor(0x00ADDEFE));
            b.showPopup();
            b.view()->setCurrentIndex(b.model()->index(0, 0));
            QTest::keyClick(b.view(), Qt::Key_Return);
        }) << TColor(0x00ADDEFE) << 1;
        // Alt+Down opens the list (two steps in it are two colours on);
        // Alt, Ctrl or Meta with a letter is for menus and shortcuts.
        QTest::newRow("Alt+Down opens the list") << Action([](TColorBox& b, FakePrompts&) {
            b.setFocus();
            QTest::keyClick(&b, Qt::Key_Down, Qt::AltModifier);
            for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
                QTest::keyClick(b.view(), key);
        }) << clTeal << 1;
        QTest::newRow("Alt+R searches nothing") << Action([](TColorBox& b, FakePrompts&) {
            QTest::keyClick(&b, Qt::Key_R, Qt::AltModifier);
        }) << clNavy << 0;
    }

    // Starting from Navy set by code: what the user does, what the box then
    // holds, and how many change notifications it raised.
    void userActions()
    {
        QFETCH(Action, action);
        QFETCH(TColor, selected);
        QFETCH(int, changes);
        ScopedFakePrompts prompts;
        TColorBox box;
        box.setSelected(clNavy);
        QSignalSpy spy(&box, &TColorBox::OnChange);
        action(box, *prompts);
        QCOMPARE(box.Selected(), selected);
        QCOMPARE(spy.count(), changes);
        QVERIFY(prompts->colorAnswers.empty());
    }

    void customDialogStartsFromTheCustomColour()
    {
        ScopedFakePrompts prompts;
        TColorBox box;
        box.setSelected(0x00B38855);
        userPicks(box, 3);
        prompts->colorAnswers.push_back(TColor(0x00010203));
        userPicks(box, 0);
        QCOMPARE(prompts->colorRequests, QList<TColor>{0x00B38855});
        QCOMPARE(box.Selected(), TColor(0x00010203));
    }

    void radioButtonRaisesOnClickOnlyWhenItBecomesChecked()
    {
        QWidget parent;
        auto* desno = new TRadioButton(&parent);
        auto* dole = new TRadioButton(&parent);
        desno->setChecked(true);
        QStringList log;
        for (TRadioButton* b : {desno, dole})
            connect(b, &TRadioButton::OnClick, &parent, [&log, b, desno, dole] {
                log << QStringLiteral("%1 clicked, partner %2")
                           .arg(b == desno ? "desno" : "dole",
                                (b == desno ? dole : desno)->isChecked() ? "checked" : "unchecked");
            });
        dole->setChecked(true);
        dole->setChecked(true);
        dole->setChecked(false);
        desno->click();
        desno->click();
        QCOMPARE(log, (QStringList{QStringLiteral("dole clicked, partner unchecked"),
                                   QStringLiteral("desno clicked, partner unchecked")}));
    }

    void uncaughtErrorsReachTheTopLevelHandlerAndTheLoopGoesOn()
    {
        ScopedFakePrompts prompts;
        QObject sender;
        struct Command
        {
            int runs = 0;
            void run()
            {
                ++runs;
                throw EditorError(QStringLiteral("Cannot create file \"/x/y.kvz\". No such file or directory"));
            }
        } command;
        QTimer timer;
        connect(&timer, &QTimer::timeout, &sender, TApplication::guarded(&command, &Command::run));
        timer.setSingleShot(true);
        timer.start(0);
        QTRY_COMPARE(command.runs, 1);
        QCOMPARE(prompts->messages.size(), 1);
        QCOMPARE(prompts->messages[0].caption, QStringLiteral("Zlatovir VEDU Dozezi"));
        QCOMPARE(prompts->messages[0].kind, MessageKind::Error);
        QCOMPARE(prompts->messages[0].text, QStringLiteral("Cannot create file \"/x/y.kvz\". No such file or directory"));
        QVERIFY(TApplication::guard([] {}));
        // The box is the whole report: nothing is logged.
        QTemporaryFile log;
        QVERIFY(log.open());
        std::fflush(stderr);
        const int standardError = dup(STDERR_FILENO);
        dup2(log.handle(), STDERR_FILENO);
        const bool ran = TApplication::guard([] { throw std::runtime_error("x"); });
        std::fflush(stderr);
        dup2(standardError, STDERR_FILENO);
        close(standardError);
        QVERIFY(!ran);
        QCOMPARE(prompts->messages.size(), 2);
        QCOMPARE(log.size(), 0);
    }

    void fileDialogFilterInQtForm()
    {
        QCOMPARE(qtNameFilters(QStringLiteral("Zlatovir SKIN datoteke|*.kvz")),
                 QStringLiteral("Zlatovir SKIN datoteke (*.kvz)"));
    }

    void realQuestionBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("Enter takes the default, Yes") << int(Qt::Key_Return) << MessageAnswer::Yes;
        QTest::newRow("closing the box is Cancel") << int(Qt::Key_Escape) << MessageAnswer::Cancel;
    }

    void realQuestionBox()
    {
        QFETCH(int, key);
        QFETCH(MessageAnswer, answer);
        QString title;
        QTimer::singleShot(0, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            title = box->windowTitle();
            QTest::keyClick(box, Qt::Key(key));
        });
        QtPrompts prompts;
        QCOMPARE(prompts.MessageBox(QStringLiteral("Da li zelite prvo da sacuvate promene?"), QStringLiteral("Potvrda"),
                                    MessageKind::YesNoCancel),
                 answer);
        QCOMPARE(title, QStringLiteral("Potvrda"));
    }
};

ZV_TEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
