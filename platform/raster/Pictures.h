// Pictures: the registry of picture formats by file extension, and pictures
// encoded whole in memory as PNG, JPEG or BMP.
#pragma once

#include <QIODevice>
#include <QImage>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

// A picture of some file format, read from a stream.
class TGraphic
{
public:
    virtual ~TGraphic() = default;
    virtual void LoadFromStream(QIODevice& stream) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

using GraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

struct PictureFormat
{
    QString Extension; // without the dot, lower case
    QString Description;
    GraphicFactory Create;
};

// The picture file formats the program knows, by file extension.
namespace TPicture {

void RegisterFileFormat(const QString& extension, const QString& description, GraphicFactory create);
// Withdraws every format with this description.
void UnregisterFileFormats(const QString& description);
const QList<PictureFormat>& FileFormats();
// The format for a file name's extension (case-insensitive), or nullptr.
const PictureFormat* FormatOf(const QString& fileName);

} // namespace TPicture

// A picture encoded whole in memory as `format` ("PNG", "JPEG", "BMP"), the
// encoder's result checked; raises EditorError naming `fileName` when it
// fails. PNG takes zlib's fastest level: the same pixels, a little larger.
QByteArray encodePicture(const QImage& image, const QString& fileName, const char* format);
