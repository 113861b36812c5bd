// Graphics: the headless drawing surface (bitmap, canvas, pen, brush, font,
// text layout) keeping the classic raster engine's pixel rules.
#pragma once

#include "platform/raster/Colors.h"

#include <QFlags>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

// The raster layer the skin images, the preview cells, the shapes and the
// about window are drawn with. It keeps the rules of the classic Windows
// raster engine, which the skin images and the window shapes are defined
// by: integer pixels, 1-pixel lines without their end point, wide pens as
// bands with round caps, rectangles without their right column and bottom
// row, clipping without error, no anti-aliasing for lines and fills.

// Font sizes are points at 96 pixels per inch; fonts that draw into bitmaps
// carry pixel heights so that the pictures do not depend on the screen.
constexpr int LayoutPixelsPerInch = 96;
int pointsToPixels(int points);
int pixelsToPoints(int pixels);

struct TFont
{
    enum Style { Bold = 1, Italic = 2 };

    QString Name = QStringLiteral("Tahoma");
    // Negative: the character height in pixels (as layouts store it).
    int Height = -11;
    int Styles = 0;
    TColor Color = clWindowText;

    int Size() const { return pixelsToPoints(-Height); }
    void SetSize(int points) { Height = -pointsToPixels(points); }
    bool bold() const { return Styles & Bold; }

    QFont toQFont() const;
};

struct TPen
{
    TColor Color = clBlack;
    int Width = 1;
};

enum TBrushStyle { bsSolid, bsClear };

struct TBrush
{
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// How DrawText lays text out: each line centred, lines broken between
// words, tabs expanded, and only measuring instead of drawing.
enum class TextFormat {
    Center = 0x1,
    WordBreak = 0x2,
    ExpandTabs = 0x4,
    CalcRect = 0x8,
};
Q_DECLARE_FLAGS(TextFormats, TextFormat)
Q_DECLARE_OPERATORS_FOR_FLAGS(TextFormats)

class TBitmap;

// Drawing state over one bitmap. Pen, brush, font and the current position
// persist until changed, so a pen width set by one routine applies to the
// next stroke drawn by any other routine on the same canvas.
class TCanvas
{
public:
    explicit TCanvas(QImage* target) : m_image(target) {}
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen Pen;
    TBrush Brush;
    TFont Font;

    QPoint PenPos() const { return m_penPos; }
    QRect ClipRect() const { return m_image->rect(); }

    void MoveTo(int x, int y) { m_penPos = QPoint(x, y); }
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void FillRect(const QRect& r);

    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    // The height of a line of text in the current font.
    int TextHeight() const;
    // Returns the height of the text block; with CalcRect only measures,
    // setting rect's right and bottom and keeping its left and top.
    int DrawText(const QString& text, QRect& rect, TextFormats format);

    void Draw(int x, int y, const TBitmap& bitmap);
    // Draws an image with alpha (an icon) over the canvas, unscaled.
    void DrawImage(int x, int y, const QImage& image);
    TColor GetPixel(int x, int y) const;

    QImage& image() { return *m_image; }
    const QImage& image() const { return *m_image; }

private:
    friend class TBitmap;
    void retarget(QImage* target) { m_image = target; }

    void strokeThin(QPoint from, QPoint to, QRgb color);
    void strokeWide(QPoint from, QPoint to, int width, QRgb color);
    // Pixels [x0, x1) of row y; rows [y0, y1) of columns [x0, x1). Clipped.
    void fillSpan(int y, int x0, int x1, QRgb color);
    void fillBlock(int x0, int x1, int y0, int y1, QRgb color);
    // Draws one line of text at (x, y), its top; returns its width.
    int drawTextLine(int x, int y, const QString& text);

    QImage* m_image;
    QPoint m_penPos;
};

// An in-memory picture (Format_RGB32) with its canvas. New pixels are white.
class TBitmap
{
public:
    TBitmap() = default;
    TBitmap(int width, int height);
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    // Resizing keeps the old pixels at the top-left; new pixels are white.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    // Copies the picture (size and pixels), not the canvas state.
    void Assign(const TBitmap& source);

    TCanvas& Canvas() { return m_canvas; }
    const TCanvas& Canvas() const { return m_canvas; }
    const QImage& image() const { return m_image; }

private:
    QImage m_image;
    TCanvas m_canvas{&m_image};
};

// SRCCOPY of a w x h block from src at (sx, sy) to dst at (x, y), clipped to both.
void BitBlt(TCanvas& dst, int x, int y, int w, int h, const TCanvas& src, int sx, int sy);

// Makes sure the Tahoma faces are known to the font engine: when the system
// has no Tahoma, the free faces of the fonts-wine package are registered.
// Needs a QGuiApplication.
void ensureTahoma();
