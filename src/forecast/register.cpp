#include "shell/operations.h"

namespace zelk {

void register_forecast_operations(OperationTable& /*table*/) {}

}  // namespace zelk
