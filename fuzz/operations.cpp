// The program driven as a user would: a small series of ordinary, extreme,
// tiny, constant or alternating values comes in through the clipboard, then
// a random sequence of commands runs with random dialog answers, message
// buttons, window focus and zoom. The check after every command: no window
// text and no message shows a number that is not a number ("nan", "inf").
// Sanitizer reports and crashes are the rest of the check.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "port/commands.h"
#include "plot/render.h"
#include "shell/app.h"
#include "shell/command_table.h"
#include "port/dialog.h"
#include "port/scripted_port.h"

namespace {

using zelk::Control;
using zelk::ControlKind;

// Texts a user might type into a number field, good and bad.
const char* const kFieldTexts[] = {
    "0", "1", "2", "3", "5", "12", "-1", "-2", "0.5", "-0.5", "0.999", "1.5", "2.0", "100", "1000", "100000",
    "1e300", "-1e300", "1e308", "1.7976931348623157e308", "4.9e-324", "1e-300", "0.0", "-0.0", "", "x", "nan",
    "inf", "1e400", "99999999999", "-2147483648", "2147483647", "0.1,0.2", "0.9,-0.5", "2,1", "1 2 3", "50"};

bool is_word_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// "nan" or "inf" as a word of its own, in any case, as printf and to_chars write
// them ("INFO" and the caption "AR/MA Infinity" are fine).
bool has_non_number_word(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (!is_word_char(text[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < text.size() && is_word_char(text[j])) ++j;
    std::string w(text.substr(i, j - i));
    for (char& c : w) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // A word that starts with a digit may carry the text too ("1nan").
    while (!w.empty() && (std::isdigit(static_cast<unsigned char>(w[0])) != 0)) w.erase(0, 1);
    if (w == "nan" || w == "inf") return true;
    i = j;
  }
  return false;
}

class FuzzPort : public zelk::ScriptedPort {
 public:
  explicit FuzzPort(FuzzedDataProvider& in) : in_(in) {}

  zelk::Button message(std::string_view title, std::string_view text, zelk::Buttons buttons) override {
    seen(title);
    seen(text);
    if (in_.ConsumeIntegralInRange(0, 3) == 0) queue_message(in_.PickValueInArray({"Yes", "No", "Cancel", "OK"}));
    return ScriptedPort::message(title, text, buttons);
  }

  bool run_dialog(zelk::Dialog& d) override {
    for (int round = 0; round < 3; ++round) {
      bool refused = false;
      const int changes = in_.ConsumeIntegralInRange(0, 4);
      for (int k = 0; k < changes && !d.controls().empty(); ++k) {
        Control& c = d.controls()[in_.ConsumeIntegralInRange<std::size_t>(0, d.controls().size() - 1)];
        if (!c.enabled || !set(d, c)) continue;
        if (!d.field_changed(c.key, *this)) {
          refused = true;
          break;
        }
      }
      if (refused) continue;
      switch (in_.ConsumeIntegralInRange(0, 7)) {
        case 0:
          d.cancelled(*this);
          return false;
        case 1: {  // a button that keeps the dialog open
          for (Control& c : d.controls())
            if (c.kind == ControlKind::Button && c.enabled && in_.ConsumeBool()) {
              d.button_pressed(c.key, *this);
              break;
            }
          break;
        }
        default:
          if (d.accept(*this)) return true;
      }
    }
    d.cancelled(*this);
    return false;
  }

  std::optional<std::string> choose_file(zelk::FileMode mode, std::string_view, const std::vector<zelk::FileFilter>&,
                                         std::string_view) override {
    if (in_.ConsumeIntegralInRange(0, 4) == 0) return std::nullopt;
    // Saves and opens meet in one project file; imports read the data file.
    if (mode == zelk::FileMode::Open && in_.ConsumeBool()) return data_path;
    return project_path;
  }

  bool bad = false;
  std::string bad_text;
  std::string data_path, project_path;

  void seen(std::string_view text, std::string_view where = "message") {
    if (!bad && has_non_number_word(text)) {
      bad = true;
      bad_text = std::string(where) + ": " + std::string(text);
    }
  }

 private:
  bool set(zelk::Dialog& d, Control& c) {
    std::string value;
    switch (c.kind) {
      case ControlKind::Edit:
        if (in_.ConsumeBool()) value = in_.PickValueInArray(kFieldTexts);
        else value = std::to_string(in_.ConsumeIntegralInRange(-3, 40));
        // A name is the user's own text and may say "nan"; numbers may not.
        if (d.title().find("Name") != std::string::npos && has_non_number_word(value)) value = "name";
        break;
      case ControlKind::Check:
      case ControlKind::Radio:
        value = in_.ConsumeBool() ? "on" : "off";
        break;
      case ControlKind::List:
      case ControlKind::MultiList:
      case ControlKind::Combo:
      case ControlKind::Tab:
        if (c.items.empty()) return false;
        value = std::to_string(in_.ConsumeIntegralInRange<std::size_t>(1, c.items.size()));
        break;
      case ControlKind::Slider:
        value = std::to_string(in_.ConsumeIntegralInRange(c.min, c.max));
        break;
      default:
        return false;
    }
    std::string why;
    return d.set_from_text(c, value, &why);
  }
  FuzzedDataProvider& in_;
};

double value_of_kind(FuzzedDataProvider& in, int kind, int i) {
  switch (kind) {
    case 0: return in.ConsumeFloatingPointInRange(-1000.0, 1000.0);
    case 1: return in.PickValueInArray({1e300, -1e300, 1e308, DBL_MAX, -DBL_MAX, 1e154, 1e200});
    case 2: return in.PickValueInArray({DBL_MIN, 4.9e-324, 1e-300, -1e-310, 1e-160});
    case 3: return 7.25;
    case 4: return (i % 2 ? 1.0 : -1.0) * in.PickValueInArray({1.0, 1e-300, 1e300, 3.5});
    default: return in.ConsumeFloatingPoint<double>();  // any finite value
  }
}

// The clipboard text of a series: one value a line, with a decimal point.
std::string series_text(FuzzedDataProvider& in) {
  const int n = in.ConsumeIntegralInRange(1, 60);
  const int base = in.ConsumeIntegralInRange(0, 5);
  std::string text;
  for (int i = 0; i < n; ++i) {
    const int kind = in.ConsumeIntegralInRange(0, 7) == 0 ? in.ConsumeIntegralInRange(0, 5) : base;
    double v = value_of_kind(in, kind, i);
    if (!std::isfinite(v)) v = 1e308;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17e\n", v);
    text += buf;
  }
  return text;
}

void check_windows(zelk::App& app, FuzzPort& port) {
  for (const auto& w : app.session().desktop.windows()) {
    port.seen(w->caption, "caption");
    if (w->text)
      for (const std::string& line : w->text->lines()) port.seen(line, w->caption);
    if (w->graph) {
      // Drawing is where a range with no finite end would do harm.
      const zelk::DisplayList list = zelk::render_graph(*w->graph, app.session().colours, 640, 480);
      for (const zelk::DisplayItem& item : list.items)
        if (const auto* t = std::get_if<zelk::TextItem>(&item)) port.seen(t->text, w->caption);
    }
  }
  for (const std::string& part : app.status().parts) port.seen(part, "status");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string dir = [] {
    char tmpl[] = "/tmp/zelk-fuzz-XXXXXX";
    const char* d = mkdtemp(tmpl);
    return std::string(d ? d : "/tmp");
  }();
  static const std::vector<int> commands = [] {
    std::vector<int> ids;
    for (const zelk::CommandSpec& c : zelk::standard_registry().commands())
      // Not Exit; not the order search, whose dozens of fits per call are long by design.
      if (c.id != zelk::cmd::Exit && c.id != zelk::cmd::AutoFit && c.scope != zelk::CommandScope::Multivariate)
        ids.push_back(c.id);
    return ids;
  }();
  FuzzedDataProvider in(data, size);
  FuzzPort port(in);
  port.data_path = dir + "/series.dat";
  port.project_path = dir + "/project.zlk";
  std::remove(port.project_path.c_str());
  zelk::App app(port);

  const std::string series = series_text(in);
  if (std::FILE* f = std::fopen(port.data_path.c_str(), "wb")) {
    std::fwrite(series.data(), 1, series.size(), f);
    std::fclose(f);
  }
  port.set_clipboard(series);
  port.queue_dialog({"Create New Project ", {}, "OK", "fuzz"});
  app.dispatch(zelk::cmd::New);
  app.dispatch(zelk::cmd::ImportClipboard);  // Import Clipboard

  const int steps = in.ConsumeIntegralInRange(1, 24);
  for (int step = 0; step < steps && in.remaining_bytes() > 0 && !port.bad; ++step) {
    switch (in.ConsumeIntegralInRange(0, 9)) {
      case 0: {  // focus a window
        const auto& ws = app.session().desktop.windows();
        if (!ws.empty()) app.window_focused(ws[in.ConsumeIntegralInRange<std::size_t>(0, ws.size() - 1)]->id);
        break;
      }
      case 1: {  // a zoom band on the active window
        if (zelk::Window* w = app.session().desktop.active()) {
          const double x0 = in.ConsumeFloatingPointInRange(0.0, 640.0), x1 = in.ConsumeFloatingPointInRange(0.0, 640.0);
          app.zoom_band(w->id, x0, 10, x1, 400, 640, 480);
        }
        break;
      }
      case 2:  // once the project editor is open: a drag, a label or Active
        if (zelk::TreeEditor* ed = app.session().tree_editor.get(); ed && ed->is_open()) {
          const zelk::NodeRef a{in.ConsumeIntegralInRange(0, 3), in.ConsumeIntegralInRange(0, 3)};
          const zelk::NodeRef b{in.ConsumeIntegralInRange(0, 3), 0};
          switch (in.ConsumeIntegralInRange(0, 2)) {
            case 0: ed->move(a, b); break;
            case 1: ed->rename(a, in.ConsumeRandomLengthString(120)); break;
            default: ed->popup_command(a, zelk::cmd::TreeActive);
          }
          app.refresh_after_editor();
          break;
        }
        [[fallthrough]];
      default:
        app.dispatch(commands[in.ConsumeIntegralInRange<std::size_t>(0, commands.size() - 1)]);
    }
    check_windows(app, port);
  }
  for (const std::string& line : port.shown()) port.seen(line);
  if (port.bad) {
    std::fprintf(stderr, "non-number text shown: %s\n", port.bad_text.c_str());
    std::abort();
  }
  return 0;
}
