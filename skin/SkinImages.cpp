// The skin images and their paint routines, headless: the unit's images, the
// caption and letter colour globals, and their start-up and shut-down. The
// preview cells that show them are in ZlatovirButtons.cpp.
#include "skin/ZlatovirButtons.h"

#include "platform/system/Resources.h"
#include "skin/funkcije.h"

#include <QBuffer>

#include <array>
#include <memory>
#include <optional>

TBitmap* bmpPitanje = nullptr;
TBitmap* bmpOdgovorNormal = nullptr;
TBitmap* bmpOdgovorIn = nullptr;
TBitmap* bmpOdgovorChech = nullptr;
TBitmap* bmpOdgovorOK = nullptr;
TBitmap* bmpOdgovorYES = nullptr;
TBitmap* bmpOdgovorNO = nullptr;
TJPEGImage* jpgGarant = nullptr;

TColor clrPitanjeText = 0;
TColor clrOdgovorNormalText = 0, clrOdgovorNormalChar = 0;
TColor clrOdgovorInText = 0, clrOdgovorInChar = 0;
TColor clrOdgovorChechText = 0, clrOdgovorChechChar = 0;
TColor clrOdgovorOKText = 0, clrOdgovorOKChar = 0;
TColor clrOdgovorYESText = 0;
TColor clrOdgovorNOText = 0;

namespace {

struct Stroke
{
    int width;
    std::optional<QPoint> moveTo; // start a new figure here first
    QPoint to;
};

// The question panel: an elongated hexagon with a stem to either edge. The
// four slanted sides are 4 pixels wide, the rest 3; the last stroke leaves
// the pen at width 3, which the next fill of this image then strokes with.
const Stroke questionOutline[] = {
    {3, QPoint(0, 30), QPoint(22, 30)},
    {4, std::nullopt, QPoint(64, 1)},
    {3, std::nullopt, QPoint(736, 1)},
    {4, std::nullopt, QPoint(778, 30)},
    {4, std::nullopt, QPoint(736, 59)},
    {3, std::nullopt, QPoint(64, 59)},
    {4, std::nullopt, QPoint(22, 30)},
    {3, QPoint(778, 30), QPoint(799, 30)},
};

// The answer box, all with a 3-pixel pen.
const Stroke answerOutline[] = {
    {3, QPoint(0, 14), QPoint(17, 14)},
    {3, std::nullopt, QPoint(38, 1)},
    {3, std::nullopt, QPoint(361, 1)},
    {3, std::nullopt, QPoint(382, 14)},
    {3, std::nullopt, QPoint(361, 27)},
    {3, std::nullopt, QPoint(38, 27)},
    {3, std::nullopt, QPoint(17, 14)},
    {3, QPoint(382, 14), QPoint(400, 14)},
};

template <size_t N>
void strokeOutline(TCanvas& canvas, TColor line, const Stroke (&strokes)[N])
{
    canvas.Pen.Color = line;
    for (const Stroke& s : strokes) {
        canvas.Pen.Width = s.width;
        if (s.moveTo)
            canvas.MoveTo(s.moveTo->x(), s.moveTo->y());
        canvas.LineTo(s.to.x(), s.to.y());
    }
}

// The fill covers the whole image; its last stroke lies just outside it.
void fillByDirection(TCanvas& canvas, TColor c1, TColor c2, int width, int height, GradientDirection direction)
{
    if (direction == 0)
        funkcije::FillGradientVertical(canvas, c1, c2, 0, 0, width, height);
    else if (direction == 1)
        funkcije::FillGradientHorizontal(canvas, c1, c2, 0, 0, width, height);
}

} // namespace

void DrawQuestionShape(TColor Line, TColor C1, TColor C2, GradientDirection Direction)
{
    TCanvas& canvas = bmpPitanje->Canvas();
    fillByDirection(canvas, C1, C2, QuestionImageWidth, QuestionImageHeight, Direction);
    strokeOutline(canvas, Line, questionOutline);
}

