#include "platform/system/Paths.h"

#include "platform/system/Files.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Windows separates path parts with "\", ":" and "/"; Linux and the other
// Unix systems with "/" alone, where "\" and ":" are ordinary characters
// of a file name.
qsizetype lastSeparator(const QString& path)
{
#ifdef Q_OS_WIN
    qsizetype cut = -1;
    for (QChar separator : {QLatin1Char('\\'), QLatin1Char(':'), QLatin1Char('/')})
        cut = std::max(cut, path.lastIndexOf(separator));
    return cut;
#else
    return path.lastIndexOf(QLatin1Char('/'));
#endif
}

} // namespace

QString fileNamePart(const QString& path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString withExtension(const QString& fileName, const QString& extension)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    QString own;
    if (dot > lastSeparator(fileName))
        own = fileName.mid(dot);
    // Upper-case ASCII letters only.
    const auto upper = [](QString text) {
        for (QChar& c : text)
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                c = QChar(c.unicode() - 'a' + 'A');
        return text;
    };
    return upper(own) == upper(extension) ? fileName : fileName + extension;
}

QString absoluteCleanPath(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString directoryPart(const QString& path)
{
    return QFileInfo(absoluteCleanPath(path)).absolutePath();
}

std::optional<QString> localFileOf(QUrl url)
{
    if (url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        url.setHost(QString());
    if (!url.isLocalFile() || !url.host().isEmpty())
        return std::nullopt;
#ifdef Q_OS_WIN
    return url.toLocalFile();
#else
    // The path's bytes as the URL escapes them: a folder whose name is not
    // UTF-8 ("%FF", as GIO writes it) is that folder, not one of U+FFFD.
    return pathText(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
#endif
}
