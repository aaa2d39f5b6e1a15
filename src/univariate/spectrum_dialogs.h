#pragma once
// The spectrum dialogs: "Spectrum smoothing" (a chain of Daniell filters with
// a picture of the composite weights), "Fisher Spectrum Test" (the result)
// and the model-spectrum resolution. Each reads its settings struct and
// writes it back only on OK.
#include <array>
#include <functional>
#include <span>
#include <vector>

#include "port/dialog.h"
#include "univariate/spectrum.h"

namespace zelk {

inline constexpr int kMaxDaniellFilters = 50;
// Wider than any periodogram needs (m <= 500,000 for a million points) and
// keeps the weights, L = sum of the orders, to at most 500,001 values.
inline constexpr int kMaxDaniellOrder = 10000;

struct SmoothingSettings {
  int count = 0;
  std::array<int, kMaxDaniellFilters> orders{};  // 0 beyond count
  std::span<const int> active() const { return {orders.data(), static_cast<std::size_t>(count)}; }
  bool operator==(const SmoothingSettings&) const = default;
};

class SpectrumSmoothingDialog : public Dialog {
 public:
  // preview(&s) smooths the periodogram with s and draws it; preview(nullptr)
  // restores what was shown when the dialog opened.
  using Preview = std::function<void(const SmoothingSettings*)>;

  SpectrumSmoothingDialog(SmoothingSettings& settings, Preview preview);

  bool field_changed(std::string_view key, UiPort& port) override;
  void button_pressed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;
  void cancelled(UiPort& port) override;
  std::optional<DisplayList> picture(std::string_view key, double w, double h) override;

  // W(0..L) of the filters as they stand in the dialog.
  const std::vector<double>& weights() const { return weights_; }

 private:
  bool count_changed(UiPort& port);
  bool order_changed(UiPort& port);
  void rebuild_list();
  void select(int index);
  void apply();

  SmoothingSettings& settings_;
  SmoothingSettings working_;
  Preview preview_;
  std::vector<double> weights_;
  int selected_ = 0;
  bool applied_ = false;
  SmoothingSettings last_applied_;
};

// Fisher's result, shown with an OK button only.
class FisherTestDialog : public Dialog {
 public:
  explicit FisherTestDialog(const FisherTest& result);
  bool has_cancel() const override { return false; }
};

inline constexpr int kDefaultResolution = 1024;
inline constexpr int kMinResolution = 100;
// Each grid point is one evaluation and one stored value.
inline constexpr int kMaxResolution = 1000000;

struct ResolutionSettings {
  int M = kDefaultResolution;
};

class ResolutionDialog : public Dialog {
 public:
  explicit ResolutionDialog(ResolutionSettings& settings);
  bool accept(UiPort& port) override;

 private:
  ResolutionSettings& settings_;
};

}  // namespace zelk
