#pragma once
// "Regression Trend Function": intercept, polynomial order, harmonics with
// their Fourier indices, and auxiliary regressors read from a file; and
// "Read Multivariate Data  ", which asks how many columns the file holds.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "port/dialog.h"
#include "univariate/regression_fit.h"

namespace zelk {

// Remembered per project: the terms and the file they came from.
struct RegressionSettings {
  RegressionSpec terms;
  std::string auxiliary_file;
  bool specified = false;  // r > 0 after OK
};

// Columns read for "Browse"; the reader reports its own failures through the port.
struct AuxiliaryColumns {
  int count = 0;
  int rows = 0;
  std::vector<double> values;  // column by column
  std::string file;
};
using AuxiliaryReader = std::function<std::optional<AuxiliaryColumns>(UiPort&)>;

// Rows of `columns` values each (as read, row by row) into columns; refused
// with "Insufficient regressors in file" when fewer than n rows.
std::optional<AuxiliaryColumns> auxiliary_columns(std::span<const double> row_major, int columns, int n,
                                                  UiPort& port);

class RegressionDialog : public Dialog {
 public:
  // n: length of the working series (Fourier indices go up to n).
  RegressionDialog(RegressionSettings& settings, int n, AuxiliaryReader reader);

  bool field_changed(std::string_view key, UiPort& port) override;
  void button_pressed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;
  void cancelled(UiPort& port) override;

 private:
  bool check_field(std::string_view key, UiPort& port);
  void enable();

  RegressionSettings& settings_;
  int n_;
  AuxiliaryReader reader_;
  AuxiliaryColumns aux_;
};

class MultivariateReadDialog : public Dialog {
 public:
  // The first and last line of the file, shown as a reminder of its layout.
  MultivariateReadDialog(const std::string& first_line, const std::string& last_line);
  bool accept(UiPort& port) override;
  int columns() const { return columns_; }

 private:
  int columns_ = 2;
};

}  // namespace zelk
