#include "app/DesktopBus.h"

#include "app/Unit1.h"
#include "app/document/SkinFile.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QPointer>
#include <QUrl>
#include <QVariantMap>

namespace {

// The refusal of what the bus hands over that is no file on this computer.
const QString BusRefusal = QStringLiteral("Otvara se samo datoteka sa ovog računara.");

} // namespace

// The exported object. Its scriptable slots are the interface's methods;
// the bus gets its answer before any box is shown.
class DesktopApplication : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    explicit DesktopApplication(TfrmMain& window) : m_window(&window) {}

public Q_SLOTS:
    Q_SCRIPTABLE void Activate(const QVariantMap& platformData) { bringForward(platformData); }

    // The first file on this computer opens as the open dialog's choice
    // would, whatever its name: the desktop offers the editor what it types
    // as a skin by its contents.
    Q_SCRIPTABLE void Open(const QStringList& uris, const QVariantMap& platformData)
    {
        bringForward(platformData);
        QString file;
        for (const QString& uri : uris) {
            if (const std::optional<QString> local = localFileOf(QUrl(uri))) {
                file = *local;
                break;
            }
        }
        if (m_window)
            m_window->openHanded(file, BusRefusal);
    }

    Q_SCRIPTABLE void ActivateAction(const QString& actionName, [[maybe_unused]] const QVariantList& parameter,
                                     [[maybe_unused]] const QVariantMap& platformData)
    {
        sendErrorReply(QDBusError::NotSupported, QStringLiteral("The editor has no action \"%1\".").arg(actionName));
    }

private:
    // The window to the front, restored if minimized; an activation token
    // from the desktop lets it take the focus where the window system asks
    // for one.
    void bringForward(const QVariantMap& platformData)
    {
        if (!m_window)
            return;
        const QString token = platformData.value(QStringLiteral("activation-token")).toString();
        if (!token.isEmpty())
            qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    }

    QPointer<TfrmMain> m_window;
};

DesktopBus::DesktopBus(TfrmMain& window, const QString& applicationId)
    : m_id(applicationId), m_application(std::make_unique<DesktopApplication>(window))
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return;
    // The object first, so that a call sent as soon as the name appears
    // (the desktop starting the editor to open a file) finds it.
    if (!bus.registerObject(objectPath(m_id), m_application.get(), QDBusConnection::ExportScriptableSlots))
        return;
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = bus.interface()->registerService(
        m_id, QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
    m_registered = reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
    if (!m_registered)
        bus.unregisterObject(objectPath(m_id));
}

DesktopBus::~DesktopBus()
{
    if (m_registered) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(objectPath(m_id));
        bus.interface()->unregisterService(m_id);
    }
}

QString DesktopBus::objectPath(const QString& applicationId)
{
    return QLatin1Char('/') + QString(applicationId).replace(QLatin1Char('.'), QLatin1Char('/')).replace(QLatin1Char('-'), QLatin1Char('_'));
}

#include "DesktopBus.moc"
