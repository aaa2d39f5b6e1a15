#include "shell/operations.h"

namespace zelk {

void register_project_operations(OperationTable& /*table*/) {}

}  // namespace zelk
