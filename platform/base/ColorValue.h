// ColorValue: the colour value the skin files, the prompts and the drawing
// layer pass around, as a plain number that needs no drawing library, the
// named colours and the system colours' names.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// A colour as the skin files and the colour boxes hold it: 0x00BBGGRR (low
// byte red), or a system-colour reference 0x80000000 | index. The value is
// carried unchanged everywhere; it is turned into a real colour only at the
// pixel boundary, by resolveColor.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clSystemColor = 0x80000000;
constexpr int SystemColorCount = 31;
// The one system-colour index that names no colour ("Unused System Colour").
constexpr int UnusedSystemColorIndex = 25;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clBtnFace = clSystemColor | 15;

// Returned by pixel reads outside a bitmap.
constexpr TColor clInvalid = 0xFFFFFFFF;

constexpr bool isSystemColor(TColor c) { return (c & 0xFF000000u) == clSystemColor; }

constexpr TColor rgbColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | TColor(g & 0xFF) << 8 | TColor(b & 0xFF) << 16;
}
constexpr int colorRed(TColor c) { return int(c & 0xFF); }
constexpr int colorGreen(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int colorBlue(TColor c) { return int((c >> 16) & 0xFF); }

// The readable name of a system colour index ("Button Face"), empty outside 0..30.
QString systemColorName(int index);

// The colours a colour box lists after "Custom...", in order, with their
// readable names: the 16 standard colours, the 4 extended ones, the system
// colours but the unused one.
const std::vector<std::pair<TColor, QString>>& listedColors();
// The colour the colour box lists under `name` (case-insensitive).
std::optional<TColor> colorBoxColor(const QString& name);
