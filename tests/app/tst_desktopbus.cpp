#include "Identity.h"
#include "app/DesktopBus.h"
#include "tests/TestMain.h"
#include "tests/app/EditorFixture.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The editor on a private session bus, called from another connection as a
// file manager calls it.
class TestDesktopBus : public QObject
{
    Q_OBJECT

    const QString id = QStringLiteral(ZV_APPLICATION_ID);
    QProcess daemon;
    QString address;
    EditorFixture editor;
    std::optional<DesktopBus> bus;
    QTemporaryDir dir;

    QDBusMessage call(const QString& method, const QVariantList& arguments)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(id, DesktopBus::objectPath(id),
                                                              QStringLiteral("org.freedesktop.Application"), method);
        message.setArguments(arguments);
        QDBusPendingCall pending = QDBusConnection(QStringLiteral("client")).asyncCall(message);
        if (!QTest::qWaitFor([&] { return pending.isFinished(); }))
            return QDBusMessage::createError(QStringLiteral("test.Timeout"), method);
        return pending.reply();
    }

private Q_SLOTS:
    void initTestCase()
    {
        daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        QVERIFY(daemon.waitForReadyRead(5000));
        address = QString::fromUtf8(daemon.readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
        QVERIFY(QDBusConnection::connectToBus(address, QStringLiteral("client")).isConnected());
        makeNativeFolders(QFile::encodeName(dir.path()) + "/d\xFF");
        QVERIFY(writeWholeFile(dir.filePath("notes.txt"), "Kupiti hleb.\n").isEmpty());
        for (const QString& name : {dir.filePath("a.kvz"), dir.filePath("b.kvz"), dir.filePath("c.kvz"),
                                    dir.filePath("skin"), dir.filePath("B.KVZ"),
                                    pathText(QFile::encodeName(dir.path()) + "/d\xFF/a.kvz")})
            QVERIFY(writeWholeFile(name, encodeSkinFile(standardSkinRecord())).isEmpty());
    }
    void cleanupTestCase()
    {
        daemon.terminate(); // the bus takes its socket away
        daemon.waitForFinished();
        QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), dir.path()}); // names Qt cannot spell
    }
    void init()
    {
        editor.start();
        bus.emplace(*editor.w(), id);
        QVERIFY(bus->registered());
    }
    void cleanup() { bus.reset(), editor.stop(); }

    // What the desktop sends, and what becomes of it: opened, kept (the
    // question answered "Otkazi"), or refused with a message. The open
    // folder stays: only the open dialog moves it.
    void open_data()
    {
        QTest::addColumn<QStringList>("uris");
        QTest::addColumn<bool>("modified"); // answered "Otkazi"
        QTest::addColumn<QString>("opened"); // the name then open, empty: none
        QTest::addColumn<QString>("message"); // what the refusal says
        const auto uri = [this](const QString& name) { return QUrl::fromLocalFile(dir.filePath(name)).toString(); };
        const QString a = uri("a.kvz"), notes = uri("notes.txt");
        QTest::newRow("a skin") << QStringList{a} << false << dir.filePath("a.kvz") << "";
        QTest::newRow("unsaved changes, Otkazi keeps them") << QStringList{a} << true << "" << "";
        // Any file, as the open dialog takes a name typed: the load judges it.
        QTest::newRow("a skin named without .kvz") << QStringList{uri("skin")} << false << dir.filePath("skin") << "";
        QTest::newRow("a skin named in capitals") << QStringList{uri("B.KVZ")} << false << dir.filePath("B.KVZ") << "";
        QTest::newRow("not a skin") << QStringList{notes} << false << "" << "Datoteka nije ispravna SKIN datoteka.";
        QTest::newRow("a file that is not there") << QStringList{uri("none.kvz")} << false << ""
                                                  << "Cannot open file \"" + dir.filePath("none.kvz") + "\". No such file or directory";
        QTest::newRow("a remote skin") << QStringList{"sftp://host/a.kvz"} << false << ""
                                       << "Otvara se samo datoteka sa ovog računara.";
        QTest::newRow("the first local file") << QStringList{"sftp://host/b.kvz", a, uri("b.kvz")} << false
                                              << dir.filePath("a.kvz") << "";
        // The bytes of the path as the URI escapes them, and none past a NUL.
        QTest::newRow("a folder whose name is not UTF-8")
            << QStringList{"file://" + dir.path() + "/d%FF/a.kvz"} << false
            << pathText(QFile::encodeName(dir.path()) + "/d\xFF/a.kvz") << "";
        QTest::newRow("a NUL in the name") << QStringList{"file://" + dir.path() + "/a.kvz%00b.kvz"} << false << ""
                                           << "Putanja \"" + dir.path() + "/a.kvz\\0b.kvz\" se ne može otvoriti: sadrži znak NUL.";
        const QString huge = dir.path() + "/" + QString(5000, 'x') + ".kvz";
        QTest::newRow("a path longer than the system takes")
            << QStringList{"file://" + huge} << false << ""
            << "Putanja \"" + huge.left(40) + "…" + huge.right(39) + "\" se ne može otvoriti: duža je nego što sistem dozvoljava.";
    }

    void open()
    {
        QFETCH(QStringList, uris);
        QFETCH(bool, modified);
        QFETCH(QString, opened);
        QFETCH(QString, message);
        TfrmMain* w = editor.w();
        w->document().setModified(modified);
        editor.fake().messageAnswers = {MessageAnswer::Cancel};
        QCOMPARE(call(QStringLiteral("Open"), {uris, QVariantMap()}).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(editor.fake().messages.size(), int(modified) + int(!message.isEmpty()));
        QTRY_COMPARE(w->document().currentFileName(), opened.isEmpty() ? NewSkinFileName : opened);
        QCOMPARE(w->document().isModified(), modified);
        QCOMPARE(w->document().openDir(), QStringLiteral("."));
        if (!message.isEmpty())
            QCOMPARE(editor.fake().messages[0].text, message);
        // Saved where it was opened, byte for byte, not in a folder of U+FFFD.
        if (!opened.isEmpty())
            w->mnmSaveClick();
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("d\uFFFD"))));
    }

    // Requests that come while a box is open wait for it, with no question
    // of their own; then only the latest runs, asking once.
    void requestsWaitForTheModalWindow()
    {
        TfrmMain* w = editor.w();
        w->document().setModified(true);
        editor.fake().messageAnswers = {MessageAnswer::No};
        QDialog modal(w);
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
        QTRY_COMPARE(QApplication::activeModalWidget(), &modal);
        for (const char* name : {"a.kvz", "b.kvz", "c.kvz"})
            QCOMPARE(call(QStringLiteral("Open"), {QStringList{QUrl::fromLocalFile(dir.filePath(name)).toString()}, QVariantMap()}).type(),
                     QDBusMessage::ReplyMessage);
        QCoreApplication::processEvents();
        QCOMPARE(editor.fake().messages.size(), 0);
        modal.close();
        QTRY_COMPARE(w->document().currentFileName(), dir.filePath("c.kvz"));
        QCoreApplication::processEvents();
        QCOMPARE(editor.fake().messages.size(), 1);
    }

    void activateAndNoActions()
    {
        editor.w()->showMinimized();
        QCOMPARE(call(QStringLiteral("Activate"), {QVariantMap()}).type(), QDBusMessage::ReplyMessage);
        QVERIFY(editor.w()->isVisible() && !editor.w()->isMinimized());
        const QDBusMessage refused = call(QStringLiteral("ActivateAction"), {"quit", QVariantList(), QVariantMap()});
        QCOMPARE(refused.errorName(), QStringLiteral("org.freedesktop.DBus.Error.NotSupported"));
    }

    // Another editor, with the name taken or no bus at all, runs as ever
    // and says nothing of it; the first keeps the name.
    void editorsWithoutTheName_data()
    {
        QTest::addColumn<QString>("busAddress");
        QTest::newRow("the name owned by the first") << address;
        QTest::newRow("no session bus") << "unix:path=" + dir.filePath("no-bus");
    }

    void editorsWithoutTheName()
    {
        QFETCH(QString, busAddress);
        QProcess second;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(EDITOR), {});
        QVERIFY(!second.waitForFinished(1500) && second.state() == QProcess::Running);
        // A save past the file-size limit fails with its reason instead of
        // ending the editor: the signal is ignored.
        QFile status(QStringLiteral("/proc/%1/status").arg(second.processId()));
        QVERIFY(status.open(QIODevice::ReadOnly));
        const QByteArray text = status.readAll();
        const qsizetype at = text.indexOf("SigIgn:") + 7;
        const QByteArray ignored = text.mid(at, text.indexOf('\n', at) - at).trimmed();
        QVERIFY2(ignored.toULongLong(nullptr, 16) & (1ull << (SIGXFSZ - 1)), ignored.constData());
        const auto owner = QDBusConnection(QStringLiteral("client")).interface()->serviceOwner(id);
        QCOMPARE(owner.value(), QDBusConnection::sessionBus().baseService());
        second.kill(), second.waitForFinished();
        QVERIFY(!second.readAllStandardError().contains("bus"));
    }
};

ZV_TEST_MAIN(TestDesktopBus)
#include "tst_desktopbus.moc"
