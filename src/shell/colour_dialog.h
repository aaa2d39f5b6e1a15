#pragma once
// "Customize Colors": seven entries of the colour table (the first four pane
// colours, axis text, border, background), each changed through the port's
// colour chooser. A chosen colour goes into the table at once, so the
// caller repaints after the dialog either way; Cancel puts the seven values
// back as they were when the dialog opened.
#include <array>
#include <optional>
#include <string_view>

#include "plot/colours.h"
#include "port/dialog.h"

namespace zelk {

struct Session;

// 0xRRGGBB, the form the port's colour chooser takes.
unsigned rgb_value(Rgb c);
Rgb rgb_of(unsigned value);

class ColourDialog : public Dialog {
 public:
  // Edits `table` in place; the table must outlive the dialog.
  explicit ColourDialog(ColourTable& table);

  void button_pressed(std::string_view key, UiPort& port) override;
  void cancelled(UiPort& port) override;
  // The seven swatches, each with its label, the checked one framed.
  std::optional<DisplayList> picture(std::string_view key, double w, double h) override;

  // The table entry a swatch stands for: 0..6 in the order shown.
  Rgb& entry(int swatch);

 private:
  int checked_swatch() const;
  ColourTable& table_;
  std::array<Rgb, 7> remembered_{};
};

// The Customize Colors command: runs the dialog on the session's table. The
// caller repaints every window afterwards, as a Cancel may have put back
// colours that a chooser had changed.
void customize_colours(Session& s);

}  // namespace zelk
