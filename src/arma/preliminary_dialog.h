#pragma once
// "Preliminary Estimation": the orders, the AR methods (Yule-Walker, Burg,
// the minimum-AICC search) and the MA/ARMA methods (Hannan-Rissanen,
// innovations with its autocovariance count), with the rules that enable
// each group from the orders; and the " Preliminary estimation" question
// after a non-causal fit.
#include "arma/preliminary.h"
#include "port/dialog.h"

namespace zelk {

// What the dialog starts from and what OK writes back; remembered per project.
struct PreliminarySettings {
  int p = 0, q = 0;
  PreliminaryMethod method = PreliminaryMethod::YuleWalker;
  int acvf_entry = 0;  // the entered number of ACVFs; 0 asks for the automatic count
};

class PreliminaryDialog : public Dialog {
 public:
  explicit PreliminaryDialog(PreliminarySettings& settings);

  bool field_changed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;

 private:
  // Reads an order edit; refuses with its message.
  bool read_order(std::string_view key, UiPort& port, int& order);
  void enable_for_orders(bool reset_acvf);
  bool selected(std::string_view key) const;

  PreliminarySettings& settings_;
  int p_ = 0, q_ = 0;
};

// " Preliminary estimation": OK is "Continue", Cancel "Try another model/method".
class PreliminaryContinueDialog : public Dialog {
 public:
  PreliminaryContinueDialog();
  std::string ok_label() const override { return "Continue"; }
  std::string cancel_label() const override { return "Try another model/method"; }
};

}  // namespace zelk
