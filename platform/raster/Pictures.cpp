#include "Pictures.h"

#include <QFileInfo>

namespace TPicture {

namespace {
QList<TPictureFormat>& formats()
{
    static QList<TPictureFormat> list;
    return list;
}
} // namespace

void RegisterFileFormat(const QString& extension, const QString& description, TGraphicFactory create)
{
    formats().append({extension.toLower(), description, std::move(create)});
}

void UnregisterFileFormats(const QString& description)
{
    formats().removeIf([&](const TPictureFormat& f) { return f.Description == description; });
}

const QList<TPictureFormat>& FileFormats()
{
    return formats();
}

const TPictureFormat* FormatOf(const QString& fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    for (const TPictureFormat& f : formats())
        if (f.Extension == extension)
            return &f;
    return nullptr;
}

} // namespace TPicture
