// The preview cells (TZlatovirCelija and its two descendants): each shows
// its skin image with its letter and caption. The images they show are
// painted in SkinImages.cpp.
#include "skin/ZlatovirButtons.h"

TZlatovirCelija::TZlatovirCelija(QWidget* parent) : TCustomControl(parent) {}

void TZlatovirCelija::setLblCaption(const QString& caption)
{
    m_caption = caption;
    CaptionChanged();
    paintNow();
}

void TZlatovirCelija::setShownVision(Vision vision)
{
    m_vision = vision;
    update();
}

QImage TZlatovirCelija::screenImage() const
{
    const QImage& plain = bitmap().image();
    return m_vision == Vision::Normal ? plain : simulateVision(plain, m_vision);
}

void TZlatovirCelija::setTextFont(const QFont& font)
{
    TextFont.Name = font.family();
    if (font.pointSize() > 0)
        TextFont.SetSize(font.pointSize());
    TextFont.Styles = (font.bold() ? TFont::Bold : 0) | (font.italic() ? TFont::Italic : 0);
}

namespace {

TFont tahoma(int points, TColor color, int styles)
{
    TFont f;
    f.Name = QStringLiteral("Tahoma");
    f.SetSize(points);
    f.Color = color;
    f.Styles = styles;
    return f;
}

struct CellLook
{
    const TBitmap* image = nullptr; // none: the picture stays white
    TColor text = clWhite;
    TColor letter = clAqua;
};

CellLook lookOf(const TZlatovirOdgovor& cell)
{
    const TDugmeStatus status = cell.DStatus();
    const bool hovered = cell.HoverState == 1;
    if (cell.isConfirmation()) {
        const CellLook normal{bmpOdgovorNO, clrOdgovorNOText};
        const CellLook highlighted{bmpOdgovorYES, clrOdgovorYESText};
        switch (status) {
        case dsNoEnable:
            return normal;
        case dsNone:
            return hovered ? highlighted : normal;
        case dsSelect:
        case dsCheched:
            return highlighted;
        case dsSelectYES:
            return {};
        }
        return {};
    }
    const CellLook normal{bmpOdgovorNormal, clrOdgovorNormalText, clrOdgovorNormalChar};
    const CellLook selected{bmpOdgovorIn, clrOdgovorInText, clrOdgovorInChar};
    switch (status) {
    case dsNoEnable:
        return normal;
    case dsNone:
        return hovered ? selected : normal;
    case dsSelect:
        return selected;
    case dsCheched:
        return {bmpOdgovorChech, clrOdgovorChechText, clrOdgovorChechChar};
    case dsSelectYES:
        return {bmpOdgovorOK, clrOdgovorOKText, clrOdgovorOKChar};
    }
    return normal;
}

constexpr int AnswerCaptionLeft = 70;
constexpr int AnswerCaptionLimit = 300;

} // namespace

TZlatovirOdgovor::TZlatovirOdgovor(QWidget* parent) : TZlatovirCelija(parent)
{
    HoverState = 0;
    resize(400, 31);
    setCursor(Qt::PointingHandCursor);
    TextFont = tahoma(14, clWhite, 0);
    CharFont = tahoma(16, clAqua, TFont::Bold);
}

void TZlatovirOdgovor::setDStatus(TDugmeStatus status)
{
    m_status = status;
    paintNow();
}

int TZlatovirOdgovor::FitFontSize(TCanvas& Canvas, int Limit, const QString& Text)
{
    const int start = Canvas.Font.Size();
    if (Canvas.TextWidth(Text) <= Limit)
        return start;
    for (int size = start - 1; size >= 1; --size) {
        Canvas.Font.SetSize(size);
        if (Canvas.TextWidth(Text) <= Limit)
            return size;
    }
    return start;
}

int TZlatovirOdgovor::shownImage() const
{
    const TBitmap* image = lookOf(*this).image;
    for (int i = 0; image && i < SkinImageCount; ++i)
        if (&skinImage(i) == image)
            return i;
    return -1;
}

