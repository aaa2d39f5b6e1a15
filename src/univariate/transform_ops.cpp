// The Transform menu: differencing, mean subtraction, subsequence, undo and
// the rules that say which transformation may follow which.
#include "port/commands.h"
#include "univariate/windows.h"
#include "project/univariate_record.h"
#include "port/session.h"
#include "port/integer_dialog.h"
#include "port/subsequence_dialog.h"
#include "project/transform_rules.h"
#include "model/transforms.h"
#include "univariate/univariate_ops.h"

namespace zelk {
namespace {

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

std::unique_ptr<Dialog> make_subsequence_dialog() { return std::make_unique<SubsequenceDialog>(1, 0, "ZELK Error"); }

void subsequence(Session& s, int entry, UnivariateRecord& rec) {
  if (!transform_allowed(rec, TransformCommand::Subsequence)) return;
  SubsequenceDialog d(rec.first, rec.last, "ZELK Error");
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
