#include "app/ReadabilityTip.h"

#include "skin/SkinTable.h"

#include <map>

namespace {

QString figure(double value)
{
    return QString::number(value, 'f', 1);
}

} // namespace

QString visionTitle(Vision vision)
{
    switch (vision) {
    case Vision::Normal: return QStringLiteral("Normalan vid");
    case Vision::Protanopia: return QStringLiteral("Protanopija");
    case Vision::Deuteranopia: return QStringLiteral("Deuteranopija");
    case Vision::Tritanopia: return QStringLiteral("Tritanopija");
    }
    return {};
}

QString readabilityTip(const Readability& figures, int image, const QStringList& systemColours)
{
    QStringList lines{pageTitle(image)}; // the page of an image is the image's index
    for (const ContrastFigure& f : figures.contrast) {
        if (f.image != image)
            continue;
        lines << QStringLiteral("Kontrast %1: %2:1 (potrebno %3:1)%4")
                     .arg(f.role == CellText::Letter ? QStringLiteral("slova") : QStringLiteral("teksta"),
                          QString::number(f.ratio, 'f', 2), QString::number(f.needed),
                          f.ok() ? QString() : QStringLiteral(" - premalo"));
    }
    // Each look it is hard to tell from, with everyone who sees them so.
    std::map<int, QStringList> close;
    bool compared = false; // the question panel has no other look
    for (const DifferenceFigure& f : figures.differences) {
        if (f.first != image && f.second != image)
            continue;
        compared = true;
        if (!f.ok())
            close[f.first == image ? f.second : f.first]
                << QStringLiteral("%1 (razlika %2)").arg(visionTitle(f.vision).toLower(), figure(f.deltaE));
    }
    if (compared && close.empty()) {
        lines << QStringLiteral("Razlikuje se od drugih izgleda za sve (razlika bar %1)").arg(DifferenceNeeded);
    } else if (!close.empty()) {
        lines << QStringLiteral("Tesko se razlikuje od:");
        for (const auto& [other, who] : close)
            lines << QStringLiteral("  %1: %2").arg(pageTitle(other), who.join(QStringLiteral(", ")));
    }
    if (!systemColours.isEmpty())
        lines << QStringLiteral("Sistemske boje (svaki igrac ih vidi drugacije): %1")
                     .arg(systemColours.join(QStringLiteral(", ")));
    return lines.join(QLatin1Char('\n'));
}
