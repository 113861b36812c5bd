#pragma once

#include "ColorBox.h"
#include "FakePrompts.h"
#include "Graphics.h"

#include <QPoint>
#include <QString>

#include <memory>
#include <set>
#include <utility>

using PixelSet = std::set<std::pair<int, int>>;

// The (x, y) of every pixel of the picture that is not `background`.
PixelSet pixelsNotOf(const QImage& image, TColor background = clWhite);

// A readable account of where two pixel sets differ (empty when equal).
QString describeDifference(const PixelSet& actual, const PixelSet& expected);

// The pixels of a picture, for before-and-after comparisons.
inline QImage snapshot(const TBitmap& bitmap) { return bitmap.image().copy(); }

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
