#include "tests/TestSupport.h"

#include "platform/toolkit/Application.h"

void userPicks(TColorBox& box, int index)
{
    box.setCurrentIndex(index);
    Q_EMIT box.activated(index);
}

void userPicksColour(TColorBox& box, TColor color)
{
    const int index = box.namedIndexOf(color);
    if (index < 0)
        qFatal("the colour box does not list %08x", color);
    userPicks(box, index);
}

ScopedFakePrompts::ScopedFakePrompts()
{
    auto fake = std::make_unique<FakePrompts>();
    m_fake = fake.get();
    m_previous = Application()->setPrompts(std::move(fake));
}

ScopedFakePrompts::~ScopedFakePrompts()
{
    Application()->setPrompts(std::move(m_previous));
}
