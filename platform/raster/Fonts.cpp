#include "platform/raster/Graphics.h"

#include <QFontDatabase>

int pointsToPixels(int points)
{
    return int(std::lround(points * double(LayoutPixelsPerInch) / 72.0));
}

int pixelsToPoints(int pixels)
{
    return int(std::lround(pixels * 72.0 / double(LayoutPixelsPerInch)));
}

QFont TFont::toQFont() const
{
    QFont f(Name);
    f.setPixelSize(std::max(1, std::abs(Height)));
    f.setBold(Styles & Bold);
    f.setItalic(Styles & Italic);
    return f;
}

void ensureTahoma()
{
    static bool checked = false;
    if (checked)
        return;
    checked = true;
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive))
        return;
    for (const char* path : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        QFontDatabase::addApplicationFont(QString::fromLatin1(path));
}
