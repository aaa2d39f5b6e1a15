#include "shell/colour_dialog.h"

#include "port/port.h"
#include "port/session.h"

namespace zelk {
namespace {

struct Swatch {
  const char* key;
  const char* label;
};
// Keys avoid '#', which starts a comment in scripts.
constexpr Swatch kSwatches[7] = {{"colour1", "#1"},         {"colour2", "#2"}, {"colour3", "#3"},
                                 {"colour4", "#4"},         {"axis_text", "Axis Text"},
                                 {"border", "Border"},      {"background", "Background"}};

}  // namespace

unsigned rgb_value(Rgb c) { return (unsigned{c.r} << 16) | (unsigned{c.g} << 8) | unsigned{c.b}; }

Rgb rgb_of(unsigned v) {
  return {static_cast<std::uint8_t>((v >> 16) & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
          static_cast<std::uint8_t>(v & 0xFF)};
}

ColourDialog::ColourDialog(ColourTable& table) : Dialog("Customize Colors"), table_(table) {
  add(ControlKind::Group, "plots", "Plots");
  for (const Swatch& s : kSwatches) add(ControlKind::Radio, s.key, s.label, "plots");
  control("colour1").checked = true;
  add(ControlKind::Picture, "swatches", "");
  add(ControlKind::Button, "choose", "Choose Color");
  for (int i = 0; i < 7; ++i) remembered_[static_cast<std::size_t>(i)] = entry(i);
}

Rgb& ColourDialog::entry(int swatch) {
  switch (swatch) {
    case 4: return table_.further[3];  // axis text
    case 5: return table_.further[2];  // border
    case 6: return table_.further[0];  // background
    default: return table_.pane[static_cast<std::size_t>(swatch)];
  }
}

int ColourDialog::checked_swatch() const {
  for (int i = 0; i < 7; ++i)
    if (control(kSwatches[i].key).checked) return i;
  return 0;
}

void ColourDialog::button_pressed(std::string_view key, UiPort& port) {
  if (key != "choose") return;
  Rgb& target = entry(checked_swatch());
  unsigned value = rgb_value(target);
  if (port.choose_colour(value)) target = rgb_of(value);
}

void ColourDialog::cancelled(UiPort&) {
  for (int i = 0; i < 7; ++i) entry(i) = remembered_[static_cast<std::size_t>(i)];
}

std::optional<DisplayList> ColourDialog::picture(std::string_view key, double w, double h) {
  if (key != "swatches") return std::nullopt;
  DisplayList d;
  d.width = w;
  d.height = h;
  d.background = {255, 255, 255};
  const double row = h / 7, label_width = w * 0.4;
  const int on = checked_swatch();
  for (int i = 0; i < 7; ++i) {
    const double y = row * i;
    d.items.push_back(TextItem{{4, y + row / 2}, kSwatches[i].label, "Serif", row * 0.5, {0, 0, 0}, HAlign::Left,
                               VAlign::Middle});
    RectItem swatch{label_width, y + 2, w - label_width - 4, row - 4, Pen{{0, 0, 0}, i == on ? 3.0 : 1.0}, true,
                    entry(i)};
    d.items.push_back(swatch);
  }
  return d;
}

void customize_colours(Session& s) {
  ColourDialog dialog(s.colours);
  s.port.run_dialog(dialog);
}

}  // namespace zelk
