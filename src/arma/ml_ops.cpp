// The Max likelihood command: mean handling, the dialogs, the fit and its report.
#include <algorithm>
#include <cmath>

#include "arma/arma_ops.h"
#include "arma/estimation.h"
#include "model/transforms.h"
#include "project/transform_rules.h"
#include "arma/ml_dialogs.h"
#include "arma/ml_fit.h"
#include "arma/ml_report.h"
#include "arma/whittle.h"
#include "project/univariate_record.h"
#include "port/session.h"

namespace zelk {
namespace {

// Status-bar iteration count while the minimizer runs; the port may cancel.
struct StatusProgress : numeric::IterationCallback {
  Session& s;
  UnivariateRecord& rec;
  StatusProgress(Session& session, UnivariateRecord& r) : s(session), rec(r) {}
  bool on_iteration(int iteration, double) override {
    rec.iterations = iteration;
    s.status_changed();
    return s.progress(iteration);
  }
};

std::string degenerate_text(const LikelihoodResult& r) {
  return r.overflow ? "The values are too large: the likelihood overflows."
                    : "The series is identically zero: its likelihood is not defined.";
}

bool mean_subtracted(const UnivariateRecord& rec) {
  return std::any_of(rec.transforms.begin(), rec.transforms.end(),
                     [](const Transformation& t) { return t.kind == TransformKind::SubtractMean; });
}

// Refusals that keep a fit from producing NaN: too few data, a zero series.
bool fit_possible(Session& s, const UnivariateRecord& rec) {
  const int n = rec.n(), k = rec.model.p + rec.model.q;
  if (n < k + 3) {
    s.port.message("ZELK Error", "Not enough data: the number of observations must exceed p + q + 2.");
    return false;
  }
  if (std::all_of(rec.x.begin(), rec.x.end(), [](double v) { return v == 0; })) {
    s.port.message("ZELK Error", "The series is identically zero: its likelihood is not defined.");
    return false;
  }
  return true;
}

// The status line shows the iteration count of the fit just stored.
void show_fit_iterations(Session& s, UnivariateRecord& rec) {
  rec.iterations = arma_fit(rec).iterations;
  s.status_changed();
}

void fractional_ml(Session& s, int entry, UnivariateRecord& rec) {
  FractionalMleDialog d(rec.model, arma_estimation(rec));
  if (!s.port.run_dialog(d)) return;
  if (!fit_possible(s, rec)) return;
  ArmaModel m = rec.model;
  ArmaEstimation e = d.settings();
  e.criterion = -1;
  e.recursion_tolerance = 0.00005;
  ArmaFit fit = arma_fit(rec);
  if (!fit_whittle(rec.x, m, e, fit).ok) {
    s.port.message("ZELK Error", "The Whittle likelihood is not defined for this model and series.");
    return;
  }
  rec.model = std::move(m);
  arma_estimation(rec) = e;
  arma_fit(rec) = std::move(fit);
  show_fit_iterations(s, rec);
  MlReportFacts facts;
  facts.optimized = !e.no_optimization;
  write_ml_report(s, entry, rec, facts);
  model_changed(s, entry, rec);
}

}  // namespace

void handle_mean(Session& s, int entry, UnivariateRecord& rec) {
  if (rec.regression.estimation != 0) {
    if (!rec.regression.intercept) s.port.message("Warning", "No intercept included in regression function ");
    return;
  }
  if (mean_subtracted(rec)) return;
  SubtractMeanDialog d;
  if (!s.port.run_dialog(d) || !transform_allowed(rec, TransformCommand::SubtractMean)) return;
  rec.push_transform(apply_subtract_mean(rec.x), rec.first, rec.last);
  s.publish(Event::SeriesChanged, entry);
}

void max_likelihood(Session& s, int entry, UnivariateRecord& rec) {
  if (!rec.data_present()) return;
  if (rec.model.fractional) {
    fractional_ml(s, entry, rec);
    return;
  }
  handle_mean(s, entry, rec);
  arma_estimation(rec).criterion = -1;
  arma_estimation(rec).iteration_limit = 50;
  while (true) {
    MleDialog d(rec.model, arma_estimation(rec));
    if (!s.port.run_dialog(d)) {
      // Constraints accepted in their own dialog stay with the model.
      if (d.constrained()) {
        const ArmaModel& c = d.result();
        rec.model.phi = c.phi;
        rec.model.theta = c.theta;
        rec.model.free_parameters = c.free_parameters;
        rec.model.relation_count = c.relation_count;
        rec.model.relation_target = c.relation_target;
        rec.model.relation_first = c.relation_first;
        rec.model.relation_second = c.relation_second;
        model_changed(s, entry, rec);
      }
      return;
    }
    if (!fit_possible(s, rec)) return;
    ArmaModel m = d.result();
    ArmaEstimation e = d.settings();
    e.recursion_tolerance = 0.00005;
    // With nothing free the likelihood is only evaluated; the entered flag is kept.
    const bool nothing_free = m.free_parameters.empty();
    ArmaEstimation run = e;
    if (nothing_free) run.no_optimization = true;
    StatusProgress progress(s, rec);
    rec.iterations = 0;
    ArmaFit summary = arma_fit(rec);
    const FitResult fit = fit_arma(rec.x, m, run, summary, &progress);
    // A cancelled fit stores nothing; the dispatcher puts back what came before.
    if (fit.cancelled) return;
    if (fit.final.degenerate) {
      s.port.message("ZELK Error", degenerate_text(fit.final));
      return;
    }
    if (nothing_free) m.sigma2 = summary.saved_wn;
    MlReportFacts facts;
    facts.optimized = fit.optimized;
    facts.x = rec.x;
    rec.model = std::move(m);
    arma_estimation(rec) = e;
    arma_fit(rec) = std::move(summary);
    show_fit_iterations(s, rec);
    write_ml_report(s, entry, rec, facts);
    model_changed(s, entry, rec);
    std::string trouble;
    if (fit.noncausal)
      trouble = "Model noncausal--all coeffs have been set to .001";
    else if (fit.optimized && arma_fit(rec).stop_code == 4)
      trouble = "Iteration limit exceeded.";
    if (trouble.empty()) return;
    MleContinueDialog again(trouble);
    if (s.port.run_dialog(again)) return;  // Continue
  }
}

std::unique_ptr<Dialog> make_mle_dialog() { return std::make_unique<MleDialog>(ArmaModel{}, ArmaEstimation{}); }
std::unique_ptr<Dialog> make_constrain_dialog() { return std::make_unique<ConstrainDialog>(ArmaModel{}); }
std::unique_ptr<Dialog> make_mle_continue_dialog() {
  return std::make_unique<MleContinueDialog>("Iteration limit exceeded.");
}
std::unique_ptr<Dialog> make_subtract_mean_dialog() { return std::make_unique<SubtractMeanDialog>(); }
std::unique_ptr<Dialog> make_fractional_mle_dialog() {
  return std::make_unique<FractionalMleDialog>(ArmaModel{}, ArmaEstimation{});
}

}  // namespace zelk
