// Startup: the program from start to end, and the editor session that builds
// the skin images, the main window and the hidden about window in order.
#pragma once

#include <QTranslator>

#include "platform/toolkit/Application.h"
#include "skin/ZlatovirButtons.h"

#include <memory>
#include <optional>

class TfrmMain;
class TfrmAbout;

extern const QString ApplicationTitle;

// What start-up builds, in its order: the picture formats, the skin images
// painted in the default colours, the title, the main window (with its
// creation handler) and the hidden about window. Destroying it ends in the
// order of the end: the skin images, the picture formats, then the windows.
// A failing step raises its error after undoing the steps before it.
class EditorSession
{
public:
    explicit EditorSession(TApplication& app);
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    TfrmMain* frmMain() const { return m_main.get(); }
    TfrmAbout* frmAbout() const;

private:
    void finish();

    // Qt's own texts (its dialogs, their buttons and menus) in Serbian.
    QTranslator m_qtTexts;
    std::optional<SkinRenderingScope> m_rendering;
    // The about window is a child of the main window, which owns it.
    std::unique_ptr<TfrmMain> m_main;
};

// The whole program: start-up, the message loop, the end. An error during
// start-up is shown and ends the program with status 1. Of the command line
// only the program's name is used.
int runEditor(int argc, char** argv);
