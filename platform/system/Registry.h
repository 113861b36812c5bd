// Registry: the per-user settings store by registry key path, read and
// written safely in Qt's INI format, nothing locked.
#pragma once

#include <QString>

#include <memory>
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
// $XDG_CONFIG_HOME/Maker/Product.conf in the format Qt's settings use, read
// as QSettings reads it (see IniText).
//
// The file is read only when it is a regular file (a link to one followed)
// of at most 64 KiB, opened without ever blocking; anything else (a FIFO, a
// device, a huge file) is a key that cannot be opened. Nothing is locked: a
// write replaces the whole file safely (see writeWholeFile; a link stays a
// link), and the last close wins. It is written only when every line of it
// is one the store may rewrite (never the user's notes behind a link), and
// never into a file its own reader would refuse.
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
    // Writes what changed; raises ERegistryException when the store can't
    // be written.
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

    std::unique_ptr<OpenStore> m_open;
};
