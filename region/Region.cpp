#include "region/Region.h"

#include "region/BitmapToRegion.h"

#include <QtEndian>

TRegion::TRegion(QObject* owner) : QObject(owner) {}

TRegion::~TRegion()
{
    ClearSegments();
}

void TRegion::SetEnabled(bool value)
{
    FEnabled = value;
    if (value)
        DecodeSegments();
    else
        ClearSegments();
}

void TRegion::DecodeSegments()
{
    ClearSegments();
    if (RegData.isEmpty())
        return;
    const auto* data = reinterpret_cast<const unsigned char*>(RegData.constData());
    const qsizetype size = RegData.size();
    qsizetype pos = 0;
    auto read = [&](int bytes) -> std::uint16_t {
        const std::uint16_t value = bytes == 1 ? data[pos] : qFromLittleEndian<std::uint16_t>(data + pos);
        pos += bytes;
        return value;
    };
    if (size < 4)
        return;
    FShapeWidth = read(2);
    FShapeHeight = read(2);
    // 255 is the largest size with one-byte fields.
    const int xBytes = FShapeWidth < 256 ? 1 : 2;
    const int yBytes = FShapeHeight < 256 ? 1 : 2;
    const int segmentBytes = 2 * xBytes + yBytes;
    while (pos + segmentBytes <= size) {
        TRegionSegment s{};
        s.X1 = read(xBytes);
        s.X2 = read(xBytes);
        s.Y = read(yBytes);
        FSegments.push_back(s);
    }
}

QByteArray TRegion::EncodeSegments(std::uint16_t width, std::uint16_t height,
                                   const std::vector<TRegionSegment>& segments)
{
    QByteArray data;
    auto put = [&data](std::uint16_t value, int bytes) {
        char b[2];
        qToLittleEndian<std::uint16_t>(value, b);
        data.append(b, bytes);
    };
    put(width, 2);
    put(height, 2);
    const int xBytes = width < 256 ? 1 : 2;
    const int yBytes = height < 256 ? 1 : 2;
    for (const TRegionSegment& s : segments) {
        put(s.X1, xBytes);
        put(s.X2, xBytes);
        put(s.Y, yBytes);
    }
    return data;
}

void TRegion::PaintToBitmap(TBitmap* Bitmap, TColor Background, TColor Foreground)
{
    if (!Bitmap)
        return;
    Bitmap->SetSize(FShapeWidth, FShapeHeight);
    TCanvas& canvas = Bitmap->Canvas();
    canvas.Brush = {Background, bsSolid};
    canvas.Pen.Color = Background;
    const QRect clip = canvas.ClipRect();
    canvas.Rectangle(clip.left(), clip.top(), clip.left() + clip.width(), clip.top() + clip.height());
    canvas.Pen.Color = Foreground;
    for (const TRegionSegment& s : FSegments) {
        canvas.MoveTo(s.X1, s.Y);
        canvas.LineTo(s.X2, s.Y);
    }
}

void TRegion::ReadRegData(QIODevice& Stream)
{
    const QByteArray lengthBytes = Stream.read(4);
    RegData.clear();
    if (lengthBytes.size() < 4)
        return;
    const quint32 length = qFromLittleEndian<quint32>(lengthBytes.constData());
    RegData = Stream.read(qint64(length));
}

void TRegion::WriteRegData(QIODevice& Stream) const
{
    char length[4];
    qToLittleEndian<quint32>(quint32(RegData.size()), length);
    Stream.write(length, 4);
    Stream.write(RegData);
}

QRegion TRegion::traced()
{
    TBitmap mask;
    PaintToBitmap(&mask, clWhite, clBlack);
    return funkcije::BitmapToRegion(mask);
}
