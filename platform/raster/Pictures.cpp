#include "platform/raster/Pictures.h"

#include "platform/base/Errors.h"

#include <QBuffer>
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

QByteArray encodePicture(const QImage& image, const QString& fileName, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const int quality = qstrcmp(format, "PNG") == 0 ? 80 : -1;
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, format, quality))
        throw EditorError(QStringLiteral("Cannot create file \"%1\". The picture cannot be encoded")
                              .arg(QFileInfo(fileName).absoluteFilePath()));
    return bytes;
}
