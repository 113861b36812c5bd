// Random names and random kinds of file in a scratch folder, through the
// file-reading and path code: reading never blocks or crashes, a refused
// write leaves what was there untouched, and the path rules keep their
// promises (a file-name part has no separator, a completed name ends in
// ".kvz", a clean path is absolute). A folder whose name is raw bytes (not
// UTF-8 as a rule) is written into through a link and by a relative name
// from inside it: the bytes land there and nowhere else. The names as a
// kvztool batch: either refused, or every output a distinct plain name. Any
// bytes read as a path's text turn back into the same bytes.
//
// Input: up to six entries, each a kind byte, a name (length byte, bytes)
// and, for a regular file, its contents (length byte, bytes).
#include "app/document/SkinFile.h"
#include "platform/base/Errors.h"
#include "platform/system/Files.h"
#include "tools/FileCommands.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <tuple>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Reader
{
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;
    bool atEnd() const { return pos >= size; }
    std::uint8_t byte() { return atEnd() ? 0 : data[pos++]; }
    QByteArray bytes(std::size_t n)
    {
        n = std::min(n, size - std::min(pos, size));
        QByteArray out(reinterpret_cast<const char*>(data + pos), qsizetype(n));
        pos += n;
        return out;
    }
};

// A skin written into a folder named by raw bytes, through a link beside it
// and by a relative name from inside it, lands there in both ways.
void writeIntoRawFolder(const QByteArray& folder, const QByteArray& link)
{
    if (::mkdir(folder.constData(), 0700) != 0)
        return;
    const QByteArray skin = encodeSkinFile(standardSkinRecord());
    const QByteArray inside = folder + "/s.kvz";
    if (::symlink(inside.constData(), link.constData()) != 0)
        return;
    std::ignore = writeWholeNativeFile(inside, "seed");
    std::ignore = writeSkinFile(QFile::decodeName(link), standardSkinRecord());
    char back[4096];
    const int here = ::open(".", O_RDONLY | O_DIRECTORY);
    if (here < 0 || ::chdir(folder.constData()) != 0)
        std::abort();
    std::ignore = writeSkinFile(QStringLiteral("r.kvz"), standardSkinRecord());
    if (::fchdir(here) != 0)
        std::abort();
    ::close(here);
    for (const QByteArray& file : {inside, folder + "/r.kvz"}) {
        const int fd = ::open(file.constData(), O_RDONLY);
        const ssize_t n = fd < 0 ? -1 : ::read(fd, back, sizeof back);
        if (fd >= 0)
            ::close(fd);
        if (n != skin.size() || QByteArray(back, int(n)) != skin)
            std::abort();
        ::unlink(file.constData());
    }
    // Qt's own removal cannot name these bytes: the folder goes here.
    if (::rmdir(folder.constData()) != 0)
        std::abort(); // something else was written into it
}

QString kindOf(const QString& path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return QString::number(st.st_mode) + QLatin1Char(' ') + QString::number(st.st_size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Any bytes are a path's text and back, exactly.
    const QByteArray all(reinterpret_cast<const char*>(data), qsizetype(size));
    if (nativePath(pathText(all)) != all)
        std::abort();
    static QTemporaryDir scratch;
    QDir root(scratch.path());
    root.removeRecursively();
    root.mkpath(QStringLiteral("."));

    Reader in{data, size};
    QStringList names;
    for (int i = 0; i < 6 && !in.atEnd(); ++i) {
        const int kind = in.byte() % 8;
        QByteArray raw = in.bytes(in.byte() % 40).replace('/', '_').replace('\0', '_');
        const QString name = scratch.filePath(QStringLiteral("e%1").arg(i) + QFile::decodeName(raw));
        const QByteArray native = QFile::encodeName(name);
        switch (kind) {
        case 0: {
            QFile f(name);
            if (f.open(QIODevice::WriteOnly))
                f.write(in.bytes(in.byte() == 255 ? SkinFileSize : in.byte()));
            break;
        }
        case 1: root.mkpath(name); break;
        case 2: ::mkfifo(native.constData(), 0600); break;
        case 3: QFile::link(names.isEmpty() ? name : names.last(), name); break;
        case 4: QFile::link(name + QStringLiteral(".nowhere"), name); break;
        case 5: QFile::link(QStringLiteral("/dev/null"), name); break;
        case 6: {
            const QByteArray folder = QFile::encodeName(scratch.path()) + "/r" + QByteArray::number(i) + raw + "\xff";
            try {
                writeIntoRawFolder(folder, native + ".link");
            } catch (const EditorError&) {
                std::abort(); // a folder of our own takes the file
            }
            break;
        }
        default: break;
        }
        names << name;
    }

    for (const bool images : {false, true}) {
        if (names.isEmpty())
            break;
        const BatchPlan plan = planBatchOutputs(names + names.mid(0, 1), images);
        if (plan.refusals.isEmpty())
            std::abort(); // the first name twice collides
        const BatchPlan distinct = planBatchOutputs(names, images);
        if (!distinct.refusals.isEmpty())
            continue;
        for (const QString& output : distinct.outputs)
            if (output.isEmpty() || output == QLatin1String(".") || output == QLatin1String("..")
                || output.contains(QLatin1Char('/')) || distinct.outputs.count(output) != 1)
                std::abort();
    }

    for (const QString& name : names) {
        for (const QString& path : {name, name + QStringLiteral("/x"), name + QStringLiteral("/../") + QFileInfo(name).fileName()}) {
            if (fileNamePart(path).contains(QLatin1Char('/')) || !withSkinExtension(path).endsWith(QStringLiteral(".kvz"), Qt::CaseInsensitive)
                || !QDir::isAbsolutePath(absoluteCleanPath(path)) || directoryPart(path).isEmpty())
                std::abort();
            try {
                readSkinFile(path);
            } catch (const EditorError&) {
            }
            const PathState before = inspectPath(path);
            const QString was = kindOf(path);
            try {
                std::ignore = writeSkinFile(path, standardSkinRecord());
            } catch (const EditorError&) {
                if (before.kind != PathState::Absent && before.kind != PathState::RegularFile && kindOf(path) != was)
                    std::abort();
                continue;
            }
            if (before.kind != PathState::Absent && before.kind != PathState::RegularFile)
                std::abort();
        }
    }
    return 0;
}
