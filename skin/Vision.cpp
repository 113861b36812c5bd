#include "skin/Vision.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// Machado, Oliveira and Fernandes, "A Physiologically-based Model for
// Simulation of Color Vision Deficiency" (IEEE TVCG 15(6), 2009): the
// matrices for severity 1.0, on linear RGB.
const Matrix protanopia = {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216},
                            {-0.003882, -0.048116, 1.051998}}};
const Matrix deuteranopia = {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413},
                              {-0.011820, 0.042940, 0.968881}}};
const Matrix tritanopia = {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602},
                            {0.004733, 0.691367, 0.303900}}};

const Matrix& matrixOf(Vision vision)
{
    switch (vision) {
    case Vision::Protanopia: return protanopia;
    case Vision::Deuteranopia: return deuteranopia;
    default: return tritanopia;
    }
}

// sRGB's encoding, the inverse of linearChannel, rounded to a channel.
int encodedByFormula(double value)
{
    const double l = std::clamp(value, 0.0, 1.0);
    const double c = l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055;
    return int(std::floor(c * 255 + 0.5));
}

// The same rounded to a channel without a power: the least linear value
// that encodes to each channel value, found once on the formula itself,
// then counted by a binary search.
int encoded(double value)
{
    static const std::array<double, 256> least = [] {
        std::array<double, 256> t{};
        for (int k = 1; k < 256; ++k) {
            double lo = 0, hi = 1;
            for (int i = 0; i < 64; ++i) {
                const double mid = (lo + hi) / 2;
                (encodedByFormula(mid) >= k ? hi : lo) = mid;
            }
            t[size_t(k)] = hi;
        }
        return t;
    }();
    return int(std::upper_bound(least.begin() + 1, least.end(), value) - least.begin()) - 1;
}

} // namespace

double linearChannel(int channel)
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[size_t(i)] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table[size_t(channel)];
}

QString visionName(Vision vision)
{
    switch (vision) {
    case Vision::Normal: return QStringLiteral("normal");
    case Vision::Protanopia: return QStringLiteral("protanopia");
    case Vision::Deuteranopia: return QStringLiteral("deuteranopia");
    case Vision::Tritanopia: return QStringLiteral("tritanopia");
    }
    return {};
}

std::optional<Vision> visionNamed(const QString& name)
{
    for (const Vision vision : Visions)
        if (name == visionName(vision))
            return vision;
    return std::nullopt;
}

QRgb simulateVision(QRgb colour, Vision vision)
{
    if (vision == Vision::Normal)
        return colour | 0xFF000000u;
    const Matrix& m = matrixOf(vision);
    const double in[3] = {linearChannel(qRed(colour)), linearChannel(qGreen(colour)), linearChannel(qBlue(colour))};
    int out[3];
    for (int row = 0; row < 3; ++row)
        out[row] = encoded(m[size_t(row)][0] * in[0] + m[size_t(row)][1] * in[1] + m[size_t(row)][2] * in[2]);
    return qRgb(out[0], out[1], out[2]);
}

QImage simulateVision(const QImage& picture, Vision vision)
{
    const QImage in = picture.convertToFormat(QImage::Format_RGB32);
    QImage out(in.size(), QImage::Format_RGB32);
    // A skin's picture holds few colours, mostly repeated from the pixel
    // to the left or above: each colour is simulated once, and a repeat
    // takes its neighbour's result without a look-up.
    QHash<QRgb, QRgb> seen;
    seen.reserve(1024);
    const QRgb* above = nullptr;
    const QRgb* aboveOut = nullptr;
    const int width = in.width(), height = in.height();
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        auto* lineOut = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (x > 0 && line[x] == line[x - 1]) {
                lineOut[x] = lineOut[x - 1];
            } else if (above && line[x] == above[x]) {
                lineOut[x] = aboveOut[x];
            } else {
                auto it = seen.constFind(line[x]);
                if (it == seen.constEnd())
                    it = seen.insert(line[x], simulateVision(line[x], vision));
                lineOut[x] = *it;
            }
        }
        above = line;
        aboveOut = lineOut;
    }
    return out;
}
