#include "tests/TestMain.h"
#include "tests/app/EditorFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

namespace {

// Writes the settings file by hand, as another program or an older editor
// may have left it.
void writeSettingsFile(const QByteArray& text)
{
    const QString name = settingsFileName();
    QDir().mkpath(QFileInfo(name).absolutePath());
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QString storedValue(const QString& key)
{
    QSettings settings(settingsFileName(), QSettings::IniFormat);
    const QVariant v = settings.value(QStringLiteral("General/") + key, settings.value(key));
    return v.typeId() == QMetaType::QString ? v.toString() : QStringLiteral("<not a string>");
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

    EditorFixture editor;

private Q_SLOTS:
    void init() { QFile::remove(settingsFileName()); }
    void cleanup() { editor.stop(); }

    void firstStartWritesTheDefaults()
    {
        editor.start();
        // "." is stored and kept as ".": the folder the editor runs in, in
        // this run and in every later one, wherever it is started.
        QCOMPARE(editor.w()->document().openDir(), QStringLiteral("."));
        QCOMPARE(editor.w()->document().saveDir(), QStringLiteral("."));
        QVERIFY(QFileInfo::exists(settingsFileName()));
        QCOMPARE(storedValue(QStringLiteral("OpenDir")), QStringLiteral("."));
        QCOMPARE(storedValue(QStringLiteral("SaveDir")), QStringLiteral("."));
        QCOMPARE(storedValue(QStringLiteral("Putanja")), QCoreApplication::applicationFilePath());
    }

    void handWrittenSettings_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("openDir");
        QTest::addColumn<QString>("saveDir");
        QTest::newRow("two strings") << QByteArray("[General]\nOpenDir=/skins/in\nSaveDir=/skins/out\n")
                                     << "/skins/in" << "/skins/out";
        QTest::newRow("OpenDir not a string: both stay") << QByteArray("[General]\nOpenDir=@ByteArray(/x)\nSaveDir=/out\n")
                                                         << "." << ".";
        QTest::newRow("OpenDir a list: both stay") << QByteArray("[General]\nOpenDir=/a, /b\nSaveDir=/out\n") << "."
                                                   << ".";
        QTest::newRow("SaveDir not a string: OpenDir read")
            << QByteArray("[General]\nOpenDir=/in\nSaveDir=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n") << "/in" << ".";
        QTest::newRow("values missing: defaults") << QByteArray("[General]\nPutanja=/opt/x\n") << "." << ".";
        QTest::newRow("relative folders kept as read") << QByteArray("[General]\nOpenDir=skins\nSaveDir=../out\n")
                                                       << "skins" << "../out";
        QTest::newRow("an earlier version's PregledDir goes")
            << QByteArray("[General]\nOpenDir=/in\nSaveDir=/out\nPregledDir=/p\n") << "/in" << "/out";
    }

    void handWrittenSettings()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, openDir);
        QFETCH(QString, saveDir);
        writeSettingsFile(file);
        editor.start();
        QCOMPARE(editor.w()->document().openDir(), openDir);
        QCOMPARE(editor.w()->document().saveDir(), saveDir);
        QVERIFY(editor.fake().messages.isEmpty());
        // Every close writes all three as strings, replacing what was there,
        // and the settings hold nothing else.
        editor.w()->close();
        QCOMPARE(QSettings(settingsFileName(), QSettings::IniFormat).allKeys(),
                 (QStringList{"OpenDir", "Putanja", "SaveDir"}));
        QCOMPARE(storedValue(QStringLiteral("OpenDir")), openDir);
        QCOMPARE(storedValue(QStringLiteral("SaveDir")), saveDir);
        QCOMPARE(storedValue(QStringLiteral("Putanja")), QCoreApplication::applicationFilePath());
    }

    // A close writes the folders; a file that already holds them is left as
    // it is (not rewritten and synced again).
    void settingsAreWrittenAtEveryClose_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("folder"); // the open and save folders at the close
        QTest::newRow("nothing changed") << false << MessageAnswer::Ok << true << "/from";
        QTest::newRow("changes, not saved") << true << MessageAnswer::No << true << "/from";
        QTest::newRow("changes, cancelled") << true << MessageAnswer::Cancel << false << "/from";
        QTest::newRow("the folders as stored") << false << MessageAnswer::Ok << true << ".";
    }

    void settingsAreWrittenAtEveryClose()
    {
        QFETCH(bool, modified);
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, closed);
        QFETCH(QString, folder);
        editor.start();
        const auto inode = [] {
            struct stat st {};
            return ::stat(QFile::encodeName(settingsFileName()).constData(), &st) == 0 ? st.st_ino : 0;
        };
        const auto before = inode();
        editor.w()->show();
        editor.w()->document().setModified(modified);
        const QString openDir = folder == "." ? folder : folder + "/open", saveDir = folder == "." ? folder : folder + "/save";
        editor.w()->document().setOpenDir(openDir);
        editor.w()->document().setSaveDir(saveDir);
        if (modified)
            editor.fake().messageAnswers.push_back(answer);
        QCOMPARE(editor.w()->close(), closed);
        QCOMPARE(editor.w()->isVisible(), !closed);
        QCOMPARE(editor.fake().messages.size(), modified ? 1 : 0);
        QCOMPARE(storedValue(QStringLiteral("OpenDir")), closed ? openDir : QStringLiteral("."));
        QCOMPARE(storedValue(QStringLiteral("SaveDir")), closed ? saveDir : QStringLiteral("."));
        QCOMPARE(inode() != before, closed && folder != ".");
    }

    void fileNamePartOfACaption_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("part");
        // Only "/" separates path parts here: "\\" and ":" belong to the name.
        QTest::newRow("backslash in a name") << "/home/ana/we\\ird.kvz" << "we\\ird.kvz";
        QTest::newRow("colon in a name") << "/home/ana/D:plavi.kvz" << "D:plavi.kvz";
        QTest::newRow("linux path") << "/home/ana/skins/crveni.kvz" << "crveni.kvz";
        QTest::newRow("untitled") << "NovaSkinDatoteka" << "NovaSkinDatoteka";
        QTest::newRow("backslash in a folder") << "/a\\b/c.kvz" << "c.kvz";
    }

    void fileNamePartOfACaption()
    {
        QFETCH(QString, path);
        QFETCH(QString, part);
        QCOMPARE(fileNamePart(path), part);
        editor.start();
        editor.w()->document().setCurrentFile(path);
        editor.w()->document().UpdateCaption();
        QCOMPARE(editor.w()->windowTitle(), QStringLiteral("Zlatovir VODU Editor [ %1 ]").arg(part));
    }
};

ZV_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
