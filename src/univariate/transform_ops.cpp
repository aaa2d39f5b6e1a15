// The Transform menu: differencing, mean subtraction, subsequence, undo and
// the rules that say which transformation may follow which.
#include "port/commands.h"
#include "univariate/windows.h"
#include "project/univariate_record.h"
#include "port/session.h"
#include "univariate/integer_dialog.h"
#include "project/transform_rules.h"
#include "model/transforms.h"
#include "univariate/univariate_ops.h"

namespace zelk {
namespace {

class SubsequenceDialog : public Dialog {
 public:
  SubsequenceDialog(int first, int last) : Dialog("Select Subsequence"), first_(first), last_(last) {
    add(ControlKind::Group, "time", "Time Index:");
    add(ControlKind::Edit, "min", "Min", "time").text = std::to_string(first);
    add(ControlKind::Edit, "max", "Max", "time").text = std::to_string(last);
    set_focus("min");
  }
  bool accept(UiPort& port) override {
    const auto a = read_integer(control("min").text), b = read_integer(control("max").text);
    if (!a || !b || *a < first_ || *a >= *b || *b > last_) {
      port.message("ZELK Error",
                   "Select a subsequence in [" + std::to_string(first_) + "," + std::to_string(last_) + "]");
      set_focus("min");
      return false;
    }
    a_ = static_cast<int>(*a);
    b_ = static_cast<int>(*b);
    return true;
  }
  int a() const { return a_; }
  int b() const { return b_; }

 private:
  int first_, last_, a_ = 0, b_ = 0;
};

TimeIndices indices(const UnivariateRecord& rec) { return {rec.first, rec.last}; }

void push(Session& s, int entry, UnivariateRecord& rec, Transformation node, TimeIndices t) {
  rec.push_transform(std::move(node), t.first, t.last);
  series_changed(s, entry, rec);
}

}  // namespace

void series_changed(Session& s, int entry, UnivariateRecord& /*rec*/) { s.publish(Event::SeriesChanged, entry); }

std::unique_ptr<Dialog> make_difference_dialog() {
  return std::make_unique<IntegerDialog>("Difference the series", "Enter lag:", 1, nullptr);
}

void difference(Session& s, int entry, UnivariateRecord& rec) {
  if (!transform_allowed(rec, TransformCommand::Difference)) return;
  const long long n = rec.n();
  auto dialog = std::make_unique<IntegerDialog>("Difference the series", "Enter lag:", 1,
                                                [n](std::optional<long long> d, UiPort& port) {
                                                  if (!d) return false;
                                                  if (*d < 1) {
                                                    port.message("ZELK Error", "Lag must be positive");
                                                    return false;
                                                  }
                                                  if (*d >= n - 1) {
                                                    port.message("ZELK Error", "Lag too large for data set.");
                                                    return false;
                                                  }
                                                  return true;
                                                });
  if (!s.port.run_dialog(*dialog)) return;
  TimeIndices t = indices(rec);
  Transformation node = apply_difference(rec.x, t, static_cast<int>(dialog->value()));
  push(s, entry, rec, std::move(node), t);
}

void subtract_mean(Session& s, int entry, UnivariateRecord& rec) {
  if (!transform_allowed(rec, TransformCommand::SubtractMean)) return;
  push(s, entry, rec, apply_subtract_mean(rec.x), indices(rec));
}

std::unique_ptr<Dialog> make_subsequence_dialog() { return std::make_unique<SubsequenceDialog>(1, 0); }

void subsequence(Session& s, int entry, UnivariateRecord& rec) {
  if (!transform_allowed(rec, TransformCommand::Subsequence)) return;
  SubsequenceDialog d(rec.first, rec.last);
  if (!s.port.run_dialog(d)) return;
  TimeIndices t = indices(rec);
  Transformation node = apply_subsequence(rec.x, t, d.a(), d.b());
  push(s, entry, rec, std::move(node), t);
}

void undo_transformation(Session& s, int entry, UnivariateRecord& rec) {
  if (regression_removed(rec)) {
    s.port.message("ZELK Error", "Must remove regression function before untransforming");
    return;
  }
  if (rec.transforms.empty()) return;
  TimeIndices t = indices(rec);
  const Transformation& head = rec.transforms.back();
  invert(head, rec.x, t);
  const bool classical_node =
      head.kind == TransformKind::Classical || head.kind == TransformKind::ClassicalHarmonic;
  rec.transforms.pop_back();
  rec.first = t.first;
  rec.last = t.last;
  if (classical_node)
    if (Window* w = s.desktop.find(entry, windows::ClassicalFit)) s.desktop.close(w->id);
  series_changed(s, entry, rec);
}


}  // namespace zelk
