#include "platform/base/Errors.h"
#include "tests/TestMain.h"
#include "tests/TestSupport.h"
#include "tests/app/EditorFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The standard skin as stored, 16 bytes a row: the worked example of the
// file format (a new field of the record changes it, by design).
const char* const standardSkinHex =
    "54 61 76 72 69 6E 20 5A 6C 61 74 6F 76 69 72 20"
    "53 4B 49 4E 20 64 61 74 6F 74 65 6B 61 0A FF FF"
    "FF 00 55 88 B3 00 00 00 00 00 00 00 00 00 01 FF"
    "FF FF 00 00 FF FF 00 55 88 B3 00 00 00 00 00 00"
    "00 00 00 01 FF FF FF 00 00 FF FF 00 55 88 B3 00"
    "FF 99 00 00 FE DE AD 00 01 FF FF FF 00 00 FF FF"
    "00 55 88 B3 00 FF 33 00 00 FE B0 9D 00 01 FF FF"
    "FF 00 00 FF FF 00 55 88 B3 00 00 CC 33 00 9F EC"
    "B1 00 01 FF FF FF 00 55 88 B3 00 FF 99 00 00 FE"
    "DE AD 00 01 FF FF FF 00 55 88 B3 00 00 00 00 00"
    "00 00 00 00 01 FF FF 00 00 FF 00 00 00 FF FF 00"
    "00 00 FF FF 00 FF FF FF 00 00 00 80 00 FF FF FF"
    "00 FF FF FF 00 FF FF FF 00 FF FF FF 00";

QByteArray standardSkin()
{
    return QByteArray::fromHex(QByteArray(standardSkinHex).replace(' ', ""));
}

