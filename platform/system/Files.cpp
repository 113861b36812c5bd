#include "platform/system/Files.h"

#include "platform/base/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>

#include <climits>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <climits>
#include <csignal>
#include <utility>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/xattr.h>
#endif
#endif

const QString NotRegularReason = QStringLiteral("Not a regular file");
const QString MissingFileReason = qt_error_string(ENOENT);

namespace {

// The length of the well-formed UTF-8 sequence at `at` (no overlong form,
// no surrogate, nothing past U+10FFFF), or 0.
int utf8Length(const QByteArray& bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return i < bytes.size() ? uchar(bytes[i]) : 0u; };
    const unsigned lead = byte(at);
    const auto follows = [&](qsizetype i, unsigned low = 0x80, unsigned high = 0xBF) {
        return byte(i) >= low && byte(i) <= high;
    };
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return follows(at + 1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const bool second = lead == 0xE0 ? follows(at + 1, 0xA0) : lead == 0xED ? follows(at + 1, 0x80, 0x9F) : follows(at + 1);
        return second && follows(at + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const bool second = lead == 0xF0 ? follows(at + 1, 0x90) : lead == 0xF4 ? follows(at + 1, 0x80, 0x8F) : follows(at + 1);
        return second && follows(at + 2) && follows(at + 3) ? 4 : 0;
    }
    return 0;
}

} // namespace

std::optional<QString> unusablePath(const QString& path)
{
#ifdef PATH_MAX
    constexpr qsizetype longest = PATH_MAX - 1;
#else
    constexpr qsizetype longest = 259;
#endif
    const bool nul = path.contains(QChar(0));
    if (!nul && nativePath(path).size() <= longest)
        return std::nullopt;
    QString shown = path;
    if (shown.size() > 80)
        shown = shown.left(40) + QStringLiteral("…") + shown.right(39);
    shown.replace(QChar(0), QStringLiteral("\\0"));
    return QStringLiteral("Putanja \"%1\" se ne može otvoriti: %2")
        .arg(shown, nul ? QStringLiteral("sadrži znak NUL.") : QStringLiteral("duža je nego što sistem dozvoljava."));
}

QString pathText(const QByteArray& bytes)
{
    QString text;
    qsizetype run = 0; // start of the UTF-8 not yet taken
    for (qsizetype i = 0; i < bytes.size();) {
        if (const int length = utf8Length(bytes, i)) {
            i += length;
            continue;
        }
        text += QString::fromUtf8(bytes.constData() + run, i - run);
        text += QChar(char16_t(0xDC00 + uchar(bytes[i])));
        run = ++i;
    }
    return text + QString::fromUtf8(bytes.constData() + run, bytes.size() - run);
}

QByteArray nativePath(const QString& text)
{
    QByteArray bytes;
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool escaped = c >= 0xDC80 && c <= 0xDCFF && !(i > 0 && text[i - 1].isHighSurrogate());
        if (!escaped)
            continue;
        bytes += QStringView(text).sliced(run, i - run).toUtf8();
        bytes += char(c - 0xDC00);
        run = i + 1;
    }
    return bytes + QStringView(text).sliced(run).toUtf8();
}

namespace {

// The path as the user named it, made absolute for the message only.
QString shownPath(const QString& fileName)
{
    return QFileInfo(fileName).absoluteFilePath();
}

[[noreturn]] void cannotCreate(const QString& fileName, const QString& reason)
{
    throw EditorError(QStringLiteral("Cannot create file \"%1\". %2").arg(shownPath(fileName), reason));
}

[[noreturn]] void cannotCreate(const QByteArray& fileName, const QString& reason)
{
    cannotCreate(pathText(fileName), reason);
}

} // namespace


#ifdef Q_OS_UNIX

namespace {

QString reasonOf(int error)
{
    return qt_error_string(error);
}

// A file descriptor, closed when it goes.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(Descriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

private:
    int m_fd;
};

