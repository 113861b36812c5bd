#include "Identity.h"
#include "app/DesktopBus.h"
#include "tests/TestMain.h"
#include "tests/app/EditorFixture.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QString Id = QStringLiteral(ZV_APPLICATION_ID);

} // namespace

// The editor on a private session bus, called as a file manager calls it.
class TestDesktopBus : public QObject
{
    Q_OBJECT

    QProcess daemon;
    QString address;
    EditorFixture editor;
    std::optional<DesktopBus> bus;
    QTemporaryDir dir;
    TfrmMain* w() { return editor.w(); }

    // A call from another connection, answered while the editor's loop runs.
    QDBusMessage call(const QString& method, const QVariantList& arguments)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(Id, DesktopBus::objectPath(Id),
                                                              QStringLiteral("org.freedesktop.Application"), method);
        message.setArguments(arguments);
        QDBusPendingCall pending = QDBusConnection(QStringLiteral("client")).asyncCall(message);
        QElapsedTimer waited;
        waited.start();
        while (!pending.isFinished() && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return pending.reply();
    }

private Q_SLOTS:
    void initTestCase()
    {
        daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        QVERIFY2(daemon.waitForReadyRead(5000), "dbus-daemon did not start");
        address = QString::fromUtf8(daemon.readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
        QVERIFY(QDBusConnection::connectToBus(address, QStringLiteral("client")).isConnected());
        QVERIFY(writeSkin(dir.filePath("a.kvz")));
    }
    void cleanupTestCase() { daemon.kill(); daemon.waitForFinished(); }
    void init()
    {
        editor.start();
        bus.emplace(*w(), Id);
        QVERIFY(bus->registered());
    }
    void cleanup()
    {
        bus.reset();
        editor.stop();
    }

    // Open takes the first skin on this computer through the window's open
    // path; anything else is refused, as a drop is.
    void open_data()
    {
        QTest::addColumn<QStringList>("uris");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<MessageAnswer>("answer"); // to the unsaved-changes question
        QTest::addColumn<QString>("outcome");      // "opened", "kept", "refused"
        const QString a = QUrl::fromLocalFile(dir.filePath("a.kvz")).toString();
        const QString notes = QUrl::fromLocalFile(dir.filePath("notes.txt")).toString();
        QTest::newRow("a skin") << QStringList{a} << false << MessageAnswer::Ok << "opened";
        QTest::newRow("file://localhost/") << QStringList{"file://localhost" + dir.filePath("a.kvz")} << false
                                           << MessageAnswer::Ok << "opened";
        QTest::newRow("unsaved changes, Ne") << QStringList{a} << true << MessageAnswer::No << "opened";
        QTest::newRow("unsaved changes, Otkazi keeps them") << QStringList{a} << true << MessageAnswer::Cancel << "kept";
        QTest::newRow("not a skin") << QStringList{notes} << false << MessageAnswer::Ok << "refused";
        QTest::newRow("a remote skin") << QStringList{"sftp://host/a.kvz"} << false << MessageAnswer::Ok << "refused";
        QTest::newRow("the first local skin of several") << QStringList{"sftp://host/b.kvz", notes, a} << false
                                                         << MessageAnswer::Ok << "opened";
    }

    void open()
    {
        QFETCH(QStringList, uris);
        QFETCH(bool, modified);
        QFETCH(MessageAnswer, answer);
        QFETCH(QString, outcome);
        w()->setModified(modified);
        if (modified)
            editor.fake().messageAnswers = {answer};
        QCOMPARE(call(QStringLiteral("Open"), {uris, QVariantMap()}).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(editor.fake().messages.size(), (modified ? 1 : 0) + (outcome == "refused" ? 1 : 0));
        QTRY_COMPARE(w()->windowTitle(), outcome == "opened" ? QStringLiteral("Zlatovir VODU Editor [ a.kvz ]")
                                                             : QStringLiteral("Zlatovir VODU Editor [ NovaSkinDatoteka ]"));
        QCOMPARE(w()->Modified(), outcome == "kept");
        QCOMPARE(w()->OpenDir(), outcome == "opened" ? dir.path() : QStringLiteral("."));
        if (outcome == "refused")
            QCOMPARE(editor.fake().messages.last().text,
                     QStringLiteral("Otvara se samo SKIN datoteka (.kvz) sa ovog računara."));
        QVERIFY(w()->isVisible());
    }

    // Activate brings a minimized window back; there are no actions.
    void activateAndActions()
    {
        w()->showMinimized();
        QCOMPARE(call(QStringLiteral("Activate"), {QVariantMap()}).type(), QDBusMessage::ReplyMessage);
        QVERIFY(w()->isVisible());
        QVERIFY(!(w()->windowState() & Qt::WindowMinimized));
        const QDBusMessage refused = call(QStringLiteral("ActivateAction"), {QStringLiteral("quit"), QVariantList(), QVariantMap()});
        QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(refused.errorName(), QStringLiteral("org.freedesktop.DBus.Error.NotSupported"));
    }

    // Another editor, with the name taken or with no bus at all, runs as
    // ever and says nothing about it; the first keeps the name.
    void editorsWithoutTheName_data()
    {
        QTest::addColumn<QString>("busAddress");
        QTest::newRow("the name owned by the first") << address;
        QTest::newRow("no session bus") << "unix:path=" + dir.filePath("no-bus");
    }

    void editorsWithoutTheName()
    {
        QFETCH(QString, busAddress);
        const QString owner = QDBusConnection::sessionBus().baseService();
        QProcess second;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath("second"));
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(EDITOR), QStringList());
        QVERIFY(second.waitForStarted());
        QVERIFY(!second.waitForFinished(1500));
        QCOMPARE(QDBusConnection(QStringLiteral("client")).interface()->serviceOwner(Id).value(), owner);
        second.kill();
        second.waitForFinished();
        QVERIFY2(!second.readAllStandardError().contains("bus"), "the second editor spoke of the bus");
    }

private:
    static bool writeSkin(const QString& name)
    {
        QFile file(name);
        return file.open(QIODevice::WriteOnly) && file.write(encodeSkinFile(standardSkinRecord())) == SkinFileSize;
    }
};

ZV_TEST_MAIN(TestDesktopBus)
#include "tst_desktopbus.moc"
