#pragma once

#include "platform/toolkit/ColorBox.h"
#include "tests/FakePrompts.h"
#include "tests/Pixels.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <memory>

// A component of a window's layout by its name, as any client of the window
// finds it; a name the layout lacks ends the test run at once.
template <class T>
T* component(const QObject* window, const char* name)
{
    T* part = window->findChild<T*>(QString::fromLatin1(name));
    if (!part)
        qFatal("the layout has no component %s", name);
    return part;
}

// What the combo box does when the user picks row `index` in its list.
void userPicks(TColorBox& box, int index);
// The user picks the listed entry showing `color`.
void userPicksColour(TColorBox& box, TColor color);

// Installs a FakePrompts in the application for the lifetime of the object.
class ScopedFakePrompts
{
public:
    ScopedFakePrompts();
    ~ScopedFakePrompts();
    FakePrompts& operator*() { return *m_fake; }
    FakePrompts* operator->() { return m_fake; }

private:
    FakePrompts* m_fake;
    std::unique_ptr<Prompts> m_previous;
};