std::vector<CellText> TZlatovirOdgovor::texts()
{
    // Measured on a canvas of its own: a text's measure depends on its font alone.
    TBitmap scratch(1, 1);
    TCanvas& canvas = scratch.Canvas();
    const CellLook look = lookOf(*this);
    std::vector<CellText> out;
    const auto place = [&](CellText::Role role, const QString& text, QPoint origin) {
        out.push_back({role, text, canvas.Font, origin,
                       QRect(origin, QSize(canvas.TextWidth(text), canvas.TextHeight()))});
    };
    if (hasLetter()) {
        canvas.Font = CharFont;
        canvas.Font.Color = look.letter;
        place(CellText::Letter, QString(QChar(u'A' + m_odgovorNo)) + QLatin1Char(':'), QPoint(40, 1));
    }
    canvas.Font = TextFont;
    canvas.Font.Color = look.text;
    if (hasLetter()) {
        canvas.Font.SetSize(FitFontSize(canvas, AnswerCaptionLimit, LblCaption()));
        place(CellText::Caption, LblCaption(), QPoint(AnswerCaptionLeft, (height() - canvas.TextHeight()) / 2 - 1));
    } else {
        place(CellText::Caption, LblCaption(), QPoint((width() - canvas.TextWidth(LblCaption())) / 2, 3));
    }
    return out;
}

// Composes the cell in a fresh 400 x 29 picture: the skin image of its state,
// then its texts; anything written beyond the picture is cut off. The
// picture then goes onto the cell in one copy.
void TZlatovirOdgovor::Paint()
{
    TBitmap work(AnswerImageWidth, AnswerImageHeight);
    TCanvas& canvas = work.Canvas();
    if (const TBitmap* image = lookOf(*this).image)
        canvas.Draw(0, 0, *image);
    canvas.Brush.Style = bsClear;
    for (const CellText& text : texts()) {
        canvas.Font = text.font;
        canvas.TextOut(text.origin.x(), text.origin.y(), text.text);
    }
    Canvas().Draw(0, 0, work);
}

void TZlatovirOdgovor::MouseEnter()
{
    if (MouseInside || !isEnabled() || DragMode() == dmAutomatic || QWidget::mouseGrabber() != nullptr)
        return;
    MouseInside = true;
    if (HoverState != 1) {
        HoverState = 1;
        paintNow();
    }
}

void TZlatovirOdgovor::MouseLeave()
{
    if (!MouseInside || !isEnabled())
        return;
    MouseInside = false;
    if (HoverState != 0) {
        HoverState = 0;
        paintNow();
    }
}

void TZlatovirOdgovor::Click()
{
    if (m_status != dsNoEnable && OnOdgovorClick)
        OnOdgovorClick(m_odgovorNo);
}

TZlatovirPitanje::TZlatovirPitanje(QWidget* parent) : TZlatovirCelija(parent)
{
    resize(QuestionImageWidth, QuestionImageHeight);
    setColor(clBlack);
    TextFont = tahoma(14, clWhite, 0);
}

namespace {
constexpr TextFormats QuestionFormat = TextFormat::Center | TextFormat::WordBreak | TextFormat::ExpandTabs;
constexpr int QuestionCaptionLeft = 65;
constexpr int QuestionCaptionRight = 736;
} // namespace

QRect TZlatovirPitanje::captionRect()
{
    TCanvas& canvas = Canvas();
    canvas.Font = TextFont;
    QRect r(QuestionCaptionLeft, 0, QuestionCaptionRight - QuestionCaptionLeft, height());
    QRect needed = r;
    canvas.DrawText(LblCaption(), needed, QuestionFormat | TextFormat::CalcRect);
    const int h = needed.top() + needed.height();
    return r.translated(0, (height() - h) / 2);
}

int TZlatovirPitanje::shownImage() const
{
    return 0;
}

std::vector<CellText> TZlatovirPitanje::texts()
{
    const QRect r = captionRect();
    TCanvas& canvas = Canvas();
    QRect block = r;
    canvas.DrawText(LblCaption(), block, QuestionFormat | TextFormat::CalcRect);
    TFont font = TextFont;
    font.Color = clrPitanjeText;
    const int left = r.left() + (r.width() - block.width()) / 2;
    return {{CellText::Caption, LblCaption(), font, QPoint(left, r.top()), QRect(left, r.top(), block.width(), block.height())}};
}

void TZlatovirPitanje::Paint()
{
    TCanvas& canvas = Canvas();
    canvas.Font = TextFont;
    canvas.Brush.Style = bsClear;
    if (bmpPitanje)
        canvas.Draw(0, 0, *bmpPitanje);
    QRect r = captionRect();
    canvas.Font.Color = clrPitanjeText;
    canvas.DrawText(LblCaption(), r, QuestionFormat);
}

SkinRenderingScope::SkinRenderingScope(const QString& garantResource)
{
    registerJpegFormats();
    try {
        initializeSkinRendering(garantResource);
    } catch (...) {
        unregisterJpegFormats();
        throw;
    }
}

SkinRenderingScope::~SkinRenderingScope()
{
    finalizeSkinRendering();
    unregisterJpegFormats();
}
