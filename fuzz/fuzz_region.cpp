// Shape data from anywhere: decoding never reads past the data, gives one
// segment per whole segment of bytes, which encode back to the same bytes,
// and painting a decoded shape of up to 2048 x 2048 pixels stays inside its
// bitmap.
#include "region/Region.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TRegion shape;
    shape.RegData = QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
    shape.SetEnabled(true);
    if (size >= 4) {
        const int segmentBytes = 2 * (shape.FShapeWidth < 256 ? 1 : 2) + (shape.FShapeHeight < 256 ? 1 : 2);
        if (shape.FSegments.size() != (size - 4) / size_t(segmentBytes))
            std::abort();
        // Encoding what was decoded gives back the data up to its last whole segment.
        const QByteArray whole = shape.RegData.left(qsizetype(4 + shape.FSegments.size() * size_t(segmentBytes)));
        if (TRegion::EncodeSegments(shape.FShapeWidth, shape.FShapeHeight, shape.FSegments) != whole)
            std::abort();
    } else if (!shape.FSegments.empty()) {
        std::abort();
    }
    if (shape.FShapeWidth <= 2048 && shape.FShapeHeight <= 2048) {
        TBitmap bitmap;
        shape.PaintToBitmap(&bitmap, clWhite, clBlack);
        const int expectedWidth = shape.FShapeWidth && shape.FShapeHeight ? shape.FShapeWidth : 0;
        if (bitmap.Width() != expectedWidth)
            std::abort();
    }
    shape.SetEnabled(false);
    return 0;
}
