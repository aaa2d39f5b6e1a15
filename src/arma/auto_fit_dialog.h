#pragma once
// "Auto-fit (min AICC)": the box of orders searched, the criterion and
// whether the report keeps the table of every candidate.
#include "arma/auto_fit.h"
#include "port/dialog.h"

namespace zelk {

// What the dialog starts from and what OK writes back; remembered per project.
struct AutoFitSettings {
  AutoFitOptions options;
  bool keep_table = true;
};

class AutoFitDialog : public Dialog {
 public:
  explicit AutoFitDialog(AutoFitSettings& settings);
  bool field_changed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;

 private:
  bool read_order(std::string_view key, UiPort& port, int& order);
  AutoFitSettings& settings_;
};

}  // namespace zelk
