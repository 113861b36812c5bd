#include "Errors.h"
#include "FakePrompts.h"
#include "SkinDocument.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

// The skin as a window's controls would hold it, with the window's habit of
// marking the document changed whenever a page is set.
class RecordingView : public SkinView
{
public:
    TSkinRecord shown = standardSkinRecord();
    QString caption;
    SkinDocument* document = nullptr;

    void SetPitanje(TColor t, TColor l, TColor c1, TColor c2, std::uint8_t d) override
    {
        shown.PitanjeText = t, shown.PitanjeLinija = l, shown.PitanjeC1 = c1, shown.PitanjeC2 = c2, shown.PitanjeDesno = d;
        document->Modified = true;
    }
    void SetOdgovorNormal(TColor, TColor, TColor, TColor, TColor, std::uint8_t) override { document->Modified = true; }
    void SetOdgovorIn(TColor t, TColor ch, TColor l, TColor c1, TColor c2, std::uint8_t d) override
    {
        shown.OdgovorInText = t, shown.OdgovorInChar = ch, shown.OdgovorInLine = l;
        shown.OdgovorInC1 = c1, shown.OdgovorInC2 = c2, shown.OdgovorInDesno = d;
        document->Modified = true;
    }
    void SetOdgovorChech(TColor, TColor, TColor, TColor, TColor, std::uint8_t) override { document->Modified = true; }
    void SetOdgovorOK(TColor, TColor, TColor, TColor, TColor, std::uint8_t) override { document->Modified = true; }
    void SetOdgovorYES(TColor, TColor, TColor, TColor, std::uint8_t) override { document->Modified = true; }
    void SetOdgovorNO(TColor, TColor, TColor, TColor, std::uint8_t) override { document->Modified = true; }
    void SetOstalo(TColor, TColor, TColor, TColor, TColor, TColor) override {}
    TSkinRecord currentRecord() const override { return shown; }
    void standardAllPages() override
    {
        shown = standardSkinRecord();
        document->Modified = true;
    }
    void showFirstPage() override {}
    void showCaption(const QString& text) override { caption = text; }
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

} // namespace

class TestSkinDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Each command from an untitled, changed skin, answered every way: the
    // name, the flag, the caption, the folders, what the view shows and what
    // was written. "a" is a new name, "b.kvz" a skin, "short.kvz" too short
    // to be one, "dir.kvz" a folder; "-" cancels a dialog.
    void commands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("name");     // the document's name afterwards
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("shown");       // 0 edited, 1 standard, 2 stored
        QTest::addColumn<bool>("wroteA");     // a.kvz holds the edited skin
        QTest::addColumn<QString>("outcome"); // "closes", "stays", "error", a message, or ""
        const QString untitled = NewSkinFileName;
        using L = QList<int>;
        QTest::newRow("New, Da, saved") << "new" << L{IDYES} << QStringList{"a"} << untitled << false << 1 << true << "";
        QTest::newRow("New, Da, dialog cancelled") << "new" << L{IDYES} << QStringList{"-"} << untitled << true << 0 << false << "";
        QTest::newRow("New, Ne") << "new" << L{IDNO} << QStringList{} << untitled << false << 1 << false << "";
        QTest::newRow("New, Otkazi") << "new" << L{IDCANCEL} << QStringList{} << untitled << true << 0 << false << "";
        QTest::newRow("New, Da, save failed") << "new" << L{IDYES} << QStringList{"dir.kvz"} << untitled << true << 0
                                              << false << "error";
        QTest::newRow("Open, Da, saved, open cancelled") << "open" << L{IDYES} << QStringList{"a", "-"} << "a.kvz"
                                                         << false << 0 << true << "";
        QTest::newRow("Open, Ne, loaded") << "open" << L{IDNO} << QStringList{"b.kvz"} << "b.kvz" << false << 2 << false << "";
        QTest::newRow("Open, Ne, file refused") << "open" << L{IDNO} << QStringList{"short.kvz"} << untitled << true << 0
                                                << false << "Datoteka nije ispravna SKIN datoteka.";
        QTest::newRow("Open, Otkazi") << "open" << L{IDCANCEL} << QStringList{} << untitled << true << 0 << false << "";
        QTest::newRow("Save, dialog cancelled") << "save" << L{} << QStringList{"-"} << untitled << true << 0 << false << "";
        QTest::newRow("Save, saved") << "save" << L{} << QStringList{"a"} << "a.kvz" << false << 0 << true << "";
        QTest::newRow("Save as over b.kvz, Ne") << "saveAs" << L{IDNO} << QStringList{"b"} << untitled << true << 0
                                                << false << "";
        QTest::newRow("Save as, save failed") << "saveAs" << L{} << QStringList{"dir.kvz"} << untitled << true << 0
                                              << false << "error";
        QTest::newRow("Close, Da, saved") << "close" << L{IDYES} << QStringList{"a"} << "a.kvz" << false << 0 << true
                                          << "closes";
        QTest::newRow("Close, Da, dialog cancelled") << "close" << L{IDYES} << QStringList{"-"} << untitled << true << 0
                                                     << false << "stays";
        QTest::newRow("Close, Ne") << "close" << L{IDNO} << QStringList{} << untitled << true << 0 << false << "closes";
        QTest::newRow("Close, Otkazi") << "close" << L{IDCANCEL} << QStringList{} << untitled << true << 0 << false
                                       << "stays";
    }

    void commands()
    {
        QFETCH(QString, command);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, names);
        QFETCH(QString, name);
        QFETCH(bool, modified);
        QFETCH(int, shown);
        QFETCH(bool, wroteA);
        QFETCH(QString, outcome);

        QTemporaryDir dir;
        QDir(dir.path()).mkpath("dir.kvz");
        QFile b(dir.filePath("b.kvz"));
        QVERIFY(b.open(QIODevice::WriteOnly) && b.write(encodeSkinFile(stored())) == SkinFileSize);
        b.close();
        QFile brief(dir.filePath("short.kvz"));
        QVERIFY(brief.open(QIODevice::WriteOnly) && brief.write("Tavrin") == 6);
        brief.close();

        FakePrompts prompts;
        TOpenDialog openDialog;
        TSaveDialog saveDialog;
        saveDialog.Options = ofOverwritePrompt;
        RecordingView view;
        SkinDocument document(view, [&]() -> Prompts& { return prompts; }, openDialog, saveDialog);
        view.document = &document;
        document.OpenDir = document.SaveDir = dir.path();
        view.shown = edited();
        document.Modified = true;
        prompts.messageAnswers.assign(answers.begin(), answers.end());
        for (const QString& n : names)
            prompts.fileAnswers.push_back(n == "-" ? std::nullopt : std::optional(dir.filePath(n)));

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
            else
                result = document.canClose() ? "closes" : "stays";
        } catch (const EditorError& e) {
            QVERIFY2(e.message().startsWith("Cannot create file"), qPrintable(e.message()));
            result = "error";
        }
        if (result.isEmpty() && !prompts.messages.isEmpty() && prompts.messages.last().caption == RefusalCaption)
            result = prompts.messages.last().text;

        QCOMPARE(result, outcome);
        QVERIFY(prompts.messageAnswers.empty() && prompts.fileAnswers.empty());
        QCOMPARE(document.CurrentFileName, name == NewSkinFileName ? name : dir.filePath(name));
        QCOMPARE(document.Modified, modified);
        if (!view.caption.isEmpty() || name != NewSkinFileName)
            QCOMPARE(view.caption, QStringLiteral("Zlatovir VODU Editor [ %1 ]").arg(name));
        const TSkinRecord expectedShown = shown == 0 ? edited() : shown == 1 ? standardSkinRecord() : stored();
        QCOMPARE(encodeSkinRecord(view.shown), encodeSkinRecord(expectedShown));
        QCOMPARE(readAll(dir.filePath("a.kvz")), wroteA ? encodeSkinFile(edited()) : QByteArray());
        QCOMPARE(readAll(dir.filePath("b.kvz")), encodeSkinFile(stored()));
        if (command == "open" && names.value(0) != "-" && !names.isEmpty() && names.last() != "-")
            QCOMPARE(document.OpenDir, dir.path());
    }
};

QTEST_GUILESS_MAIN(TestSkinDocument)
#include "tst_skindocument.moc"