QByteArray readAll(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A skin file whose record differs from the standard in a few places.
QByteArray modifiedSkin()
{
    QByteArray b = standardSkin();
    b[30 + 54] = char(0x12); // OdgovorInC2, low byte
    b[30 + 16] = 0;          // PitanjeDesno: Dole
    return b;
}

struct DocumentState
{
    QString name;
    bool modified;
    QString caption;
    QByteArray record;
};

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT

    EditorFixture editor;
    // A fresh folder for every test function.
    std::optional<QTemporaryDir> dir;
    TfrmMain* w() { return editor.w(); }
    QString path(const QString& name) const { return dir->filePath(name); }

    DocumentState state()
    {
        return {w()->document().currentFileName(), w()->document().isModified(), w()->windowTitle(), encodeSkinRecord(w()->currentRecord())};
    }
    void verifyUnchanged(const DocumentState& before)
    {
        const DocumentState now = state();
        QCOMPARE(now.name, before.name);
        QCOMPARE(now.modified, before.modified);
        QCOMPARE(now.caption, before.caption);
        QCOMPARE(now.record, before.record);
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(settingsFileName());
        dir.emplace();
        editor.start();
    }
    void cleanup()
    {
        editor.stop();
        dir.reset();
    }

    void savingTheStandardSkinGivesItsBytes()
    {
        w()->document().SaveToFile(path(QStringLiteral("standard")));
        QCOMPARE(readAll(path(QStringLiteral("standard.kvz"))), standardSkin());
        QCOMPARE(encodeSkinFile(standardSkinRecord()), standardSkin());
    }

    void directionBytesAsRead_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("desno");
        QTest::addColumn<bool>("checked");
        QTest::newRow("2 in PitanjeDesno keeps Dole") << 16 << "rbPitanjeDesno" << false;
        QTest::newRow("2 in OdgovorInDesno checks Desno") << 58 << "rbOdgovorInDesno" << true;
    }

    void directionBytesAsRead()
    {
        QFETCH(int, offset);
        QFETCH(QString, desno);
        QFETCH(bool, checked);
        component<TRadioButton>(w(), "rbPitanjeDole")->setChecked(true);
        component<TRadioButton>(w(), "rbOdgovorInDole")->setChecked(true);
        QByteArray b = standardSkin();
        b[30 + offset] = 2;
        writeFile(path("dir.kvz"), b);
        QVERIFY(w()->document().LoadFromFile(path("dir.kvz")));
        QCOMPARE(w()->findChild<TRadioButton*>(desno)->isChecked(), checked);
    }

    void reservedFieldsAreRewrittenAsWhite()
    {
        QByteArray b = standardSkin();
        for (qsizetype i = b.size() - 16; i < b.size(); ++i) // the four reserved colours, last
            b[i] = char(0x11);
        writeFile(path("reserved.kvz"), b);
        QVERIFY(w()->document().LoadFromFile(path("reserved.kvz")));
        w()->document().SaveToFile(path("again.kvz"));
        QCOMPARE(readAll(path("again.kvz")), standardSkin());
    }

    void unlistedAndSystemColoursSurvive()
    {
        QByteArray b = standardSkin();
        const char system[4] = {0x0F, 0, 0, char(0x80)}; // clBtnFace
        b.replace(30 + 135, 4, QByteArray(system, 4));     // TacanOdgovor
        const char odd[4] = {0x01, 0x02, 0x03, 0x04};      // high byte 4
        b.replace(30 + 0, 4, QByteArray(odd, 4));          // PitanjeText
        const char unused[4] = {0x19, 0, 0, char(0x80)};   // the unused system colour, not listed
        b.replace(30 + 4, 4, QByteArray(unused, 4));       // PitanjeLinija
        writeFile(path("odd.kvz"), b);
        QVERIFY(w()->document().LoadFromFile(path("odd.kvz")));
        QCOMPARE(component<TColorBox>(w(), "cbTacanOdgovor")->Selected(), clBtnFace);
        QCOMPARE(component<TColorBox>(w(), "cbPitanjeText")->Selected(), TColor(0x04030201));
        QCOMPARE(component<TColorBox>(w(), "cbPitanjeLinija")->Selected(), clSystemColor | UnusedSystemColorIndex);
        w()->document().SaveToFile(path("odd.kvz"));
        QCOMPARE(readAll(path("odd.kvz")), b);
    }

    // A load puts the values into the controls and brings the question page
    // forward; the name is kept as given, and Save adds the extension.
    void loadingShowsTheSkinAndKeepsTheName()
    {
        writeFile(path("stari.dat"), modifiedSkin());
        component<TPageControl>(w(), "PageControl1")->setCurrentIndex(3);
        QVERIFY(w()->document().LoadFromFile(path("stari.dat")));
        QCOMPARE(component<TColorBox>(w(), "cbOdgovorInC2")->Selected(), TColor(0x00ADDE12));
        QVERIFY(component<TRadioButton>(w(), "rbPitanjeDole")->isChecked());
        QCOMPARE(component<TPageControl>(w(), "PageControl1")->currentWidget(), component<QWidget>(w(), "pagePitanje"));
        QCOMPARE(w()->document().currentFileName(), path("stari.dat"));
        QCOMPARE(w()->windowTitle(), QStringLiteral("Zlatovir VODU Editor [ stari.dat ]"));
        component<QAction>(w(), "mnmSave")->trigger();
        QCOMPARE(w()->document().currentFileName(), path("stari.dat.kvz"));
        QCOMPARE(readAll(path("stari.dat.kvz")), modifiedSkin());
        QCOMPARE(readAll(path("stari.dat")), modifiedSkin());
    }

    // ---- the document commands, through scripted prompts ----

    // The menu's New and Close run the document's commands (answered every
    // way in the document's own table): New puts the pages back to the
    // standard skin, Close hides the window.
    void newAndCloseFromTheMenu()
    {
        w()->show();
        w()->SetOdgovorIn(1, 2, 3, 4, 5, 0);
        editor.fake().messageAnswers = {MessageAnswer::No};
        component<QAction>(w(), "Nov1")->trigger();
        QCOMPARE(component<TColorBox>(w(), "cbOdgovorInC1")->Selected(), TColor(0x000099FF));
        QVERIFY(!w()->document().isModified());
        QCOMPARE(w()->document().currentFileName(), QStringLiteral("NovaSkinDatoteka"));
        w()->document().setModified(true);
        editor.fake().messageAnswers = {MessageAnswer::No};
        component<QAction>(w(), "Zatvori1")->trigger();
        QVERIFY(!w()->isVisible());
        QCOMPARE(editor.fake().messages.size(), 2);
    }

    void openAsksFirstAndLoads()
    {
        writeFile(path("a.kvz"), modifiedSkin());
        w()->SetOdgovorIn(1, 2, 3, 4, 5, 0);
        // No: the dialog starts in OpenDir, the file loads, the document is named and unchanged.
        w()->document().setOpenDir(dir->path());
        editor.fake().messageAnswers = {MessageAnswer::No};
        editor.fake().fileAnswers = {path("a.kvz")};
        component<QAction>(w(), "Otvori1")->trigger();
        QCOMPARE(editor.fake().dialogs.size(), 1);
        QCOMPARE(editor.fake().dialogs[0].InitialDir, dir->path());
        QCOMPARE(editor.fake().dialogs[0].Filter, QStringLiteral("Zlatovir SKIN datoteke|*.kvz"));
        QCOMPARE(editor.fake().dialogs[0].Options,
                 FileDialogOption::HideReadOnly | FileDialogOption::PathMustExist | FileDialogOption::FileMustExist | FileDialogOption::EnableSizing);
        QCOMPARE(w()->document().currentFileName(), path("a.kvz"));
        QVERIFY(!w()->document().isModified());
        QCOMPARE(w()->document().openDir(), dir->path());
        QCOMPARE(w()->document().saveDir(), QStringLiteral("."));
        // Unchanged: no question; a cancelled dialog changes nothing.
        editor.fake().fileAnswers = {std::nullopt};
        component<QAction>(w(), "Otvori1")->trigger();
        QCOMPARE(editor.fake().messages.size(), 1);
        QCOMPARE(w()->document().currentFileName(), path("a.kvz"));
    }

    // A refused or vanished file keeps the unsaved edits marked as such, so
    // that the next close still asks; OpenDir follows the confirmed dialog.
    void openRefusedOrVanishedKeepsTheChanges_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: the file is not there
        QByteArray newer = standardSkin();
        newer[29] = 11;
        QTest::newRow("newer version") << newer;
        QTest::newRow("short file") << standardSkin().left(100);
        QTest::newRow("vanished") << QByteArray();
    }

    void openRefusedOrVanishedKeepsTheChanges()
    {
        QFETCH(QByteArray, bytes);
        QDir(dir->path()).mkpath("sub");
        const QString name = path("sub/c.kvz");
        if (!bytes.isEmpty())
            writeFile(name, bytes);
        w()->SetOdgovorIn(1, 2, 3, 4, 5, 0);
        const DocumentState before = state();
        editor.fake().messageAnswers = {MessageAnswer::No};
        editor.fake().fileAnswers = {name};
        component<QAction>(w(), "Otvori1")->trigger();
        verifyUnchanged(before);
        QVERIFY(w()->document().isModified());
        QCOMPARE(w()->document().openDir(), path("sub"));
        editor.fake().messageAnswers = {MessageAnswer::Cancel};
        QVERIFY(!w()->close());
    }

    void saveAndSaveAs()
    {
        // Save of an untitled skin goes through the dialog; cancelling changes nothing.
        w()->SetOdgovorIn(1, 2, 3, 4, 5, 0);
        editor.fake().fileAnswers = {std::nullopt};
        component<QAction>(w(), "mnmSave")->trigger();
        QVERIFY(w()->document().isModified());
        QCOMPARE(w()->document().currentFileName(), QStringLiteral("NovaSkinDatoteka"));
        // Save As: named, unchanged, SaveDir follows.
        w()->document().setSaveDir(dir->path());
        editor.fake().fileAnswers = {path("plavi")};
        component<QAction>(w(), "mnmSaveAs")->trigger();
        QCOMPARE(editor.fake().dialogs.last().InitialDir, dir->path());
        QCOMPARE(editor.fake().dialogs.last().Options,
                 FileDialogOption::OverwritePrompt | FileDialogOption::HideReadOnly | FileDialogOption::PathMustExist | FileDialogOption::EnableSizing);
        QCOMPARE(w()->document().currentFileName(), path("plavi.kvz"));
        QCOMPARE(w()->windowTitle(), QStringLiteral("Zlatovir VODU Editor [ plavi.kvz ]"));
        QVERIFY(!w()->document().isModified());
        QCOMPARE(w()->document().saveDir(), dir->path());
        QCOMPARE(w()->document().openDir(), QStringLiteral("."));
        // Save of a named skin rewrites it without a question, changed or not.
        QFile::remove(path("plavi.kvz"));
        component<QAction>(w(), "mnmSave")->trigger();
        QVERIFY(QFileInfo::exists(path("plavi.kvz")));
        QCOMPARE(editor.fake().dialogs.size(), 2);
        QVERIFY(editor.fake().messages.isEmpty());
    }

    void aFailedCloseSaveKeepsTheWindowOpen()
    {
        w()->show();
        w()->document().setModified(true);
        editor.fake().messageAnswers = {MessageAnswer::Yes};
        editor.fake().fileAnswers = {path("missing/x.kvz")};
        QVERIFY(!w()->close());
        QVERIFY(w()->isVisible());
        QCOMPARE(editor.fake().messages.size(), 2);
        QVERIFY(editor.fake().messages[1].text.startsWith(QStringLiteral("Cannot create file")));
    }
};

ZV_TEST_MAIN(TestDocument)
#include "tst_document.moc"
