#include "views/readable_colour.h"

#include <algorithm>
#include <cmath>

namespace malvex {

namespace {

double Linear(int component) {
  const double c = component / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int Red(Colour c) { return static_cast<int>(c & 0xFF); }
int Green(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(std::clamp(r, 0, 255)) | static_cast<Colour>(std::clamp(g, 0, 255)) << 8 |
         static_cast<Colour>(std::clamp(b, 0, 255)) << 16;
}

// `c` moved a fraction `t` (0..1) of the way toward `target`.
Colour Mix(Colour c, Colour target, double t) {
  auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
  return Rgb(mix(Red(c), Red(target)), mix(Green(c), Green(target)), mix(Blue(c), Blue(target)));
}

}  // namespace

double Luminance(Colour colour) {
  return 0.2126 * Linear(Red(colour)) + 0.7152 * Linear(Green(colour)) + 0.0722 * Linear(Blue(colour));
}

double ContrastRatio(Colour a, Colour b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour ReadableColour(Colour text, Colour background) {
  if (ContrastRatio(text, background) >= kMinimalTextContrast) return text;
  // Toward black on a light page, toward white on a dark one; black or
  // white itself always reaches the floor on the side chosen.
  const Colour target = Luminance(background) > 0.18 ? kBlack : kWhite;
  // The smallest step that is enough, found by halving (the contrast grows
  // with the step).
  double low = 0.0;
  double high = 1.0;
  for (int i = 0; i < 12; ++i) {
    const double mid = (low + high) / 2;
    if (ContrastRatio(Mix(text, target, mid), background) >= kMinimalTextContrast) {
      high = mid;
    } else {
      low = mid;
    }
  }
  return Mix(text, target, high);
}

}  // namespace malvex
