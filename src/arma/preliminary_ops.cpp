// The Preliminary estimation command: mean handling, the dialog, the
// estimator, the report and the question after a non-causal fit.
#include <algorithm>

#include "arma/arma_ops.h"
#include "arma/estimation.h"
#include "arma/model_text.h"
#include "arma/preliminary.h"
#include "arma/preliminary_dialog.h"
#include "arma/preliminary_report.h"
#include "arma/windows.h"
#include "port/session.h"
#include "project/univariate_record.h"

namespace zelk {
namespace {

bool valid_method(int code) { return code >= 1 && code <= 6; }

// The dialog starts from the current orders and the method last used.
PreliminarySettings& settings_for(UnivariateRecord& rec) {
  PreliminarySettings& ps = rec.kept.get<PreliminarySettings>();
  ps.p = rec.model.p;
  ps.q = rec.model.q;
  if (const int used = arma_estimation(rec).estimation_method; valid_method(used))
    ps.method = static_cast<PreliminaryMethod>(used);
  return ps;
}

const char* failure_text(PreliminaryFailure f) {
  return f == PreliminaryFailure::Singular
             ? "The estimating equations have no unique solution for these orders: try another model or method."
             : "Not enough data for these orders: the number of observations must exceed p + q + 2.";
}

void store(UnivariateRecord& rec, const PreliminaryResult& r, PreliminaryMethod method) {
  ArmaModel& m = rec.model;
  ArmaEstimation& e = arma_estimation(rec);
  ArmaFit& f = arma_fit(rec);
  m.p = r.p;
  m.q = r.q;
  m.phi.fill(0);
  m.theta.fill(0);
  std::copy(r.phi.begin(), r.phi.end(), m.phi.begin());
  std::copy(r.theta.begin(), r.theta.end(), m.theta.begin());
  m.sigma2 = r.sigma2;
  e.estimation_method = static_cast<int>(method);
  f.estimation_status = 0;
  e.recursion_tolerance = 0.00005;
  m.relation_count = 0;
  m.free_parameters.resize(r.p + r.q);
  for (int i = 0; i < r.p + r.q; ++i) m.free_parameters[i] = i + 1;
  f.standard_errors = r.standard_errors;
  f.acvfs_used = r.acvfs_used;
  f.saved_wn = r.residual_ss_n;
  f.minus2_log_likelihood = r.minus2_log_likelihood;
  f.aicc = r.aicc;
}

void write_report(Session& s, int entry, UnivariateRecord& rec, const PreliminaryResult& r, PreliminaryMethod method) {
  PreliminaryReportFacts facts;
  facts.method = method;
  facts.n = rec.n();
  if (rec.regression.estimation != 0) facts.regression_coefficients = static_cast<int>(rec.regression.coefficients.size());
  TextDocument model;
  write_model_text(model, rec.model);
  Window& w = s.desktop.report(entry, windows::PreliminaryEstimates, rec.name);
  w.text->clear();
  for (const std::string& line : preliminary_report(r, facts, model.lines())) w.text->write_line(line);
  s.desktop.changed(w);
}

}  // namespace

void preliminary_estimation(Session& s, int entry, UnivariateRecord& rec) {
  if (!rec.data_present()) return;
  if (rec.model.fractional) {
    s.port.message("ERROR", "NA for fractionally integrated models.");
    return;
  }
  handle_mean(s, entry, rec);
  while (true) {
    PreliminarySettings& ps = settings_for(rec);
    PreliminaryDialog d(ps);
    if (!s.port.run_dialog(d)) return;
    PreliminaryOptions o;
    o.method = ps.method;
    o.p = ps.p;
    o.q = ps.q;
    o.acvf_count = innovations_acvf_count(ps.acvf_entry, ps.p, ps.q, rec.n());
    const PreliminaryResult r = preliminary_estimate(rec.x, o);
    if (r.failure != PreliminaryFailure::None) {
      s.port.message("ZELK Error", failure_text(r.failure));
      return;
    }
    store(rec, r, o.method);
    write_report(s, entry, rec, r, o.method);
    model_changed(s, entry, rec);
    if (!r.noncausal) return;
    PreliminaryContinueDialog again;
    if (s.port.run_dialog(again)) return;  // Continue; else try another model or method
  }
}

std::unique_ptr<Dialog> make_preliminary_dialog() {
  struct Listed : private PreliminarySettings, public PreliminaryDialog {
    Listed() : PreliminaryDialog(static_cast<PreliminarySettings&>(*this)) {}
  };
  return std::make_unique<Listed>();
}
std::unique_ptr<Dialog> make_preliminary_continue_dialog() { return std::make_unique<PreliminaryContinueDialog>(); }

}  // namespace zelk
