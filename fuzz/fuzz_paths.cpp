// Random names and random kinds of file in a scratch folder, through the
// file-reading and path code: reading never blocks or crashes, a refused
// write leaves what was there untouched, and the path rules keep their
// promises (a file-name part has no separator, a completed name ends in
// ".kvz", a clean path is absolute).
//
// Input: up to six entries, each a kind byte, a name (length byte, bytes)
// and, for a regular file, its contents (length byte, bytes).
#include "Errors.h"
#include "Files.h"
#include "SkinFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <tuple>

#include <sys/stat.h>

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
    static QTemporaryDir scratch;
    QDir root(scratch.path());
    root.removeRecursively();
    root.mkpath(QStringLiteral("."));

    Reader in{data, size};
    QStringList names;
    for (int i = 0; i < 6 && !in.atEnd(); ++i) {
        const int kind = in.byte() % 7;
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
        default: break;
        }
        names << name;
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
