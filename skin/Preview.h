// Preview: the editor's preview area as one picture, from the seven cells
// the main window's layout places, or from the same cells made offscreen
// for pictures without a window.
#pragma once

#include "skin/ZlatovirButtons.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <vector>

// 800 x 191 pixels from the question cell's top-left corner (`origin`) down
// to the bottom of the last row of cells: each cell's own picture inside
// its shape, on the window's white wherever no cell shows. Made without
// rendering the widgets, it equals their grab pixel for pixel.
QImage composePreview(const std::vector<const TZlatovirCelija*>& cells, QPoint origin);

// The seven preview cells made offscreen as the main window's layout makes
// them (places, captions, boxes, states and the caption font) and cut to
// the shapes given: the question panel's and the answer box's.
class OffscreenPreview
{
public:
    OffscreenPreview(const QRegion& questionShape, const QRegion& answerShape);
    OffscreenPreview(const OffscreenPreview&) = delete;
    OffscreenPreview& operator=(const OffscreenPreview&) = delete;

    // The cells painted now, from the skin images as they stand.
    QImage picture();
    // The cells, for what measures what they show.
    const std::vector<TZlatovirCelija*>& cells() const { return m_cells; }

private:
    QWidget m_area;
    std::vector<TZlatovirCelija*> m_cells;
};
