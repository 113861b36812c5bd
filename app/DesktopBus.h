// DesktopBus: the editor's entry for the desktop on the session bus, so that
// a file manager can hand it a skin without a command line.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class TfrmMain;
class DesktopApplication;

// While it lives, the editor owns its application id as a bus name and
// exports org.freedesktop.Application (Activate, Open, ActivateAction) on the
// object path the desktop derives from that id, and nothing else. Open takes
// the first skin on this computer through the window's own open path (the
// unsaved-changes question, the same refusals, the open folder remembered);
// anything else gets a refusal. With no session bus, or with the name
// already owned (another editor), the editor runs without it, silently.
class DesktopBus
{
public:
    DesktopBus(TfrmMain& window, const QString& applicationId);
    ~DesktopBus();
    DesktopBus(const DesktopBus&) = delete;
    DesktopBus& operator=(const DesktopBus&) = delete;

    bool registered() const { return m_registered; }

    // "/org/example/App" for "org.example.App": dots become slashes, and a
    // "-" (allowed in names, not in paths) becomes "_".
    static QString objectPath(const QString& applicationId);

private:
    QString m_id;
    std::unique_ptr<DesktopApplication> m_application;
    bool m_registered = false;
};