void DrawAnswerShape(TCanvas& Canvas, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
{
    fillByDirection(Canvas, C1, C2, AnswerImageWidth, AnswerImageHeight, Direction);
    strokeOutline(Canvas, Line, answerOutline);
}

const QImage& skinOutline(int index)
{
    static const std::array<QImage, 2> outlines = [] {
        TBitmap question(QuestionImageWidth, QuestionImageHeight), answer(AnswerImageWidth, AnswerImageHeight);
        strokeOutline(question.Canvas(), clBlack, questionOutline);
        strokeOutline(answer.Canvas(), clBlack, answerOutline);
        return std::array<QImage, 2>{question.image(), answer.image()};
    }();
    return outlines[index == 0 ? 0 : 1];
}

void PaintPitanjeImage(TColor Text, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
{
    clrPitanjeText = Text;
    DrawQuestionShape(Line, C1, C2, Direction);
}

void PaintOdgovorNormalImage(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
{
    clrOdgovorNormalText = Text;
    clrOdgovorNormalChar = Char;
    DrawAnswerShape(bmpOdgovorNormal->Canvas(), Line, C1, C2, Direction);
}

void PaintOdgovorInImage(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
{
    clrOdgovorInText = Text;
    clrOdgovorInChar = Char;
    DrawAnswerShape(bmpOdgovorIn->Canvas(), Line, C1, C2, Direction);
}

void PaintOdgovorChechImage(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
{
    clrOdgovorChechText = Text;
    clrOdgovorChechChar = Char;
    DrawAnswerShape(bmpOdgovorChech->Canvas(), Line, C1, C2, Direction);
}

void PaintOdgovorOKImage(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
{
    clrOdgovorOKText = Text;
    clrOdgovorOKChar = Char;
    DrawAnswerShape(bmpOdgovorOK->Canvas(), Line, C1, C2, Direction);
}

void PaintOdgovorYESImage(TColor Text, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
{
    clrOdgovorYESText = Text;
    DrawAnswerShape(bmpOdgovorYES->Canvas(), Line, C1, C2, Direction);
}

void PaintOdgovorNOImage(TColor Text, TColor Line, TColor C1, TColor C2, GradientDirection Direction)
{
    clrOdgovorNOText = Text;
    DrawAnswerShape(bmpOdgovorNO->Canvas(), Line, C1, C2, Direction);
}

void PaintPageImage(int page, const PageValue& value)
{
    const SkinPage& p = skinPages()[size_t(page)];
    const auto c = [&](ColourRole role) { return colourOf(p, value, role); };
    using enum ColourRole;
    const GradientDirection d = value.direction.value_or(1);
    switch (p.image) {
    case 0: PaintPitanjeImage(c(Text), c(Outline), c(Colour1), c(Colour2), d); break;
    case 1: PaintOdgovorNormalImage(c(Text), c(Letter), c(Outline), c(Colour1), c(Colour2), d); break;
    case 2: PaintOdgovorInImage(c(Text), c(Letter), c(Outline), c(Colour1), c(Colour2), d); break;
    case 3: PaintOdgovorChechImage(c(Text), c(Letter), c(Outline), c(Colour1), c(Colour2), d); break;
    case 4: PaintOdgovorOKImage(c(Text), c(Letter), c(Outline), c(Colour1), c(Colour2), d); break;
    case 5: PaintOdgovorYESImage(c(Text), c(Outline), c(Colour1), c(Colour2), d); break;
    case 6: PaintOdgovorNOImage(c(Text), c(Outline), c(Colour1), c(Colour2), d); break;
    default: break; // "Ostalo" paints nothing
    }
}

void PaintSkinImages(const TSkinRecord& record)
{
    const std::vector<SkinPage>& pages = skinPages();
    for (size_t page = 0; page < pages.size(); ++page)
        if (pages[page].image >= 0)
            PaintPageImage(int(page), pageValue(record, pages[page]));
}

// The images are first painted in the standard skin's colours.
void PaintDefaultImages()
{
    PaintSkinImages(standardSkinRecord());
}

namespace {

// The one owner of the skin images and the banner between start-up and
// shut-down; the unit's global names point into it.
struct SkinRendering
{
    std::array<TBitmap, SkinImageCount> images{
        TBitmap(QuestionImageWidth, QuestionImageHeight), TBitmap(AnswerImageWidth, AnswerImageHeight),
        TBitmap(AnswerImageWidth, AnswerImageHeight),     TBitmap(AnswerImageWidth, AnswerImageHeight),
        TBitmap(AnswerImageWidth, AnswerImageHeight),     TBitmap(AnswerImageWidth, AnswerImageHeight),
        TBitmap(AnswerImageWidth, AnswerImageHeight)};
    TJPEGImage garant;
};
std::unique_ptr<SkinRendering> rendering;

// The global names in the order of the images.
const std::array<TBitmap**, SkinImageCount> imageNames = {&bmpPitanje,      &bmpOdgovorNormal, &bmpOdgovorIn,
                                                          &bmpOdgovorChech, &bmpOdgovorOK,     &bmpOdgovorYES,
                                                          &bmpOdgovorNO};

} // namespace

const std::array<const char*, SkinImageCount> SkinImageNames = {
    "bmpPitanje", "bmpOdgovorNormal", "bmpOdgovorIn", "bmpOdgovorChech", "bmpOdgovorOK", "bmpOdgovorYES",
    "bmpOdgovorNO"};

const TBitmap& skinImage(int index)
{
    return rendering->images.at(size_t(index));
}

void initializeSkinRendering(const QString& garantResource)
{
    auto made = std::make_unique<SkinRendering>();
    QByteArray bytes = loadResource(garantResource, QStringLiteral("JPEG"));
    QBuffer stream(&bytes);
    stream.open(QIODevice::ReadOnly);
    made->garant.LoadFromStream(stream);
    rendering = std::move(made);
    for (size_t i = 0; i < imageNames.size(); ++i)
        *imageNames[i] = &rendering->images[i];
    jpgGarant = &rendering->garant;
    PaintDefaultImages();
}

void finalizeSkinRendering()
{
    for (TBitmap** name : imageNames)
        *name = nullptr;
    jpgGarant = nullptr;
    rendering.reset();
}
