// Region: TRegion, the component carrying a window shape as run-length
// shape data, decoded, painted into a bitmap and traced.
#pragma once

#include "platform/raster/Graphics.h"

#include <QByteArray>
#include <QIODevice>
#include <QObject>
#include <QRegion>

#include <cstdint>
#include <vector>

// The pixels of row Y from column X1 up to, not including, X2.
struct TRegionSegment
{
    std::uint16_t X1;
    std::uint16_t X2;
    std::uint16_t Y;
};

// A window shape carried as data with a window's layout. The shape data
// (RegData) is: width W and height H as 16-bit little-endian values, then
// segments X1, X2, Y to the end, with X1 and X2 one byte each when W is below
// 256 (else two) and Y one byte when H is below 256 (else two). While the
// component is Enabled the data is decoded into FSegments, and the shape can
// be painted into a bitmap.
class TRegion : public QObject
{
    Q_OBJECT

public:
    explicit TRegion(QObject* owner = nullptr);
    ~TRegion() override;

    bool Enabled() const { return FEnabled; }
    // Stores the value; true decodes the segments afresh, false frees them.
    void SetEnabled(bool value);

    // The encoded shape.
    QByteArray RegData;

    // Stored with the layout when not 0; no run-time operation reads them.
    std::uint16_t ObjectLeft = 0;
    std::uint16_t ObjectTop = 0;

    // The shape's size: 0 until data is first decoded, then from its header.
    std::uint16_t FShapeWidth = 0;
    std::uint16_t FShapeHeight = 0;
    std::vector<TRegionSegment> FSegments;

    // Decodes RegData into FSegments. Empty data decodes to no segments and
    // keeps the size; a last segment cut short by the end of the data is
    // skipped.
    void DecodeSegments();
    void ClearSegments() { FSegments.clear(); }
    // The shape data of a shape of the given size made of `segments`: what
    // DecodeSegments reads back.
    static QByteArray EncodeSegments(std::uint16_t width, std::uint16_t height,
                                     const std::vector<TRegionSegment>& segments);

    // Sizes the bitmap to the shape, fills it with Background and draws every
    // segment in Foreground with a 1-pixel pen. A null bitmap is left alone.
    void PaintToBitmap(TBitmap* Bitmap, TColor Background, TColor Foreground);
    // The shape as a window region: painted black on white and traced (the
    // component must be enabled, its segments decoded).
    QRegion traced();

    // The layout's binary property "Data": a 32-bit little-endian length and
    // then the bytes. It is written only when there is data (HasData).
    bool HasData() const { return !RegData.isEmpty(); }
    // Replaces RegData with the block read from the stream; a block cut short
    // keeps what the stream held.
    void ReadRegData(QIODevice& Stream);
    void WriteRegData(QIODevice& Stream) const;

private:
    bool FEnabled = false;
};
