#include "platform/base/Errors.h"
#include "tests/TestMain.h"
#include "tests/TestSupport.h"
#include "tests/Unprivileged.h"
#include "tests/app/EditorFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <tuple>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The standard skin as stored: 205 bytes, 16 a row.
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
        return {w()->CurrentFileName(), w()->Modified(), w()->windowTitle(), encodeSkinRecord(w()->currentRecord())};
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
        w()->SaveToFile(path(QStringLiteral("standard")));
        QCOMPARE(readAll(path(QStringLiteral("standard.kvz"))), standardSkin());
        QCOMPARE(encodeSkinFile(standardSkinRecord()), standardSkin());
    }

    void extensionRule_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "skin" << "skin.kvz";
        QTest::newRow(".KVZ") << "skin.KVZ" << "skin.KVZ";
        QTest::newRow(".kvz") << "skin.kvz" << "skin.kvz";
        QTest::newRow(".Kvz") << "skin.Kvz" << "skin.Kvz";
        QTest::newRow(".txt") << "skin.txt" << "skin.txt.kvz";
        QTest::newRow("ends in a dot") << "skin." << "skin..kvz";
        QTest::newRow("dot only in the folder") << "d.kvz/skin" << "d.kvz/skin.kvz";
    }

    void extensionRule()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QDir(dir->path()).mkpath(QStringLiteral("d.kvz"));
        w()->SaveToFile(path(typed));
        QVERIFY(QFileInfo::exists(path(written)));
        QCOMPARE(w()->CurrentFileName(), path(written));
        QCOMPARE(w()->windowTitle(), QStringLiteral("Zlatovir VODU Editor [ %1 ]").arg(QFileInfo(written).fileName()));
    }

    void savingOverALongerFileLeavesExactly205Bytes()
    {
        writeFile(path("big.kvz"), QByteArray(5000, 'x'));
        w()->SaveToFile(path("big.kvz"));
        QCOMPARE(readAll(path("big.kvz")), standardSkin());
    }

    void readingFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message"); // empty: loaded
        const QByteArray good = modifiedSkin();
        auto withVersion = [&](int v) {
            QByteArray b = good;
            b[29] = char(v);
            return b;
        };
        const QString newer = QStringLiteral("Datoteka je kreirana u novijoj verziji VEDU Dozezi-a.");
        const QString broken = QStringLiteral("Datoteka nije ispravna SKIN datoteka.");
        QTest::newRow("version 10") << withVersion(10) << QString();
        QTest::newRow("version 0") << withVersion(0) << QString();
        QTest::newRow("version 11") << withVersion(11) << newer;
        QTest::newRow("version 255") << withVersion(255) << newer;
        QTest::newRow("all-zero header") << QByteArray(29, '\0') + good.mid(29) << QString();
        QTest::newRow("longer than a skin") << good + QByteArray(100, 'z') << QString();
        QTest::newRow("empty") << QByteArray() << broken;
        QTest::newRow("29 bytes") << good.left(29) << broken;
        QTest::newRow("30 bytes") << good.left(30) << broken;
        QTest::newRow("204 bytes") << good.left(204) << broken;
        QTest::newRow("30 bytes of a newer version") << withVersion(11).left(30) << newer;
    }

    void readingFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        writeFile(path("in.kvz"), bytes);
        component<TPageControl>(w(), "PageControl1")->setCurrentIndex(3);
        const DocumentState before = state();
        const bool loaded = w()->LoadFromFile(path("in.kvz"));
        QCOMPARE(loaded, message.isEmpty());
        if (message.isEmpty()) {
            QCOMPARE(component<TColorBox>(w(), "cbOdgovorInC2")->Selected(), TColor(0x00ADDE12));
            QVERIFY(component<TRadioButton>(w(), "rbPitanjeDole")->isChecked());
            QCOMPARE(w()->CurrentFileName(), path("in.kvz"));
            QCOMPARE(w()->windowTitle(), QStringLiteral("Zlatovir VODU Editor [ in.kvz ]"));
            QCOMPARE(component<TPageControl>(w(), "PageControl1")->currentWidget(), component<QWidget>(w(), "pagePitanje"));
            QVERIFY(editor.fake().messages.isEmpty());
            return;
        }
        QCOMPARE(editor.fake().messages.size(), 1);
        QCOMPARE(editor.fake().messages[0].caption, QStringLiteral("Greska"));
        QCOMPARE(editor.fake().messages[0].text, message);
        QCOMPARE(editor.fake().messages[0].kind, MessageKind::Error);
        verifyUnchanged(before);
        QCOMPARE(component<TPageControl>(w(), "PageControl1")->currentIndex(), 3);
    }

    void aMissingFileChangesNothing()
    {
        const DocumentState before = state();
        QVERIFY(!w()->LoadFromFile(path("nowhere.kvz")));
        verifyUnchanged(before);
        QVERIFY(editor.fake().messages.isEmpty());
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
        QVERIFY(w()->LoadFromFile(path("dir.kvz")));
        QCOMPARE(w()->findChild<TRadioButton*>(desno)->isChecked(), checked);
    }

    void reservedFieldsAreRewrittenAsWhite()
    {
        QByteArray b = standardSkin();
        for (int i = 189; i < 205; ++i)
            b[i] = char(0x11);
        writeFile(path("reserved.kvz"), b);
        QVERIFY(w()->LoadFromFile(path("reserved.kvz")));
        w()->SaveToFile(path("again.kvz"));
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
        QVERIFY(w()->LoadFromFile(path("odd.kvz")));
        QCOMPARE(component<TColorBox>(w(), "cbTacanOdgovor")->Selected(), clBtnFace);
        QCOMPARE(component<TColorBox>(w(), "cbPitanjeText")->Selected(), TColor(0x04030201));
        QCOMPARE(component<TColorBox>(w(), "cbPitanjeLinija")->Selected(), clSystemColor | UnusedSystemColorIndex);
        w()->SaveToFile(path("odd.kvz"));
        QCOMPARE(readAll(path("odd.kvz")), b);
    }

    void loadingKeepsTheNameAndSavingAddsTheExtension()
    {
        writeFile(path("stari.dat"), standardSkin());
        QVERIFY(w()->LoadFromFile(path("stari.dat")));
        QCOMPARE(w()->CurrentFileName(), path("stari.dat"));
        component<QAction>(w(), "mnmSave")->trigger();
        QCOMPARE(w()->CurrentFileName(), path("stari.dat.kvz"));
        QVERIFY(QFileInfo::exists(path("stari.dat.kvz")));
        QCOMPARE(readAll(path("stari.dat")), standardSkin());
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
        QVERIFY(!w()->Modified());
        QCOMPARE(w()->CurrentFileName(), QStringLiteral("NovaSkinDatoteka"));
        w()->setModified(true);
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
        w()->Document.setOpenDir(dir->path());
        editor.fake().messageAnswers = {MessageAnswer::No};
        editor.fake().fileAnswers = {path("a.kvz")};
        component<QAction>(w(), "Otvori1")->trigger();
        QCOMPARE(editor.fake().dialogs.size(), 1);
        QCOMPARE(editor.fake().dialogs[0].InitialDir, dir->path());
        QCOMPARE(editor.fake().dialogs[0].Filter, QStringLiteral("Zlatovir SKIN datoteke|*.kvz"));
        QCOMPARE(editor.fake().dialogs[0].Options,
                 FileDialogOption::HideReadOnly | FileDialogOption::PathMustExist | FileDialogOption::FileMustExist | FileDialogOption::EnableSizing);
        QCOMPARE(w()->CurrentFileName(), path("a.kvz"));
        QVERIFY(!w()->Modified());
        QCOMPARE(w()->OpenDir(), dir->path());
        QCOMPARE(w()->SaveDir(), QStringLiteral("."));
        // Unchanged: no question; a cancelled dialog changes nothing.
        editor.fake().fileAnswers = {std::nullopt};
        component<QAction>(w(), "Otvori1")->trigger();
        QCOMPARE(editor.fake().messages.size(), 1);
        QCOMPARE(w()->CurrentFileName(), path("a.kvz"));
    }

    // Names the dialogs return relative come out absolute and clean, and so
    // do the folders remembered from them.
    void relativeNamesBecomeAbsolute_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("save as") << false << "./sub/../sub/y" << "sub/y.kvz";
        QTest::newRow("open") << true << "sub/./b.kvz" << "sub/b.kvz";
    }

    void relativeNamesBecomeAbsolute()
    {
        QFETCH(bool, open);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QDir(dir->path()).mkpath("sub");
        writeFile(path("sub/b.kvz"), standardSkin());
        const QString working = QDir::currentPath();
        QDir::setCurrent(dir->path());
        editor.fake().fileAnswers = {typed};
        (open ? component<QAction>(w(), "Otvori1") : component<QAction>(w(), "mnmSaveAs"))->trigger();
        QDir::setCurrent(working);
        QCOMPARE(w()->CurrentFileName(), path(written));
        QCOMPARE(open ? w()->OpenDir() : w()->SaveDir(), path("sub"));
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
        QVERIFY(w()->Modified());
        QCOMPARE(w()->OpenDir(), path("sub"));
        editor.fake().messageAnswers = {MessageAnswer::Cancel};
        QVERIFY(!w()->close());
    }

    void saveAndSaveAs()
    {
        // Save of an untitled skin goes through the dialog; cancelling changes nothing.
        w()->SetOdgovorIn(1, 2, 3, 4, 5, 0);
        editor.fake().fileAnswers = {std::nullopt};
        component<QAction>(w(), "mnmSave")->trigger();
        QVERIFY(w()->Modified());
        QCOMPARE(w()->CurrentFileName(), QStringLiteral("NovaSkinDatoteka"));
        // Save As: named, unchanged, SaveDir follows.
        w()->Document.setSaveDir(dir->path());
        editor.fake().fileAnswers = {path("plavi")};
        component<QAction>(w(), "mnmSaveAs")->trigger();
        QCOMPARE(editor.fake().dialogs.last().InitialDir, dir->path());
        QCOMPARE(editor.fake().dialogs.last().Options,
                 FileDialogOption::OverwritePrompt | FileDialogOption::HideReadOnly | FileDialogOption::PathMustExist | FileDialogOption::EnableSizing);
        QCOMPARE(w()->CurrentFileName(), path("plavi.kvz"));
        QCOMPARE(w()->windowTitle(), QStringLiteral("Zlatovir VODU Editor [ plavi.kvz ]"));
        QVERIFY(!w()->Modified());
        QCOMPARE(w()->SaveDir(), dir->path());
        QCOMPARE(w()->OpenDir(), QStringLiteral("."));
        // Save of a named skin rewrites it without a question, changed or not.
        QFile::remove(path("plavi.kvz"));
        component<QAction>(w(), "mnmSave")->trigger();
        QVERIFY(QFileInfo::exists(path("plavi.kvz")));
        QCOMPARE(editor.fake().dialogs.size(), 2);
        QVERIFY(editor.fake().messages.isEmpty());
    }

    // The dialog never asks; the editor asks exactly once, in Serbian, about
    // the name it will write, whether ".kvz" was typed or added.
    void replaceQuestionIsAskedOnceAboutTheWrittenName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("bareNameExists");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("completed, Yes replaces") << "postoji" << false << MessageAnswer::Yes;
        QTest::newRow("completed, No saves nothing") << "postoji" << false << MessageAnswer::No;
        QTest::newRow("typed with the extension") << "postoji.kvz" << false << MessageAnswer::Yes;
        QTest::newRow("both names exist") << "postoji" << true << MessageAnswer::No;
    }

    void replaceQuestionIsAskedOnceAboutTheWrittenName()
    {
        QFETCH(QString, typed);
        QFETCH(bool, bareNameExists);
        QFETCH(MessageAnswer, answer);
        writeFile(path("postoji.kvz"), "old");
        if (bareNameExists)
            writeFile(path("postoji"), "bare");
        w()->SetOdgovorIn(1, 2, 3, 4, 5, 0);
        const DocumentState before = state();
        editor.fake().fileAnswers = {path(typed)};
        editor.fake().messageAnswers = {answer};
        component<QAction>(w(), "mnmSaveAs")->trigger();
        QCOMPARE(editor.fake().messages.size(), 1);
        QCOMPARE(editor.fake().messages[0].text,
                 QStringLiteral("Datoteka \"postoji.kvz\" vec postoji. Da li zelite da je zamenite?"));
        const bool replaced = answer == MessageAnswer::Yes;
        QCOMPARE(readAll(path("postoji.kvz")) == "old", !replaced);
        if (bareNameExists)
            QCOMPARE(readAll(path("postoji")), QByteArray("bare"));
        if (!replaced) {
            verifyUnchanged(before);
            QCOMPARE(w()->SaveDir(), QStringLiteral("."));
        } else {
            QVERIFY(!w()->Modified());
            QCOMPARE(w()->CurrentFileName(), path("postoji.kvz"));
        }
    }

    // ---- saves that fail: nothing written, the old file intact, nothing changed ----

    void failedSavesChangeNothing_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("a directory") << "folder.kvz";
        QTest::newRow("a missing directory") << "missing/skin.kvz";
        QTest::newRow("a FIFO: refused before the replace question") << "fifo.kvz";
    }

    void failedSavesChangeNothing()
    {
        QFETCH(QString, target);
        QDir(dir->path()).mkpath("folder.kvz");
        ::mkfifo(QFile::encodeName(path("fifo.kvz")).constData(), 0600);
        w()->SetOdgovorIn(1, 2, 3, 4, 5, 0);
        const DocumentState before = state();
        const QString saveDir = w()->SaveDir();
        editor.fake().fileAnswers = {path(target)};
        component<QAction>(w(), "mnmSaveAs")->trigger();
        QCOMPARE(editor.fake().messages.size(), 1);
        QVERIFY2(editor.fake().messages[0].text.startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(path(target))),
                 qPrintable(editor.fake().messages[0].text));
        QCOMPARE(editor.fake().messages[0].caption, QStringLiteral("Zlatovir VEDU Dozezi"));
        verifyUnchanged(before);
        QCOMPARE(w()->SaveDir(), saveDir);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    }

    void aFailedCloseSaveKeepsTheWindowOpen()
    {
        w()->show();
        w()->setModified(true);
        editor.fake().messageAnswers = {MessageAnswer::Yes};
        editor.fake().fileAnswers = {path("missing/x.kvz")};
        QVERIFY(!w()->close());
        QVERIFY(w()->isVisible());
        QCOMPARE(editor.fake().messages.size(), 2);
        QVERIFY(editor.fake().messages[1].text.startsWith(QStringLiteral("Cannot create file")));
    }

    // A disk that fills up mid-write: a lowered file-size limit in a child
    // process. The save reports the failure and the old file stays whole.
    void aFullDiskLeavesTheOldFileWhole()
    {
        const QString name = path("full.kvz");
        writeFile(name, modifiedSkin());
        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{100, 100};
            setrlimit(RLIMIT_FSIZE, &limit);
            try {
                std::ignore = writeSkinFile(name, standardSkinRecord());
            } catch (const EditorError& e) {
                _exit(e.message().startsWith(QStringLiteral("Cannot create file")) ? 42 : 1);
            }
            _exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 42);
        QCOMPARE(readAll(name), modifiedSkin());
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"full.kvz"});
    }

    // Permissions, checked as an unprivileged user even when the suite runs
    // as root. A read-only folder takes no temporary file, so a writable
    // skin in it is written in place; a read-only one there stays whole.
    void permissions_data()
    {
        QTest::addColumn<QFile::Permissions>("filePermissions");
        QTest::addColumn<bool>("load");
        QTest::addColumn<QByteArray>("expected"); // the file afterwards; empty: an error is raised
        QTest::addColumn<int>("fileSizeLimit");   // 0: none
        const QFile::Permissions rw = QFile::ReadOwner | QFile::WriteOwner;
        QTest::newRow("read-only folder, writable file: saved in place") << rw << false << standardSkin() << 0;
        QTest::newRow("in place on a full disk: the space is reserved first, nothing written") << rw << false
                                                                                            << QByteArray() << 100;
        QTest::newRow("read-only folder and file: refused") << QFile::Permissions(QFile::ReadOwner) << false
                                                           << QByteArray() << 0;
        QTest::newRow("unreadable file: the open error") << QFile::Permissions(QFile::WriteOwner) << true
                                                         << QByteArray() << 0;
    }

    void permissions()
    {
        QFETCH(QFile::Permissions, filePermissions);
        QFETCH(bool, load);
        QFETCH(QByteArray, expected);
        QFETCH(int, fileSizeLimit);
        QDir(dir->path()).mkpath("ro");
        const QString name = path("ro/old.kvz");
        // Under a file-size limit the old file is shorter than a skin, so
        // that writing the skin needs space the limit does not give.
        const QByteArray old = fileSizeLimit ? QByteArray("old") : modifiedSkin();
        writeFile(name, old);
        const QString problem = asUnprivilegedUser(dir->path(), [&]() -> QString {
            QFile::setPermissions(name, filePermissions);
            QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::ExeOwner);
            rlimit saved{};
            getrlimit(RLIMIT_FSIZE, &saved);
            const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
            if (fileSizeLimit) {
                const rlimit limit{rlim_t(fileSizeLimit), saved.rlim_max};
                setrlimit(RLIMIT_FSIZE, &limit);
            }
            QString error;
            try {
                if (load)
                    readSkinFile(name);
                else
                    std::ignore = writeSkinFile(name, standardSkinRecord());
            } catch (const EditorError& e) {
                error = e.message();
            }
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, savedSignal);
            if (error.contains(QStringLiteral("Unknown error")))
                return error;
            QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner);
            if (expected.isEmpty() != !error.isEmpty())
                return QStringLiteral("error: \"%1\"").arg(error);
            const QByteArray now = readAll(name);
            if (now != (expected.isEmpty() ? old : expected))
                return QStringLiteral("the file holds %1 bytes of another content").arg(now.size());
            if (QDir(path("ro")).entryList(QDir::Files | QDir::Hidden) != QStringList{"old.kvz"})
                return QStringLiteral("files were left beside it");
            return {};
        });
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void directoryPartOfAPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("directory");
        QTest::newRow("folder") << "/home/ana/skin.kvz" << "/home/ana";
        QTest::newRow("root") << "/skin.kvz" << "/";
        // Relative names are taken from the working folder; only "/" separates.
        QTest::newRow("relative name") << "skin.kvz" << QDir::currentPath();
        QTest::newRow("dot folder") << "./sub/../sub/y" << QDir::currentPath() + "/sub";
        QTest::newRow("backslash is a name character") << "/x/we\\ird.kvz" << "/x";
    }

    void directoryPartOfAPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, directory);
        QCOMPARE(directoryPart(path), directory);
    }
};

ZV_TEST_MAIN(TestDocument)
#include "tst_document.moc"
