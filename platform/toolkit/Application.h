// Application: the application object (title, main window, message loop,
// prompts) and the one top-level handler for uncaught errors.
#pragma once

#include "platform/system/Prompts.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <exception>
#include <functional>
#include <memory>

// The application object: its title, its main window (the first window
// created), the message loop, the prompts, and the one top-level handler for
// an error that no command caught.
//
// Qt's code is not exception-safe, so no exception may cross it: every entry
// from Qt into the editor's code that can fail runs through guard(), which
// hands the error to handleException() and lets the event loop go on.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    QString Title() const { return m_title; }
    void SetTitle(const QString& title);

    // The first window registered becomes the main window; the message loop
    // ends when it closes (Qt's quit on the last window closed: every other
    // window must have a parent).
    void registerWindow(QWidget* window);
    QWidget* MainForm() const { return m_mainForm; }
    // Shows the main window and runs the message loop until it closes.
    int Run();

    Prompts& prompts() { return *m_prompts; }
    // Replaces the prompts (tests install a scripted fake); returns the old ones.
    std::unique_ptr<Prompts> setPrompts(std::unique_ptr<Prompts> prompts);

    // Shows the message of the error in an error box titled with the title;
    // failures are reported there and nowhere else (nothing is logged).
    void handleException(std::exception_ptr error);

    // Runs `work`; an error it raises goes to handleException. Returns true
    // when `work` ran to its end.
    static bool guard(const std::function<void()>& work);

    // A slot that runs `method` on `object` through guard().
    template <class Object, class... Args>
    static auto guarded(Object* object, void (Object::*method)(Args...))
    {
        return [object, method](Args... args) { guard([&] { (object->*method)(args...); }); };
    }

private:
    QString m_title;
    QPointer<QWidget> m_mainForm;
    std::unique_ptr<Prompts> m_prompts;
};

// Moves a top-level window to the middle of its screen.
void centreOnScreen(QWidget* window);

// The running application object.
TApplication* Application();
