#include "platform/toolkit/Controls.h"

#include "platform/toolkit/Application.h"

#include <QMouseEvent>
#include <QPainter>

TRadioButton::TRadioButton(QWidget* parent) : QRadioButton(parent)
{
    // toggled(true) comes after the auto-exclusive partners were unchecked.
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        if (checked)
            Q_EMIT OnClick();
    });
}

TCustomControl::TCustomControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCustomControl::setColor(TColor color)
{
    m_color = color;
}

bool TCustomControl::syncBitmapSize()
{
    if (m_bitmap.Width() == width() && m_bitmap.Height() == height())
        return false;
    m_bitmap.SetSize(width(), height());
    TCanvas& canvas = m_bitmap.Canvas();
    const TBrush brush = canvas.Brush;
    canvas.Brush = {m_color, bsSolid};
    canvas.FillRect(QRect(0, 0, width(), height()));
    canvas.Brush = brush;
    return true;
}

void TCustomControl::paintNow()
{
    syncBitmapSize();
    Paint();
    ++m_paints;
    repaint();
}

void TCustomControl::paintEvent(QPaintEvent*)
{
    if (syncBitmapSize() || m_paints == 0) {
        TApplication::guard([this] { Paint(); });
        ++m_paints;
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), screenImage());
}

void TCustomControl::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    TApplication::guard([this] { MouseEnter(); });
}

void TCustomControl::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    TApplication::guard([this] { MouseLeave(); });
}

void TCustomControl::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void TCustomControl::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        TApplication::guard([this] { Click(); });
}

TImage::TImage(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TCanvas& TImage::Canvas()
{
    m_bitmap.SetSize(width(), height());
    return m_bitmap.Canvas();
}

void TImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_bitmap.image());
}

void TImage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_bitmap.image().isNull())
        m_bitmap.SetSize(width(), height());
}

void TImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    QWidget::mouseDoubleClickEvent(event);
    Q_EMIT OnDblClick();
}

void coverSiblingsBelow(QWidget* label)
{
    // Siblings earlier in the list lie below: the list is the stacking order.
    for (QObject* child : label->parentWidget()->children()) {
        if (child == label)
            return;
        auto* sibling = qobject_cast<QWidget*>(child);
        if (!sibling || !sibling->geometry().intersects(label->geometry()))
            continue;
        const QRegion shown = sibling->mask().isEmpty() ? QRegion(sibling->rect()) : sibling->mask();
        sibling->setMask(shown - label->geometry().translated(-sibling->pos()));
    }
}
