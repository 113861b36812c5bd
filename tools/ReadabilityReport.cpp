#include "tools/ReadabilityReport.h"

#include "tools/FileCommands.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

namespace {

QString rounded(double value)
{
    return QString::number(std::round(value * 100) / 100, 'g', QLocale::FloatingPointShortest);
}

QString roleName(CellText::Role role)
{
    return role == CellText::Letter ? QStringLiteral("Char") : QStringLiteral("Text");
}

QString jsonBool(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString fixed(double value, int width)
{
    return QStringLiteral("%1").arg(value, width, 'f', 2);
}

} // namespace

QString readabilityJson(const SkinReadability& skin)
{
    QStringList contrast, vision, system;
    for (const ContrastFigure& f : skin.figures.contrast)
        contrast << QStringLiteral("{\"page\":\"%1\",\"role\":\"%2\",\"ratio\":%3,\"needed\":%4,\"ok\":%5}")
                        .arg(imagePageName(f.image), roleName(f.role), rounded(f.ratio), rounded(f.needed),
                             jsonBool(f.ok()));
    for (const DifferenceFigure& f : skin.figures.differences)
        vision << QStringLiteral("{\"vision\":\"%1\",\"pages\":[\"%2\",\"%3\"],\"deltaE\":%4,\"needed\":%5,\"ok\":%6}")
                      .arg(visionName(f.vision), imagePageName(f.first), imagePageName(f.second),
                           rounded(f.deltaE), rounded(f.needed), jsonBool(f.ok()));
    for (const char* field : skin.systemFields)
        system << QStringLiteral("\"%1\"").arg(QLatin1String(field));
    return QStringLiteral("{\"file\":%1,\"contrast\":[%2],\"vision\":[%3],\"system\":[%4]}")
        .arg(jsonString(skin.file), contrast.join(QLatin1Char(',')), vision.join(QLatin1Char(',')),
             system.join(QLatin1Char(',')));
}

QString readabilityTable(const SkinReadability& skin)
{
    const QString under = QStringLiteral("  premalo");
    QString out = skin.file + QStringLiteral("\n  kontrast (WCAG 2)              odnos  potrebno\n");
    for (const ContrastFigure& f : skin.figures.contrast)
        out += QStringLiteral("  %1 %2 %3  %4%5\n")
                   .arg(imagePageName(f.image), -14)
                   .arg(f.role == CellText::Letter ? QStringLiteral("slovo") : QStringLiteral("tekst"), -10)
                   .arg(fixed(f.ratio, 10))
                   .arg(rounded(f.needed), -8)
                   .arg(f.ok() ? QString() : under);
    out += QStringLiteral("  razlika izgleda (CIEDE2000)                      ΔE  potrebno\n");
    for (const DifferenceFigure& f : skin.figures.differences)
        out += QStringLiteral("  %1 %2 %3  %4%5\n")
                   .arg(visionName(f.vision), -13)
                   .arg(imagePageName(f.first) + QStringLiteral(" / ") + imagePageName(f.second), -28)
                   .arg(fixed(f.deltaE, 8))
                   .arg(rounded(f.needed), -8)
                   .arg(f.ok() ? QString() : under);
    QStringList system;
    for (const char* field : skin.systemFields)
        system << QLatin1String(field);
    return out + QStringLiteral("  sistemske boje (svaki igrač ih vidi u bojama svog sistema): %1")
                     .arg(system.isEmpty() ? QStringLiteral("nema") : system.join(QStringLiteral(", ")));
}
