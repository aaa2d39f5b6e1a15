#include "univariate/regression_dialog.h"

#include "plot/format.h"
#include "port/port.h"

namespace zelk {
namespace {

const char* const kIndexKeys[] = {"index1", "index2", "index3", "index4"};

}  // namespace

std::optional<AuxiliaryColumns> auxiliary_columns(std::span<const double> row_major, int columns, int n,
                                                  UiPort& port) {
  const int rows = columns > 0 ? static_cast<int>(row_major.size() / columns) : 0;
  if (columns < 1 || rows < n) {
    port.message("ERROR", "Insufficient regressors in file");
    return std::nullopt;
  }
  AuxiliaryColumns out;
  out.count = columns;
  out.rows = rows;
  out.values.resize(static_cast<std::size_t>(rows) * columns);
  for (int i = 0; i < rows; ++i)
    for (int j = 0; j < columns; ++j)
      out.values[static_cast<std::size_t>(j) * rows + i] = row_major[static_cast<std::size_t>(i) * columns + j];
  return out;
}

RegressionDialog::RegressionDialog(RegressionSettings& settings, int n, AuxiliaryReader reader)
    : Dialog("Regression Trend Function"), settings_(settings), n_(n), reader_(std::move(reader)) {
  const RegressionSpec& s = settings.terms;
  add(ControlKind::Check, "intercept", "Include intercept term.").checked = s.intercept;
  add(ControlKind::Check, "polynomial", "Polynomial Regression").checked = true;
  add(ControlKind::Edit, "order", "Enter Order: ").text = std::to_string(s.order);
  add(ControlKind::Check, "harmonic", "Harmonic Regression").checked = false;
  add(ControlKind::Edit, "harmonics", "Number of Harmonics ( < 5): ").text = "0";
  add(ControlKind::Static, "indices", "Indices of Fourier frequencies");
  for (int i = 0; i < 4; ++i) add(ControlKind::Edit, kIndexKeys[i], "").text = std::to_string(s.indices[i]);
  add(ControlKind::Check, "auxiliary", "Include auxilary variables imported from file").checked = false;
  add(ControlKind::Button, "browse", "Browse");
  add(ControlKind::Edit, "file", "").text = settings.auxiliary_file;
  enable();
  set_focus("intercept");
}

void RegressionDialog::enable() {
  control("order").enabled = control("polynomial").checked;
  const bool harmonic = control("harmonic").checked;
  control("harmonics").enabled = harmonic;
  for (const char* key : kIndexKeys) control(key).enabled = harmonic;
  control("browse").enabled = control("file").enabled = control("auxiliary").checked;
}

bool RegressionDialog::check_field(std::string_view key, UiPort& port) {
  auto refuse = [&](const char* text) {
    port.message("ZELK Error", text);
    set_focus(std::string(key));
    return false;
  };
  const Control& c = control(key);
  if (!c.enabled) return true;
  const auto v = read_integer(c.text);
  if (key == "order" && (!v || *v < 0 || *v > kMaxRegressionOrder)) return refuse("Degree must be between 0 and 10");
  if (key == "harmonics" && (!v || *v < 0 || *v > kMaxRegressionHarmonics))
    return refuse("Number of harmonics must be between 0 and 4");
  if (key.starts_with("index")) {
    const int i = key.back() - '1';
    const auto k = read_integer(control("harmonics").text);
    // Only the fields the harmonic count uses must hold an index.
    if (k && i < *k && (!v || *v < 1 || *v > n_)) return refuse("Index must be between 1 and number of obs.");
  }
  return true;
}

bool RegressionDialog::field_changed(std::string_view key, UiPort& port) {
  if (key == "polynomial" && !control("polynomial").checked) control("order").text = "0";
  if (key == "harmonic" && !control("harmonic").checked) control("harmonics").text = "0";
  if (key == "auxiliary" && !control("auxiliary").checked) {
    aux_ = {};
    control("file").text.clear();
  }
  enable();
  return check_field(key, port);
}

void RegressionDialog::button_pressed(std::string_view key, UiPort& port) {
  if (key != "browse" || !reader_) return;
  if (std::optional<AuxiliaryColumns> read = reader_(port)) {
    aux_ = std::move(*read);
    control("file").text = aux_.file;
  }
}

bool RegressionDialog::accept(UiPort& port) {
  for (const char* key : {"order", "harmonics", "index1", "index2", "index3", "index4"})
    if (!check_field(key, port)) return false;
  RegressionSpec s;
  s.intercept = control("intercept").checked;
  s.order = control("order").enabled ? static_cast<int>(*read_integer(control("order").text)) : 0;
  s.harmonics = control("harmonics").enabled ? static_cast<int>(*read_integer(control("harmonics").text)) : 0;
  for (int i = 0; i < s.harmonics; ++i) s.indices[i] = static_cast<int>(*read_integer(control(kIndexKeys[i]).text));
  if (control("auxiliary").checked && aux_.count > 0) {
    s.auxiliary_count = aux_.count;
    s.auxiliary_rows = aux_.rows;
    s.auxiliary = aux_.values;
    settings_.auxiliary_file = aux_.file;
  } else if (control("auxiliary").checked && settings_.terms.auxiliary_count > 0) {
    s.auxiliary_count = settings_.terms.auxiliary_count;  // kept from an earlier Browse
    s.auxiliary_rows = settings_.terms.auxiliary_rows;
    s.auxiliary = settings_.terms.auxiliary;
  } else {
    settings_.auxiliary_file.clear();
  }
  settings_.terms = std::move(s);
  settings_.specified = settings_.terms.regressor_count() > 0;
  return true;
}

void RegressionDialog::cancelled(UiPort&) {
  // Cancel clears the regression altogether.
  settings_ = {};
  settings_.specified = false;
  settings_.terms.intercept = true;
}

MultivariateReadDialog::MultivariateReadDialog(const std::string& first_line, const std::string& last_line)
    : Dialog("Read Multivariate Data  ") {
  add(ControlKind::Edit, "columns", "Number of columns: ").text = "2";
  add(ControlKind::Static, "first_label", "First Series");
  add(ControlKind::Static, "first", first_line).text = first_line;
  add(ControlKind::Static, "last_label", "Last Series");
  add(ControlKind::Static, "last", last_line).text = last_line;
  set_focus("columns");
}

bool MultivariateReadDialog::accept(UiPort&) {
  const auto c = read_integer(control("columns").text);
  if (!c || *c < 1 || *c > 25) {
    set_focus("columns");
    return false;
  }
  columns_ = static_cast<int>(*c);
  return true;
}

}  // namespace zelk
