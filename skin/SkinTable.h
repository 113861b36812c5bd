// SkinTable: what a skin is, as data: the record of every colour and
// direction, its fields in file order, the standard skin, and the editor's
// pages (which colours and direction each holds, by role, and which image
// it paints), and what a record is put into. Over the base library alone.
#pragma once

#include "platform/base/ColorValue.h"

#include <cstdint>
#include <cstddef>
#include <optional>
#include <span>
#include <variant>
#include <vector>

// Gradient direction byte: 1 runs to the right ("Desno"), 0 downward
// ("Dole"); any other value paints no gradient and keeps the old fill.
using GradientDirection = std::uint8_t;

// Every colour and direction of one skin. Colours are TColor values exactly
// as the colour boxes hold them (a system-colour reference included);
// directions are bytes, 1 for "Desno", 0 for "Dole", passed on as read.
struct TSkinRecord
{
    TColor PitanjeText = 0, PitanjeLinija = 0, PitanjeC1 = 0, PitanjeC2 = 0;
    std::uint8_t PitanjeDesno = 0;
    TColor OdgovorNormalText = 0, OdgovorNormalChar = 0, OdgovorNormalLine = 0, OdgovorNormalC1 = 0,
           OdgovorNormalC2 = 0;
    std::uint8_t OdgovorNormalDesno = 0;
    TColor OdgovorInText = 0, OdgovorInChar = 0, OdgovorInLine = 0, OdgovorInC1 = 0, OdgovorInC2 = 0;
    std::uint8_t OdgovorInDesno = 0;
    TColor OdgovorChechText = 0, OdgovorChechChar = 0, OdgovorChechLine = 0, OdgovorChechC1 = 0,
           OdgovorChechC2 = 0;
    std::uint8_t OdgovorChechDesno = 0;
    TColor OdgovorOKText = 0, OdgovorOKChar = 0, OdgovorOKLine = 0, OdgovorOKC1 = 0, OdgovorOKC2 = 0;
    std::uint8_t OdgovorOKDesno = 0;
    TColor OdgovorYESText = 0, OdgovorYESLine = 0, OdgovorYESC1 = 0, OdgovorYESC2 = 0;
    std::uint8_t OdgovorYESDesno = 0;
    TColor OdgovorNOText = 0, OdgovorNOLine = 0, OdgovorNOC1 = 0, OdgovorNOC2 = 0;
    std::uint8_t OdgovorNODesno = 0;
    TColor TacanOdgovor = 0, NetacanOdgovor = 0, Voditelj = 0, PrijateljHalo = 0, Prijatelj = 0,
           PrijateljSenka = 0;
    // Always written as 0x00FFFFFF, never read.
    TColor Reserved1 = clWhite, Reserved2 = clWhite, Reserved3 = clWhite, Reserved4 = clWhite;
};

// One field of the record, in file order: a 4-byte colour or a 1-byte
// direction.
struct SkinField
{
    const char* name;
    std::variant<TColor TSkinRecord::*, std::uint8_t TSkinRecord::*> member;
    bool reserved = false;

    constexpr bool isColour() const { return std::holds_alternative<TColor TSkinRecord::*>(member); }
    // Bytes in the file: 4 for a colour, 1 for a direction.
    constexpr int size() const { return isColour() ? 4 : 1; }
    std::uint32_t get(const TSkinRecord& record) const
    {
        return std::visit([&](auto field) { return std::uint32_t(record.*field); }, member);
    }
    // A direction keeps the low byte of the value.
    void set(TSkinRecord& record, std::uint32_t value) const
    {
        std::visit([&](auto field) { record.*field = decltype(+(record.*field))(value); }, member);
    }
};

