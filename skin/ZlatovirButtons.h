#pragma once

#include "Graphics.h"
#include "Jpeg.h"
#include "ZlatovirKonstante.h"

#include <QString>

#include <cstdint>

// The seven skin images, one per panel look, created once at start-up and
// owned by this unit until shut-down. Their sizes never change.
extern TBitmap* bmpPitanje;       // 800 x 61, the question panel
extern TBitmap* bmpOdgovorNormal; // 400 x 29 each: the answer box looks
extern TBitmap* bmpOdgovorIn;
extern TBitmap* bmpOdgovorChech;
extern TBitmap* bmpOdgovorOK;
extern TBitmap* bmpOdgovorYES;    // the confirmation box, highlighted
extern TBitmap* bmpOdgovorNO;     // the confirmation box, normal

// The embedded banner "GARANT"; held until shut-down, never drawn.
extern TJPEGImage* jpgGarant;

// Caption (Text) and letter (Char) colours the cells write on the images
// with. Only the paint routines write them; only the cells read them.
extern TColor clrPitanjeText;
extern TColor clrOdgovorNormalText, clrOdgovorNormalChar;
extern TColor clrOdgovorInText, clrOdgovorInChar;
extern TColor clrOdgovorChechText, clrOdgovorChechChar;
extern TColor clrOdgovorOKText, clrOdgovorOKChar;
extern TColor clrOdgovorYESText;
extern TColor clrOdgovorNOText;

// Gradient direction byte: 1 runs to the right ("Desno"), 0 downward
// ("Dole"); any other value paints no gradient and keeps the old fill.
using TDirection = std::uint8_t;

constexpr int QuestionImageWidth = 800;
constexpr int QuestionImageHeight = 61;
constexpr int AnswerImageWidth = 400;
constexpr int AnswerImageHeight = 29;

// Fill (by Direction) and then outline bmpPitanje. Leaves its pen at width 3.
void DrawQuestionShape(TColor Line, TColor C1, TColor C2, TDirection Direction);
// Fill (by Direction) and then outline the 400 x 29 picture behind Canvas,
// with a 3-pixel pen.
void DrawAnswerShape(TCanvas& Canvas, TColor Line, TColor C1, TColor C2, TDirection Direction);

// Each stores its colours in the globals above, then repaints its image in
// place. None repaints a cell.
void PaintPitanjeImage(TColor Text, TColor Line, TColor C1, TColor C2, TDirection Direction);
void PaintOdgovorNormalImage(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, TDirection Direction);
void PaintOdgovorInImage(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, TDirection Direction);
void PaintOdgovorChechImage(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, TDirection Direction);
void PaintOdgovorOKImage(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, TDirection Direction);
void PaintOdgovorYESImage(TColor Text, TColor Line, TColor C1, TColor C2, TDirection Direction);
void PaintOdgovorNOImage(TColor Text, TColor Line, TColor C1, TColor C2, TDirection Direction);

// All seven images in the default colours: question, normal, selected,
// marked, correct, YES, NO.
void PaintDefaultImages();

// Unit start-up: creates the images (new bitmaps are white), reads the
// resource "GARANT" of type "JPEG" as far as its header, paints the
// defaults. A missing or unreadable resource raises EditorError; whatever
// was created is released again, and the program must not go on.
void initializeSkinRendering(const QString& garantResource = QStringLiteral("GARANT"));
// Unit shut-down: releases the banner, the six answer images, the question image.
void finalizeSkinRendering();
