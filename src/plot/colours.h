#pragma once
// The colour table shared by every graph: 25 pane colours and 5 further
// settings (background, -, border, axis text, rubber band source).
#include <array>
#include <cstdint>

namespace zelk {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct ColourTable {
  std::array<Rgb, 25> pane{};     // pane i uses pane[i-1]
  std::array<Rgb, 5> further{};   // further i at further[i-1]
  static ColourTable defaults();
  friend bool operator==(const ColourTable&, const ColourTable&) = default;
};

}  // namespace zelk
