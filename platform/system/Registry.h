// Registry: the per-user settings store by registry key path, read and
// written safely in Qt's INI format, never waiting on a lock.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <stdexcept>

// A registry error: no access, a damaged store, or a value that is not of
// the type asked for.
class ERegistryException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The per-user registry, one key open at a time. A key path such as
// "Software\Maker\Product" is the per-user settings of organisation "Maker"
// and application "Product": on Linux the file
// $XDG_CONFIG_HOME/Maker/Product.conf in the format Qt's settings use (an
// INI file whose string values read the same through QSettings).
//
// The file is read only when it is a regular file (a link to one followed)
// of at most 64 KiB whose every line is a section, a key=value, a comment
// or blank: anything else (a FIFO, a device, a huge file, the user's notes
// behind a link) is a key that cannot be opened, and is never written. A
// write replaces the whole file safely (see writeWholeFile): a link stays
// a link. While a key is open the file's lock ("<file>.lock", as Qt's
// settings take it) is held; a lock that cannot be taken at once (held by
// a running process, or not a regular file) makes the key one that cannot
// be opened: nothing ever waits on it.
class TRegistry
{
public:
    TRegistry();
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    bool KeyExists(const QString& key) const;
    // Opens the key, creating it when asked; false when it can't be opened.
    bool OpenKey(const QString& key, bool canCreate);
    // Writes what changed and gives up the lock; raises ERegistryException
    // when the store can't be written.
    void CloseKey();

    bool ValueExists(const QString& name) const;
    // The string value; raises ERegistryException when it is missing or of
    // another type than a string.
    QString ReadString(const QString& name) const;
    void WriteString(const QString& name, const QString& value);
    // Removes the value when there is one.
    void DeleteValue(const QString& name);

private:
    struct OpenStore;
    void release();

    std::unique_ptr<OpenStore> m_open;
};

// The text of a string value as an INI file holds it, and back: escaped and
// quoted as QSettings does it. Reading gives nothing for a value that holds
// something else than one string (a list, a byte array, a variant).
QByteArray iniStringValue(const QString& value);
std::optional<QString> iniString(const QByteArray& value);
