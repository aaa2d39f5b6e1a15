// "Classical Decomposition": seasonal or harmonic part plus a polynomial
// trend, previewed with "Show  Fit", and the fit window behind it.
#include <functional>

#include "univariate/windows.h"
#include "plot/format.h"
#include "project/univariate_record.h"
#include "port/session.h"
#include "model/classical.h"
#include "univariate/reports.h"
#include "project/transform_rules.h"
#include "model/transforms.h"
#include "univariate/univariate_ops.h"

namespace zelk {
namespace {

bool is_classical(const Transformation& t) {
  return t.kind == TransformKind::Classical || t.kind == TransformKind::ClassicalHarmonic;
}

class ClassicalDialog : public Dialog {
 public:
  // `apply` replaces the previewed node by a fit with the settings (nothing
  // when empty) and shows or closes the fit window when asked.
  using Apply = std::function<void(std::optional<ClassicalSettings>, bool show_fit)>;

  ClassicalDialog(int n, Apply apply) : Dialog("Classical Decomposition"), n_(n), apply_(std::move(apply)) {
    add(ControlKind::Check, "seasonal", "Seasonal Fit");
    add(ControlKind::Edit, "period", "Enter Period: ", "seasonal");
    add(ControlKind::Check, "harmonic", "Harmonic Regression");
    add(ControlKind::Edit, "harmonics", "Number of Harmonics ( < 5): ", "harmonic");
    add(ControlKind::Static, "indices", "Indices of Fourier frequencies", "harmonic");
    for (int i = 1; i <= 4; ++i) add(ControlKind::Edit, "index" + std::to_string(i), "Index " + std::to_string(i), "harmonic");
    add(ControlKind::Check, "polynomial", "Polynomial Fit").checked = true;
    add(ControlKind::Radio, "linear", "Linear Trend", "degree").checked = true;
    add(ControlKind::Radio, "quadratic", "Quadratic Trend", "degree");
    add(ControlKind::Button, "show_fit", "Show  Fit");
    add(ControlKind::Button, "tile", "Tile Windows");
    enable_groups();
  }

  bool field_changed(std::string_view key, UiPort&) override {
    if (key == "seasonal" && control("seasonal").checked) control("harmonic").checked = false;
    if (key == "harmonic" && control("harmonic").checked) control("seasonal").checked = false;
    enable_groups();
    return true;
  }

  void button_pressed(std::string_view key, UiPort& port) override {
    if (key == "show_fit") run(port, true);
  }

  bool accept(UiPort& port) override { return run(port, false); }

  void cancelled(UiPort&) override {
    if (apply_) apply_(std::nullopt, true);
  }

 private:
  void enable_groups() {
    const bool seasonal = control("seasonal").checked, harmonic = control("harmonic").checked;
    for (Control& c : controls()) {
      if (c.group == "seasonal") c.enabled = seasonal;
      if (c.group == "harmonic") c.enabled = harmonic;
      if (c.group == "degree") c.enabled = control("polynomial").checked;
    }
  }

  bool refuse(UiPort& port, const std::string& text, const char* field) {
    if (apply_) apply_(std::nullopt, false);
    port.message("ZELK Error", text);
    set_focus(field);
    return false;
  }

  // Reads and checks the settings, then applies them; false on a refusal.
  bool run(UiPort& port, bool show_fit) {
    ClassicalSettings st;
    st.degree = !control("polynomial").checked ? 0 : control("quadratic").checked ? 2 : 1;
    if (control("seasonal").checked) {
      const auto d = read_integer(control("period").text);
      if (!d || *d < 2 || *d > n_ / 3)
        return refuse(port, "Period must be in: (2," + std::to_string(n_ / 3) + "]", "period");
      st.period = static_cast<int>(*d);
    } else if (control("harmonic").checked) {
      const auto k = read_integer(control("harmonics").text);
      if (!k || *k < 1 || *k > 4) return refuse(port, "Number of harmonics must be in [1, 4]", "harmonics");
      st.harmonics = static_cast<int>(*k);
      for (int i = 1; i <= st.harmonics; ++i) {
        const std::string key = "index" + std::to_string(i);
        const auto j = read_integer(control(key).text);
        if (!j || *j < 1 || *j >= n_ / 2)
          return refuse(port, "Index(" + std::to_string(i) + ") must be in (1, " + std::to_string(n_ / 2) + ")",
                        key.c_str());
        st.indices[i - 1] = static_cast<int>(*j);
      }
    } else if (st.degree < 1) {
      if (apply_) apply_(std::nullopt, show_fit);
      return true;
    }
    if (apply_) apply_(st, show_fit);
    return true;
  }

