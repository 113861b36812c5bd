// Controls: the radio button, the custom control with a canvas of its own,
// the picture control, and opaque labels over their siblings.
#pragma once

#include "platform/raster/Graphics.h"

#include <QRadioButton>
#include <QWidget>

// A radio button whose OnClick is raised exactly when it becomes checked, by
// the user or from code, after its partners were unchecked. Unchecking, or
// clicking a checked button, raises nothing.
class TRadioButton : public QRadioButton
{
    Q_OBJECT

public:
    explicit TRadioButton(QWidget* parent = nullptr);

Q_SIGNALS:
    void OnClick();
};

enum TDragMode { dmManual, dmAutomatic };

// A window with a canvas of its own: a bitmap of the control's size that
// Paint draws into. paintEvent only puts that bitmap on the screen, so what
// the control shows can be read back pixel by pixel.
class TCustomControl : public QWidget
{
    Q_OBJECT

public:
    explicit TCustomControl(QWidget* parent = nullptr);

    TCanvas& Canvas() { return m_bitmap.Canvas(); }
    const TBitmap& bitmap() const { return m_bitmap; }

    // The control's background, shown wherever Paint draws nothing.
    TColor Color() const { return m_color; }
    void setColor(TColor color);

    TDragMode DragMode() const { return m_dragMode; }

    // How many times Paint has run: what asked this control to repaint shows here.
    int paintCount() const { return m_paints; }
    void setDragMode(TDragMode mode) { m_dragMode = mode; }

protected:
    virtual void Paint() {}
    // What goes onto the screen from the bitmap: the bitmap itself unless a
    // descendant shows it otherwise.
    virtual QImage screenImage() const { return m_bitmap.image(); }
    // Paints into the bitmap now and puts it on the screen at once.
    void paintNow();

    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void Click() {}

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // A bitmap of the control's size, new ones filled with its background.
    bool syncBitmapSize();

    TBitmap m_bitmap;
    TColor m_color = clWhite;
    TDragMode m_dragMode = dmManual;
    bool m_pressed = false;
    int m_paints = 0;
};

// A picture control: a bitmap of the control's size to draw on, shown as is.
class TImage : public QWidget
{
    Q_OBJECT

public:
    explicit TImage(QWidget* parent = nullptr);

    // The canvas of a bitmap of the control's size, made at the first use.
    TCanvas& Canvas();
    const TBitmap& bitmap() const { return m_bitmap; }
    // Shows what was drawn on the canvas.
    void Invalidate() { update(); }

Q_SIGNALS:
    void OnDblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TBitmap m_bitmap;
};

// A label that is not transparent: it hides what lies under it on its
// parent (a bevel line behind a group's caption) and shows there the
// parent's own background, in exactly the colour the style paints the page
// in, under any theme. The siblings under it are cut out where it lies.
void coverSiblingsBelow(QWidget* label);
