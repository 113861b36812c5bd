// Drawing with any coordinates and pens: lines, rectangles and fills at any
// int position (the limits included) and pen widths up to 64 stay inside the
// bitmap, which keeps its size, and run without undefined behaviour (the
// fuzzer and the sanitizer build check that).
//
// The input is a list of 9-byte commands: an operation byte, then two 32-bit
// little-endian values.
#include "platform/raster/Graphics.h"

#include <QtEndian>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TBitmap bitmap(37, 23);
    TCanvas& c = bitmap.Canvas();
    QPoint corner;
    for (std::size_t at = 0; at + 9 <= size; at += 9) {
        const int a = qFromLittleEndian<std::int32_t>(data + at + 1);
        const int b = qFromLittleEndian<std::int32_t>(data + at + 5);
        switch (data[at] % 6) {
        case 0:
            c.MoveTo(a, b);
            break;
        case 1:
            c.LineTo(a, b);
            break;
        case 2:
            corner = QPoint(a, b);
            break;
        case 3:
            c.Rectangle(corner.x(), corner.y(), a, b);
            break;
        case 4:
            c.FillRect(QRect(corner, QPoint(a, b)));
            break;
        case 5:
            c.Pen.Width = 1 + (a & 63);
            c.Pen.Color = TColor(b) & 0x00FFFFFF;
            c.Brush.Style = b < 0 ? bsClear : bsSolid;
            break;
        }
    }
    if (bitmap.Width() != 37 || bitmap.Height() != 23)
        std::abort();
    return 0;
}
