#pragma once

#include "app/Startup.h"
#include "app/Unit1.h"
#include "platform/toolkit/PageControl.h"
#include "tests/TestSupport.h"

// The layout's kinds of component, which tests find by name.
#include <QAction>
#include <QLabel>
#include <QSettings>
#include <QToolButton>

#include <optional>

// A started editor (start-up as the program runs it) with scripted prompts.
class EditorFixture
{
public:
    void start()
    {
        prompts.emplace();
        session.emplace(*Application());
    }
    void stop()
    {
        session.reset();
        prompts.reset();
    }
    TfrmMain* w() { return session->frmMain(); }
    FakePrompts& fake() { return **prompts; }

    std::optional<ScopedFakePrompts> prompts;
    std::optional<EditorSession> session;
};

// The settings file the editor reads and writes (a test location).
inline QString settingsFileName()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tavrin"),
                     QStringLiteral("Zlatovir Vedu Dozezi"))
        .fileName();
}

// The paint counts of the seven cells, in the order of the pages.
inline std::vector<int> cellPaints(TfrmMain* w)
{
    return {component<TZlatovirPitanje>(w, "mPitanje")->paintCount(), component<TZlatovirOdgovor>(w, "mOdgovor1")->paintCount(), component<TZlatovirOdgovor>(w, "mOdgovor2")->paintCount(),
            component<TZlatovirOdgovor>(w, "mOdgovor3")->paintCount(), component<TZlatovirOdgovor>(w, "mOdgovor4")->paintCount(), component<TZlatovirOdgovor>(w, "mNO")->paintCount(),
            component<TZlatovirOdgovor>(w, "mYES")->paintCount()};
}

inline std::vector<QImage> imageSnapshots()
{
    std::vector<QImage> out;
    for (TBitmap* b : {bmpPitanje, bmpOdgovorNormal, bmpOdgovorIn, bmpOdgovorChech, bmpOdgovorOK, bmpOdgovorNO,
                       bmpOdgovorYES})
        out.push_back(b->image().copy());
    return out;
}
