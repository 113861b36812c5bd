// ReadabilityTip: what a preview cell's tooltip says of the look it shows,
// in the editor's words: its texts' contrast, what is needed, and which
// looks of the same box it is hard to tell from, for whom.
#pragma once

#include "skin/Readability.h"

#include <QString>
#include <QStringList>

// `systemColours`: the words of the look's colours that hold a system
// colour ("Tekst"), which every player sees in his own system's colours.
QString readabilityTip(const Readability& figures, int image, const QStringList& systemColours);

// "Normalan vid", "Protanopija", ... as the editor names them.
QString visionTitle(Vision vision);
