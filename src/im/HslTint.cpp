#include "im/HslTint.h"

#include <algorithm>
#include <cmath>

namespace {

// std::nearbyint rounds in the current mode, which is to nearest with halves to even.
int roundEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

namespace HslTint {

Hsl toHsl(const Rgb& colour)
{
    const double r = colour.r / 255.0;
    const double g = colour.g / 255.0;
    const double b = colour.b / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    Hsl hsl;
    const double l = (max + min) / 2;
    hsl.l = l * 100;
    if (max == min)
        return hsl;
    const double delta = max - min;
    hsl.s = (l >= 0.5 ? delta / (2 - max - min) : delta / (max + min)) * 100;
    double h;
    if (max == r)
        h = (g - b) / delta;
    else if (max == g)
        h = (b - r) / delta + 2;
    else
        h = (r - g) / delta + 4;
    h /= 6;
    if (h < 0)
        h += 1;
    hsl.h = h * 360;
    return hsl;
}

Rgb fromHsl(const Hsl& hsl)
{
    const double h = hsl.h;
    if (!(h >= 0 && h < 360) || !(hsl.s >= 0 && hsl.s <= 100) || !(hsl.l >= 0 && hsl.l <= 100))
        return Rgb{};
    constexpr double slope = 4.25;
    double c[3];
    if (h <= 60) {
        c[0] = 255, c[1] = h * slope, c[2] = 0;
    } else if (h <= 120) {
        c[0] = 255 - (h - 60) * slope, c[1] = 255, c[2] = 0;
    } else if (h <= 180) {
        c[0] = 0, c[1] = 255, c[2] = (h - 120) * slope;
    } else if (h <= 240) {
        c[0] = 0, c[1] = 255 - (h - 180) * slope, c[2] = 255;
    } else if (h <= 300) {
        c[0] = (h - 240) * slope, c[1] = 0, c[2] = 255;
    } else {
        c[0] = 255, c[1] = 0, c[2] = 255 - (h - 300) * slope;
    }
    const double grey = std::abs(hsl.s - 100) / 100;
    const double f = (hsl.l - 50) / 50;
    int out[3];
    for (int i = 0; i < 3; ++i) {
        double x = roundEven(c[i] - (c[i] - 128) * grey);
        if (f > 0)
            x = roundEven(x + f * (255 - x));
        else if (f < 0)
            x = roundEven(x + f * x);
        out[i] = static_cast<int>(x);
    }
    return Rgb{out[0], out[1], out[2]};
}

Rgb tint(const Rgb& pixel, const Hsl& colour)
{
    Hsl hsl = toHsl(pixel);
    hsl.h = colour.h;
    hsl.s = colour.s;
    return fromHsl(hsl);
}

} // namespace HslTint
