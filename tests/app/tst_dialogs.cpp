#include "tests/TestMain.h"
#include "tests/app/EditorFixture.h"
#include "platform/toolkit/QtPrompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTimer>
#include <QTranslator>

#include <set>
#include <tuple>

namespace {

// Answers nothing itself: notes every text Qt asks to have translated.
class Recorder : public QTranslator
{
public:
    using Request = std::tuple<QByteArray, QByteArray, QByteArray>; // context, source, disambiguation
    mutable std::set<Request> asked;

    QString translate(const char* context, const char* source, const char* disambiguation, int) const override
    {
        asked.emplace(context, source, disambiguation);
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

// Qt's own dialogs the editor opens speak Serbian on a real display: every
// text they ask for is in the editor's catalogue, and their default titles,
// labels and buttons read as translated.
class TestDialogs : public QObject
{
    Q_OBJECT

    EditorFixture editor;

    // Runs `open` (which shows a modal dialog); once the dialog is up, its
    // window title and every label's, button's and column's text are read
    // and the dialog is closed.
    QStringList textsOf(const std::function<void()>& open, QString& title)
    {
        QStringList texts;
        QTimer poll;
        poll.setInterval(50);
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->isVisible())
                return;
            poll.stop();
            QTest::qWait(300); // the folder's contents arrive from another thread
            title = dialog->windowTitle();
            for (const QLabel* l : dialog->findChildren<QLabel*>())
                texts << l->text();
            for (const QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
                texts << b->text() << b->toolTip();
            for (const QHeaderView* h : dialog->findChildren<QHeaderView*>())
                for (int i = 0; h->model() && i < h->model()->columnCount(); ++i)
                    texts << h->model()->headerData(i, Qt::Horizontal).toString();
            dialog->close();
        });
        poll.start();
        open();
        texts.removeAll(QString());
        return texts;
    }

private Q_SLOTS:
    void initTestCase() { editor.start(); }
    void cleanupTestCase() { editor.stop(); }

    void dialogsSpeakSerbian_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("shown"); // among what the dialog shows
        QTest::newRow("open") << 0 << "Otvori" << QStringList{"Trazi u:", "&Ime datoteke:", "Vrsta datoteka:", "&Otvori", "Otkazi", "Ime", "Izmenjeno"};
        QTest::newRow("save") << 1 << "Sacuvaj kao" << QStringList{"&Sacuvaj", "Otkazi", "Nazad", "Napravi novi folder"};
        QTest::newRow("colour") << 2 << "Izaberi boju" << QStringList{"&Crvena:", "&Nijansa:", "&Osnovne boje", "U redu", "Otkazi", "&Uzmi boju sa ekrana"};
    }

    void dialogsSpeakSerbian()
    {
        QFETCH(int, which);
        QFETCH(QString, title);
        QFETCH(QStringList, shown);
        Recorder recorder;
        QApplication::installTranslator(&recorder);
        QtPrompts prompts;
        FileDialog file(which == 0 ? FileDialog::Open : FileDialog::Save);
        file.Filter = QStringLiteral("Zlatovir SKIN datoteke|*.kvz");
        QString seenTitle;
        const QStringList texts = textsOf(
            [&] {
                if (which == 2)
                    prompts.ChooseColor(clRed);
                else
                    prompts.RunFileDialog(file);
            },
            seenTitle);
        QApplication::removeTranslator(&recorder);
        QCOMPARE(seenTitle, title);
        for (const QString& text : shown)
            QVERIFY2(texts.contains(text), qPrintable(text + " not among: " + texts.join(" | ")));
        QTranslator catalogue;
        QVERIFY(catalogue.load(QStringLiteral(":/i18n/qtbase_sr_Latn.qm")));
        for (const auto& [context, source, disambiguation] : recorder.asked)
            QVERIFY2(!catalogue.translate(context, source, disambiguation.isEmpty() ? nullptr : disambiguation.constData()).isEmpty(),
                     context + " \"" + source + "\" is left in English");
    }
};

ZV_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
