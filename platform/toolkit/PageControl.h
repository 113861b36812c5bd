// PageControl: tabbed pages whose tabs all stay visible, wrapping onto rows
// as the classic page control does, and hot-tracking.
#pragma once

#include <QTabWidget>

class PageTabBar;

// A page control: pages under tabs that all stay visible and clickable,
// whatever the font. Tabs that fit stay on one row and are Qt's own. Tabs
// that do not fit wrap onto more rows, as the classic page control does:
// each row stretched to the full width, the row holding the current tab
// next to the pages (the rows rotate when a tab of another row is chosen),
// and the page area giving up the added rows' height. There are no scroll
// buttons. The tabs hot-track: the caption under the mouse takes the
// desktop's hot-light colour (the palette's link colour).
class TPageControl : public QTabWidget
{
    Q_OBJECT

public:
    explicit TPageControl(QWidget* parent = nullptr);

    // How many rows the tabs take.
    int tabRows() const;
    // Where tab `index` is shown, in the tab bar's coordinates.
    QRect tabArea(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PageTabBar* m_tabs;
};