// Every field of the record, in file order (the record's own order). A new
// field is a member of TSkinRecord, its row here, and its entry in a page
// below; the file's size follows.
inline constexpr SkinField SkinFieldTable[] = {
    {"PitanjeText", &TSkinRecord::PitanjeText},
    {"PitanjeLinija", &TSkinRecord::PitanjeLinija},
    {"PitanjeC1", &TSkinRecord::PitanjeC1},
    {"PitanjeC2", &TSkinRecord::PitanjeC2},
    {"PitanjeDesno", &TSkinRecord::PitanjeDesno},
    {"OdgovorNormalText", &TSkinRecord::OdgovorNormalText},
    {"OdgovorNormalChar", &TSkinRecord::OdgovorNormalChar},
    {"OdgovorNormalLine", &TSkinRecord::OdgovorNormalLine},
    {"OdgovorNormalC1", &TSkinRecord::OdgovorNormalC1},
    {"OdgovorNormalC2", &TSkinRecord::OdgovorNormalC2},
    {"OdgovorNormalDesno", &TSkinRecord::OdgovorNormalDesno},
    {"OdgovorInText", &TSkinRecord::OdgovorInText},
    {"OdgovorInChar", &TSkinRecord::OdgovorInChar},
    {"OdgovorInLine", &TSkinRecord::OdgovorInLine},
    {"OdgovorInC1", &TSkinRecord::OdgovorInC1},
    {"OdgovorInC2", &TSkinRecord::OdgovorInC2},
    {"OdgovorInDesno", &TSkinRecord::OdgovorInDesno},
    {"OdgovorChechText", &TSkinRecord::OdgovorChechText},
    {"OdgovorChechChar", &TSkinRecord::OdgovorChechChar},
    {"OdgovorChechLine", &TSkinRecord::OdgovorChechLine},
    {"OdgovorChechC1", &TSkinRecord::OdgovorChechC1},
    {"OdgovorChechC2", &TSkinRecord::OdgovorChechC2},
    {"OdgovorChechDesno", &TSkinRecord::OdgovorChechDesno},
    {"OdgovorOKText", &TSkinRecord::OdgovorOKText},
    {"OdgovorOKChar", &TSkinRecord::OdgovorOKChar},
    {"OdgovorOKLine", &TSkinRecord::OdgovorOKLine},
    {"OdgovorOKC1", &TSkinRecord::OdgovorOKC1},
    {"OdgovorOKC2", &TSkinRecord::OdgovorOKC2},
    {"OdgovorOKDesno", &TSkinRecord::OdgovorOKDesno},
    {"OdgovorYESText", &TSkinRecord::OdgovorYESText},
    {"OdgovorYESLine", &TSkinRecord::OdgovorYESLine},
    {"OdgovorYESC1", &TSkinRecord::OdgovorYESC1},
    {"OdgovorYESC2", &TSkinRecord::OdgovorYESC2},
    {"OdgovorYESDesno", &TSkinRecord::OdgovorYESDesno},
    {"OdgovorNOText", &TSkinRecord::OdgovorNOText},
    {"OdgovorNOLine", &TSkinRecord::OdgovorNOLine},
    {"OdgovorNOC1", &TSkinRecord::OdgovorNOC1},
    {"OdgovorNOC2", &TSkinRecord::OdgovorNOC2},
    {"OdgovorNODesno", &TSkinRecord::OdgovorNODesno},
    {"TacanOdgovor", &TSkinRecord::TacanOdgovor},
    {"NetacanOdgovor", &TSkinRecord::NetacanOdgovor},
    {"Voditelj", &TSkinRecord::Voditelj},
    {"PrijateljHalo", &TSkinRecord::PrijateljHalo},
    {"Prijatelj", &TSkinRecord::Prijatelj},
    {"PrijateljSenka", &TSkinRecord::PrijateljSenka},
    {"Reserved1", &TSkinRecord::Reserved1, true},
    {"Reserved2", &TSkinRecord::Reserved2, true},
    {"Reserved3", &TSkinRecord::Reserved3, true},
    {"Reserved4", &TSkinRecord::Reserved4, true},
};
constexpr std::span<const SkinField> skinFields() { return SkinFieldTable; }

// The record's bytes in the file: the fields one after another, unaligned.
constexpr int skinRecordSize()
{
    int size = 0;
    for (const SkinField& field : SkinFieldTable)
        size += field.size();
    return size;
}
inline constexpr int SkinRecordSize = skinRecordSize();

// Every member of the record has its row: the record laid out from the
// table, each field at its natural alignment, takes the record's size in
// memory (a member left out of the table changes it).
constexpr std::size_t laidOutRecordSize()
{
    std::size_t end = 0;
    for (const SkinField& field : SkinFieldTable) {
        const std::size_t size = std::size_t(field.size());
        end = (end + size - 1) / size * size + size;
    }
    return (end + alignof(TSkinRecord) - 1) / alignof(TSkinRecord) * alignof(TSkinRecord);
}
static_assert(laidOutRecordSize() == sizeof(TSkinRecord), "a member of TSkinRecord has no row in SkinFieldTable");

