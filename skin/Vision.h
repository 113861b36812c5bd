// Vision: a picture as players with a colour-vision deficiency see it.
#pragma once

#include <QImage>
#include <QRgb>
#include <QString>

#include <optional>

enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
constexpr Vision Visions[] = {Vision::Normal, Vision::Protanopia, Vision::Deuteranopia, Vision::Tritanopia};

// "normal", "protanopia", "deuteranopia", "tritanopia".
QString visionName(Vision vision);
std::optional<Vision> visionNamed(const QString& name);

// An 8-bit sRGB channel decoded to linear light, 0 to 1.
double linearChannel(int channel);

// The colour as seen with `vision`: the simulation of Machado, Oliveira and
// Fernandes (2009) at full severity, applied in linear RGB (sRGB decoded),
// clipped to the gamut and encoded to sRGB again, rounded to nearest.
QRgb simulateVision(QRgb colour, Vision vision);
// Every pixel of the picture so, as an opaque RGB32 picture.
QImage simulateVision(const QImage& picture, Vision vision);
