#pragma once
// "Spectrum smoothing" for the cross-spectrum: a chain of Daniell filters.
// The dialog edits a copy of the settings; Apply hands the current weights
// to the caller, OK keeps the copy, Cancel hands back the weights in force
// when the dialog opened.
#include <functional>
#include <vector>

#include "port/dialog.h"

namespace zelk {

inline constexpr int kMaxDaniellFilters = 50;

struct DaniellSettings {
  int count = 0;
  std::vector<int> orders = std::vector<int>(kMaxDaniellFilters, 0);  // half-widths of filters 1..50
  std::vector<double> weights() const;  // composite W[0..M]; {1} when there are none
};

class SmoothSpectrumDialog : public Dialog {
 public:
  using Apply = std::function<void(const std::vector<double>& weights)>;
  SmoothSpectrumDialog(DaniellSettings& settings, Apply apply);

  bool field_changed(std::string_view key, UiPort& port) override;
  void button_pressed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;
  void cancelled(UiPort& port) override;

 private:
  void rebuild();
  DaniellSettings& settings_;
  DaniellSettings work_;
  Apply apply_;
  int selected_ = 0;
};

}  // namespace zelk
