#pragma once
// "Exponential Smoothing", "FFT Smoothing" and "Moving Average Smooth".
// Moving a slider or pressing "Apply" previews through a callback; Cancel
// calls `restore` when anything was previewed, so the caller can bring back
// the previous parameter and result. Settings change on OK only.
#include <functional>
#include <vector>

#include "port/dialog.h"

namespace zelk {

struct SmoothingSettings {
  double alpha = 0;                    // exponential; -1 asks for the best value
  double cutoff = 0;                   // FFT: fraction f of [0, pi] kept
  std::vector<double> weights{1.0};    // moving average w(0..q)
};

struct SmoothingPreview {
  std::function<void(const SmoothingSettings&)> apply;  // smooth and redraw with these values
  std::function<void()> restore;                        // bring back what was there before
};

// The exponential and FFT dialogs: one value, its edit and a 0..1 slider in
// steps of 0.1.
class SliderSmoothDialog : public Dialog {
 public:
  enum class Kind { Exponential, Fft };
  SliderSmoothDialog(Kind kind, SmoothingSettings& settings, SmoothingPreview preview = {});
  bool field_changed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;
  void cancelled(UiPort& port) override;

 private:
  bool read_value(UiPort& port);
  void preview();

  Kind kind_;
  SmoothingSettings& settings_;
  SmoothingPreview preview_;
  double value_;
  bool previewed_ = false;
};

class MovingAverageDialog : public Dialog {
 public:
  MovingAverageDialog(SmoothingSettings& settings, SmoothingPreview preview = {});
  bool field_changed(std::string_view key, UiPort& port) override;
  void enter_pressed(std::string_view key, UiPort& port) override;
  void button_pressed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;
  void cancelled(UiPort& port) override;

 private:
  bool order_changed(UiPort& port);
  bool weight_changed();
  bool weights_usable(UiPort& port);
  void rebuild();
  void select(int index);

  SmoothingSettings& settings_;
  SmoothingPreview preview_;
  std::vector<double> w_;
  int selected_ = 0;
  bool previewed_ = false;
};

}  // namespace zelk
