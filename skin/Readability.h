// Readability: what players can read and tell apart on the skin the preview
// cells show. The contrast of each text with the fill under it, and how far
// apart the looks of one box are, with normal vision and as players with a
// dichromacy see them. Measured on the skin images exactly as painted.
#pragma once

#include "skin/Vision.h"
#include "skin/ZlatovirButtons.h"

#include <QString>

#include <array>
#include <vector>

// WCAG 2.x, success criterion 1.4.3 (AA): 4.5 for text, 3 for large text
// (14 points bold and up, as the 16-point bold letters are).
constexpr double CaptionContrastNeeded = 4.5;
constexpr double LetterContrastNeeded = 3.0;
// Two looks of one box closer than this (CIEDE2000) are hard to tell apart
// at a glance: about ten times a just noticeable difference.
constexpr double DifferenceNeeded = 10.0;

// One text on one look: the WCAG contrast ratio between its colour and the
// fill under its box, the lowest over the fill's colours there (outline
// strokes and what the cell's shape cuts away are not fill).
struct ContrastFigure
{
    int image; // in the order of SkinImageNames
    CellText::Role role;
    double ratio;
    double needed;
    bool ok() const { return ratio >= needed; }
};

// Two looks of one box as seen with one vision: the CIEDE2000 difference
// between their fills' mean colours in CIELAB.
struct DifferenceFigure
{
    Vision vision;
    int first, second; // images, first < second
    double deltaE;
    double needed;
    bool ok() const { return deltaE >= needed; }
};

struct Readability
{
    // By image, the caption before the letter.
    std::vector<ContrastFigure> contrast;
    // By vision (normal, protanopia, deuteranopia, tritanopia), then by pair:
    // the four answer looks with each other, then the two confirmation looks.
    std::vector<DifferenceFigure> differences;
    bool ok() const;
};

// The figures of what `cells` show now. Each image counts once, with the
// texts of the cells that show it; images no cell shows have no figures.
Readability measureReadability(const std::vector<TZlatovirCelija*>& cells);

// An image's page as the skin's fields name it: "Pitanje", "OdgovorIn"...
QString imagePageName(int image);

// The colour science the figures stand on.
// WCAG 2.x contrast ratio of two sRGB colours, 1 to 21.
double contrastRatio(QRgb a, QRgb b);
// CIELAB of an sRGB colour as ICC colour management has it (D50 white,
// LittleCMS 2's sRGB profile, relative colorimetric).
using Lab = std::array<double, 3>;
Lab cielab(QRgb colour);
double ciede2000(const Lab& a, const Lab& b);
