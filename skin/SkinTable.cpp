#include "skin/SkinTable.h"

const std::vector<SkinField>& skinFields()
{
    using R = TSkinRecord;
    static const std::vector<SkinField> fields = {
        {"PitanjeText", &R::PitanjeText, false},
        {"PitanjeLinija", &R::PitanjeLinija, false},
        {"PitanjeC1", &R::PitanjeC1, false},
        {"PitanjeC2", &R::PitanjeC2, false},
        {"PitanjeDesno", &R::PitanjeDesno, false},
        {"OdgovorNormalText", &R::OdgovorNormalText, false},
        {"OdgovorNormalChar", &R::OdgovorNormalChar, false},
        {"OdgovorNormalLine", &R::OdgovorNormalLine, false},
        {"OdgovorNormalC1", &R::OdgovorNormalC1, false},
        {"OdgovorNormalC2", &R::OdgovorNormalC2, false},
        {"OdgovorNormalDesno", &R::OdgovorNormalDesno, false},
        {"OdgovorInText", &R::OdgovorInText, false},
        {"OdgovorInChar", &R::OdgovorInChar, false},
        {"OdgovorInLine", &R::OdgovorInLine, false},
        {"OdgovorInC1", &R::OdgovorInC1, false},
        {"OdgovorInC2", &R::OdgovorInC2, false},
        {"OdgovorInDesno", &R::OdgovorInDesno, false},
        {"OdgovorChechText", &R::OdgovorChechText, false},
        {"OdgovorChechChar", &R::OdgovorChechChar, false},
        {"OdgovorChechLine", &R::OdgovorChechLine, false},
        {"OdgovorChechC1", &R::OdgovorChechC1, false},
        {"OdgovorChechC2", &R::OdgovorChechC2, false},
        {"OdgovorChechDesno", &R::OdgovorChechDesno, false},
        {"OdgovorOKText", &R::OdgovorOKText, false},
        {"OdgovorOKChar", &R::OdgovorOKChar, false},
        {"OdgovorOKLine", &R::OdgovorOKLine, false},
        {"OdgovorOKC1", &R::OdgovorOKC1, false},
        {"OdgovorOKC2", &R::OdgovorOKC2, false},
        {"OdgovorOKDesno", &R::OdgovorOKDesno, false},
        {"OdgovorYESText", &R::OdgovorYESText, false},
        {"OdgovorYESLine", &R::OdgovorYESLine, false},
        {"OdgovorYESC1", &R::OdgovorYESC1, false},
        {"OdgovorYESC2", &R::OdgovorYESC2, false},
        {"OdgovorYESDesno", &R::OdgovorYESDesno, false},
        {"OdgovorNOText", &R::OdgovorNOText, false},
        {"OdgovorNOLine", &R::OdgovorNOLine, false},
        {"OdgovorNOC1", &R::OdgovorNOC1, false},
        {"OdgovorNOC2", &R::OdgovorNOC2, false},
        {"OdgovorNODesno", &R::OdgovorNODesno, false},
        {"TacanOdgovor", &R::TacanOdgovor, false},
        {"NetacanOdgovor", &R::NetacanOdgovor, false},
        {"Voditelj", &R::Voditelj, false},
        {"PrijateljHalo", &R::PrijateljHalo, false},
        {"Prijatelj", &R::Prijatelj, false},
        {"PrijateljSenka", &R::PrijateljSenka, false},
        {"Reserved1", &R::Reserved1, true},
        {"Reserved2", &R::Reserved2, true},
        {"Reserved3", &R::Reserved3, true},
        {"Reserved4", &R::Reserved4, true},
    };
    return fields;
}

const std::vector<SkinPage>& skinPages()
{
    using R = TSkinRecord;
    static const std::vector<SkinPage> pages = {
        {"Pitanje", {&R::PitanjeText, &R::PitanjeLinija, &R::PitanjeC1, &R::PitanjeC2}, &R::PitanjeDesno, 0, "mPitanje", true},
        {"Odgovor (normalno)",
         {&R::OdgovorNormalText, &R::OdgovorNormalChar, &R::OdgovorNormalLine, &R::OdgovorNormalC1, &R::OdgovorNormalC2},
         &R::OdgovorNormalDesno, 1, "mOdgovor1", true},
        {"Odgovor (ulaz)", {&R::OdgovorInText, &R::OdgovorInChar, &R::OdgovorInLine, &R::OdgovorInC1, &R::OdgovorInC2},
         &R::OdgovorInDesno, 2, "mOdgovor2"},
        {"Odgovor (označen)",
         {&R::OdgovorChechText, &R::OdgovorChechChar, &R::OdgovorChechLine, &R::OdgovorChechC1, &R::OdgovorChechC2},
         &R::OdgovorChechDesno, 3, "mOdgovor3"},
        {"Odgovor (tacan)", {&R::OdgovorOKText, &R::OdgovorOKChar, &R::OdgovorOKLine, &R::OdgovorOKC1, &R::OdgovorOKC2},
         &R::OdgovorOKDesno, 4, "mOdgovor4"},
        {"Potvrda (ulaz)", {&R::OdgovorYESText, &R::OdgovorYESLine, &R::OdgovorYESC1, &R::OdgovorYESC2},
         &R::OdgovorYESDesno, 5, "mYES"},
        {"Potvrda (normalno)", {&R::OdgovorNOText, &R::OdgovorNOLine, &R::OdgovorNOC1, &R::OdgovorNOC2},
         &R::OdgovorNODesno, 6, "mNO"},
        {"Ostalo",
         {&R::TacanOdgovor, &R::NetacanOdgovor, &R::Voditelj, &R::PrijateljHalo, &R::Prijatelj, &R::PrijateljSenka}},
    };
    return pages;
}

PageValue pageValue(const TSkinRecord& record, const SkinPage& page)
{
    PageValue value;
    for (TColor TSkinRecord::*colour : page.colours)
        value.colours.push_back(record.*colour);
    if (page.direction)
        value.direction = record.*page.direction;
    return value;
}

void setPageValue(TSkinRecord& record, const SkinPage& page, const PageValue& value)
{
    for (size_t i = 0; i < page.colours.size(); ++i)
        record.*page.colours[i] = value.colours.at(i);
    if (page.direction && value.direction)
        record.*page.direction = *value.direction;
}
