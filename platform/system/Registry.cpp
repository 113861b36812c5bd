#include "platform/system/Registry.h"

#include "platform/base/Errors.h"
#include "platform/system/Files.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>
#include <QSysInfo>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <tuple>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 MaxSettingsFileSize = 64 * 1024;
// A lock whose holder cannot be told (no process number in it) counts as
// left behind once it is this old, as Qt's lock files do.
constexpr time_t StaleLockSeconds = 30;

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

// The whole of a small regular file, or nothing; never blocks.
std::optional<QByteArray> readSmallFile(const QByteArray& path, qint64 limit)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    QByteArray bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= limit) {
        bytes.resize(qsizetype(st.st_size));
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += n;
        }
        bytes.truncate(done);
        ::close(fd);
        return bytes;
    }
    ::close(fd);
    return std::nullopt;
}

// The settings file's lock, taken only at once: created new, or taken over
// when what is there was left by a process that has gone (or is an old
// lock whose holder cannot be told). Its text is what Qt's lock files hold,
// so that other programs judge it the same way.
bool takeLock(const QByteArray& lock)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(lock.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0) {
            const QByteArray text = QByteArray::number(qint64(::getpid())) + '\n'
                                    + QCoreApplication::applicationName().toUtf8() + '\n'
                                    + QSysInfo::machineHostName().toUtf8() + '\n';
            const bool written = ::write(fd, text.constData(), size_t(text.size())) == ssize_t(text.size());
            ::close(fd);
            if (!written)
                ::unlink(lock.constData());
            return written;
        }
        struct stat st {};
        if (errno != EEXIST || ::lstat(lock.constData(), &st) != 0 || !S_ISREG(st.st_mode))
            return false;
        const std::optional<QByteArray> text = readSmallFile(lock, 4096);
        const QList<QByteArray> lines = text ? text->split('\n') : QList<QByteArray>();
        bool numbered = false;
        const qint64 pid = lines.value(0).toLongLong(&numbered);
        const bool sameHost = lines.value(2).isEmpty() || lines.value(2) == QSysInfo::machineHostName().toUtf8();
        const bool gone = numbered && pid > 0 && sameHost && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
        const bool old = !numbered && std::time(nullptr) - st.st_mtime > StaleLockSeconds;
        if (!(gone || old) || ::unlink(lock.constData()) != 0)
            return false;
    }
    return false;
}

// A line of the file, split where it says what it is.
struct Line
{
    QByteArray text;
    QByteArray section; // the section it stands in, without brackets; "General" before any
    QByteArray key;     // empty unless a key=value line
    QByteArray value;
};

// The lines, or nothing when one of them is not settings.
std::optional<QList<Line>> parseSettings(const QByteArray& bytes)
{
    QList<Line> lines;
    QByteArray section = "General";
    QList<QByteArray> texts = bytes.split('\n');
    if (!texts.isEmpty() && texts.last().isEmpty())
        texts.removeLast();
    for (const QByteArray& raw : texts) {
        QByteArray text = raw;
        if (text.endsWith('\r'))
            text.chop(1);
        const QByteArray trimmed = text.trimmed();
        Line line{text, section, {}, {}};
        if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#')) {
            // blank or a comment
        } else if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            section = trimmed.mid(1, trimmed.size() - 2);
            line.section = section;
        } else if (const qsizetype equals = trimmed.indexOf('='); equals > 0) {
            line.key = trimmed.left(equals).trimmed();
            line.value = trimmed.mid(equals + 1).trimmed();
        } else {
            return std::nullopt;
        }
        lines << line;
    }
    return lines;
}

bool isGeneral(const QByteArray& section)
{
    return section.compare("General", Qt::CaseSensitive) == 0;
}

} // namespace

// The open key: the file's lines as read, what changed, and the lock held.
struct TRegistry::OpenStore
{
    QByteArray file;
    QByteArray lock;
    QList<Line> lines;
    bool changed = false;

