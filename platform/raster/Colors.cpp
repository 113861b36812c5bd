#include "platform/raster/Colors.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <optional>

namespace {

struct SystemColor
{
    QRgb classic;
    std::optional<QPalette::ColorRole> role;
};

// Index order is the platform's system-colour numbering (systemColorName
// names them in the same order); the classic values are the defaults the
// skin files were made against.
const std::array<SystemColor, SystemColorCount> systemColors = {{
    {qRgb(212, 208, 200), std::nullopt},
    {qRgb(58, 110, 165), std::nullopt},
    {qRgb(10, 36, 106), std::nullopt},
    {qRgb(128, 128, 128), std::nullopt},
    {qRgb(212, 208, 200), QPalette::Window},
    {qRgb(255, 255, 255), QPalette::Base},
    {qRgb(0, 0, 0), std::nullopt},
    {qRgb(0, 0, 0), QPalette::WindowText},
    {qRgb(0, 0, 0), QPalette::Text},
    {qRgb(255, 255, 255), std::nullopt},
    {qRgb(212, 208, 200), std::nullopt},
    {qRgb(212, 208, 200), std::nullopt},
    {qRgb(128, 128, 128), std::nullopt},
    {qRgb(10, 36, 106), QPalette::Highlight},
    {qRgb(255, 255, 255), QPalette::HighlightedText},
    {qRgb(212, 208, 200), QPalette::Button},
    {qRgb(128, 128, 128), QPalette::Dark},
    {qRgb(128, 128, 128), std::nullopt},
    {qRgb(0, 0, 0), QPalette::ButtonText},
    {qRgb(212, 208, 200), std::nullopt},
    {qRgb(255, 255, 255), QPalette::Light},
    {qRgb(64, 64, 64), QPalette::Shadow},
    {qRgb(212, 208, 200), QPalette::Midlight},
    {qRgb(0, 0, 0), QPalette::ToolTipText},
    {qRgb(255, 255, 225), QPalette::ToolTipBase},
    {qRgb(181, 181, 181), std::nullopt},
    {qRgb(0, 0, 200), QPalette::Link},
    {qRgb(166, 202, 240), std::nullopt},
    {qRgb(192, 192, 192), std::nullopt},
    {qRgb(10, 36, 106), std::nullopt},
    {qRgb(212, 208, 200), std::nullopt},
}};

} // namespace

QRgb resolveColor(TColor c)
{
    if (!isSystemColor(c))
        return qRgb(colorRed(c), colorGreen(c), colorBlue(c));
    const unsigned index = c & 0x00FFFFFFu;
    if (index >= systemColors.size())
        return qRgb(0, 0, 0);
    const SystemColor& sc = systemColors[index];
    if (sc.role && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QGuiApplication::palette().color(QPalette::Active, *sc.role).rgb() | 0xFF000000u;
    return sc.classic;
}
