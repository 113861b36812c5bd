// Paths: the rules of names and folders (separators, extensions, the
// folder of a path) and the local file a URL names.
#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// Path rules. Only "/" separates path parts on Linux and other Unix
// systems; a Windows build also takes "\" and ":".
// The name with `extension` (".kvz") appended unless its own extension
// (from the last "." after the last separator) is that one in any case of
// ASCII letters.
QString withExtension(const QString& fileName, const QString& extension);
// The file-name part of a path: everything after the last separator.
QString fileNamePart(const QString& path);
// The path made absolute against the working folder, with "." and ".."
// resolved and no doubled or trailing separators.
QString absoluteCleanPath(const QString& path);
// The absolute folder a path lies in: no trailing separator, except for a
// root ("/").
QString directoryPart(const QString& path);

// The file a URL names on this computer: a "file:" URL with no host or
// "localhost", its path's bytes as they were escaped (see pathText);
// nothing for anything else.
std::optional<QString> localFileOf(QUrl url);
