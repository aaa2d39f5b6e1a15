// Specify Model, AR/MA Infinity and Switch to invertible.
#include <algorithm>
#include <span>

#include "arma/windows.h"
#include "arma/acvf.h"
#include "arma/arma_ops.h"
#include "arma/estimation.h"
#include "arma/fractional_residuals.h"
#include "arma/ml_fit.h"
#include "arma/model_acf.h"
#include "arma/model_text.h"
#include "arma/specify_dialog.h"
#include "plot/format.h"
#include "project/univariate_record.h"
#include "port/session.h"

namespace zelk {
namespace {

std::span<const double> ar_of(const ArmaModel& m) { return {m.phi.data(), static_cast<std::size_t>(m.p)}; }
std::span<const double> ma_of(const ArmaModel& m) { return {m.theta.data(), static_cast<std::size_t>(m.q)}; }

std::string field(const std::string& s) { return pad_left(s, 15); }
std::string field(double v) { return field(trim(format_decimals(v, 5))); }

}  // namespace

std::unique_ptr<Dialog> make_specify_model_dialog() { return std::make_unique<SpecifyModelDialog>(ArmaModel{}); }

void update_residuals(UnivariateRecord& rec) {
  rec.results.residuals.clear();
  rec.results.rescaled_residuals.clear();
  if (!rec.data_present() || rec.model.fractional) return;
  LikelihoodResult r = model_likelihood(rec.model, arma_estimation(rec), rec.x, true);
  if (!r.causal || r.degenerate) return;
  rec.results.residuals = std::move(r.residuals);
  rec.results.rescaled_residuals = std::move(r.rescaled_residuals);
}

int record_likelihood(UnivariateRecord& rec, int criterion) {
  const ArmaModel& m = rec.model;
  const int n = rec.n();
  LikelihoodResult r = model_likelihood(m, arma_estimation(rec), rec.x, true);
  if (!r.causal || r.degenerate || n == 0) return -1;
  arma_estimation(rec).criterion = criterion;
  ArmaFit& fit = arma_fit(rec);
  fit.saved_wn = r.S / n;
  fit.reduced_likelihood = r.reduced;
  fit.recursion_steps = r.steps;
  fit.minus2_log_likelihood = minus2_log_likelihood(r, n, m.sigma2);
  fit.aicc = aicc(fit.minus2_log_likelihood, n, m.p + m.q);
  rec.results.residuals = std::move(r.residuals);
  rec.results.rescaled_residuals = std::move(r.rescaled_residuals);
  return 0;
}

void ensure_residuals(UnivariateRecord& rec) {
  if (!rec.data_present() || !rec.results.rescaled_residuals.empty()) return;
  if (!rec.model.fractional) {
    update_residuals(rec);
    return;
  }
  FractionalResiduals r = fractional_residuals(rec.model, rec.x);
  rec.results.residuals = std::move(r.residuals);
  rec.results.rescaled_residuals = std::move(r.rescaled_residuals);
}

void model_changed(Session& s, int entry, UnivariateRecord& rec) {
  rec.results.model_acf.clear();
  rec.results.model_pacf.clear();
  s.publish(Event::ModelChanged, entry);
}

void specify_model(Session& s, int entry, UnivariateRecord& rec) {
  SpecifyModelDialog d(rec.model);
  if (!s.port.run_dialog(d)) return;
  rec.model = d.result();
  model_changed(s, entry, rec);
}

void write_ar_ma_infinity(Session& s, int entry, UnivariateRecord& rec) {
  Window* w = s.desktop.find(entry, windows::ArmaInfinity);
  if (!w || !w->text) return;
  const ArmaModel& m = rec.model;
  TextDocument& doc = *w->text;
  doc.clear();
  for (const char* line : {"==========================", "ZELK::(AR/MA Infinity)", "=========================="})
    doc.write_line(line);
  doc.write_line(" ");
  write_model_text(doc, m);
  doc.write_line(" ");
  doc.write_line("AR/MA Infinity: ");
  constexpr int J = 50;
  std::vector<double> psi, pi;
  bool invertible = true;
  if (m.fractional) {
    psi = fractional_weights(m, J, false);
    pi = fractional_weights(m, J, true);
  } else {
    psi = psi_weights(ar_of(m), ma_of(m), J);
    invertible = check_invertible(ma_of(m));
    if (invertible) pi = pi_weights(ar_of(m), ma_of(m), J);
  }
  doc.write_line(invertible ? "                   MA-Infinity    AR-Infinity"
                            : "                   MA-Infinity Non-Invertible");
  for (int j = 0; j < J; ++j)
    doc.write_line(field(std::to_string(j)) + field(psi[j]) + (invertible ? field(pi[j]) : "       *       "));
  s.desktop.changed(*w);
}

void ar_ma_infinity(Session& s, int entry, UnivariateRecord& rec) {
  s.desktop.report(entry, windows::ArmaInfinity, rec.name);
  write_ar_ma_infinity(s, entry, rec);
}

void switch_to_invertible(Session& s, int entry, UnivariateRecord& rec) {
  ArmaModel& m = rec.model;
  if (check_invertible(ma_of(m))) {
    s.port.message("Message box", " Model is invertible");
    return;
  }
  const int N = rec.data_present() ? rec.n() : 50;
  const InvertibleMa inv = invertible_ma(ma_of(m), N, settling_tolerance(arma_estimation(rec)));
  ArmaModel next = m;
  std::copy(inv.theta.begin(), inv.theta.end(), next.theta.begin());
  if (static_cast<int>(m.free_parameters.size()) < m.p + m.q) {
    next.free_parameters.clear();
    for (int i : m.free_parameters)
      if (i <= m.p) next.free_parameters.push_back(i);
    for (int j = 1; j <= m.q; ++j) next.free_parameters.push_back(m.p + j);
  }
  if (!rec.data_present()) {
    next.sigma2 *= inv.variance_factor;
  } else {
    const ArmaEstimation& settings = arma_estimation(rec);
    const LikelihoodResult old_fit = model_likelihood(m, settings, rec.x, false);
    const LikelihoodResult new_fit = model_likelihood(next, settings, rec.x, false);
    if (old_fit.causal && new_fit.causal && !old_fit.degenerate && !new_fit.degenerate)
      next.sigma2 *= new_fit.S / old_fit.S;
    else
      next.sigma2 *= inv.variance_factor;
  }
  m = std::move(next);
  model_changed(s, entry, rec);
}

}  // namespace zelk
