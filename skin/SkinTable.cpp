#include "skin/SkinTable.h"

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
