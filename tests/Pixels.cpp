#include "tests/Pixels.h"

#include <QStringList>

PixelSet pixelsNotOf(const QImage& image, TColor background)
{
    PixelSet out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (colorFromRgb(image.pixel(x, y)) != background)
                out.insert({x, y});
    return out;
}

QString describeDifference(const PixelSet& actual, const PixelSet& expected)
{
    QStringList extra, missing;
    for (const auto& p : actual)
        if (!expected.count(p) && extra.size() < 12)
            extra << QStringLiteral("(%1,%2)").arg(p.first).arg(p.second);
    for (const auto& p : expected)
        if (!actual.count(p) && missing.size() < 12)
            missing << QStringLiteral("(%1,%2)").arg(p.first).arg(p.second);
    if (extra.isEmpty() && missing.isEmpty())
        return {};
    return QStringLiteral("painted but not expected: %1; expected but not painted: %2")
        .arg(extra.join(QLatin1Char(' ')), missing.join(QLatin1Char(' ')));
}
