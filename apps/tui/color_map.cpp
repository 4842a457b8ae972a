#include "tui/color_map.h"

#include <array>
#include <cstdlib>

namespace zel::tui {

namespace {

struct Rgb {
  int r, g, b;
};

Rgb Split(Color c) { return {c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF}; }

int Distance(const Rgb& a, const Rgb& b) {
  // Weighted as the eye sees differences (green most, blue least).
  const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

constexpr std::array<int, 6> kCubeLevels = {0, 95, 135, 175, 215, 255};

int NearestLevel(int v) {
  int best = 0;
  for (int i = 1; i < 6; ++i) {
    if (std::abs(kCubeLevels[i] - v) < std::abs(kCubeLevels[best] - v)) best = i;
  }
  return best;
}

}  // namespace

int NearestColor(Color color, int colors) {
  const Rgb c = Split(color);
  if (colors >= 256) {
    const int ri = NearestLevel(c.r), gi = NearestLevel(c.g), bi = NearestLevel(c.b);
    const Rgb cube{kCubeLevels[ri], kCubeLevels[gi], kCubeLevels[bi]};
    const int cube_index = 16 + 36 * ri + 6 * gi + bi;
    // The grey ramp: 232 + i is 8 + 10 i.
    const int avg = (c.r + c.g + c.b) / 3;
    int gi_ramp = (avg - 3) / 10;
    gi_ramp = gi_ramp < 0 ? 0 : gi_ramp > 23 ? 23 : gi_ramp;
    const int level = 8 + 10 * gi_ramp;
    const Rgb grey{level, level, level};
    return Distance(c, grey) < Distance(c, cube) ? 232 + gi_ramp : cube_index;
  }
  // The basic colours as most terminals show them; white is the light grey of a white-on-
  // black terminal, so pale colours (headers, code-help cells) still land on it.
  static constexpr std::array<Rgb, 8> kBasic = {{{0, 0, 0},
                                                 {205, 0, 0},
                                                 {0, 205, 0},
                                                 {205, 205, 0},
                                                 {0, 0, 238},
                                                 {205, 0, 205},
                                                 {0, 205, 205},
                                                 {229, 229, 229}}};
  int best = 0;
  for (int i = 1; i < 8; ++i) {
    if (Distance(c, kBasic[i]) < Distance(c, kBasic[best])) best = i;
  }
  return best;
}

}  // namespace zel::tui
