#include "shell/operations.h"

namespace zelk {

void register_univariate_operations(OperationTable& /*table*/) {}

}  // namespace zelk
