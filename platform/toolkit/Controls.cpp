#include "Controls.h"

#include "Application.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionTab>
#include <QTabBar>

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
    painter.drawImage(QPoint(0, 0), m_bitmap.image());
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

namespace {

// The style of the tab bar it belongs to, over the application's style:
// only a hovered, unselected tab's caption changes colour.
class HotTrackingTabStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
        if (element == CE_TabBarTabLabel && tab && (tab->state & State_MouseOver) && !(tab->state & State_Selected)) {
            QStyleOptionTab hot = *tab;
            hot.palette.setColor(QPalette::WindowText, hot.palette.color(QPalette::Link));
            hot.palette.setColor(QPalette::ButtonText, hot.palette.color(QPalette::Link));
            QProxyStyle::drawControl(element, &hot, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

} // namespace

void enableHotTracking(QTabBar* tabs)
{
    auto* style = new HotTrackingTabStyle(QApplication::style()->name());
    style->setParent(tabs);
    tabs->setStyle(style);
    tabs->setAttribute(Qt::WA_Hover);
}
