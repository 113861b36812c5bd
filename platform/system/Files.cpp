#include "Files.h"

#include "Errors.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

const QString NotRegularReason = QStringLiteral("Not a regular file");

namespace {

[[noreturn]] void cannotCreate(const QString& fileName, const QString& reason)
{
    throw EditorError(
        QStringLiteral("Cannot create file \"%1\". %2").arg(QFileInfo(fileName).absoluteFilePath(), reason));
}

// The whole of `bytes` into an open file, flushed: a short write is a failure
// even where the device reports success.
bool writeAll(QFileDevice& file, const QByteArray& bytes)
{
    return file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

QByteArray encodePicture(const QImage& image, const QString& fileName, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const int quality = qstrcmp(format, "PNG") == 0 ? 80 : -1;
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, format, quality))
        cannotCreate(fileName, QStringLiteral("The picture cannot be encoded"));
    return bytes;
}

#ifdef Q_OS_UNIX

PathState inspectPath(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {PathState::Absent, 0, {}};
        return {PathState::Unreachable, 0, qt_error_string(errno)};
    }
    if (S_ISLNK(st.st_mode) && ::stat(native.constData(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {PathState::DanglingLink, 0, {}};
        return {PathState::Unreachable, 0, qt_error_string(errno)};
    }
    if (!S_ISREG(st.st_mode))
        return {PathState::NotRegular, 0, {}};
    return {PathState::RegularFile, qint64(st.st_size), {}};
}

void writeWholeFile(const QString& fileName, const QByteArray& bytes)
{
    const PathState state = inspectPath(fileName);
    if (state.kind == PathState::DanglingLink || state.kind == PathState::NotRegular)
        cannotCreate(fileName, NotRegularReason);
    if (state.kind == PathState::Unreachable)
        cannotCreate(fileName, state.reason);
    // A link to a regular file stays a link; its target gets the bytes.
    const QString target = state.kind == PathState::RegularFile ? QFileInfo(fileName).canonicalFilePath() : fileName;
    const QString folder = QFileInfo(target).absolutePath();
    struct stat old {};
    const bool replacing = state.kind == PathState::RegularFile
                           && ::stat(QFile::encodeName(target).constData(), &old) == 0;

    // A short temporary name, so that names at the length limit save too.
    QTemporaryFile temp(folder + QStringLiteral("/.kvz-XXXXXX"));
    if (!temp.open()) {
        // A folder that takes no new file: a writable file is rewritten in place.
        if (replacing && !QFileInfo(folder).isWritable() && QFileInfo(target).isWritable()) {
            QFile file(target);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || !writeAll(file, bytes))
                cannotCreate(fileName, file.errorString());
            return;
        }
        cannotCreate(fileName, temp.errorString());
    }
    if (!writeAll(temp, bytes))
        cannotCreate(fileName, temp.errorString());
    const int fd = temp.handle();
    if (replacing) {
        // The owner first: changing it may clear set-id bits the mode restores.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0) {
            // Not permitted: the file becomes the saver's, as any new file would.
        }
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    if (::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        cannotCreate(fileName, qt_error_string(errno));
    temp.setAutoRemove(false);
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

void writeWholeFile(const QString& fileName, const QByteArray& bytes)
{
    const PathState state = inspectPath(fileName);
    if (state.kind != PathState::Absent && state.kind != PathState::RegularFile)
        cannotCreate(fileName, NotRegularReason);
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || !writeAll(file, bytes)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        cannotCreate(fileName, reason);
    }
    if (!file.commit())
        cannotCreate(fileName, file.errorString());
}

#endif
