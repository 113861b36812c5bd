// Writes the two window shapes of the main window, as the "Data" blocks of
// its region components, from their row tables:
//   mkshapes OUTDIR  ->  OUTDIR/regPitanje.Data, OUTDIR/RegOdgovor.Data
// The files are committed in resources/; run this only to make them anew.
#include "region/Region.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <vector>

namespace {

struct Row
{
    int x1, x2;
};

// An elongated hexagon with pointed ends, crossed at mid-height by a band
// three rows high across the full width; row r and row H - 1 - r are equal.
std::vector<Row> hexagon(const std::vector<Row>& upper, int width)
{
    std::vector<Row> rows = upper;
    for (int i = 0; i < 3; ++i)
        rows.push_back({0, width});
    for (auto it = upper.rbegin(); it != upper.rend(); ++it)
        rows.push_back(*it);
    return rows;
}

std::vector<Row> questionRows()
{
    const int x1[] = {62, 61, 59, 58, 56, 55, 54, 52, 51, 49, 48, 46, 45, 43, 42,
                      41, 39, 38, 36, 35, 33, 32, 30, 29, 28, 26, 25, 23, 22};
    std::vector<Row> upper;
    for (int x : x1)
        upper.push_back({x, 801 - x});
    return hexagon(upper, 800);
}

std::vector<Row> answerRows()
{
    const int x1[] = {37, 36, 34, 32, 31, 29, 27, 26, 24, 23, 21, 19, 18};
    const int x2[] = {363, 364, 366, 368, 369, 371, 372, 374, 376, 377, 379, 381, 382};
    std::vector<Row> upper;
    for (size_t i = 0; i < std::size(x1); ++i)
        upper.push_back({x1[i], x2[i]});
    return hexagon(upper, 400);
}

QByteArray encode(int width, int height, const std::vector<Row>& rows)
{
    std::vector<TRegionSegment> segments;
    for (size_t y = 0; y < rows.size(); ++y)
        segments.push_back({std::uint16_t(rows[y].x1), std::uint16_t(rows[y].x2), std::uint16_t(y)});
    return TRegion::EncodeSegments(std::uint16_t(width), std::uint16_t(height), segments);
}

bool writeBlock(const QString& path, const QByteArray& data)
{
    TRegion component;
    component.RegData = data;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    component.WriteRegData(file);
    return file.flush();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkshapes OUTDIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const bool ok = writeBlock(dir + QStringLiteral("/regPitanje.Data"), encode(800, 61, questionRows()))
                    && writeBlock(dir + QStringLiteral("/RegOdgovor.Data"), encode(400, 29, answerRows()));
    if (!ok)
        std::fprintf(stderr, "mkshapes: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
