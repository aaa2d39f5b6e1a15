#include "shell/operations.h"

namespace zelk {

void register_multivariate_operations(OperationTable& /*table*/) {}

}  // namespace zelk