// The standard skin: the colours the skin images are first painted in, the
// pages' "Standarno" values and a fresh editor's controls, all from here.
constexpr TSkinRecord standardSkinRecord()
{
    constexpr TColor steelBlue = 0x00B38855;  // (85, 136, 179): every outline
    constexpr TColor orange = 0x000099FF;     // (255, 153, 0)
    constexpr TColor palePeach = 0x00ADDEFE;  // (254, 222, 173)
    constexpr TColor redOrange = 0x000033FF;  // (255, 51, 0)
    constexpr TColor salmon = 0x009DB0FE;     // (254, 176, 157)
    constexpr TColor green = 0x0033CC00;      // (0, 204, 51)
    constexpr TColor paleGreen = 0x00B1EC9F;  // (159, 236, 177)
    TSkinRecord r;
    r.PitanjeText = clWhite;
    r.PitanjeLinija = steelBlue;
    r.PitanjeC1 = clBlack;
    r.PitanjeC2 = clBlack;
    r.PitanjeDesno = 1;
    r.OdgovorNormalText = clWhite;
    r.OdgovorNormalChar = clAqua;
    r.OdgovorNormalLine = steelBlue;
    r.OdgovorNormalC1 = clBlack;
    r.OdgovorNormalC2 = clBlack;
    r.OdgovorNormalDesno = 1;
    r.OdgovorInText = clWhite;
    r.OdgovorInChar = clAqua;
    r.OdgovorInLine = steelBlue;
    r.OdgovorInC1 = orange;
    r.OdgovorInC2 = palePeach;
    r.OdgovorInDesno = 1;
    r.OdgovorChechText = clWhite;
    r.OdgovorChechChar = clAqua;
    r.OdgovorChechLine = steelBlue;
    r.OdgovorChechC1 = redOrange;
    r.OdgovorChechC2 = salmon;
    r.OdgovorChechDesno = 1;
    r.OdgovorOKText = clWhite;
    r.OdgovorOKChar = clAqua;
    r.OdgovorOKLine = steelBlue;
    r.OdgovorOKC1 = green;
    r.OdgovorOKC2 = paleGreen;
    r.OdgovorOKDesno = 1;
    r.OdgovorYESText = clWhite;
    r.OdgovorYESLine = steelBlue;
    r.OdgovorYESC1 = orange;
    r.OdgovorYESC2 = palePeach;
    r.OdgovorYESDesno = 1;
    r.OdgovorNOText = clWhite;
    r.OdgovorNOLine = steelBlue;
    r.OdgovorNOC1 = clBlack;
    r.OdgovorNOC2 = clBlack;
    r.OdgovorNODesno = 1;
    r.TacanOdgovor = clYellow;
    r.NetacanOdgovor = clRed;
    r.Voditelj = clYellow;
    r.PrijateljHalo = clAqua;
    r.Prijatelj = clWhite;
    r.PrijateljSenka = clNavy;
    return r;
}

// What a page's colour is for. The paint routines take a page's colours by
// these roles, never by their place in the page, so a colour added to a
// page shifts no other.
enum class ColourRole { Text, Letter, Outline, Colour1, Colour2, Stored };

struct PageColour
{
    TColor TSkinRecord::*field;
    ColourRole role = ColourRole::Stored;
};

// One page of the editor: its title, its colours (in the order of its
// controls), its direction, the skin image it paints and the preview cell
// that shows it ("Ostalo" has none of these: its colours are only stored).
// The window finds a page's controls by the field names: "cb" and the
// colour's field, "rb" and the direction field for "Desno".
struct SkinPage
{
    const char* title; // its tab's caption, without the blank one caption ends in
    std::vector<PageColour> colours;
    std::uint8_t TSkinRecord::*direction = nullptr;
    int image = -1;             // in the order of the skin images
    const char* cell = nullptr; // the preview cell's component name
    // Reading a file, only 0 and 1 move this page's direction buttons
    // (another value keeps them); on the other pages anything but 0 is "Desno".
    bool onlyZeroOrOneMovesDirection = false;
};
// The pages in the record's order: the question, the answer box normal,
// selected, marked and correct, the confirmation box highlighted (YES) and
// normal (NO), then "Ostalo".
const std::vector<SkinPage>& skinPages();
// Page `page`'s title, as its tab shows it.
QString pageTitle(int page);
constexpr int OstaloPage = 7;

// The name of the record's field at `member` ("PitanjeText").
template <class T>
const char* fieldName(T TSkinRecord::*member)
{
    for (const SkinField& field : skinFields())
        if (const auto* candidate = std::get_if<T TSkinRecord::*>(&field.member); candidate && *candidate == member)
            return field.name;
    return nullptr;
}

// The fields of `record` (reserved ones aside) that hold a system colour,
// in file order: the game paints them in the colours of whoever runs it.
std::vector<const char*> systemColourFields(const TSkinRecord& record);

// What one page holds: its colours in its paint routine's order, and its
// direction where it has one.
struct PageValue
{
    std::vector<TColor> colours;
    std::optional<GradientDirection> direction;
    bool operator==(const PageValue&) const = default;
};
PageValue pageValue(const TSkinRecord& record, const SkinPage& page);
void setPageValue(TSkinRecord& record, const SkinPage& page, const PageValue& value);
// The colour of `role` in a value of `page`; black when the page has none.
TColor colourOf(const SkinPage& page, const PageValue& value, ColourRole role);

// What a loaded record is put into: a page of the skin table takes its
// values as that page's set-page operation puts them into its controls.
class SkinPages
{
public:
    virtual ~SkinPages() = default;
    virtual void setPage(int page, const PageValue& value) = 0;
};

// Gives every page its values from the record, in the table's order (the
// record's), "Ostalo" last; no reserved field is passed, and direction bytes
// go as read.
void applySkinRecord(const TSkinRecord& record, SkinPages& pages);
