#include "plot/colours.h"

namespace zelk {

ColourTable ColourTable::defaults() {
  ColourTable t;
  const Rgb teal{0, 160, 128}, red{220, 35, 63};
  for (auto& c : t.pane) c = red;  // 11 to 25
  t.pane[0] = t.pane[2] = t.pane[4] = teal;
  t.pane[1] = t.pane[3] = t.pane[5] = red;
  t.pane[6] = {146, 42, 130};
  t.pane[7] = {110, 174, 64};
  t.pane[8] = {0, 0, 0};
  t.pane[9] = {255, 255, 255};
  t.further = {Rgb{255, 255, 255}, Rgb{0, 0, 15}, Rgb{0, 0, 128}, Rgb{0, 0, 0}, Rgb{240, 0, 160}};
  return t;
}

}  // namespace zelk