// All of `bytes` from the start, through short writes and interruptions.
// 0, or the system's error number.
int writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        done += n;
    }
    return 0;
}

// The folder a path lies in, as bytes: "." for a bare name.
QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

} // namespace

PathState inspectNativePath(const QByteArray& native)
{
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {PathState::Absent, 0, {}};
        return {PathState::Unreachable, 0, reasonOf(errno)};
    }
    if (S_ISLNK(st.st_mode) && ::stat(native.constData(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {PathState::DanglingLink, 0, {}};
        return {PathState::Unreachable, 0, reasonOf(errno)};
    }
    if (!S_ISREG(st.st_mode))
        return {PathState::NotRegular, 0, {}};
    return {PathState::RegularFile, qint64(st.st_size), {}};
}

namespace {

// A regular file opened, or what stands at its path instead.
struct OpenedFile
{
    PathState state;
    Descriptor fd; // open for the access asked for, when state is RegularFile
    struct stat st {};
};

// Opens the regular file a path names (a link to one followed) for `access`
// (O_RDONLY, O_WRONLY), deciding from the open descriptor, never from an
// earlier look at the path: the path is opened without access first (a FIFO
// or a device is not really opened by that, nor waited on), its kind read
// from that descriptor, and only a regular file is then opened through the
// same descriptor, so that nothing swapped in between is opened. A file
// the user may not open so is Unreachable with the system's reason.
OpenedFile openRegular(const QByteArray& path, int access)
{
    OpenedFile opened;
    const Descriptor found(::open(path.constData(), O_PATH | O_CLOEXEC));
    if (!found.valid()) {
        const int error = errno;
        struct stat st {};
        if (error == ENOENT || error == ENOTDIR)
            opened.state.kind = ::lstat(path.constData(), &st) == 0 && S_ISLNK(st.st_mode) ? PathState::DanglingLink
                                                                                          : PathState::Absent;
        else
            opened.state = {PathState::Unreachable, 0, reasonOf(error)};
        return opened;
    }
    if (::fstat(found.get(), &opened.st) != 0) {
        opened.state = {PathState::Unreachable, 0, reasonOf(errno)};
        return opened;
    }
    if (!S_ISREG(opened.st.st_mode)) {
        opened.state.kind = PathState::NotRegular;
        return opened;
    }
    opened.state = {PathState::RegularFile, qint64(opened.st.st_size), {}};
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(found.get());
    opened.fd = Descriptor(::open(self.constData(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!opened.fd.valid() && errno == ENOENT) {
        // No /proc: the name again, taken only when it still is that file.
        opened.fd = Descriptor(::open(path.constData(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat again {};
        if (opened.fd.valid() && (::fstat(opened.fd.get(), &again) != 0 || again.st_ino != opened.st.st_ino
                                  || again.st_dev != opened.st.st_dev)) {
            opened.fd = Descriptor();
            errno = EAGAIN;
        }
    }
    if (!opened.fd.valid())
        opened.state = {PathState::Unreachable, 0, reasonOf(errno)};
    return opened;
}

// The file a write will replace, open for writing; raises the write's
// error for anything it must not replace.
OpenedFile openReplaced(const QByteArray& fileName)
{
    OpenedFile opened = openRegular(fileName, O_WRONLY);
    if (opened.state.kind == PathState::DanglingLink || opened.state.kind == PathState::NotRegular)
        cannotCreate(fileName, NotRegularReason);
    if (opened.state.kind == PathState::Unreachable)
        cannotCreate(fileName, opened.state.reason);
    return opened;
}

} // namespace

PathState refuseUnwritable(const QString& fileName)
{
    return openReplaced(nativePath(fileName)).state;
}

FileContents readRegularFile(const QByteArray& path, qint64 limit)
{
    OpenedFile opened = openRegular(path, O_RDONLY);
    FileContents contents{opened.state, {}};
    if (opened.state.kind != PathState::RegularFile)
        return contents;
    contents.bytes.resize(qsizetype(std::min(limit, opened.state.size)));
    qsizetype done = 0;
    while (done < contents.bytes.size()) {
        const ssize_t n = ::read(opened.fd.get(), contents.bytes.data() + done, size_t(contents.bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            contents.state = {PathState::Unreachable, 0, reasonOf(errno)};
            contents.bytes.clear();
            return contents;
        }
        if (n == 0)
            break;
        done += n;
    }
    contents.bytes.truncate(done);
    return contents;
}

void keepRunningPastFileSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

namespace {

// The old file's extended attributes onto the new one, and no ACL there
// that the old file did not have (a folder's default ACL would otherwise
// change who may read the skin). Returns the user attributes that could
// not be copied; anything else that cannot be copied raises.
LostAttributes copyAttributes(const QByteArray& from, int to, const QByteArray& fileName)
{
    LostAttributes lost;
#ifdef Q_OS_LINUX
    ssize_t size = ::listxattr(from.constData(), nullptr, 0);
    if (size < 0 && (errno == ENOTSUP || errno == ENOSYS))
        return lost;
    if (size < 0)
        cannotCreate(fileName, reasonOf(errno));
    QByteArray names(size, '\0');
    size = ::listxattr(from.constData(), names.data(), names.size());
    if (size < 0)
        cannotCreate(fileName, reasonOf(errno));
    names.truncate(size);
    bool hadAccessAcl = false;
    for (const QByteArray& name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        hadAccessAcl |= name == "system.posix_acl_access";
        const bool optional = name.startsWith("user.");
        const ssize_t length = ::getxattr(from.constData(), name.constData(), nullptr, 0);
        QByteArray value(qMax<ssize_t>(length, 0), '\0');
        const ssize_t got = length <= 0 ? length : ::getxattr(from.constData(), name.constData(), value.data(), value.size());
        if (got < 0 || ::fsetxattr(to, name.constData(), value.constData(), size_t(got), 0) != 0) {
            if (!optional)
                cannotCreate(fileName, QStringLiteral("%1 (%2)").arg(reasonOf(errno), QString::fromUtf8(name)));
            lost << QString::fromUtf8(name);
        }
    }
    if (!hadAccessAcl)
        ::fremovexattr(to, "system.posix_acl_access");
#else
    Q_UNUSED(from);
    Q_UNUSED(to);
    Q_UNUSED(fileName);
#endif
    return lost;
}

// The old file's owner and group where the process may (the owner first:
// changing it may clear set-id bits the mode then restores) and its mode;
// a new file gets what any new file would.
void carryOwnerAndMode(int fd, const struct stat* old)
{
    if (old) {
        if (::fchown(fd, old->st_uid, old->st_gid) != 0 && ::fchown(fd, uid_t(-1), old->st_gid) != 0) {
            // Not permitted: the file becomes the saver's, as any new file would.
        }
        ::fchmod(fd, old->st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
}

// A name for the new contents beside the target: short, so that names at
// the length limit save too, and hidden.
QByteArray temporaryName(const QByteArray& folder)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = folder + "/.kvz-";
    for (int i = 0; i < 6; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return name;
}

// An anonymous file in `folder` (nothing to leave behind if the process
// dies before it is linked in), else a named one; -1 with errno when the
// folder takes no new file. `name` is empty for an anonymous file.
int openNewFile(const QByteArray& folder, QByteArray& name)
{
#ifdef O_TMPFILE
    const int anonymous = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (anonymous >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return anonymous;
#endif
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(folder);
        const int fd = ::open(name.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the anonymous file a name in `folder`, just before the rename:
// through its descriptor where the process may, else through /proc.
int linkAnonymous(int fd, const QByteArray& folder, QByteArray& name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(folder);
        if (::linkat(fd, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH) == 0
            || ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
            return 0;
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

void syncFolder(const QByteArray& folder)
{
    const Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get()); // a file system that cannot sync a folder has nothing to lose by it
}

// The file rewritten where it lies, for a folder that takes no new file.
void rewriteInPlace(const QByteArray& fileName, int fd, const QByteArray& bytes)
{
    if (const int error = ::posix_fallocate(fd, 0, off_t(bytes.size())); error != 0)
        cannotCreate(fileName, reasonOf(error));
    if (const int error = writeAll(fd, bytes); error != 0)
        cannotCreate(fileName, reasonOf(error));
    if (::ftruncate(fd, off_t(bytes.size())) != 0 || ::fsync(fd) != 0)
        cannotCreate(fileName, reasonOf(errno));
}

} // namespace

PathState inspectPath(const QString& path)
{
    return inspectNativePath(nativePath(path));
}

LostAttributes writeWholeFile(const QString& fileName, const QByteArray& bytes)
{
    return writeWholeNativeFile(nativePath(fileName), bytes);
}

LostAttributes writeIntoFile(const QString& fileName, const QByteArray& bytes)
{
    const QByteArray native = nativePath(fileName);
    const OpenedFile existing = openReplaced(native);
    if (existing.state.kind != PathState::RegularFile || existing.state.size != 0)
        return writeWholeNativeFile(native, bytes);
    rewriteInPlace(native, existing.fd.get(), bytes); // nothing to lose if it is cut short
    return {};
}

LostAttributes writeWholeNativeFile(const QByteArray& fileName, const QByteArray& bytes)
{
    // The old file is opened for writing first: one the user may not write
    // is never replaced, though its folder would allow a rename over it.
    const OpenedFile existing = openReplaced(fileName);
    const bool replacing = existing.state.kind == PathState::RegularFile;
    // A link to a regular file stays a link; its target gets the bytes.
    QByteArray target = fileName;
    if (replacing) {
        char resolved[PATH_MAX];
        if (!::realpath(fileName.constData(), resolved))
            cannotCreate(fileName, reasonOf(errno));
        target = resolved;
    }
    const QByteArray folder = folderOf(target);
    const struct stat& old = existing.st;

    QByteArray temporary;
    const Descriptor fd(openNewFile(folder, temporary));
    if (!fd.valid()) {
        const int error = errno;
        if (replacing && (error == EACCES || error == EPERM)) {
            rewriteInPlace(fileName, existing.fd.get(), bytes);
            return {};
        }
        cannotCreate(fileName, reasonOf(error));
    }
    // From here on a failure takes the new file away and leaves the old one.
    struct Cleanup
    {
        QByteArray& name;
        bool armed = true;
        ~Cleanup()
        {
            if (armed && !name.isEmpty())
                ::unlink(name.constData());
        }
    } cleanup{temporary};
    if (const int error = writeAll(fd.get(), bytes); error != 0)
        cannotCreate(fileName, reasonOf(error));
    carryOwnerAndMode(fd.get(), replacing ? &old : nullptr);
    const LostAttributes lost = replacing ? copyAttributes(target, fd.get(), fileName) : LostAttributes();
    if (::fsync(fd.get()) != 0)
        cannotCreate(fileName, reasonOf(errno));
    if (temporary.isEmpty()) {
        if (const int error = linkAnonymous(fd.get(), folder, temporary); error != 0)
            cannotCreate(fileName, reasonOf(error));
    }
    if (::rename(temporary.constData(), target.constData()) != 0)
        cannotCreate(fileName, reasonOf(errno));
    cleanup.armed = false;
    syncFolder(folder);
    return lost;
}

namespace {

void removeNativeFolders(const QList<QByteArray>& made)
{
    for (auto it = made.crbegin(); it != made.crend(); ++it)
        ::rmdir(it->constData());
}

// Each missing folder of the path, outermost first; on failure the ones
// made are taken away again and EditorError names `shown`.
QList<QByteArray> makeFoldersFrom(const QByteArray& native, const QString& shown)
{
    QList<QByteArray> made;
    qsizetype from = native.startsWith('/') ? 1 : 0;
    while (from <= native.size()) {
        qsizetype slash = native.indexOf('/', from);
        if (slash < 0)
            slash = native.size();
        const QByteArray part = native.left(slash);
        from = slash + 1;
        if (part.isEmpty() || part.endsWith('/'))
            continue;
        if (::mkdir(part.constData(), 0777) == 0) {
            made << part;
            continue;
        }
        struct stat st {};
        if (errno == EEXIST && ::stat(part.constData(), &st) == 0 && S_ISDIR(st.st_mode))
            continue;
        const int error = errno == EEXIST ? ENOTDIR : errno;
        removeNativeFolders(made);
        throw EditorError(QStringLiteral("Cannot create folder \"%1\". %2").arg(shown, reasonOf(error)));
    }
    return made;
}

} // namespace

void removeFolders(const QStringList& made)
{
    QList<QByteArray> native;
    for (const QString& folder : made)
        native << nativePath(folder);
    removeNativeFolders(native);
}

QStringList makeFolders(const QString& path)
{
    QStringList made;
    for (const QByteArray& folder : makeFoldersFrom(nativePath(path), path))
        made << pathText(folder); // parts of a name that came as text
    return made;
}

void makeNativeFolders(const QByteArray& path)
{
    makeFoldersFrom(path, pathText(path));
}

#else

PathState inspectPath(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return {PathState::DanglingLink, 0, {}};
    if (!info.exists())
        return {PathState::Absent, 0, {}};
    if (!info.isFile())
        return {PathState::NotRegular, 0, {}};
    return {PathState::RegularFile, info.size(), {}};
}

PathState inspectNativePath(const QByteArray& path)
{
    return inspectPath(pathText(path));
}

// Elsewhere a file is written whole, as any other.
LostAttributes writeIntoFile(const QString& fileName, const QByteArray& bytes)
{
    return writeWholeFile(fileName, bytes);
}

LostAttributes writeWholeNativeFile(const QByteArray& fileName, const QByteArray& bytes)
{
    return writeWholeFile(pathText(fileName), bytes);
}

PathState refuseUnwritable(const QString& fileName)
{
    const PathState state = inspectPath(fileName);
    if (state.kind != PathState::Absent && state.kind != PathState::RegularFile)
        cannotCreate(fileName, NotRegularReason);
    if (state.kind == PathState::RegularFile && !QFileInfo(fileName).isWritable())
        cannotCreate(fileName, QStringLiteral("Access is denied"));
    return state;
}

FileContents readRegularFile(const QByteArray& path, qint64 limit)
{
    FileContents contents{inspectNativePath(path), {}};
    if (contents.state.kind != PathState::RegularFile)
        return contents;
    QFile file(pathText(path));
    if (!file.open(QIODevice::ReadOnly))
        contents.state = {PathState::Unreachable, 0, file.errorString()};
    else
        contents.bytes = file.read(limit);
    return contents;
}

void keepRunningPastFileSizeLimit() {}

void makeNativeFolders(const QByteArray& path)
{
    makeFolders(pathText(path));
}

LostAttributes writeWholeFile(const QString& fileName, const QByteArray& bytes)
{
    refuseUnwritable(fileName);
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        cannotCreate(fileName, reason);
    }
    if (!file.commit())
        cannotCreate(fileName, file.errorString());
    return {};
}

void removeFolders(const QStringList& made)
{
    for (auto it = made.crbegin(); it != made.crend(); ++it)
        QDir().rmdir(*it);
}

QStringList makeFolders(const QString& path)
{
    QStringList made;
    QString built;
    for (const QString& part : QDir::fromNativeSeparators(path).split(QLatin1Char('/'))) {
        built += built.isEmpty() && part.isEmpty() ? QStringLiteral("/") : part + QLatin1Char('/');
        if (part.isEmpty() || QFileInfo(built).isDir())
            continue;
        if (!QDir().mkdir(built)) {
            removeFolders(made);
            throw EditorError(QStringLiteral("Cannot create folder \"%1\".").arg(path));
        }
        made << built;
    }
    return made;
}

#endif
