#include "Pictures.h"

#include <QFileInfo>

namespace TPicture {

namespace {
QList<PictureFormat>& formats()
{
    static QList<PictureFormat> list;
    return list;
}
} // namespace

void RegisterFileFormat(const QString& extension, const QString& description, GraphicFactory create)
{
    formats().append({extension.toLower(), description, std::move(create)});
}

void UnregisterFileFormats(const QString& description)
{
    formats().removeIf([&](const PictureFormat& f) { return f.Description == description; });
}

const QList<PictureFormat>& FileFormats()
{
    return formats();
}

const PictureFormat* FormatOf(const QString& fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    for (const PictureFormat& f : formats())
        if (f.Extension == extension)
            return &f;
    return nullptr;
}

} // namespace TPicture
