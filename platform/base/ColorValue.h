// ColorValue: the colour value the skin files, the prompts and the drawing
// layer pass around, as a plain number that needs no drawing library.
#pragma once

#include <cstdint>

// A colour as the skin files and the colour boxes hold it: 0x00BBGGRR (low
// byte red), or a system-colour reference 0x80000000 | index. The value is
// carried unchanged everywhere; it is turned into a real colour only at the
// pixel boundary, by resolveColor.
using TColor = std::uint32_t;
