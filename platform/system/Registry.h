#pragma once

#include <QString>

#include <memory>
#include <stdexcept>

class QSettings;

// A registry error: no access, a damaged store, or a value that is not of
// the type asked for.
class ERegistryException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The per-user registry, one key open at a time. A key path such as
// "Software\Maker\Product" is the per-user settings of organisation "Maker"
// and application "Product": on Windows exactly that registry key, on Linux
// $XDG_CONFIG_HOME/Maker/Product.conf.
class TRegistry
{
public:
    TRegistry();
    ~TRegistry();

    bool KeyExists(const QString& key) const;
    // Opens the key, creating it when asked; false when it can't be opened.
    bool OpenKey(const QString& key, bool canCreate);
    void CloseKey();

    bool ValueExists(const QString& name) const;
    // The string value; raises ERegistryException when it is missing or of
    // another type than a string.
    QString ReadString(const QString& name) const;
    // Raises ERegistryException when the store can't be written.
    void WriteString(const QString& name, const QString& value);
    // Removes the value when there is one; raises ERegistryException when
    // the store can't be written.
    void DeleteValue(const QString& name);

private:
    // Writes the store out; raises ERegistryException when it can't.
    void sync();

    std::unique_ptr<QSettings> m_settings;
};
