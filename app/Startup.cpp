#include "app/Startup.h"

#include "Identity.h"
#include "app/DesktopBus.h"
#include "app/Unit1.h"
#include "app/Unit3.h"
#include "platform/raster/Jpeg.h"
#include "platform/system/Files.h"
#include "skin/ZlatovirButtons.h"

#include <QIcon>
#include <QPixmap>

#include <optional>

const QString ApplicationTitle = QStringLiteral(ZV_APPLICATION_TITLE);

namespace {

// The icon's pictures are read as the PNGs they are: an icon told only a
// file name asks every picture-format plugin whether it can read it, which
// loads them all at start-up.
QIcon mainIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap(QStringLiteral(":/ICON/MAINICON_%1.png").arg(size), "PNG"));
    return icon;
}

} // namespace

EditorSession::EditorSession(TApplication& app)
{
    // Carried in the program: it cannot be missing.
    if (m_qtTexts.load(QStringLiteral(":/i18n/qtbase_sr_Latn.qm")))
        app.installTranslator(&m_qtTexts);
    m_rendering.emplace();
    try {
        app.SetTitle(ApplicationTitle);
        app.setWindowIcon(mainIcon());
        m_main = std::make_unique<TfrmMain>();
        app.registerWindow(m_main.get());
        m_main->setAboutWindow(new TfrmAbout(m_main.get()));
    } catch (...) {
        finish();
        throw;
    }
}

EditorSession::~EditorSession()
{
    finish();
}

void EditorSession::finish()
{
    m_rendering.reset();
    m_main.reset();
}

TfrmAbout* EditorSession::frmAbout() const
{
    return m_main ? m_main->aboutWindow() : nullptr;
}

// The editor takes no command line, the toolkit's own options included: the
// application object is given the program's name alone. The window system
// still comes from the environment the toolkit reads. Files reach it from
// its own dialogs, drops, and the desktop's bus.
int runEditor(int argc, char** argv)
{
    // A save past the file-size limit fails with its reason, and the
    // user's edits stay; the signal would end the editor with them.
    keepRunningPastFileSizeLimit();
    static char fallbackName[] = "zlatovir-vedu-dozezi";
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argc > 0 && argv[0] ? argv[0] : fallbackName, nullptr};
    TApplication app(toolkitArgc, toolkitArgv);
    QGuiApplication::setDesktopFileName(QStringLiteral(ZV_APPLICATION_ID));
    std::optional<EditorSession> session;
    if (!TApplication::guard([&] { session.emplace(app); }))
        return 1;
    std::optional<DesktopBus> bus(std::in_place, *session->frmMain(), QStringLiteral(ZV_APPLICATION_ID));
    app.Run();
    bus.reset();
    session.reset();
    return 0;
}
