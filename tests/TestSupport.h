#pragma once

#include "ColorBox.h"
#include "FakePrompts.h"
#include "Pixels.h"

#include <QPoint>
#include <QString>

#include <memory>

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
