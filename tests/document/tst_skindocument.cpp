#include "app/document/SkinDocument.h"
#include "platform/base/Errors.h"
#include "platform/system/Files.h"
#include "platform/system/IniText.h"
#include "platform/system/Registry.h"
#include "tests/FakePrompts.h"
#include "tests/Unprivileged.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include "platform/raster/Pictures.h"

#include <QImage>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <ctime>
#include <optional>
#include <tuple>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// The skin as a window's controls would hold it, with the window's habit of
// marking the document changed whenever a page is set.
class RecordingView : public SkinView
{
public:
    TSkinRecord shown = standardSkinRecord();
    QString caption;
    SkinDocument* document = nullptr;

    void setPage(int page, const PageValue& value) override
    {
        setPageValue(shown, skinPages()[size_t(page)], value);
        if (page != OstaloPage)
            document->setModified(true);
    }
    TSkinRecord currentRecord() const override { return shown; }
    void standardAllPages() override
    {
        shown = standardSkinRecord();
        document->setModified(true);
    }
    void showFirstPage() override {}
    void showCaption(const QString& text) override { caption = text; }
};

// A document over a recording view and scripted prompts, as a window would
// hold it.
struct Session
{
    FakePrompts prompts;
    TOpenDialog openDialog;
    TSaveDialog saveDialog;
    RecordingView view;
    SkinDocument document{view, [this]() -> Prompts& { return prompts; }, openDialog, saveDialog};
    Session() { view.document = &document; }
};

// The edited skin every row starts from, and the skin stored in b.kvz.
TSkinRecord edited()
{
    TSkinRecord r = standardSkinRecord();
    r.OdgovorInC1 = 0x00010203;
    return r;
}

TSkinRecord stored()
{
    TSkinRecord r = standardSkinRecord();
    r.PitanjeC2 = 0x00445566;
    return r;
}

QByteArray readAll(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The working folder changed for a scope (relative names are taken from it).
struct WorkingFolder
{
    const QString was = QDir::currentPath();
    explicit WorkingFolder(const QString& folder) { QDir::setCurrent(folder); }
    ~WorkingFolder() { QDir::setCurrent(was); }
};

// What lies at a path, links not followed, for "nothing was replaced".
QString describe(const QString& path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("nothing");
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("link to ") + QFile::symLinkTarget(path);
    return QStringLiteral("mode %1, %2 bytes").arg(st.st_mode, 0, 8).arg(st.st_size);
}

// The extended attributes of a path (ACLs among them), names and values.
QByteArray attributes(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    QByteArray names(4096, '\0');
    names.truncate(qMax<ssize_t>(0, ::listxattr(native.constData(), names.data(), names.size())));
    QByteArray all;
    for (const QByteArray& name : names.split('\0')) {
        QByteArray value(4096, '\0');
        value.truncate(qMax<ssize_t>(0, ::getxattr(native.constData(), name.constData(), value.data(), value.size())));
        all += name + '=' + value.toHex() + ';';
    }
    return all;
}

// Makes a thing of `kind` at `path`; `target` is the skin a link leads to.
void makeKind(const QString& kind, const QString& path, const QString& target)
{
    const QByteArray native = QFile::encodeName(path);
    if (kind == "regular") {
        writeAll(path, encodeSkinFile(stored()));
    } else if (kind == "link") {
        QFile::link(target, path);
    } else if (kind == "dangling") {
        QFile::link(target + ".nowhere", path);
    } else if (kind == "folder") {
        QDir().mkpath(path);
    } else if (kind == "fifo") {
        ::mkfifo(native.constData(), 0600);
    } else if (kind == "device") {
        QFile::link(QStringLiteral("/dev/null"), path);
    } else if (kind == "attributes") {
        writeAll(path, encodeSkinFile(stored()));
        ::setxattr(native.constData(), "user.note", "mine", 4, 0);
        // A narrowed ACL: the owner rw, user 12345 r, the group r, others nothing.
        const std::uint32_t acl[] = {2, 0x00060001, 0xFFFFFFFF, 0x00040002, 12345, 0x00040004, 0xFFFFFFFF,
                                     0x00040010, 0xFFFFFFFF, 0x00000020, 0xFFFFFFFF};
        ::setxattr(native.constData(), "system.posix_acl_access", acl, sizeof acl, 0);
    } else if (kind == "huge") {
        writeAll(path, "[General]\nOpenDir=/huge\nSaveDir=/huge\n" + QByteArray(64 * 1024, '\n'));
    }
}

} // namespace

class TestSkinDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Each command from an untitled, changed skin, answered every way: the
    // name, the flag, the caption, the folders, what the view shows and what
    // was written. "a" is a new name, "b.kvz" a skin (beside a file "b"),
    // "short.kvz" too short to be one, "dir.kvz" a folder; "-" cancels a
    // dialog. Names come relative, as typed, and are kept absolute and clean.
    void commands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("name");     // the document's name afterwards
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("shown");       // 0 edited, 1 standard, 2 stored
        QTest::addColumn<bool>("wroteA");     // a.kvz holds the edited skin
        QTest::addColumn<QString>("outcome"); // "closes", "stays", "error", a message, or ""
        const QString untitled = NewSkinFileName;
        using L = Answers;
        QTest::newRow("New, Da, saved") << "new" << L{MessageAnswer::Yes} << QStringList{"a"} << untitled << false << 1 << true << "";
        QTest::newRow("New, Da, dialog cancelled") << "new" << L{MessageAnswer::Yes} << QStringList{"-"} << untitled << true << 0 << false << "";
        QTest::newRow("New, Ne") << "new" << L{MessageAnswer::No} << QStringList{} << untitled << false << 1 << false << "";
        QTest::newRow("New, Otkazi") << "new" << L{MessageAnswer::Cancel} << QStringList{} << untitled << true << 0 << false << "";
        QTest::newRow("New, Da, save failed") << "new" << L{MessageAnswer::Yes} << QStringList{"dir.kvz"} << untitled << true << 0
                                              << false << "error";
        QTest::newRow("Open, Da, saved, open cancelled") << "open" << L{MessageAnswer::Yes} << QStringList{"a", "-"} << "a.kvz"
                                                         << false << 0 << true << "";
        QTest::newRow("Open, Ne, loaded") << "open" << L{MessageAnswer::No} << QStringList{"dir.kvz/../b.kvz"} << "b.kvz" << false << 2
                                          << false << "";
        QTest::newRow("Open, Ne, file refused") << "open" << L{MessageAnswer::No} << QStringList{"short.kvz"} << untitled << true << 0
                                                << false << "Datoteka nije ispravna SKIN datoteka.";
        QTest::newRow("Open, Otkazi") << "open" << L{MessageAnswer::Cancel} << QStringList{} << untitled << true << 0 << false << "";
        QTest::newRow("Save, dialog cancelled") << "save" << L{} << QStringList{"-"} << untitled << true << 0 << false << "";
        QTest::newRow("Save, saved") << "save" << L{} << QStringList{"a"} << "a.kvz" << false << 0 << true << "";
        // "Ne" to the replace question returns to the dialog.
        QTest::newRow("Save as over b.kvz, Ne, then a") << "saveAs" << L{MessageAnswer::No} << QStringList{"b", "a"} << "a.kvz"
                                                        << false << 0 << true << "";
        QTest::newRow("Save as over b.kvz, Ne, then cancelled") << "saveAs" << L{MessageAnswer::No} << QStringList{"b", "-"}
                                                                << untitled << true << 0 << false << "";
        QTest::newRow("Save as over b.kvz, Da") << "saveAs" << L{MessageAnswer::Yes} << QStringList{"./b"} << "b.kvz" << false
                                                << 0 << false << "";
        QTest::newRow("Save as b.kvz typed so, Da") << "saveAs" << L{MessageAnswer::Yes} << QStringList{"b.kvz"} << "b.kvz"
                                                    << false << 0 << false << "";
        QTest::newRow("Save as, save failed") << "saveAs" << L{} << QStringList{"dir.kvz"} << untitled << true << 0
                                              << false << "error";
        QTest::newRow("Save as into a missing folder") << "saveAs" << L{} << QStringList{"none/a"} << untitled << true << 0
                                                       << false << "error";
        QTest::newRow("Save as onto a FIFO, refused before the question") << "saveAs" << L{} << QStringList{"fifo.kvz"}
                                                                          << untitled << true << 0 << false << "error";
        QTest::newRow("Close, Da, saved") << "close" << L{MessageAnswer::Yes} << QStringList{"a"} << "a.kvz" << false << 0 << true
                                          << "closes";
        QTest::newRow("Close, Da, dialog cancelled") << "close" << L{MessageAnswer::Yes} << QStringList{"-"} << untitled << true << 0
                                                     << false << "stays";
        QTest::newRow("Close, Ne") << "close" << L{MessageAnswer::No} << QStringList{} << untitled << true << 0 << false << "closes";
        QTest::newRow("Close, Otkazi") << "close" << L{MessageAnswer::Cancel} << QStringList{} << untitled << true << 0 << false
                                       << "stays";
        // A dropped file (the last name) opens as Open does, its dialog aside.
        QTest::newRow("Drop, Da, saved, loaded") << "drop" << L{MessageAnswer::Yes} << QStringList{"a", "b.kvz"} << "b.kvz" << false
                                                 << 2 << true << "";
        QTest::newRow("Drop, Ne, loaded") << "drop" << L{MessageAnswer::No} << QStringList{"b.kvz"} << "b.kvz" << false << 2 << false << "";
        QTest::newRow("Drop, Otkazi") << "drop" << L{MessageAnswer::Cancel} << QStringList{"b.kvz"} << untitled << true << 0 << false << "";
        QTest::newRow("Drop, file refused") << "drop" << L{MessageAnswer::No} << QStringList{"short.kvz"} << untitled << true << 0
                                            << false << "Datoteka nije ispravna SKIN datoteka.";
        QTest::newRow("Drop, file missing: said before any question")
            << "drop" << L{} << QStringList{"none.kvz"} << untitled << true << 0 << false << "missing";
    }

    void commands()
    {
        QFETCH(QString, command);
        QFETCH(Answers, answers);
        QFETCH(QStringList, names);
        QFETCH(QString, name);
        using L = Answers;
        QFETCH(bool, modified);
        QFETCH(int, shown);
        QFETCH(bool, wroteA);
        QFETCH(QString, outcome);

        QTemporaryDir dir;
        const WorkingFolder working(dir.path());
        QDir(dir.path()).mkpath("dir.kvz");
        QVERIFY(writeAll(dir.filePath("b.kvz"), encodeSkinFile(stored())));
        QVERIFY(writeAll(dir.filePath("b"), "bare"));
        QVERIFY(writeAll(dir.filePath("short.kvz"), "Tavrin"));
        QCOMPARE(::mkfifo("fifo.kvz", 0600), 0);

        Session session;
        auto& [prompts, openDialog, saveDialog, view, document] = session;
        saveDialog.Options = FileDialogOption::OverwritePrompt;
        document.setOpenDir(QStringLiteral("/o"));
        document.setSaveDir(QStringLiteral("/s"));
        view.shown = edited();
        document.setModified(true);
        prompts.messageAnswers.assign(answers.begin(), answers.end());
        const QString dropped = command == "drop" ? names.takeLast() : QString();
        for (const QString& n : names)
            prompts.fileAnswers.push_back(n == "-" ? std::nullopt : std::optional(n));

        QString result;
        try {
            if (command == "new")
                document.newSkin();
            else if (command == "open")
                document.open();
            else if (command == "save")
                document.save();
            else if (command == "saveAs")
                document.saveAs();
            else if (command == "drop")
                document.openFile(dropped);
            else
                result = document.canClose() ? "closes" : "stays";
        } catch (const EditorError& e) {
            const bool missing = e.message() == QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(dir.filePath("none.kvz"));
            QVERIFY2(e.message().startsWith("Cannot create file") || missing, qPrintable(e.message()));
            result = missing ? "missing" : "error";
        }
        if (result.isEmpty() && !prompts.messages.isEmpty() && prompts.messages.last().caption == RefusalCaption)
            result = prompts.messages.last().text;

        QCOMPARE(result, outcome);
        QVERIFY(prompts.messageAnswers.empty() && prompts.fileAnswers.empty());
        if (!answers.isEmpty() && command != "saveAs") {
            QCOMPARE(prompts.messages[0].caption, QStringLiteral("Potvrda"));
            QCOMPARE(prompts.messages[0].text, QStringLiteral("Da li zelite prvo da sacuvate promene?"));
            QCOMPARE(prompts.messages[0].kind, MessageKind::YesNoCancel);
        }
        // Replacing is asked once, about the name that will be written.
        if (!answers.isEmpty() && command == "saveAs")
            QCOMPARE(prompts.messages[0].text, QStringLiteral("Datoteka \"b.kvz\" vec postoji. Da li zelite da je zamenite?"));
        QCOMPARE(document.currentFileName(), name == NewSkinFileName ? name : dir.filePath(name));
        QCOMPARE(document.isModified(), modified);
        if (!view.caption.isEmpty() || name != NewSkinFileName)
            QCOMPARE(view.caption, QStringLiteral("Zlatovir VODU Editor [ %1 ]").arg(name));
        const TSkinRecord expectedShown = shown == 0 ? edited() : shown == 1 ? standardSkinRecord() : stored();
        QCOMPARE(encodeSkinRecord(view.shown), encodeSkinRecord(expectedShown));
        QCOMPARE(readAll(dir.filePath("a.kvz")), wroteA ? encodeSkinFile(edited()) : QByteArray());
        const bool replaced = command == "saveAs" && answers == L{MessageAnswer::Yes};
        QCOMPARE(readAll(dir.filePath("b.kvz")), encodeSkinFile(replaced ? edited() : stored()));
        QCOMPARE(readAll(dir.filePath("b")), QByteArray("bare"));
        // Only a confirmed open dialog moves the open folder, not a drop.
        const bool opened = command == "open" && !names.isEmpty() && names.last() != "-";
        QCOMPARE(document.openDir(), opened ? dir.path() : QStringLiteral("/o"));
        QCOMPARE(document.saveDir(), wroteA || replaced ? dir.path() : QStringLiteral("/s"));
        if (outcome == "error")
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"b", "b.kvz", "short.kvz"}));
    }

    // The name a save writes: ".kvz" added unless the name ends in it, in
    // any case; it becomes the document's name and the caption's, and the
    // modified state is left to the command. A longer file saved over holds
    // exactly the skin afterwards.
    void savedNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "skin" << "skin.kvz";
        QTest::newRow(".KVZ") << "skin.KVZ" << "skin.KVZ";
        QTest::newRow(".Kvz") << "skin.Kvz" << "skin.Kvz";
        QTest::newRow(".txt") << "skin.txt" << "skin.txt.kvz";
        QTest::newRow("ends in a dot") << "skin." << "skin..kvz";
        QTest::newRow("dot only in the folder") << "d.kvz/skin" << "d.kvz/skin.kvz";
        QTest::newRow("over a longer file") << "big.kvz" << "big.kvz";
    }

    void savedNames()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("d.kvz");
        QVERIFY(writeAll(dir.filePath("big.kvz"), QByteArray(5000, 'x')));
        Session session;
        session.view.shown = stored();
        session.document.setModified(true);
        session.document.SaveToFile(dir.filePath(typed));
        QCOMPARE(readAll(dir.filePath(written)), encodeSkinFile(stored()));
        QCOMPARE(session.document.currentFileName(), dir.filePath(written));
        QCOMPARE(session.view.caption, QStringLiteral("Zlatovir VODU Editor [ %1 ]").arg(QFileInfo(written).fileName()));
        QVERIFY(session.document.isModified());
    }

    // Any 29 header bytes; versions 0 to 10 read with one layout, a longer
    // file to the end of its record. A newer version or a file too short is refused
    // with its message and changes nothing (a missing file: the commands).
    void loading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message"); // empty: loaded
        const QByteArray good = encodeSkinFile(stored());
        const auto withVersion = [&](int v) { return good.left(29) + char(v) + good.mid(30); };
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

    void loading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString name = dir.filePath("in.kvz");
        QVERIFY(writeAll(name, bytes));
        Session session;
        auto& [prompts, openDialog, saveDialog, view, document] = session;
        view.shown = edited();
        const bool loaded = document.LoadFromFile(name);
        QCOMPARE(loaded, message.isEmpty());
        QCOMPARE(prompts.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(prompts.messages[0].caption, QStringLiteral("Greska"));
            QCOMPARE(prompts.messages[0].text, message);
            QCOMPARE(prompts.messages[0].kind, MessageKind::Error);
        }
        QCOMPARE(encodeSkinRecord(view.shown), encodeSkinRecord(loaded ? stored() : edited()));
        QCOMPARE(document.currentFileName(), loaded ? name : NewSkinFileName);
        QCOMPARE(view.caption, loaded ? QStringLiteral("Zlatovir VODU Editor [ in.kvz ]") : QString());
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

    // Paths that are not plain files, for each file operation: a read
    // never blocks and names what it found, a write goes only onto a
    // regular file (a link to one followed) or a new path, and the settings
    // store neither reads nor replaces any of them where it keeps its file
    // (a skin is no settings either). "" is success.
    void pathKinds_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("save");
        const QString notRegular = NotRegularReason;
        QTest::newRow("regular file") << "regular" << "" << "";
        QTest::newRow("link to a regular file") << "link" << "" << "";
        QTest::newRow("a file with a user attribute and an ACL") << "attributes" << "" << "";
        QTest::newRow("dangling link") << "dangling" << "missing" << notRegular;
        QTest::newRow("folder") << "folder" << notRegular << notRegular;
        QTest::newRow("FIFO") << "fifo" << notRegular << notRegular;
        QTest::newRow("link to a device") << "device" << notRegular << notRegular;
        QTest::newRow("settings over 64 KiB") << "huge" << "" << "";
    }

    void pathKinds()
    {
        QFETCH(QString, kind);
        QFETCH(QString, read);
        QFETCH(QString, save);
        QTemporaryDir dir;
        const QString target = dir.filePath("target.kvz");
        makeKind("regular", target, {});
        const QString path = dir.filePath("thing.kvz");
        makeKind(kind, path, target);
        const QString before = describe(path);
        const QByteArray attributesBefore = attributes(path);

        QString readResult;
        try {
            const SkinFileContents c = readSkinFile(path);
            readResult = c.status == SkinFileContents::Missing ? "missing" : c.status == SkinFileContents::Loaded ? "" : "refused";
        } catch (const EditorError& e) {
            readResult = e.message().section(". ", -1);
        }
        if (kind != "huge")
            QCOMPARE(readResult, read);

        QString saveResult;
        try {
            std::ignore = writeSkinFile(path, standardSkinRecord());
        } catch (const EditorError& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(path)), qPrintable(e.message()));
            saveResult = e.message().section(". ", -1);
        }
        QCOMPARE(saveResult, save);
        QCOMPARE(attributes(path), attributesBefore);
        if (!save.isEmpty())
            QCOMPARE(describe(path), before);
        else if (kind == "link")
            QVERIFY(QFileInfo(path).isSymLink() && readAll(target) == encodeSkinFile(standardSkinRecord()));
        QCOMPARE(readAll(target), encodeSkinFile(kind == "link" ? standardSkinRecord() : stored()));

        // The same kind of thing where the settings live.
        const QString settings = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                                 + "/Tavrin/Zlatovir Vedu Dozezi.conf";
        QFile::remove(settings);
        QDir().rmdir(settings);
        QDir().mkpath(QFileInfo(settings).path());
        makeKind(kind, settings, target);
        const QString settingsBefore = describe(settings);
        Session session;
        session.document.ReadSettings();
        session.document.setOpenDir(QStringLiteral("/chosen"));
        session.document.WriteSettings();
        QCOMPARE(session.document.openDir(), QStringLiteral("/chosen"));
        QCOMPARE(describe(settings), settingsBefore);
        QFile::remove(settings);
        QDir().rmdir(settings);
    }

    // A folder's name reads back as Qt's settings read it, both ways: what
    // the store writes QSettings reads, and what QSettings wrote the store
    // reads (the files of earlier versions).
    void settingsValuesAsQtKeepsThem_data()
    {
        QTest::addColumn<QString>("value");
        for (const char* value : {".", "/home/ana/skins", "a, b", " lead", "trail ", "semi;colon", "eq=ual", "quo\"te",
                                  "back\\slash", "@at", "@ByteArray(x)", "ümlaut é ћирилица 😀", "tab\tnew\nline",
                                  "\x01\x02" "1f", "#hash", "[x]"})
            QTest::newRow(value) << QString::fromUtf8(value);
    }

    void settingsValuesAsQtKeepsThem()
    {
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString file = dir.filePath("s.conf");
        QVERIFY(writeAll(file, "[General]\nOpenDir=" + iniStringValue(value) + "\n"));
        QCOMPARE(QSettings(file, QSettings::IniFormat).value("OpenDir").toString(), value);
        QSettings(file, QSettings::IniFormat).setValue("SaveDir", value);
        const QByteArray text = readAll(file);
        const qsizetype at = text.indexOf("\nSaveDir=") + 9;
        QCOMPARE(iniString(text.mid(at, text.indexOf('\n', at) - at)), std::optional<QString>(value));
    }

    // What may stand at the settings file: its folders are read whenever
    // QSettings would read them, and the file is rewritten only when every
    // line of it is the store's to rewrite; either way without a message
    // and without waiting. Nothing is locked: a lock file an earlier
    // version left goes, and a close writes whatever another editor did.
    void settingsStores_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("read"); // OpenDir as read
        QTest::addColumn<bool>("written");
        const QByteArray stored = "[General]\nOpenDir=/in\nSaveDir=/out\n";
        QTest::newRow("settings") << "settings" << stored << "/in" << true;
        QTest::newRow("a link to settings") << "link" << stored << "/in" << true;
        QTest::newRow("a link to the user's notes") << "link" << QByteArray("Kupiti hleb.\nPozvati Anu.\n") << "." << false;
        QTest::newRow("a stray line among the values") << "settings" << stored + "garbage line\n" << "/in" << false;
        QTest::newRow("a value going on past its line") << "settings" << QByteArray("[General]\nOpenDir=/i\\\nn\n") << "/in" << false;
        QTest::newRow("a lock an earlier version left") << "lock" << stored << "/in" << true;
        QTest::newRow("grown to the size it reads")
            << "settings" << stored + "; " + QByteArray(64 * 1024 - stored.size() - 3, 'x') + "\n" << "/in" << false;
    }

    void settingsStores()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, text);
        QFETCH(QString, read);
        QFETCH(bool, written);
        QTemporaryDir elsewhere;
        const QString settings = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                                 + "/Tavrin/Zlatovir Vedu Dozezi.conf";
        QDir(QFileInfo(settings).path()).removeRecursively();
        QDir().mkpath(QFileInfo(settings).path());
        const QString target = file == "link" ? elsewhere.filePath("target") : settings;
        writeAll(target, text);
        if (file == "link")
            QFile::link(target, settings);
        if (file == "lock")
            writeAll(settings + ".lock", QByteArray::number(::getppid()) + "\nzv\n" + QSysInfo::machineHostName().toUtf8() + "\n");

        Session session;
        session.document.ReadSettings();
        QCOMPARE(session.document.openDir(), read);
        session.document.setOpenDir(QStringLiteral("/chosen"));
        session.document.WriteSettings();
        QVERIFY(session.prompts.messages.isEmpty());
        QCOMPARE(readAll(target).contains("OpenDir=/chosen"), written);
        if (!written)
            QCOMPARE(readAll(target), text);
        QCOMPARE(QFileInfo(settings).isSymLink(), file == "link");
        QVERIFY(!QFileInfo::exists(settings + ".lock"));
        QDir(QFileInfo(settings).path()).removeRecursively();
    }

    // The preview's picture through its own save dialog: ".png" added, a
    // replace asked once, a failure raised with nothing left behind, and
    // its folder remembered under its own key beside the others.
    void savePreview_data()
    {
        QTest::addColumn<QString>("answer"); // the dialog's name; "-" cancels
        QTest::addColumn<Answers>("questions");
        QTest::addColumn<QString>("outcome"); // "written", "kept", "error", "nothing"
        QTest::newRow("a new picture") << "p" << Answers{} << "written";
        QTest::newRow("dialog cancelled") << "-" << Answers{} << "nothing";
        QTest::newRow("replace, Da") << "old.png" << Answers{MessageAnswer::Yes} << "written";
        QTest::newRow("replace, Ne") << "old.png" << Answers{MessageAnswer::No} << "kept";
        QTest::newRow("onto a folder") << "dir.png" << Answers{} << "error";
    }

    void savePreview()
    {
        QFETCH(QString, answer);
        QFETCH(Answers, questions);
        QFETCH(QString, outcome);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("dir.png");
        QVERIFY(writeAll(dir.filePath("old.png"), "old"));
        Session session;
        auto& [prompts, openDialog, saveDialog, view, document] = session;
        prompts.messageAnswers.assign(questions.begin(), questions.end());
        prompts.fileAnswers.push_back(answer == "-" ? std::nullopt : std::optional(dir.filePath(answer)));
        if (questions == Answers{MessageAnswer::No})
            prompts.fileAnswers.push_back(std::nullopt); // back in the dialog, which is then cancelled
        document.setSaveDir(QStringLiteral("/s"));
        TSaveDialog previewDialog;
        QImage picture(800, 191, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const auto png = [&](const QString& name) { return encodePicture(picture, name, "PNG"); };
        QString result = "nothing";
        try {
            if (document.savePreview(png, previewDialog))
                result = "written";
            else if (answer != "-")
                result = "kept";
        } catch (const EditorError&) {
            result = "error";
        }
        QCOMPARE(result, outcome);
        QCOMPARE(prompts.messages.size(), qsizetype(questions.size()));
        const QString target = dir.filePath(answer.endsWith(".png") ? answer : answer + ".png");
        if (outcome == "written")
            QCOMPARE(QImage(target).convertToFormat(QImage::Format_RGB32), picture);
        if (outcome == "kept")
            QCOMPARE(readAll(target), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), outcome == "written" && answer == "p" ? 2 : 1);


        // The first picture's dialog starts in SaveDir, the next one where a
        // picture was last written in this run; the settings keep neither.
        // Each offers the skin's own name.
        prompts.fileAnswers.push_back(std::nullopt);
        document.SaveToFile(dir.filePath("plavi.KVZ"));
        document.savePreview(png, previewDialog);
        QCOMPARE(prompts.dialogs.first().InitialDir, QStringLiteral("/s"));
        QCOMPARE(prompts.dialogs.first().FileName, NewSkinFileName + ".png");
        QCOMPARE(prompts.dialogs.last().FileName, QStringLiteral("plavi.png"));
        QCOMPARE(prompts.dialogs.last().InitialDir, outcome == "written" ? dir.path() : QStringLiteral("/s"));
        document.WriteSettings();
        const QString settings = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                                 + "/Tavrin/Zlatovir Vedu Dozezi.conf";
        QCOMPARE(QSettings(settings, QSettings::IniFormat).allKeys(), (QStringList{"OpenDir", "Putanja", "SaveDir"}));
    }

    // Names at the file system's length limit save and save again; one past
    // it is refused with the system's reason, the old file untouched.
    void namesAtTheLengthLimit()
    {
        QTemporaryDir dir;
        const QString longest = dir.filePath(QString(251, 'n') + ".kvz");
        for (int i = 0; i < 2; ++i)
            std::ignore = writeSkinFile(longest, i ? stored() : standardSkinRecord());
        QCOMPARE(readAll(longest), encodeSkinFile(stored()));
        const QString tooLong = dir.filePath(QString(252, 'n') + ".kvz");
        QVERIFY_THROWS_EXCEPTION(EditorError, writeSkinFile(tooLong, stored()));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    // A save keeps the old file's permissions, and its owner and group where
    // the saver may set them (root saving a user's skin).
    void savesKeepPermissionsAndOwner()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("own.kvz");
        std::ignore = writeSkinFile(name, stored());
        QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        const bool root = geteuid() == 0;
        if (root)
            QCOMPARE(::chown(QFile::encodeName(name).constData(), 65534, 65534), 0);
        std::ignore = writeSkinFile(name, standardSkinRecord());
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(name).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0640));
        if (root)
            QCOMPARE(st.st_uid, uid_t(65534));
        QCOMPARE(readAll(name), encodeSkinFile(standardSkinRecord()));
    }

    // Writes and reads as an unprivileged user even when the suite runs as
    // root, under a file-size limit where a row gives one. A read-only folder
    // takes no temporary file, so a writable skin in it is written in place
    // (the space reserved first); a failed write leaves the old file whole
    // and nothing beside it.
    void permissions_data()
    {
        QTest::addColumn<QFile::Permissions>("filePermissions");
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::addColumn<bool>("load");
        QTest::addColumn<bool>("written"); // else an error is raised
        QTest::addColumn<int>("fileSizeLimit"); // 0: none
        const QFile::Permissions rw = QFile::ReadOwner | QFile::WriteOwner;
        QTest::newRow("read-only folder, writable file: saved in place") << rw << true << false << true << 0;
        QTest::newRow("in place on a full disk: nothing written") << rw << true << false << false << 100;
        QTest::newRow("a full disk: the old file whole") << rw << false << false << false << 100;
        QTest::newRow("read-only folder and file: refused") << QFile::Permissions(QFile::ReadOwner) << true << false
                                                           << false << 0;
        QTest::newRow("read-only file in a writable folder: refused") << QFile::Permissions(QFile::ReadOwner) << false
                                                                       << false << false << 0;
        QTest::newRow("unreadable file: the open error") << QFile::Permissions(QFile::WriteOwner) << true << true
                                                         << false << 0;
    }

    void permissions()
    {
        QFETCH(QFile::Permissions, filePermissions);
        QFETCH(bool, readOnlyFolder);
        QFETCH(bool, load);
        QFETCH(bool, written);
        QFETCH(int, fileSizeLimit);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("ro");
        const QString folder = dir.filePath("ro"), name = dir.filePath("ro/old.kvz");
        // Under a file-size limit the old file is shorter than a skin, so
        // that writing the skin needs space the limit does not give.
        const QByteArray old = fileSizeLimit ? QByteArray("old") : encodeSkinFile(stored());
        QVERIFY(writeAll(name, old));
        const QString problem = asUnprivilegedUser(dir.path(), [&]() -> QString {
            QFile::setPermissions(name, filePermissions);
            if (readOnlyFolder)
                QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
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
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner);
            if (written != error.isEmpty() || (!error.isEmpty() && !error.startsWith(QStringLiteral("Cannot "))))
                return QStringLiteral("error: \"%1\"").arg(error);
            const QByteArray now = readAll(name);
            if (now != (written ? encodeSkinFile(standardSkinRecord()) : old))
                return QStringLiteral("the file holds %1 bytes of another content").arg(now.size());
            if (QDir(folder).entryList(QDir::Files | QDir::Hidden) != QStringList{"old.kvz"})
                return QStringLiteral("files were left beside it");
            return {};
        });
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // A file in a folder without search permission is reported with the
    // system's reason, checked as an unprivileged user.
    void aFileBehindAClosedFolder()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("closed");
        const QString name = dir.filePath("closed/skin.kvz");
        makeKind("regular", name, {});
        const QString problem = asUnprivilegedUser(dir.path(), [&]() -> QString {
            QFile::setPermissions(dir.filePath("closed"), QFile::ReadOwner | QFile::WriteOwner);
            QString message;
            try {
                readSkinFile(name);
            } catch (const EditorError& e) {
                message = e.message();
            }
            QFile::setPermissions(dir.filePath("closed"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            return message == QStringLiteral("Cannot open file \"%1\". Permission denied").arg(name) ? QString() : message;
        });
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
};

QTEST_GUILESS_MAIN(TestSkinDocument)
#include "tst_skindocument.moc"
