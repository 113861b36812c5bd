#include "Registry.h"

#include "Files.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace {

// "Software\Maker\Product" -> ("Maker", "Product").
std::pair<QString, QString> organisationAndApplication(const QString& key)
{
    const QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (parts.size() != 3 || parts[0].compare(QLatin1String("Software"), Qt::CaseInsensitive) != 0)
        return {};
    return {parts[1], parts[2]};
}

// A settings file is read only when it is a regular file of a sane size, and
// written only over one (or where there is none): a FIFO would block the
// reader for ever, a huge file would be read whole, and a device or a
// dangling link must never be replaced. Anything else counts as a store
// that cannot be opened.
constexpr qint64 MaxSettingsFileSize = 64 * 1024;

bool storeUsable(const QString& organisation, const QString& application)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Where QSettings keeps the native format on these systems.
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/')
                         + organisation + QLatin1Char('/') + application + QStringLiteral(".conf");
    const PathState state = inspectPath(file);
    return state.kind == PathState::Absent
           || (state.kind == PathState::RegularFile && state.size <= MaxSettingsFileSize);
#else
    Q_UNUSED(organisation);
    Q_UNUSED(application);
    return true;
#endif
}

} // namespace

TRegistry::TRegistry() = default;
TRegistry::~TRegistry()
{
    CloseKey();
}

bool TRegistry::KeyExists(const QString& key) const
{
    const auto [organisation, application] = organisationAndApplication(key);
    if (organisation.isEmpty() || !storeUsable(organisation, application))
        return false;
    QSettings probe(QSettings::NativeFormat, QSettings::UserScope, organisation, application);
    return QFileInfo::exists(probe.fileName()) || !probe.allKeys().isEmpty();
}

bool TRegistry::OpenKey(const QString& key, bool canCreate)
{
    CloseKey();
    const auto [organisation, application] = organisationAndApplication(key);
    if (organisation.isEmpty() || !storeUsable(organisation, application) || (!canCreate && !KeyExists(key)))
        return false;
    m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation, application);
    if (m_settings->status() != QSettings::NoError) {
        m_settings.reset();
        return false;
    }
    return true;
}

void TRegistry::CloseKey()
{
    if (m_settings)
        m_settings->sync();
    m_settings.reset();
}

bool TRegistry::ValueExists(const QString& name) const
{
    return m_settings && m_settings->contains(name);
}

QString TRegistry::ReadString(const QString& name) const
{
    if (!m_settings || !m_settings->contains(name))
        throw ERegistryException("value not found");
    const QVariant value = m_settings->value(name);
    if (value.typeId() != QMetaType::QString)
        throw ERegistryException("value is not a string");
    return value.toString();
}

void TRegistry::WriteString(const QString& name, const QString& value)
{
    if (!m_settings)
        throw ERegistryException("no key open");
    m_settings->setValue(name, value);
    sync();
}

void TRegistry::DeleteValue(const QString& name)
{
    if (!m_settings)
        throw ERegistryException("no key open");
    if (!m_settings->contains(name))
        return;
    m_settings->remove(name);
    sync();
}

void TRegistry::sync()
{
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError)
        throw ERegistryException("cannot write the registry");
}