    qsizetype find(const QString& name) const
    {
        const QByteArray key = name.toUtf8();
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (isGeneral(lines[i].section) && lines[i].key == key)
                return i;
        return -1;
    }
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

void TRegistry::release()
{
    if (m_open)
        ::unlink(m_open->lock.constData());
    m_open.reset();
}

bool TRegistry::KeyExists(const QString& key) const
{
    const QByteArray file = settingsFile(key);
    struct stat st {};
    return !file.isEmpty() && ::lstat(file.constData(), &st) == 0;
}

bool TRegistry::OpenKey(const QString& key, bool canCreate)
{
    release();
    const QByteArray file = settingsFile(key);
    if (file.isEmpty())
        return false;
    const PathState state = inspectNativePath(file);
    if (state.kind == PathState::Absent) {
        if (!canCreate)
            return false;
        try {
            makeNativeFolders(file.left(file.lastIndexOf('/')));
        } catch (const EditorError&) {
            return false;
        }
    } else if (state.kind != PathState::RegularFile || state.size > MaxSettingsFileSize) {
        return false;
    }
    auto store = std::make_unique<OpenStore>();
    store->file = file;
    store->lock = file + ".lock";
    if (!takeLock(store->lock))
        return false;
    m_open = std::move(store);
    if (state.kind == PathState::RegularFile) {
        const std::optional<QByteArray> bytes = readSmallFile(file, MaxSettingsFileSize);
        const std::optional<QList<Line>> lines = bytes ? parseSettings(*bytes) : std::nullopt;
        if (!lines) {
            release();
            return false;
        }
        m_open->lines = *lines;
    }
    return true;
}

void TRegistry::CloseKey()
{
    if (m_open && m_open->changed) {
        QByteArray bytes;
        for (const Line& line : m_open->lines)
            bytes += line.text + '\n';
        try {
            std::ignore = writeWholeNativeFile(m_open->file, bytes);
        } catch (const EditorError& e) {
            release();
            throw ERegistryException(e.what());
        }
    }
    release();
}

bool TRegistry::ValueExists(const QString& name) const
{
    return m_open && m_open->find(name) >= 0;
}

QString TRegistry::ReadString(const QString& name) const
{
    const qsizetype at = m_open ? m_open->find(name) : -1;
    if (at < 0)
        throw ERegistryException("value not found");
    const std::optional<QString> value = iniString(m_open->lines[at].value);
    if (!value)
        throw ERegistryException("value is not a string");
    return *value;
}

void TRegistry::WriteString(const QString& name, const QString& value)
{
    if (!m_open)
        throw ERegistryException("no key open");
    const QByteArray key = name.toUtf8();
    Line line{key + '=' + iniStringValue(value), "General", key, iniStringValue(value)};
    if (const qsizetype existing = m_open->find(name); existing >= 0) {
        // A value written as the file already holds it changes nothing, so
        // that a close that changed nothing does not rewrite (and sync) the
        // file.
        if (m_open->lines[existing].text == line.text)
            return;
        m_open->lines[existing] = line;
    } else {
        // After the last line of the General section, which is made first
        // when there is none.
        qsizetype last = -1;
        for (qsizetype i = 0; i < m_open->lines.size(); ++i)
            if (isGeneral(m_open->lines[i].section))
                last = i;
        if (last < 0) {
            m_open->lines.prepend({"[General]", "General", {}, {}});
            last = 0;
        }
        m_open->lines.insert(last + 1, line);
    }
    m_open->changed = true;
}

void TRegistry::DeleteValue(const QString& name)
{
    if (!m_open)
        throw ERegistryException("no key open");
    if (const qsizetype at = m_open->find(name); at >= 0) {
        m_open->lines.removeAt(at);
        m_open->changed = true;
    }
}

QByteArray iniStringValue(const QString& value)
{
    // A leading "@" marks a typed value; a string starting with one doubles it.
    const QString text = value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value;
    QByteArray out;
    bool needsQuotes = false;
    bool escapeNextIfHexDigit = false;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint c : codePoints) {
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfHexDigit && c < 0x80 && isxdigit(int(c))) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfHexDigit = false;
        switch (c) {
        case 0: out += "\\0"; escapeNextIfHexDigit = true; break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\': out += '\\'; out += char(c); break;
        default:
            if (c <= 0x1F) {
                out += "\\x" + QByteArray::number(c, 16);
                escapeNextIfHexDigit = true;
            } else {
                out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1).toUtf8();
            }
        }
    }
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' '))
        out = '"' + out + '"';
    return out;
}

std::optional<QString> iniString(const QByteArray& value)
{
    QByteArray bytes;
    bool quoted = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            return std::nullopt; // a list
        } else if (c == '\\' && i + 1 < value.size()) {
            const char e = value[++i];
            static const char from[] = "abfnrtv", to[] = "\a\b\f\n\r\t\v";
            if (const char* at = std::strchr(from, e); at && e) {
                bytes += to[at - from];
            } else if (e == 'x' || (e >= '0' && e <= '7')) {
                const bool hex = e == 'x';
                qsizetype end = hex ? i + 1 : i;
                while (end < value.size() && (hex ? isxdigit(uchar(value[end])) : value[end] >= '0' && value[end] <= '7'))
                    ++end;
                const QByteArray digits = value.mid(hex ? i + 1 : i, end - (hex ? i + 1 : i));
                bytes += QString(QChar(char16_t(digits.toUInt(nullptr, hex ? 16 : 8)))).toUtf8();
                i = end - 1;
            } else {
                bytes += e;
            }
        } else {
            bytes += c;
        }
    }
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QLatin1Char('@'))) {
        if (text.startsWith(QLatin1String("@@")))
            return text.mid(1);
        if (text.startsWith(QLatin1String("@String(")) && text.endsWith(QLatin1Char(')')))
            return text.mid(8, text.size() - 9);
        for (const char* typed : {"@ByteArray(", "@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point(", "@Invalid("})
            if (text.startsWith(QLatin1String(typed)) && text.endsWith(QLatin1Char(')')))
                return std::nullopt;
    }
    return text;
}
