#include "tests/TestMain.h"
#include "tests/app/EditorFixture.h"
#include "platform/toolkit/QtPrompts.h"

#include <QApplication>
#include <QTimer>
#include <QTranslator>

#include <set>
#include <tuple>

namespace {

// Answers nothing itself: notes every text Qt asks to have translated.
struct Recorder : QTranslator
{
    mutable std::set<std::tuple<QByteArray, QByteArray, QByteArray>> asked; // context, source, disambiguation
    QString translate(const char* context, const char* source, const char* disambiguation, int) const override
    {
        asked.emplace(context, source, disambiguation);
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

// Qt's own dialogs the editor opens speak Serbian on a real display: their
// default titles, and every text they ask for while open (labels, buttons,
// tooltips, columns, menus) is in the editor's catalogue.
class TestDialogs : public QObject
{
    Q_OBJECT

    EditorFixture editor;

private Q_SLOTS:
    void initTestCase() { editor.start(); }
    void cleanupTestCase() { editor.stop(); }

    void dialogsSpeakSerbian_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("title");
        QTest::newRow("open") << 0 << "Otvori";
        QTest::newRow("save") << 1 << "Sacuvaj kao";
        QTest::newRow("colour") << 2 << "Izaberi boju";
    }

    void dialogsSpeakSerbian()
    {
        QFETCH(int, which);
        QFETCH(QString, title);
        Recorder recorder;
        QApplication::installTranslator(&recorder);
        QString seen;
        QTimer poll; // until the dialog is up and its folder read (from another thread)
        connect(&poll, &QTimer::timeout, this, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget(); dialog && dialog->isVisible()) {
                poll.stop();
                QTest::qWait(300);
                seen = dialog->windowTitle();
                dialog->close();
            }
        });
        poll.start(50);
        QtPrompts prompts;
        FileDialog file(which == 0 ? FileDialog::Open : FileDialog::Save);
        file.Filter = QStringLiteral("Zlatovir SKIN datoteke|*.kvz");
        if (which == 2)
            prompts.ChooseColor(clRed);
        else
            prompts.RunFileDialog(file);
        QApplication::removeTranslator(&recorder);
        QCOMPARE(seen, title);
        QTranslator catalogue;
        QVERIFY(catalogue.load(QStringLiteral(":/i18n/qtbase_sr_Latn.qm")));
        QVERIFY(recorder.asked.size() > 10); // it did see the dialog ask
        for (const auto& [context, source, disambiguation] : recorder.asked)
            QVERIFY2(!catalogue.translate(context, source, disambiguation.isEmpty() ? nullptr : disambiguation.constData()).isEmpty(),
                     context + " \"" + source + "\" is left in English");
    }
};

ZV_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
