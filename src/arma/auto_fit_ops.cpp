// The Auto-fit command: mean handling as for Max likelihood, the search on
// all cores with progress and cancel, the winner as the project's model with
// its ML report, and the table of candidates.
#include <algorithm>
#include <cstdio>

#include "arma/arma_ops.h"
#include "arma/auto_fit.h"
#include "arma/auto_fit_dialog.h"
#include "arma/ml_report.h"
#include "arma/model_text.h"
#include "arma/windows.h"
#include "numeric/minimize.h"
#include "plot/format.h"
#include "port/session.h"
#include "project/univariate_record.h"

namespace zelk {
namespace {

const char* note(const AutoFitCandidate& c) {
  switch (c.outcome) {
    case CandidateOutcome::Converged: return "";
    case CandidateOutcome::Uncertain: return "uncertain minimum";
    case CandidateOutcome::IterationLimit: return "iteration limit";
    case CandidateOutcome::NotCausal: return "not causal";
    case CandidateOutcome::Failed: return "failed";
    case CandidateOutcome::Cancelled: return "cancelled";
  }
  return "";
}

std::string row(const AutoFitCandidate& c) {
  char line[160];
  if (c.outcome == CandidateOutcome::Failed || c.outcome == CandidateOutcome::Cancelled)
    std::snprintf(line, sizeof line, "%3d %3d %12s %14s %12s %5s  %s", c.p, c.q, "-", "-", "-", "-", note(c));
  else
    std::snprintf(line, sizeof line, "%3d %3d %12.4f %14.4f %12.6g %5d  %s", c.p, c.q, c.aicc,
                  c.minus2_log_likelihood, c.wn_variance, c.stop_code, note(c));
  std::string text = line;
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

void write_auto_fit_report(Session& s, int entry, const UnivariateRecord& rec, const AutoFitSettings& settings,
                           const AutoFitResult& result) {
  Window& w = s.desktop.report(entry, windows::AutoFit, rec.name);
  TextDocument& doc = *w.text;
  const AutoFitCandidate& best = result.candidates.front();
  doc.clear();
  doc.write_line("========================================");
  doc.write_line("ZELK::(Auto-fit, minimum AICC)");
  doc.write_line("========================================");
  doc.write_line(" ");
  doc.write_line(settings.options.least_squares ? "Method: Least Squares" : "Method: Maximum Likelihood");
  doc.write_line("Orders searched: p <= " + std::to_string(settings.options.max_p) + ", q <= " +
                 std::to_string(settings.options.max_q) + " (" + std::to_string(result.candidates.size()) +
                 " models)");
  doc.write_line("Best model: ARMA(" + std::to_string(best.p) + "," + std::to_string(best.q) + ")");
  write_model_text(doc, best.model);
  doc.write_line("WN Variance = " + trim(format_decimals(best.wn_variance, 6)));
  doc.write_line("AICC = " + trim(format_decimals(best.aicc, 6)));
  if (!settings.keep_table) return s.desktop.changed(w);
  doc.write_line(" ");
  doc.write_line("  p   q         AICC  -2Log(Like)   WN Variance  Stop");
  for (const AutoFitCandidate& c : result.candidates) doc.write_line(row(c));
  doc.write_line(" ");
  doc.write_line("Stop: 1 gradient near zero, 2 within accuracy, 3 uncertain minimum, 4 iteration limit.");
  s.desktop.changed(w);
}

}  // namespace

void auto_fit_command(Session& s, int entry, UnivariateRecord& rec) {
  if (!rec.data_present()) return;
  if (rec.model.fractional) {
    s.port.message("ZELK Error", "Auto-fit searches ARMA models only: specify a model without fractional integration.");
    return;
  }
  handle_mean(s, entry, rec);
  AutoFitSettings& settings = rec.kept.get<AutoFitSettings>();
  AutoFitDialog d(settings);
  if (!s.port.run_dialog(d)) return;
  if (rec.n() < 3) {
    s.port.message("ZELK Error", "Not enough data: the number of observations must exceed p + q + 2.");
    return;
  }
  if (std::all_of(rec.x.begin(), rec.x.end(), [](double v) { return v == 0; })) {
    s.port.message("ZELK Error", "The series is identically zero: its likelihood is not defined.");
    return;
  }
  const int iterations_before = rec.iterations;
  auto progress = [&](int done, int) {
    rec.iterations = done;
    s.status_changed();
    return s.progress(done);
  };
  const AutoFitResult result = auto_fit(rec.x, settings.options, progress);
  if (result.cancelled || !result.found()) {
    rec.iterations = iterations_before;
    s.status_changed();
    if (!result.cancelled) s.port.message("ZELK Error", "No model in the search could be fitted.");
    return;
  }
  const AutoFitCandidate& best = result.candidates.front();
  rec.model = best.model;
  arma_estimation(rec) = best.settings;
  arma_fit(rec) = best.fit;
  rec.iterations = best.fit.iterations;
  s.status_changed();
  MlReportFacts facts;
  facts.optimized = best.p + best.q > 0;
  facts.x = rec.x;
  write_ml_report(s, entry, rec, facts);
  write_auto_fit_report(s, entry, rec, settings, result);
  model_changed(s, entry, rec);
}

std::unique_ptr<Dialog> make_auto_fit_dialog() {
  static AutoFitSettings defaults;
  defaults = {};
  return std::make_unique<AutoFitDialog>(defaults);
}

}  // namespace zelk
