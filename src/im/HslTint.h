#pragma once

// Recolouring of the chat window's pictures: each pixel keeps its lightness and takes the hue
// and saturation of a colour. Pure arithmetic, without images, so that it can be checked pixel
// by pixel.
namespace HslTint {

struct Rgb
{
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
};

// Hue in degrees (0 to below 360), saturation and lightness 0 to 100.
struct Hsl
{
    double h = 0;
    double s = 0;
    double l = 0;
};

Hsl toHsl(const Rgb& colour);
// Black for a hue outside [0, 360) or a saturation or lightness outside [0, 100]. Roundings go
// to the nearest integer, halves to even.
Rgb fromHsl(const Hsl& hsl);
// The pixel with the hue and saturation of the colour and its own lightness.
Rgb tint(const Rgb& pixel, const Hsl& colour);

} // namespace HslTint
