#include "skin/Readability.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <unordered_map>

double contrastRatio(QRgb a, QRgb b)
{
    // WCAG's relative luminance. Its threshold of the sRGB curve (0.03928)
    // and sRGB's own (0.04045) decide alike for every 8-bit channel.
    const auto luminance = [](QRgb c) {
        return 0.2126 * linearChannel(qRed(c)) + 0.7152 * linearChannel(qGreen(c)) + 0.0722 * linearChannel(qBlue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

namespace {

// sRGB (as doubles, so that nothing is tabulated on the way) to CIELAB,
// made once; without a cache it may serve any thread.
class LabTransform
{
public:
    LabTransform()
    {
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
        m_transform = cmsCreateTransform(srgb, TYPE_RGB_DBL, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC,
                                         cmsFLAGS_NOCACHE | cmsFLAGS_NOOPTIMIZE);
        cmsCloseProfile(srgb);
        cmsCloseProfile(lab);
    }
    ~LabTransform() { cmsDeleteTransform(m_transform); }
    LabTransform(const LabTransform&) = delete;
    LabTransform& operator=(const LabTransform&) = delete;

    Lab operator()(QRgb colour) const
    {
        const double rgb[3] = {qRed(colour) / 255.0, qGreen(colour) / 255.0, qBlue(colour) / 255.0};
        cmsCIELab lab;
        cmsDoTransform(m_transform, rgb, &lab, 1);
        return {lab.L, lab.a, lab.b};
    }

private:
    cmsHTRANSFORM m_transform;
};

} // namespace

Lab cielab(QRgb colour)
{
    static const LabTransform transform;
    return transform(colour);
}

double ciede2000(const Lab& a, const Lab& b)
{
    const cmsCIELab la{a[0], a[1], a[2]}, lb{b[0], b[1], b[2]};
    return cmsCIE2000DeltaE(&la, &lb, 1, 1, 1);
}

QString imagePageName(int image)
{
    return QString::fromLatin1(SkinImageNames[size_t(image)]).mid(3); // without "bmp"
}

bool Readability::ok() const
{
    return std::all_of(contrast.begin(), contrast.end(), [](const ContrastFigure& f) { return f.ok(); })
           && std::all_of(differences.begin(), differences.end(), [](const DifferenceFigure& f) { return f.ok(); });
}

namespace {

using Counts = std::unordered_map<QRgb, int>;

// The fill of one image as a cell shows it: which pixels are fill (inside
// the cell's shape, off the outline), row by row.
class Fill
{
public:
    Fill(int image, const QRegion& shape) : m_picture(skinImage(image).image())
    {
        const QImage& outline = skinOutline(image);
        const QRect frame = m_picture.rect();
        m_inside.assign(size_t(frame.width() * frame.height()), false);
        for (const QRect& r : shape.isEmpty() ? QRegion(frame) : shape & frame)
            for (int y = r.top(); y <= r.bottom(); ++y) {
                const auto* line = reinterpret_cast<const QRgb*>(outline.constScanLine(y));
                for (int x = r.left(); x <= r.right(); ++x)
                    m_inside[size_t(y * frame.width() + x)] = qRed(line[x]) != 0;
            }
    }

    // How many fill pixels of each colour lie inside `box`. Gradients
    // repeat a colour to the left or above: a repeat counts on its
    // neighbour's entry without a look-up (a node's place never moves).
    Counts colours(const QRect& box) const
    {
        Counts out;
        const QRect r = box & m_picture.rect();
        std::vector<int*> aboveCount(size_t(m_picture.width()), nullptr);
        const QRgb* above = nullptr;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(m_picture.constScanLine(y));
            int* left = nullptr;
            for (int x = r.left(); x <= r.right(); ++x) {
                int*& count = aboveCount[size_t(x)];
                if (!m_inside[size_t(y * m_picture.width() + x)]) {
                    count = left = nullptr;
                    continue;
                }
                if (left && line[x] == line[x - 1])
                    count = left;
                else if (!(count && line[x] == above[x]))
                    count = &out[line[x] | 0xFF000000u];
                ++*count;
                left = count;
            }
            above = line;
        }
        return out;
    }
    Counts colours() const { return colours(m_picture.rect()); }

private:
    const QImage& m_picture;
    std::vector<bool> m_inside;
};

// The mean colour in CIELAB of pixels counted by colour, as seen with `vision`.
Lab meanLab(const Counts& counts, Vision vision)
{
    Lab sum{0, 0, 0};
    double n = 0;
    for (const auto& [colour, count] : counts) {
        const Lab lab = cielab(simulateVision(colour, vision));
        for (size_t i = 0; i < 3; ++i)
            sum[i] += lab[i] * count;
        n += count;
    }
    if (n > 0)
        for (double& v : sum)
            v /= n;
    return sum;
}

} // namespace

Readability measureReadability(const std::vector<TZlatovirCelija*>& cells)
{
    std::map<int, std::unique_ptr<Fill>> fills; // by image, from the first cell showing it
    std::map<std::pair<int, CellText::Role>, double> lowest;
    for (TZlatovirCelija* cell : cells) {
        const int image = cell->shownImage();
        if (image < 0)
            continue;
        auto& fill = fills[image];
        if (!fill)
            fill = std::make_unique<Fill>(image, cell->mask());
        for (const CellText& text : cell->texts()) {
            const Counts under = fill->colours(text.box);
            if (under.empty())
                continue; // nothing written, or nothing of the fill under it
            const QRgb ink = resolveColor(text.font.Color);
            auto [it, made] = lowest.try_emplace({image, text.role}, 21.0);
            for (const auto& [colour, count] : under)
                it->second = std::min(it->second, contrastRatio(ink, colour));
        }
    }
    Readability out;
    for (const auto& [key, ratio] : lowest)
        out.contrast.push_back({key.first, key.second, ratio,
                                key.second == CellText::Letter ? LetterContrastNeeded : CaptionContrastNeeded});

    static constexpr std::pair<int, int> pairs[] = {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}, {5, 6}};
    std::map<int, Counts> counts;
    for (const auto& [image, fill] : fills)
        counts[image] = fill->colours();
    for (const Vision vision : Visions) {
        std::map<int, Lab> means;
        for (const auto& [image, count] : counts)
            means[image] = meanLab(count, vision);
        for (const auto& [first, second] : pairs)
            if (means.count(first) && means.count(second))
                out.differences.push_back(
                    {vision, first, second, ciede2000(means[first], means[second]), DifferenceNeeded});
    }
    return out;
}
