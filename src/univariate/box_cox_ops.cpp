// "Box-Cox Transformation": a slider and an edit field whose every accepted
// value is applied at once, replacing the value previewed before.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "plot/format.h"
#include "plot/render.h"
#include "project/univariate_record.h"
#include "port/session.h"
#include "project/transform_rules.h"
#include "model/transforms.h"
#include "univariate/univariate_ops.h"

namespace zelk {
namespace {

class BoxCoxDialog : public Dialog {
 public:
  // `preview` replaces the previewed node with Box-Cox(lambda), or only
  // removes it when given nothing.
  BoxCoxDialog(bool zeros, std::function<void(std::optional<double>)> preview,
               std::function<const std::vector<double>*()> series)
      : Dialog("Box-Cox Transformation"), zeros_(zeros), preview_(std::move(preview)), series_(std::move(series)) {
    Control& slider = add(ControlKind::Slider, "slider", "Lambda x 10");
    slider.min = zeros ? 1 : 0;
    slider.max = 15;
    slider.value = 10;
    add(ControlKind::Edit, "lambda", "Lambda:").text = "1.00";
    add(ControlKind::Picture, "preview", "Preview");
    set_focus("lambda");
  }

  bool field_changed(std::string_view key, UiPort& port) override {
    if (key == "slider") {
      const double lambda = control("slider").value * 0.1;
      control("lambda").text = two_decimals(lambda);
      show(lambda);
      return true;
    }
    if (key != "lambda") return true;
    const std::optional<double> lambda = read_number(control("lambda").text);
    if (!lambda) return true;  // unreadable text is ignored
    if (!in_range(*lambda)) {
      port.message("ZELK Error", zeros_ ? "Box-Cox parameter must be in (0.0, 1.5]"
                                        : "Box-Cox parameter must be in [0.0, 1.5]");
      set_focus("lambda");
      return false;
    }
    control("slider").value = std::clamp(static_cast<int>(*lambda * 10 + 0.5), control("slider").min, 15);
    show(*lambda);
    return true;
  }

  // Closing without OK leaves the series as it was before the dialog.
  void cancelled(UiPort&) override {
    if (previewed_ && preview_) preview_(std::nullopt);
    previewed_ = false;
  }

  std::optional<DisplayList> picture(std::string_view key, double w, double h) override {
    const std::vector<double>* x = series_ ? series_() : nullptr;
    if (key != "preview" || !x) return std::nullopt;
    GraphDocument g;
    std::vector<double> t(x->size());
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = static_cast<double>(i + 1);
    g.add_curve_pane(1, t, *x);
    return render_graph(g, ColourTable::defaults(), w, h);
  }

 private:
  // With zeros in the data a logarithm would give -infinity, so lambda must
  // stay at or above the point where Box-Cox stops taking logs.
  bool in_range(double lambda) const {
    return zeros_ ? lambda >= kBoxCoxLogLimit && lambda <= 1.5 : lambda >= 0.0 && lambda <= 1.5;
  }
  static std::string two_decimals(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
  }
  void show(double lambda) {
    if (preview_) preview_(lambda);
    previewed_ = true;
  }

  bool zeros_;
  bool previewed_ = false;
  std::function<void(std::optional<double>)> preview_;
  std::function<const std::vector<double>*()> series_;
};

}  // namespace

std::unique_ptr<Dialog> make_box_cox_dialog() { return std::make_unique<BoxCoxDialog>(false, nullptr, nullptr); }

void box_cox(Session& s, int entry, UnivariateRecord& rec) {
  if (!transform_allowed(rec, TransformCommand::BoxCox)) return;
  bool zeros = false;
  for (double v : rec.x) {
    if (v < 0) {
      s.port.message("ZELK Error", "Data must be nonnegative to implement Box-Cox");
      return;
    }
    zeros = zeros || v == 0;
  }
  bool applied = false;
  // Each new value starts again from the untouched series, so trying many
  // values leaves no trace of rounding.
  const std::vector<double> original = rec.x;
  auto preview = [&](std::optional<double> lambda) {
    if (applied) {
      rec.x = original;
      rec.transforms.pop_back();
      applied = false;
    }
    if (lambda) {
      rec.transforms.push_back(apply_box_cox(rec.x, *lambda));
      applied = true;
    }
    series_changed(s, entry, rec);
  };
  BoxCoxDialog d(zeros, preview, [&rec] { return &rec.x; });
  s.port.run_dialog(d);
}

}  // namespace zelk
