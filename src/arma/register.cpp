#include "shell/operations.h"

namespace zelk {

void register_arma_operations(OperationTable& /*table*/) {}

}  // namespace zelk
