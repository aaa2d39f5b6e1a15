#pragma once
// "Specify Model": orders, coefficient lists with an edit under each,
// white-noise variance, the fractional settings and the "Causal/Invertible"
// check. It edits a copy of the model; the caller stores result() on OK.
#include <string>

#include "model/arma_model.h"
#include "port/dialog.h"

namespace zelk {

class SpecifyModelDialog : public Dialog {
 public:
  explicit SpecifyModelDialog(const ArmaModel& model);

  bool field_changed(std::string_view key, UiPort& port) override;
  void enter_pressed(std::string_view key, UiPort& port) override;
  void button_pressed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;

  // The model as accepted: coefficients zero beyond the orders, the free list
  // rebuilt from the non-zero coefficients, no relations.
  ArmaModel result() const;

 private:
  struct Side {
    const char* order_key;
    const char* list_key;
    const char* edit_key;
    const char* name;   // "Phi" or "Theta"
    int* order;
    double* coef;
    int selected = 0;
  };
  Side& side(std::string_view key);
  bool order_changed(Side& s, UiPort& port);
  bool coefficient_changed(Side& s);
  void rebuild(Side& s);
  void select(Side& s, int index);
  // Variance, d or M from its edit; refused with the field's message.
  bool read_field(std::string_view key, UiPort& port);

  ArmaModel m_;
  Side ar_, ma_;
};

}  // namespace zelk
