#include "files/export.h"

#include <charconv>
#include <filesystem>

#include "plot/format.h"
#include "project/atomic_file.h"
#include "project/univariate_record.h"
#include "port/session.h"

namespace zelk {
namespace {

void append_exact(std::string& out, double v) {
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);  // shortest text that reads back exactly
  out.append(buf, ec == std::errc() ? end : buf);
}

std::string significant5(double v) { return trim(format_significant(v, 5)); }

bool write_text(UiPort& port, const std::string& path, const std::string& text, const char* title) {
  switch (write_file_atomically(path, text)) {
    case WriteFailure::None: return true;
    case WriteFailure::Open: port.message(title, "Cannot open file", Buttons::Ok); return false;
    case WriteFailure::Write: port.message(title, "Cannot write to file", Buttons::Ok); return false;
    case WriteFailure::ReadOnly: port.message(title, "The file is read-only and was left as it was.", Buttons::Ok); return false;
  }
  return false;
}

}  // namespace

std::string value_list_text(std::span<const double> values) {
  std::string out;
  out.reserve(values.size() * 20);
  for (double v : values) {
    append_exact(out, v);
    out += '\n';
  }
  return out;
}

std::string table_text(std::span<const double> values, int rows, int cols) {
  std::string out;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      if (c) out += ' ';
      append_exact(out, values[static_cast<std::size_t>(c) * rows + r]);
    }
    out += '\n';
  }
  return out;
}

std::string clipboard_value_list(std::span<const double> values) {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i) out += "\r\n";
    out += significant5(values[i]);
  }
  return out;
}

std::string clipboard_table(std::span<const double> values, int rows, int cols) {
  std::string out;
  for (int r = 0; r < rows; ++r) {
    if (r) out += "\r\n";
    for (int c = 0; c < cols; ++c) {
      if (c) out += '\t';
      out += significant5(values[static_cast<std::size_t>(c) * rows + r]);
    }
  }
  return out;
}

bool write_value_list(UiPort& port, const std::string& path, std::span<const double> values) {
  return write_text(port, path, value_list_text(values), "WriteRawData()");
}

bool write_table(UiPort& port, const std::string& path, std::span<const double> values, int rows, int cols) {
  return write_text(port, path, table_text(values, rows, cols), "WriteAsciiArray()");
}

bool copy_value_list(UiPort& port, std::span<const double> values) {
  if (port.set_clipboard_text(clipboard_value_list(values))) return true;
  port.message("ZELK Error", "Clipboard not available", Buttons::Ok);
  return false;
}

bool copy_table(UiPort& port, std::span<const double> values, int rows, int cols) {
  if (port.set_clipboard_text(clipboard_table(values, rows, cols))) return true;
  port.message("ZELK Error", "Clipboard not available", Buttons::Ok);
  return false;
}

namespace {
const std::vector<FileFilter>& zlk_filters() {
  static const std::vector<FileFilter> f{{"ZELK Files (*.ZLK)", "*.ZLK"}, {"All Files (*.*)", "*.*"}};
  return f;
}
}  // namespace

std::optional<std::string> choose_export_file(UiPort& port) {
  auto path = choose_save_file(port);
  if (!path) return std::nullopt;
  std::error_code ec;
  if (std::filesystem::exists(*path, ec) && port.message(" ", "Overwrite existing file?", Buttons::YesNo) != Button::Yes)
    return std::nullopt;
  return path;
}

std::optional<std::string> choose_save_file(UiPort& port) {
  return port.choose_file(FileMode::Save, "Save ZELK file", zlk_filters(), "*.zlk");
}

std::optional<std::string> choose_open_file(UiPort& port) {
  return port.choose_file(FileMode::Open, "Open file", zlk_filters(), "*.zlk");
}

std::optional<std::string> choose_data_file(UiPort& port, std::string_view title) {
  static const std::vector<FileFilter> f{{"Data Files (*.dat *.txt *.csv *.tsv)", "*.dat *.txt *.csv *.tsv"},
                                         {"All Files (*.*)", "*.*"}};
  return port.choose_file(FileMode::Open, title, f, "");
}

const std::vector<std::string>& ExportDialog::labels() {
  static const std::vector<std::string> l{"Time Series", "Residuals",      "Sample ACF",     "Model ACF",
                                          "Sample PACF", "Model PACF",     "Periodogram",    "Est spectrum",
                                          "Model spectrum", "ARMA Forecasts", "Exp. smooth", "MA smooth",
                                          "FFT smooth"};
  return l;
}

ExportDialog::ExportDialog(const std::vector<std::span<const double>>& arrays) : Dialog("Export to ASCII") {
  add(ControlKind::Group, "data", "Data");
  for (std::size_t i = 0; i < labels().size(); ++i) {
    Control& c = add(ControlKind::Radio, "array" + std::to_string(i + 1), labels()[i], "data");
    c.enabled = i < arrays.size() && !arrays[i].empty();
  }
  add(ControlKind::Group, "to", "To");
  add(ControlKind::Radio, "file", "File", "to");
  add(ControlKind::Radio, "clipboard", "Clipboard", "to").checked = true;
}

int ExportDialog::selected() const {
  for (std::size_t i = 0; i < labels().size(); ++i) {
    const Control& c = control("array" + std::to_string(i + 1));
    if (c.checked && c.enabled) return static_cast<int>(i);
  }
  return -1;
}

bool ExportDialog::to_file() const { return control("file").checked; }

void export_project(Session& s, UnivariateRecord& rec) {
  const Results& r = rec.results;
  // In the order of the dialog's buttons.
  const std::vector<std::span<const double>> fixed{
      rec.x,        r.residuals,   r.sample_acf,        r.model_acf,      r.sample_pacf,
      r.model_pacf, r.periodogram, r.smoothed_spectrum, r.model_spectrum, r.arma_forecasts,
      r.exp_smooth, r.ma_smooth,   r.fft_smooth};
  ExportDialog dlg(fixed);
  if (!s.port.run_dialog(dlg)) return;
  const int which = dlg.selected();
  if (which < 0) return;
  const std::span<const double> values = fixed[which];
  if (!dlg.to_file()) {
    copy_value_list(s.port, values);
    return;
  }
  if (values.empty()) return;
  const auto path = choose_export_file(s.port);
  if (!path) return;
  // The old file is replaced only once the new one is complete.
  write_value_list(s.port, *path, values);
}

}  // namespace zelk
