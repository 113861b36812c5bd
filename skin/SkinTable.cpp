#include "skin/SkinTable.h"

const std::vector<SkinPage>& skinPages()
{
    using R = TSkinRecord;
    using enum ColourRole;
    static const std::vector<SkinPage> pages = {
        {"Pitanje", {{&R::PitanjeText, Text}, {&R::PitanjeLinija, Outline}, {&R::PitanjeC1, Colour1}, {&R::PitanjeC2, Colour2}},
         &R::PitanjeDesno, 0, "mPitanje", true},
        {"Odgovor (normalno)",
         {{&R::OdgovorNormalText, Text}, {&R::OdgovorNormalChar, Letter}, {&R::OdgovorNormalLine, Outline},
          {&R::OdgovorNormalC1, Colour1}, {&R::OdgovorNormalC2, Colour2}},
         &R::OdgovorNormalDesno, 1, "mOdgovor1", true},
        {"Odgovor (ulaz)",
         {{&R::OdgovorInText, Text}, {&R::OdgovorInChar, Letter}, {&R::OdgovorInLine, Outline}, {&R::OdgovorInC1, Colour1},
          {&R::OdgovorInC2, Colour2}},
         &R::OdgovorInDesno, 2, "mOdgovor2"},
        {"Odgovor (označen)",
         {{&R::OdgovorChechText, Text}, {&R::OdgovorChechChar, Letter}, {&R::OdgovorChechLine, Outline},
          {&R::OdgovorChechC1, Colour1}, {&R::OdgovorChechC2, Colour2}},
         &R::OdgovorChechDesno, 3, "mOdgovor3"},
        {"Odgovor (tacan)",
         {{&R::OdgovorOKText, Text}, {&R::OdgovorOKChar, Letter}, {&R::OdgovorOKLine, Outline}, {&R::OdgovorOKC1, Colour1},
          {&R::OdgovorOKC2, Colour2}},
         &R::OdgovorOKDesno, 4, "mOdgovor4"},
        {"Potvrda (ulaz)",
         {{&R::OdgovorYESText, Text}, {&R::OdgovorYESLine, Outline}, {&R::OdgovorYESC1, Colour1}, {&R::OdgovorYESC2, Colour2}},
         &R::OdgovorYESDesno, 5, "mYES"},
        {"Potvrda (normalno)",
         {{&R::OdgovorNOText, Text}, {&R::OdgovorNOLine, Outline}, {&R::OdgovorNOC1, Colour1}, {&R::OdgovorNOC2, Colour2}},
         &R::OdgovorNODesno, 6, "mNO"},
        {"Ostalo",
         {{&R::TacanOdgovor}, {&R::NetacanOdgovor}, {&R::Voditelj}, {&R::PrijateljHalo}, {&R::Prijatelj}, {&R::PrijateljSenka}}},
    };
    return pages;
}

PageValue pageValue(const TSkinRecord& record, const SkinPage& page)
{
    PageValue value;
    for (const PageColour& colour : page.colours)
        value.colours.push_back(record.*colour.field);
    if (page.direction)
        value.direction = record.*page.direction;
    return value;
}

void setPageValue(TSkinRecord& record, const SkinPage& page, const PageValue& value)
{
    for (size_t i = 0; i < page.colours.size(); ++i)
        record.*page.colours[i].field = value.colours.at(i);
    if (page.direction && value.direction)
        record.*page.direction = *value.direction;
}

TColor colourOf(const SkinPage& page, const PageValue& value, ColourRole role)
{
    for (size_t i = 0; i < page.colours.size(); ++i)
        if (page.colours[i].role == role)
            return value.colours.at(i);
    return clBlack;
}

void applySkinRecord(const TSkinRecord& record, SkinPages& pages)
{
    for (size_t page = 0; page < skinPages().size(); ++page)
        pages.setPage(int(page), pageValue(record, skinPages()[page]));
}

std::vector<const char*> systemColourFields(const TSkinRecord& record)
{
    std::vector<const char*> out;
    for (const SkinField& field : skinFields())
        if (field.isColour() && !field.reserved && isSystemColor(field.get(record)))
            out.push_back(field.name);
    return out;
}

QString pageTitle(int page)
{
    return QString::fromUtf8(skinPages()[size_t(page)].title);
}
