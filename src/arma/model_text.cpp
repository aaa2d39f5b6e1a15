#include "arma/model_text.h"

#include <cmath>
#include <string>

#include "plot/format.h"

namespace zelk {
namespace {

std::string number(double x) { return trim(format_decimals(x, 4)); }

// One "sign value X(t-i) " term. The first term of an equation has no "+".
std::string term(double value, bool first, const char* var, int lag) {
  const char* sign = std::signbit(value) && value != 0 ? " -" : (first ? "  " : " +");
  return std::string(sign) + " " + number(std::fabs(value)) + " " + var + "(t-" + std::to_string(lag) + ") ";
}

}  // namespace

void write_model_text(TextDocument& doc, const ArmaModel& m) {
  doc.write_line("ARMA Model: ");
  std::string line;
  if (m.fractional) {
    doc.write_line("(1-B)^" + number(m.d) + " " + "X(t) ");
    line = "     = ";
  } else {
    line = "X(t) = ";
  }
  for (int i = 1; i <= m.p; ++i) {
    if (i > 1 && (i - 1) % 4 == 0) {
      doc.write_line(line);
      line = "      ";
    }
    line += term(m.phi[i - 1], i == 1, "X", i);
  }
  if (m.p == 0) {
    line += " Z(t)";
  } else {
    doc.write_line(line);
    line = "     + Z(t)";
  }
  for (int j = 1; j <= m.q; ++j) {
    if (j > 1 && (j - 1) % 4 == 0) {
      doc.write_line(line);
      line = "     ";
    }
    line += term(m.theta[j - 1], false, "Z", j);
  }
  doc.write_line(line);
}

}  // namespace zelk