  int n_;
  Apply apply_;
};

// The series before the fit and the fitted curve, over the time indices.
void show_fit_window(Session& s, int entry, const UnivariateRecord& rec, int first, const std::vector<double>& before,
                     const std::vector<double>& curve, const Transformation& node) {
  Window& w = s.desktop.graph(entry, windows::ClassicalFit, rec.name);
  GraphDocument& g = *w.graph;
  g.clear();
  g.x_title = "Time";
  std::vector<double> t(before.size());
  for (std::size_t i = 0; i < t.size(); ++i) t[i] = static_cast<double>(first) + static_cast<double>(i);
  g.add_curve_pane(1, t, before);
  g.add_overlay(1, Overlay{t, curve, 3, false});
  s.desktop.changed(w);
  if (Window* info = open_info(s, entry, windows::ClassicalFit)) {
    write_fit_report(*info->text, node, before.size());
    s.desktop.changed(*info);
  }
}

void close_fit_window(Session& s, int entry) {
  if (Window* w = s.desktop.find(entry, windows::ClassicalFit)) s.desktop.close(w->id);
}

ClassicalSettings settings_of(const Transformation& node) {
  ClassicalSettings st;
  st.degree = node.degree;
  if (node.kind == TransformKind::ClassicalHarmonic) {
    st.harmonics = node.harmonic_count;
    st.indices = node.fourier_index;
  } else if (node.period >= 1) {
    st.period = node.period;
  }
  return st;
}

}  // namespace

std::unique_ptr<Dialog> make_classical_dialog() { return std::make_unique<ClassicalDialog>(0, nullptr); }

void classical(Session& s, int entry, UnivariateRecord& rec) {
  if (!transform_allowed(rec, TransformCommand::Classical)) return;
  const std::vector<double> original = rec.x;
  bool applied = false;
  auto apply = [&](std::optional<ClassicalSettings> st, bool show_fit) {
    if (applied) {
      rec.x = original;
      rec.transforms.pop_back();
      applied = false;
    }
    std::vector<double> curve;
    if (st) {
      rec.transforms.push_back(apply_classical(rec.x, *st, &curve));
      applied = true;
    }
    series_changed(s, entry, rec);
    if (!show_fit) return;
    if (applied)
      show_fit_window(s, entry, rec, rec.first, original, curve, rec.transforms.back());
    else
      close_fit_window(s, entry);
  };
  ClassicalDialog d(rec.n(), apply);
  s.port.run_dialog(d);
}

void show_classical_fit(Session& s, int entry, UnivariateRecord& rec) {
  if (!transform_allowed(rec, TransformCommand::ShowClassicalFit)) return;
  // A scratch copy: undo down to and including the classical node, then fit again.
  std::vector<double> x = rec.x;
  TimeIndices t{rec.first, rec.last};
  std::size_t i = rec.transforms.size();
  while (i-- > 0) {
    invert(rec.transforms[i], x, t);
    if (is_classical(rec.transforms[i])) break;
  }
  const Transformation& node = rec.transforms[i];
  std::vector<double> before = x, curve;
  const Transformation again = apply_classical(x, settings_of(node), &curve);
  show_fit_window(s, entry, rec, t.first, before, curve, again);
}

void write_fit_info(Session& s, int entry, UnivariateRecord& rec) {
  Window* g = s.desktop.find(entry, windows::ClassicalFit);
  if (!g) return;
  Window& info = s.desktop.info(*g, rec.name);
  for (std::size_t i = rec.transforms.size(); i-- > 0;)
    if (is_classical(rec.transforms[i])) {
      const Pane& p = g->graph->pane(1);
      write_fit_report(*info.text, rec.transforms[i], p.y.size());
      break;
    }
  s.desktop.changed(info);
}

}  // namespace zelk
