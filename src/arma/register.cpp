#include "arma/arma_ops.h"
#include "shell/operations.h"

namespace zelk {

void register_arma_operations(OperationTable& table) {
  table.univariate[40045] = specify_model;
  table.univariate[40079] = max_likelihood;
  table.univariate[40090] = ar_ma_infinity;
  table.univariate[40105] = switch_to_invertible;
  table.slots[Slot::ArmaInfinity].refresh = write_ar_ma_infinity;
  table.slots[Slot::ArmaInfinity].write_info = write_ar_ma_infinity;
  for (auto make : {make_specify_model_dialog, make_mle_dialog, make_constrain_dialog, make_mle_continue_dialog,
                    make_subtract_mean_dialog, make_fractional_mle_dialog})
    table.dialogs.push_back(make);
}

}  // namespace zelk
