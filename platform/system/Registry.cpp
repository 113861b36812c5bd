#include "platform/system/Registry.h"

#include "platform/base/Errors.h"
#include "platform/system/Files.h"

#include "platform/system/IniText.h"

#include <QFile>
#include <QStandardPaths>
#include <QStringList>

#include <tuple>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 MaxSettingsFileSize = 64 * 1024;

// "Software\Maker\Product" -> ("Maker", "Product").
std::pair<QString, QString> organisationAndApplication(const QString& key)
{
    const QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (parts.size() != 3 || parts[0].compare(QLatin1String("Software"), Qt::CaseInsensitive) != 0)
        return {};
    return {parts[1], parts[2]};
}

// Where the per-user settings live, as bytes: $XDG_CONFIG_HOME when it is
// absolute, else ~/.config (Qt's test location while tests run).
QByteArray configFolder()
{
    if (QStandardPaths::isTestModeEnabled())
        return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
    if (xdg.startsWith('/'))
        return xdg;
    return qgetenv("HOME") + "/.config";
}

QByteArray settingsFile(const QString& key)
{
    const auto [organisation, application] = organisationAndApplication(key);
    if (organisation.isEmpty())
        return {};
    return configFolder() + '/' + QFile::encodeName(organisation) + '/' + QFile::encodeName(application) + ".conf";
}

} // namespace

// The open key: the file's text as read, and the values written to it.
struct TRegistry::OpenStore
{
    QByteArray file;
    IniText text;
};

TRegistry::TRegistry() = default;

// Like the registry, whose writes stand at once: what was written before a
// failing step is kept.
TRegistry::~TRegistry()
{
    try {
        CloseKey();
    } catch (const ERegistryException&) {
        // Registry errors are the caller's to swallow; here nobody can.
    }
}

bool TRegistry::KeyExists(const QString& key) const
{
    const QByteArray file = settingsFile(key);
    struct stat st {};
    return !file.isEmpty() && ::lstat(file.constData(), &st) == 0;
}

bool TRegistry::OpenKey(const QString& key, bool canCreate)
{
    m_open.reset();
    const QByteArray file = settingsFile(key);
    if (file.isEmpty())
        return false;
    // Nothing is locked, as the registry locks nothing; a lock file that an
    // earlier version left beside the settings goes.
    const QByteArray oldLock = file + ".lock";
    if (struct stat st {}; ::lstat(oldLock.constData(), &st) == 0 && S_ISREG(st.st_mode))
        ::unlink(oldLock.constData());
    const FileContents contents = readRegularFile(file, MaxSettingsFileSize);
    if (contents.state.kind == PathState::Absent) {
        if (!canCreate)
            return false;
        try {
            makeNativeFolders(file.left(file.lastIndexOf('/')));
        } catch (const EditorError&) {
            return false;
        }
    } else if (contents.state.kind != PathState::RegularFile || contents.state.size > MaxSettingsFileSize) {
        return false;
    }
    m_open.reset(new OpenStore{file, IniText(contents.bytes)});
    return true;
}

// The file is replaced whole (the last close wins), and only when every
// line of it is one the store may rewrite and what it writes reads back as
// written within the size it reads: otherwise it stays as it is, silently.
void TRegistry::CloseKey()
{
    const std::unique_ptr<OpenStore> open = std::move(m_open);
    const std::optional<QByteArray> bytes = open ? open->text.rewritten() : std::nullopt;
    if (!bytes || bytes->size() > MaxSettingsFileSize)
        return;
    try {
        std::ignore = writeWholeNativeFile(open->file, *bytes);
    } catch (const EditorError& e) {
        throw ERegistryException(e.what());
    }
}

bool TRegistry::ValueExists(const QString& name) const
{
    return m_open && m_open->text.value(name).kind != IniValue::Absent;
}

QString TRegistry::ReadString(const QString& name) const
{
    const IniValue value = m_open ? m_open->text.value(name) : IniValue();
    if (value.kind == IniValue::Absent)
        throw ERegistryException("value not found");
    if (value.kind != IniValue::String)
        throw ERegistryException("value is not a string");
    return value.text;
}

void TRegistry::WriteString(const QString& name, const QString& value)
{
    if (!m_open)
        throw ERegistryException("no key open");
    m_open->text.setString(name, value);
}

void TRegistry::DeleteValue(const QString& name)
{
    if (!m_open)
        throw ERegistryException("no key open");
    m_open->text.remove(name);
}
