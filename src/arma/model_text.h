#pragma once
// The lines that print the current model in every report: "ARMA Model: "
// and the equation, four terms a line.
#include "model/arma_model.h"
#include "plot/document.h"

namespace zelk {

void write_model_text(TextDocument& doc, const ArmaModel& model);

}  // namespace zelk
