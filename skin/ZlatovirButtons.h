// ZlatovirButtons: the seven skin images and their paint routines, the
// banner, and the preview cells that show an image with its caption.
#pragma once

#include "platform/raster/Graphics.h"
#include "platform/raster/Jpeg.h"
#include "platform/toolkit/Controls.h"
#include "skin/SkinTable.h"
#include "skin/Vision.h"
#include "skin/ZlatovirKonstante.h"

#include <QFont>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// The seven skin images, one per panel look, created once at start-up and
// owned by this unit until shut-down (null outside that time). Their sizes
// never change.
extern TBitmap* bmpPitanje;       // 800 x 61, the question panel
extern TBitmap* bmpOdgovorNormal; // 400 x 29 each: the answer box looks
extern TBitmap* bmpOdgovorIn;
extern TBitmap* bmpOdgovorChech;
extern TBitmap* bmpOdgovorOK;
extern TBitmap* bmpOdgovorYES;    // the confirmation box, highlighted
extern TBitmap* bmpOdgovorNO;     // the confirmation box, normal

// The embedded banner "GARANT"; held until shut-down, never drawn.
extern TJPEGImage* jpgGarant;

// The seven images in the order of the pages (question, normal, selected,
// marked, correct, YES, NO) with their names, for what lists them all.
constexpr int SkinImageCount = 7;
extern const std::array<const char*, SkinImageCount> SkinImageNames;
// Image `index` of that order; only between start-up and shut-down.
const TBitmap& skinImage(int index);

// The pixels the outline of image `index` covers, black on white, the same
// whatever the skin's colours: everything else of the picture is its fill.
const QImage& skinOutline(int index);

// Caption (Text) and letter (Char) colours the cells write on the images
// with. Only the paint routines write them; only the cells read them.
extern TColor clrPitanjeText;
extern TColor clrOdgovorNormalText, clrOdgovorNormalChar;
extern TColor clrOdgovorInText, clrOdgovorInChar;
extern TColor clrOdgovorChechText, clrOdgovorChechChar;
extern TColor clrOdgovorOKText, clrOdgovorOKChar;
extern TColor clrOdgovorYESText;
extern TColor clrOdgovorNOText;

constexpr int QuestionImageWidth = 800;
constexpr int QuestionImageHeight = 61;
constexpr int AnswerImageWidth = 400;
constexpr int AnswerImageHeight = 29;

// Fill (by Direction) and then outline bmpPitanje. Leaves its pen at width 3.
void DrawQuestionShape(TColor Line, TColor C1, TColor C2, GradientDirection Direction);
// Fill (by Direction) and then outline the 400 x 29 picture behind Canvas,
// with a 3-pixel pen.
void DrawAnswerShape(TCanvas& Canvas, TColor Line, TColor C1, TColor C2, GradientDirection Direction);

// Each stores its colours in the globals above, then repaints its image in
// place. None repaints a cell.
void PaintPitanjeImage(TColor Text, TColor Line, TColor C1, TColor C2, GradientDirection Direction);
void PaintOdgovorNormalImage(TColor Text, TColor Char, TColor Line, TColor C1,
                             TColor C2, GradientDirection Direction);
void PaintOdgovorInImage(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, GradientDirection Direction);
void PaintOdgovorChechImage(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, GradientDirection Direction);
void PaintOdgovorOKImage(TColor Text, TColor Char, TColor Line, TColor C1, TColor C2, GradientDirection Direction);
void PaintOdgovorYESImage(TColor Text, TColor Line, TColor C1, TColor C2, GradientDirection Direction);
void PaintOdgovorNOImage(TColor Text, TColor Line, TColor C1, TColor C2, GradientDirection Direction);

// Page `page` of the skin table's image, through its own paint routine
// above, with the page's values.
void PaintPageImage(int page, const PageValue& value);
// Every image of the skin, page by page of the table.
void PaintSkinImages(const TSkinRecord& record);
// All seven images in the default colours: question, normal, selected,
// marked, correct, YES, NO.
void PaintDefaultImages();

// Unit start-up: creates the images (new bitmaps are white), reads the
// resource "GARANT" of type "JPEG" as far as its header, paints the
// defaults. A missing or unreadable resource raises EditorError and leaves
// nothing made; the program must not go on.
void initializeSkinRendering(const QString& garantResource = QStringLiteral("GARANT"));
// Unit shut-down: releases the images and the banner.
void finalizeSkinRendering();

// The start-up and shut-down of what draws skins, in the program's order:
// the JPEG picture formats registered, then the skin images made and
// painted; at the end the images freed, then the formats withdrawn. A
// failing start undoes what it did and raises.
class SkinRenderingScope
{
public:
    explicit SkinRenderingScope(const QString& garantResource = QStringLiteral("GARANT"));
    ~SkinRenderingScope();
    SkinRenderingScope(const SkinRenderingScope&) = delete;
    SkinRenderingScope& operator=(const SkinRenderingScope&) = delete;
};

