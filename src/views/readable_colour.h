// Text colours that stay legible on the page they are drawn on: a light
// colour of the colour table (yellow, cyan, light green) is darkened on a
// light background, a dark one lightened on a dark background, keeping its
// hue, until it stands out enough to be read.
#pragma once

#include "views/canvas.h"

namespace malvex {

// Contrast ratio at least reached between text and background: 3 to 1,
// the common floor for legible text.
inline constexpr double kMinimalTextContrast = 3.0;

// Relative luminance of a colour (0 black .. 1 white).
double Luminance(Colour colour);
// Contrast ratio of two colours, 1 (none) to 21 (black on white).
double ContrastRatio(Colour a, Colour b);

// `text` itself when it reaches kMinimalTextContrast on `background`;
// otherwise the colour of the same hue, darkened (light background) or
// lightened (dark background) just enough to reach it.
Colour ReadableColour(Colour text, Colour background);

}  // namespace malvex
