#include "platform/toolkit/PageControl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

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

// Qt's tab bar keeps one row. While the tabs fit, it is left to do all its
// own work; once they do not, this bar lays them out in rows and paints,
// hit-tests and hot-tracks them itself.
class PageTabBar : public QTabBar
{
public:
    explicit PageTabBar(QWidget* parent) : QTabBar(parent)
    {
        // What QTabWidget does to its own tab bar: the pane draws the base line.
        setObjectName(QStringLiteral("qt_tabwidget_tabbar"));
        setDrawBase(false);
        setUsesScrollButtons(false);
        setElideMode(Qt::ElideNone);
        auto* style = new HotTrackingTabStyle(QApplication::style()->name());
        style->setParent(this);
        setStyle(style);
        setAttribute(Qt::WA_Hover);
    }

    int rows() const { return int(rowsFor(availableWidth()).size()); }

    // Each tab's place: Qt's own on one row, else on the rows, bottom row
    // (next to the pages) holding the current tab.
    std::vector<QRect> areas() const
    {
        std::vector<QRect> areas(static_cast<size_t>(count()));
        const std::vector<std::vector<int>> rows = rowsFor(width());
        if (rows.size() <= 1) {
            for (int i = 0; i < count(); ++i)
                areas[size_t(i)] = tabRect(i);
            return areas;
        }
        const int n = int(rows.size());
        int currentRow = 0;
        for (int r = 0; r < n; ++r)
            if (std::find(rows[r].begin(), rows[r].end(), currentIndex()) != rows[r].end())
                currentRow = r;
        const int height = rowHeight();
        for (int r = 0; r < n; ++r) {
            // Rows rotate: the current tab's row at the bottom, the ones after
            // it above it in turn.
            const int fromBottom = (r - currentRow + n) % n;
            const int y = (n - 1 - fromBottom) * height;
            // Each row stretched to the full width, the spare pixels shared
            // out from the left.
            int natural = 0;
            for (int i : rows[r])
                natural += tabSizeHint(i).width();
            const int tabs = int(rows[r].size());
            const int spare = std::max(0, width() - natural);
            int x = 0;
            for (int k = 0; k < tabs; ++k) {
                const int i = rows[r][size_t(k)];
                const int w = tabSizeHint(i).width() + spare / tabs + (k < spare % tabs ? 1 : 0);
                areas[size_t(i)] = QRect(x, y, w, height);
                x += w;
            }
        }
        return areas;
    }

    QSize sizeHint() const override { return wrapped(QTabBar::sizeHint()); }
    QSize minimumSizeHint() const override { return wrapped(QTabBar::minimumSizeHint()); }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        const std::vector<std::vector<int>> rows = rowsFor(width());
        if (rows.size() <= 1) {
            QTabBar::paintEvent(event);
            return;
        }
        const std::vector<QRect> places = areas();
        QStylePainter painter(this);
        const auto paintTab = [&](const std::vector<int>& row, size_t k) {
            const int i = row[k];
            QStyleOptionTab tab;
            initStyleOption(&tab, i);
            tab.rect = places[size_t(i)];
            if (row.size() == 1)
                tab.position = QStyleOptionTab::OnlyOneTab;
            else if (k == 0)
                tab.position = QStyleOptionTab::Beginning;
            else if (k + 1 == row.size())
                tab.position = QStyleOptionTab::End;
            else
                tab.position = QStyleOptionTab::Middle;
            tab.selectedPosition = QStyleOptionTab::NotAdjacent;
            if (k > 0 && row[k - 1] == currentIndex())
                tab.selectedPosition = QStyleOptionTab::PreviousIsSelected;
            else if (k + 1 < row.size() && row[k + 1] == currentIndex())
                tab.selectedPosition = QStyleOptionTab::NextIsSelected;
            tab.state.setFlag(QStyle::State_MouseOver, i == m_hover);
            painter.drawControl(QStyle::CE_TabBarTab, tab);
        };
        // The current tab last: it overlaps its neighbours.
        std::optional<std::pair<size_t, size_t>> current;
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t k = 0; k < rows[r].size(); ++k) {
                if (rows[r][k] == currentIndex())
                    current = {r, k};
                else
                    paintTab(rows[r], k);
            }
        if (current)
            paintTab(rows[current->first], current->second);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (rows() <= 1) {
            QTabBar::mousePressEvent(event);
            return;
        }
        if (event->button() != Qt::LeftButton) {
            event->ignore();
            return;
        }
        const int i = tabIndexAt(event->position().toPoint());
        if (i >= 0) {
            Q_EMIT tabBarClicked(i);
            setCurrentIndex(i);
        }
        event->accept();
    }

    bool event(QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::HoverEnter:
        case QEvent::HoverMove:
            hover(rows() > 1 ? tabIndexAt(static_cast<QHoverEvent*>(event)->position().toPoint()) : -1);
            break;
        case QEvent::HoverLeave:
            hover(-1);
            break;
        default:
            break;
        }
        return QTabBar::event(event);
    }

