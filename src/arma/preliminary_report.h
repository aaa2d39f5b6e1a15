#pragma once
// The "Preliminary estimates" report of a preliminary fit.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "arma/preliminary.h"

namespace zelk {


struct PreliminaryReportFacts {
  PreliminaryMethod method = PreliminaryMethod::YuleWalker;
  int n = 0;  // values fitted
  // Coefficients of a fitted regression trend; no value when there is none.
  std::optional<int> regression_coefficients;
};

// The lines of the report; model_lines are the model text as every report
// prints it ("ARMA Model: " and the equation). Values that do not exist
// (too few data, a series of zeros) read "not defined", never NaN or inf.
std::vector<std::string> preliminary_report(const PreliminaryResult& r, const PreliminaryReportFacts& facts,
                                            std::span<const std::string> model_lines);

// The method line of each code.
const char* preliminary_method_line(PreliminaryMethod method);

}  // namespace zelk
