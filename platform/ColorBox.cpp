#include "ColorBox.h"

#include "Application.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QPainter>
#include <QPixmap>
#include <QWheelEvent>

#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int ColorRole = Qt::UserRole;
constexpr int ListItemHeight = 16;

QIcon drawSwatch(TColor color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(QColor::fromRgb(resolveColor(color)));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

// Every box lists the same colours: their swatches are drawn once and
// shared. The cache belongs to the application object, so the pixmaps go
// before the application does.
class SwatchCache : public QObject
{
public:
    using QObject::QObject;
    QHash<TColor, QIcon> icons;
};

QIcon listedSwatch(TColor color)
{
    static QPointer<SwatchCache> cache;
    if (!cache)
        cache = new SwatchCache(QCoreApplication::instance());
    auto it = cache->icons.find(color);
    if (it == cache->icons.end())
        it = cache->icons.insert(color, drawSwatch(color));
    return *it;
}

// List items 16 pixels high, as the layout gives them.
class ItemDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), ListItemHeight};
    }
};

} // namespace

TColorBox::TColorBox(QWidget* parent) : QComboBox(parent)
{
    setIconSize(QSize(16, 12));
    setItemDelegate(new ItemDelegate(this));
    addItem(drawSwatch(clBlack), QStringLiteral("Custom..."), QVariant::fromValue(uint(clBlack)));
    for (const auto& [color, name] : listedColors())
        addItem(listedSwatch(color), name, QVariant::fromValue(uint(color)));
    // The wheel does not take the focus: it only steps a box that has it.
    setFocusPolicy(Qt::StrongFocus);
    setSelected(clBlack);
    connect(this, &QComboBox::activated, this, &TColorBox::onActivated);
}

void TColorBox::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
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
    setItemData(0, QVariant::fromValue(uint(color)), ColorRole);
    setItemIcon(0, drawSwatch(color));
}

void TColorBox::onActivated(int index)
{
    if (index == 0) {
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

