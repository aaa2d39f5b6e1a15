#pragma once
// "Transfer Function Model Parameters": the input and output series, and
// three tabs (input model, transfer function, noise model), each with two
// coefficient lists, their order edits and value edits, an extra field and
// the "Causal/Invertible" check. It edits a copy; the caller stores
// result() on OK. "Transfer Function Estimation" and "Transfer forecasts"
// follow.
#include <string>
#include <vector>

#include "model/transfer_model.h"
#include "port/dialog.h"

namespace zelk {

class TransferModelDialog : public Dialog {
 public:
  // `names` labels the project's components in the two combo boxes.
  TransferModelDialog(const TransferModel& model, const std::vector<std::string>& names);

  bool field_changed(std::string_view key, UiPort& port) override;
  void enter_pressed(std::string_view key, UiPort& port) override;
  void button_pressed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;

  // The model as accepted: coefficients zero beyond the orders, not estimated.
  TransferModel result() const;

 private:
  struct Side {
    std::string order_key, list_key, edit_key;
    std::string entry;      // "Phi(", "W(", "Phi(N, "...
    const char* too_large;  // the message for an order above 10
    int* order;
    double* coef;
    int base = 1;           // index of the first coefficient: 0 for W
    int selected = 0;
    int count() const { return *order + (base == 0 ? 1 : 0); }
  };
  struct Tab {
    std::string prefix;
    Side* ar;  // the polynomial tested for causality
    Side* ma;  // and the one tested for invertibility
  };
  Side* side(std::string_view key);
  void add_side(Side& s, const std::string& list_label, const std::string& order_label);
  bool order_changed(Side& s, UiPort& port);
  bool coefficient_changed(Side& s);
  void rebuild(Side& s);
  void select(Side& s, int index);
  bool read_variance(const std::string& key, TransferArma& a, UiPort& port);
  bool read_delay(UiPort& port);
  void show_tab(int tab);
  // Causal (ar) and invertible (ma) for a tab's two polynomials.
  std::pair<bool, bool> check(int tab) const;

  TransferModel m_;
  Side in_ar_, in_ma_, den_, num_, noise_ar_, noise_ma_;
};

struct TransferEstimationSettings {
  bool no_optimization = false;
  double step = 0.1;
};

// "Transfer Function Estimation": the no-optimization check and the step.
class TransferEstimationDialog : public Dialog {
 public:
  explicit TransferEstimationDialog(TransferEstimationSettings& settings);
  bool accept(UiPort& port) override;

 private:
  TransferEstimationSettings& settings_;
};

struct TransferForecastSettings {
  int count = 10;  // h, 1..20
  int level = 95;
  bool plot_bounds = true;
};

// "Transfer forecasts".
class TransferForecastDialog : public Dialog {
 public:
  explicit TransferForecastDialog(TransferForecastSettings& settings);
  bool accept(UiPort& port) override;

 private:
  TransferForecastSettings& settings_;
};

}  // namespace zelk
