// ReadabilityReport: kvztool's account of what players can read and tell
// apart on a skin, as a table in Serbian or as one JSON line.
#pragma once

#include "skin/Readability.h"

#include <QString>

#include <vector>

struct SkinReadability
{
    QString file;
    Readability figures;
    std::vector<const char*> systemFields; // fields holding a system colour
};

// One object: {"file", "contrast": [{"page", "role", "ratio", "needed",
// "ok"}], "vision": [{"vision", "pages", "deltaE", "needed", "ok"}],
// "system": [field names]}; figures to two decimals, "ok" from the figure
// itself, before rounding.
QString readabilityJson(const SkinReadability& skin);
// The file's name, then a table of the contrasts, one of the differences,
// and the fields in system colours; each figure under what it needs is
// marked. Lines end in a line feed but the last.
QString readabilityTable(const SkinReadability& skin);
