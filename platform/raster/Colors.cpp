#include "platform/raster/Colors.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <optional>

namespace {

struct SystemColor
{
    const char* name;
    QRgb classic;
    std::optional<QPalette::ColorRole> role;
};

// Index order is the platform's system-colour numbering; the classic values
// are the defaults the skin files were made against.
const std::array<SystemColor, SystemColorCount> systemColors = {{
    {"Scroll Bar", qRgb(212, 208, 200), std::nullopt},
    {"Background", qRgb(58, 110, 165), std::nullopt},
    {"Active Caption", qRgb(10, 36, 106), std::nullopt},
    {"Inactive Caption", qRgb(128, 128, 128), std::nullopt},
    {"Menu Background", qRgb(212, 208, 200), QPalette::Window},
    {"Window Background", qRgb(255, 255, 255), QPalette::Base},
    {"Window Frame", qRgb(0, 0, 0), std::nullopt},
    {"Menu Text", qRgb(0, 0, 0), QPalette::WindowText},
    {"Window Text", qRgb(0, 0, 0), QPalette::Text},
    {"Caption Text", qRgb(255, 255, 255), std::nullopt},
    {"Active Border", qRgb(212, 208, 200), std::nullopt},
    {"Inactive Border", qRgb(212, 208, 200), std::nullopt},
    {"Application Workspace", qRgb(128, 128, 128), std::nullopt},
    {"Highlight Background", qRgb(10, 36, 106), QPalette::Highlight},
    {"Highlight Text", qRgb(255, 255, 255), QPalette::HighlightedText},
    {"Button Face", qRgb(212, 208, 200), QPalette::Button},
    {"Button Shadow", qRgb(128, 128, 128), QPalette::Dark},
    {"Gray Text", qRgb(128, 128, 128), std::nullopt},
    {"Button Text", qRgb(0, 0, 0), QPalette::ButtonText},
    {"Inactive Caption Text", qRgb(212, 208, 200), std::nullopt},
    {"Button Highlight", qRgb(255, 255, 255), QPalette::Light},
    {"3D Dark Shadow", qRgb(64, 64, 64), QPalette::Shadow},
    {"3D Light", qRgb(212, 208, 200), QPalette::Midlight},
    {"Info Text", qRgb(0, 0, 0), QPalette::ToolTipText},
    {"Info Background", qRgb(255, 255, 225), QPalette::ToolTipBase},
    {"Unused System Colour", qRgb(181, 181, 181), std::nullopt},
    {"Hot Light", qRgb(0, 0, 200), QPalette::Link},
    {"Gradient Active Caption", qRgb(166, 202, 240), std::nullopt},
    {"Gradient Inactive Caption", qRgb(192, 192, 192), std::nullopt},
    {"Menu Highlight", qRgb(10, 36, 106), std::nullopt},
    {"Menu Bar", qRgb(212, 208, 200), std::nullopt},
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

QString systemColorName(int index)
{
    if (index < 0 || index >= SystemColorCount)
        return {};
    return QString::fromLatin1(systemColors[size_t(index)].name);
}

const std::vector<std::pair<TColor, QString>>& listedColors()
{
    static const std::vector<std::pair<TColor, QString>> list = [] {
        std::vector<std::pair<TColor, QString>> l = {
            {clBlack, QStringLiteral("Black")},       {clMaroon, QStringLiteral("Maroon")},
            {clGreen, QStringLiteral("Green")},       {clOlive, QStringLiteral("Olive")},
            {clNavy, QStringLiteral("Navy")},         {clPurple, QStringLiteral("Purple")},
            {clTeal, QStringLiteral("Teal")},         {clGray, QStringLiteral("Gray")},
            {clSilver, QStringLiteral("Silver")},     {clRed, QStringLiteral("Red")},
            {clLime, QStringLiteral("Lime")},         {clYellow, QStringLiteral("Yellow")},
            {clBlue, QStringLiteral("Blue")},         {clFuchsia, QStringLiteral("Fuchsia")},
            {clAqua, QStringLiteral("Aqua")},         {clWhite, QStringLiteral("White")},
            {clMoneyGreen, QStringLiteral("Money Green")}, {clSkyBlue, QStringLiteral("Sky Blue")},
            {clCream, QStringLiteral("Cream")},       {clMedGray, QStringLiteral("Medium Gray")},
        };
        // Index 25 is no colour of any desktop: a file holding it keeps it
        // (the box shows it as "Custom..."), but no list offers it.
        for (int i = 0; i < SystemColorCount; ++i)
            if (i != UnusedSystemColorIndex)
                l.emplace_back(clSystemColor | TColor(i), systemColorName(i));
        return l;
    }();
    return list;
}

std::optional<TColor> colorBoxColor(const QString& name)
{
    QString wanted = name;
    wanted.remove(QLatin1Char(' '));
    for (const auto& [c, n] : listedColors())
        if (QString(n).remove(QLatin1Char(' ')).compare(wanted, Qt::CaseInsensitive) == 0)
            return c;
    return std::nullopt;
}
