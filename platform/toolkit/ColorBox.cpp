#include "platform/toolkit/ColorBox.h"

#include "platform/toolkit/Application.h"

#include <QAbstractListModel>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QPointer>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QScopedValueRollback>
#include <QWheelEvent>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int ColorRole = Qt::UserRole;
constexpr int ListItemHeight = 16;
const QSize SwatchSize(16, 12);
const QString CustomText = QStringLiteral("Custom...");

// A swatch: the colour inside a one-pixel black frame. Written pixel by
// pixel: the window makes about ninety of them at start-up, and a painter
// for each cost more than all their pixels.
QIcon drawSwatch(TColor color)
{
    QImage image(SwatchSize, QImage::Format_RGB32);
    const QRgb fill = resolveColor(color);
    const QRgb frame = qRgb(0, 0, 0);
    const int right = image.width() - 1, bottom = image.height() - 1;
    for (int y = 0; y <= bottom; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const bool edge = y == 0 || y == bottom;
        for (int x = 0; x <= right; ++x)
            row[x] = edge || x == 0 || x == right ? frame : fill;
    }
    return QIcon(QPixmap::fromImage(std::move(image)));
}

// What every box lists alike, made once for all of them: the named colours
// with their swatches, and the list items' measured sizes. It belongs to the
// application object, so the pixmaps go before the application does. The
// system colours' swatches follow the application palette, as the skin
// images do: the boxes ask for them again when it changes, and they are
// drawn again once per palette.
class SharedColorList : public QObject
{
    Q_OBJECT

public:
    struct Entry {
        TColor color;
        QString name;
        QIcon swatch;
    };

    static SharedColorList& instance()
    {
        static QPointer<SharedColorList> list;
        if (!list)
            list = new SharedColorList(QCoreApplication::instance());
        return *list;
    }

    std::vector<Entry> entries;

    // An item's width depends only on the style, the font, the icon size and
    // the text, and measuring it lays the text out: every box would measure
    // the same items again at each font change. Widths by row, 0 while not
    // yet measured, for each style, font and icon size met so far.
    struct Measure {
        const QStyle* style;
        QFont font;
        QSize iconSize;
        std::vector<int> widths;
    };
    std::vector<Measure> measures;

    void followPalette()
    {
        const qint64 palette = QGuiApplication::palette().cacheKey();
        if (palette == m_palette)
            return;
        m_palette = palette;
        for (Entry& entry : entries)
            if (isSystemColor(entry.color))
                entry.swatch = drawSwatch(entry.color);
        Q_EMIT systemSwatchesRedrawn();
    }

Q_SIGNALS:
    void systemSwatchesRedrawn();

private:
    explicit SharedColorList(QObject* parent)
        : QObject(parent), m_palette(QGuiApplication::palette().cacheKey())
    {
        for (const auto& [color, name] : listedColors())
            entries.push_back({color, name, drawSwatch(color)});
    }

    qint64 m_palette; // the palette the swatches are drawn in
};

// A box's items: "Custom..." with the box's own colour, then the shared
// named colours. Only the first item can change.
class ColorListModel : public QAbstractListModel
{
public:
    explicit ColorListModel(QObject* parent)
        : QAbstractListModel(parent), m_named(SharedColorList::instance().entries),
          m_customSwatch(drawSwatch(m_customColor))
    {
        connect(&SharedColorList::instance(), &SharedColorList::systemSwatchesRedrawn, this, [this] {
            setCustomColor(m_customColor);
            Q_EMIT dataChanged(index(1), index(rowCount() - 1), {Qt::DecorationRole});
        });
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : 1 + int(m_named.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        const int row = index.row();
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return row == 0 ? CustomText : m_named[row - 1].name;
        case Qt::DecorationRole:
            return row == 0 ? m_customSwatch : m_named[row - 1].swatch;
        case ColorRole:
            return QVariant::fromValue(uint(row == 0 ? m_customColor : m_named[row - 1].color));
        default:
            return {};
        }
    }

    void setCustomColor(TColor color)
    {
        m_customColor = color;
        m_customSwatch = drawSwatch(color);
        const QModelIndex first = index(0);
        Q_EMIT dataChanged(first, first, {ColorRole, Qt::DecorationRole});
    }

private:
    const std::vector<SharedColorList::Entry>& m_named;
    TColor m_customColor = clBlack;
    QIcon m_customSwatch;
};