private:
    // The width the tab widget gives its bar: all of its own.
    int availableWidth() const { return parentWidget() ? parentWidget()->width() : width(); }
    int rowHeight() const { return QTabBar::sizeHint().height(); }

    // The tabs in rows of `width`: in order, a new row where the next tab
    // no longer fits; a tab wider than the row stands alone.
    std::vector<std::vector<int>> rowsFor(int width) const
    {
        std::vector<std::vector<int>> rows(1);
        int x = 0;
        for (int i = 0; i < count(); ++i) {
            const int w = tabSizeHint(i).width();
            if (!rows.back().empty() && x + w > width) {
                rows.emplace_back();
                x = 0;
            }
            rows.back().push_back(i);
            x += w;
        }
        return rows;
    }

    QSize wrapped(QSize oneRow) const
    {
        const int n = rows();
        return n <= 1 ? oneRow : QSize(availableWidth(), n * rowHeight());
    }

    int tabIndexAt(const QPoint& pos) const
    {
        const std::vector<QRect> places = areas();
        for (size_t i = 0; i < places.size(); ++i)
            if (places[i].contains(pos))
                return int(i);
        return -1;
    }

    void hover(int index)
    {
        if (index == m_hover)
            return;
        m_hover = index;
        update();
    }

    int m_hover = -1; // the hovered tab while the tabs wrap
};

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent), m_tabs(new PageTabBar(this))
{
    setTabBar(m_tabs);
}

int TPageControl::tabRows() const
{
    return m_tabs->rows();
}

QRect TPageControl::tabArea(int index) const
{
    const std::vector<QRect> areas = m_tabs->areas();
    return index >= 0 && size_t(index) < areas.size() ? areas[size_t(index)] : QRect();
}

// The pane's frame, drawn by the style in bands of rows. Qt's raster engine
// hands a fill of 96 spans or more (one span a row for each upright line) to
// worker threads and waits for them; the frame's outlines, as tall as the
// pane, would start threads at the first paint and wait on them at every
// repaint. A band's outlines stay under that, and clipping to bands leaves
// every pixel as the style draws it.
void TPageControl::paintEvent(QPaintEvent* event)
{
    if (documentMode()) {
        QTabWidget::paintEvent(event);
        return;
    }
    constexpr int Band = 40; // rows: two outlines of two upright lines, under 96 spans each
    QStyleOptionTabWidgetFrame frame;
    initStyleOption(&frame);
    frame.rect = style()->subElementRect(QStyle::SE_TabWidgetTabPane, &frame, this);
    QStylePainter painter(this);
    for (int y = frame.rect.top(); y <= frame.rect.bottom(); y += Band) {
        painter.setClipRect(QRect(frame.rect.left(), y, frame.rect.width(), Band));
        painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
    }
}
