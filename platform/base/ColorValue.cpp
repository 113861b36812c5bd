#include "platform/base/ColorValue.h"

#include <array>

namespace {

// In the platform's system-colour numbering.
const std::array<const char*, SystemColorCount> systemColorNames = {
    "Scroll Bar",
    "Background",
    "Active Caption",
    "Inactive Caption",
    "Menu Background",
    "Window Background",
    "Window Frame",
    "Menu Text",
    "Window Text",
    "Caption Text",
    "Active Border",
    "Inactive Border",
    "Application Workspace",
    "Highlight Background",
    "Highlight Text",
    "Button Face",
    "Button Shadow",
    "Gray Text",
    "Button Text",
    "Inactive Caption Text",
    "Button Highlight",
    "3D Dark Shadow",
    "3D Light",
    "Info Text",
    "Info Background",
    "Unused System Colour",
    "Hot Light",
    "Gradient Active Caption",
    "Gradient Inactive Caption",
    "Menu Highlight",
    "Menu Bar",
};

} // namespace

QString systemColorName(int index)
{
    if (index < 0 || index >= SystemColorCount)
        return {};
    return QString::fromLatin1(systemColorNames[size_t(index)]);
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