// List items 16 pixels high, as the layout gives them, as wide as the style
// measures them.
class ItemDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QStyle* style = option.widget ? option.widget->style() : nullptr;
        auto& measures = SharedColorList::instance().measures;
        auto measure = std::find_if(measures.begin(), measures.end(), [&](const auto& m) {
            return m.style == style && m.iconSize == option.decorationSize && m.font == option.font;
        });
        if (measure == measures.end()) {
            measures.push_back({style, option.font, option.decorationSize, {}});
            measure = measures.end() - 1;
        }
        std::vector<int>& widths = measure->widths;
        const auto row = size_t(index.row());
        if (row >= widths.size())
            widths.resize(row + 1, 0);
        if (widths[row] == 0)
            widths[row] = QStyledItemDelegate::sizeHint(option, index).width();
        return {widths[row], ListItemHeight};
    }
};

} // namespace

TColorBox::TColorBox(QWidget* parent) : QComboBox(parent)
{
    // The drop-down list is made when it is first needed (see showPopup):
    // the window's 38 boxes would otherwise build lists nobody has opened.
    setModel(new ColorListModel(this));
    // The wheel does not take the focus: it only steps a box that has it.
    setFocusPolicy(Qt::StrongFocus);
    setSelected(clBlack);
    connect(this, &QComboBox::activated, this, &TColorBox::onActivated);
}

// The list's items are 16 pixels high, as the layout gives them, with the
// swatches at their size; the list takes both the first time it opens.
// (QComboBox makes its list for either setting.)
void TColorBox::showPopup()
{
    if (!dynamic_cast<ItemDelegate*>(itemDelegate())) {
        setItemDelegate(new ItemDelegate(this));
        setIconSize(SwatchSize);
    }
    QComboBox::showPopup();
}

// The closed box draws its swatch at the list's size without making the list.
void TColorBox::initStyleOption(QStyleOptionComboBox* option) const
{
    QComboBox::initStyleOption(option);
    option->iconSize = SwatchSize;
}

// QComboBox gives a new font to its drop-down list, making the list to do
// so; a box is re-fonted while the window is built (its page joins the tab
// control, then the layout's fonts become pixel sizes). A box whose list is
// not made yet only forgets its measured size: the list, a child of the
// box, takes the box's font when it is made.
void TColorBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange && !findChild<QFrame*>(QString(), Qt::FindDirectChildrenOnly)) {
        const int length = minimumContentsLength();
        setMinimumContentsLength(length + 1);
        setMinimumContentsLength(length);
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}

bool TColorBox::event(QEvent* event)
{
    if (event->type() == QEvent::ApplicationPaletteChange)
        SharedColorList::instance().followPalette();
    return QComboBox::event(event);
}

void TColorBox::keyPressEvent(QKeyEvent* event)
{
    if (!event->text().isEmpty() && (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))) {
        event->ignore();
        return;
    }
    const QScopedValueRollback stepping(m_stepping, true);
    QComboBox::keyPressEvent(event);
}

void TColorBox::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    const QScopedValueRollback stepping(m_stepping, true);
    QComboBox::wheelEvent(event);
}

void TColorBox::updateToolTip()
{
    const TColor color = Selected();
    if (currentIndex() == 0) {
        const QRgb rgb = resolveColor(color);
        setToolTip(QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper());
    } else if (color & clSystemColor) {
        setToolTip(itemText(currentIndex()));
    } else {
        setToolTip({});
    }
}

TColor TColorBox::colorAt(int index) const
{
    return TColor(itemData(index, ColorRole).toUInt());
}

int TColorBox::namedIndexOf(TColor color) const
{
    for (int i = 1; i < count(); ++i)
        if (colorAt(i) == color)
            return i;
    return -1;
}

TColor TColorBox::Selected() const
{
    return colorAt(currentIndex());
}

void TColorBox::setSelected(TColor color)
{
    int index = namedIndexOf(color);
    if (index < 0) {
        setCustomColor(color);
        index = 0;
    }
    setCurrentIndex(index);
    m_lastIndex = index;
    updateToolTip();
}

void TColorBox::setCustomColor(TColor color)
{
    static_cast<ColorListModel*>(model())->setCustomColor(color);
}

void TColorBox::onActivated(int index)
{
    if (index == 0 && !m_stepping) {
        const std::optional<TColor> chosen = Application()->prompts().ChooseColor(colorAt(0));
        if (!chosen) {
            setCurrentIndex(m_lastIndex);
            return;
        }
        setCustomColor(*chosen);
    }
    m_lastIndex = index;
    updateToolTip();
    Q_EMIT OnChange();
}

#include "ColorBox.moc"
