#include "platform/toolkit/Application.h"
#include "platform/toolkit/QtPrompts.h"

#include "platform/base/Errors.h"
#include "platform/raster/Graphics.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv), m_prompts(std::make_unique<QtPrompts>())
{
    ensureTahoma();
}

TApplication::~TApplication() = default;

void TApplication::SetTitle(const QString& title)
{
    m_title = title;
    // The program's name for the desktop (task bar, window class). No display
    // name is set: Qt would append it to every window caption, and the main
    // window's caption is its own.
    setApplicationName(title);
}

// The loop ends when the main window closes: it is the one window that
// counts for Qt's quit-on-last-window rule. The other windows (the about
// window, dialogs) are its children, which Qt leaves out of that rule.
void TApplication::registerWindow(QWidget* window)
{
    if (!m_mainForm)
        m_mainForm = window;
}

int TApplication::Run()
{
    if (!m_mainForm)
        return 0;
    m_mainForm->show();
    centreOnScreen(m_mainForm);
    return exec();
}

std::unique_ptr<Prompts> TApplication::setPrompts(std::unique_ptr<Prompts> prompts)
{
    std::swap(m_prompts, prompts);
    return prompts;
}

void TApplication::handleException(std::exception_ptr error)
{
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const EditorError& e) {
        message = e.message();
    } catch (const std::exception& e) {
        message = QString::fromLocal8Bit(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    prompts().MessageBox(message, m_title, MessageKind::Error);
}

bool TApplication::guard(const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (...) {
        if (TApplication* app = Application())
            app->handleException(std::current_exception());
        return false;
    }
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

TApplication* Application()
{
    return qobject_cast<TApplication*>(QCoreApplication::instance());
}