// Which box a cell is: the four answers, the two confirmation boxes, and
// three further boxes (half-half, friend, audience) the editor does not use.
enum TOdgovorNo { odA, odB, odC, odD, odYES, odNO, odPolaPola, odPrijatelj, odPublika };

// One text a cell writes over its skin image: the caption, or an answer's
// letter. `box` is what it takes, its width by the font's height from where
// it is written (a block of lines: the widest line's width by the block's
// height), in the cell's coordinates.
struct CellText
{
    enum Role { Caption, Letter };
    Role role;
    QString text;
    TFont font; // its colour is the one written with
    QPoint origin;
    QRect box;
};

// A preview cell: shows a skin image with a caption (and, for an answer, its
// letter) written over it in the colours the paint routines remembered. It
// keeps no copy of the images or colours: every paint reads the current ones.
class TZlatovirCelija : public TCustomControl
{
    Q_OBJECT

public:
    QString LblCaption() const { return m_caption; }
    // Stores the caption, runs CaptionChanged, then paints at once.
    void setLblCaption(const QString& caption);

    // The caption font. Its colour is not used for drawing: the caption
    // colour comes from the paint routines' globals.
    TFont TextFont;
    // Sets TextFont's face, size (points) and style from a layout font.
    void setTextFont(const QFont& font);

    // Paints at once on the cell's own canvas, without waiting for a paint
    // message.
    void Redraw() { paintNow(); }

    // Which skin image the cell shows now, in the order of SkinImageNames
    // (-1: none), and the texts it writes over it.
    virtual int shownImage() const = 0;
    virtual std::vector<CellText> texts() = 0;

    // The picture as it goes onto the screen: the cell's own picture, or
    // that picture as players with `vision` see it. What the cell paints,
    // and every picture taken of it, stays the plain one.
    Vision shownVision() const { return m_vision; }
    void setShownVision(Vision vision);

protected:
    explicit TZlatovirCelija(QWidget* parent);
    virtual void CaptionChanged() {}
    QImage screenImage() const override;

private:
    QString m_caption;
    Vision m_vision = Vision::Normal;
};

// An answer box, also used for the two confirmation boxes. 400 x 31; the
// skin images are 29 high, so its two bottom rows show the control's
// background (the window shape leaves them out).
class TZlatovirOdgovor : public TZlatovirCelija
{
    Q_OBJECT

public:
    explicit TZlatovirOdgovor(QWidget* parent = nullptr);

    // A plain stored value: setting it does not repaint.
    TOdgovorNo OdgovorNo() const { return m_odgovorNo; }
    void setOdgovorNo(TOdgovorNo value) { m_odgovorNo = value; }

    TDugmeStatus DStatus() const { return m_status; }
    // Stores the state and paints at once.
    void setDStatus(TDugmeStatus status);

    TFont CharFont;
    // 1 while the mouse is over the cell, else 0.
    std::uint8_t HoverState = 0;
    // Guards the enter and leave pair so that each is handled once.
    bool MouseInside = false;
    // Raised by a click unless the cell is in dsNoEnable; takes OdgovorNo.
    std::function<void(TOdgovorNo)> OnOdgovorClick;

    // A font size (points) at which Text is at most Limit pixels wide on
    // Canvas, whose font is already set: the size it has if that fits, else
    // the largest smaller one that does, else the size it had. May leave the
    // canvas font at another size; the caller sets the result afterwards.
    int FitFontSize(TCanvas& Canvas, int Limit, const QString& Text);

    bool isConfirmation() const { return m_odgovorNo == odYES || m_odgovorNo == odNO; }
    bool hasLetter() const { return m_odgovorNo <= odD; }

    int shownImage() const override;
    // The letter at (40, 1) in CharFont; the caption in TextFont, after the
    // letter from x = 70 at the largest size that fits 300 pixels and
    // centred in height, or, on a confirmation box, centred at y = 3.
    std::vector<CellText> texts() override;

protected:
    void Paint() override;
    // Belongs to an animated reveal of a new caption; with no effect chosen,
    // as in the editor, it draws nothing.
    void CaptionChanged() override {}
    void MouseEnter() override;
    void MouseLeave() override;
    void Click() override;

private:
    TOdgovorNo m_odgovorNo = odA;
    TDugmeStatus m_status = dsNoEnable;
};

// The question panel, 800 x 61 on black: bmpPitanje with the caption wrapped
// between x = 65 and 736 and centred as a block.
class TZlatovirPitanje : public TZlatovirCelija
{
    Q_OBJECT

public:
    explicit TZlatovirPitanje(QWidget* parent = nullptr);

    // Where the caption block is written: x 65..736, moved down by half of
    // what the cell has to spare (up, when the text is higher than the cell).
    QRect captionRect();

    int shownImage() const override;
    std::vector<CellText> texts() override;

protected:
    void Paint() override;
};
