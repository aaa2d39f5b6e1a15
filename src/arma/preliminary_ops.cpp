// The Preliminary estimation command: mean handling, the dialog, the
// estimator, the report and the question after a non-causal fit.
#include <algorithm>

#include "arma/arma_ops.h"
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
  if (valid_method(rec.model.estimation_method)) ps.method = static_cast<PreliminaryMethod>(rec.model.estimation_method);
  return ps;
}

const char* failure_text(PreliminaryFailure f) {
  return f == PreliminaryFailure::Singular
             ? "The estimating equations have no unique solution for these orders: try another model or method."
             : "Not enough data for these orders: the number of observations must exceed p + q + 2.";
}

void store(ArmaModel& m, const PreliminaryResult& r, PreliminaryMethod method) {
  m.p = r.p;
  m.q = r.q;
  m.phi.fill(0);
  m.theta.fill(0);
  std::copy(r.phi.begin(), r.phi.end(), m.phi.begin());
  std::copy(r.theta.begin(), r.theta.end(), m.theta.begin());
  m.sigma2 = r.sigma2;
  m.estimation_method = static_cast<int>(method);
  m.estimation_status = 0;
  m.recursion_tolerance = 0.00005;
  m.relation_count = 0;
  m.free_parameters.resize(r.p + r.q);
  for (int i = 0; i < r.p + r.q; ++i) m.free_parameters[i] = i + 1;
  m.standard_errors = r.standard_errors;
  m.acvfs_used = r.acvfs_used;
  m.saved_wn = r.residual_ss_n;
  m.minus2_log_likelihood = r.minus2_log_likelihood;
  m.aicc = r.aicc;
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
    store(rec.model, r, o.method);
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
