// The univariate analyses' commands, window handlers and dialogs.
#include "project/univariate_record.h"
#include "shell/operations.h"
#include "shell/session.h"
#include "univariate/univariate_ops.h"

namespace zelk {
namespace {

void acf_command(Session& s, int entry, UnivariateRecord& rec) {
  draw_acf_window(s, entry, rec);
  if (Window* w = s.desktop.find(entry, Slot::Acf)) s.desktop.focus(w->id);
}

void refresh_histogram(Session& s, int entry, UnivariateRecord& rec) {
  if (!rec.data_present()) {
    if (Window* w = s.desktop.find(entry, Slot::Histogram)) {
      w->graph->clear();
      s.desktop.changed(*w);
    }
    return;
  }
  draw_histogram(s, entry, rec, rec.params.histogram_bins);
}

}  // namespace

void register_univariate_operations(OperationTable& t) {
  t.univariate[40044] = difference;
  t.univariate[40056] = box_cox;
  t.univariate[40066] = classical;
  t.univariate[40061] = subtract_mean;
  t.univariate[40067] = subsequence;
  t.univariate[40055] = undo_transformation;
  t.univariate[40115] = show_classical_fit;
  for (int id : {40047, 40048, 40049}) t.univariate[id] = acf_command;
  t.univariate[40050] = specify_lag;
  t.univariate[40064] = default_histogram;
  t.univariate[40065] = [](Session& s, int e, UnivariateRecord& r) { set_histogram_bins(s, e, r, false); };
  t.univariate[40083] = [](Session& s, int e, UnivariateRecord& r) { draw_residual_histogram(s, e, r, 0); };
  t.univariate[40186] = [](Session& s, int e, UnivariateRecord& r) { set_histogram_bins(s, e, r, true); };

  t.slots[Slot::Project].write_info = write_summary_info;
  t.slots[Slot::Acf] = {draw_acf_window, write_acf_info};
  t.slots[Slot::Histogram] = {refresh_histogram, write_histogram_info};
  t.slots[Slot::ResidualHistogram] = {
      [](Session& s, int e, UnivariateRecord& r) {
        if (!r.results.residuals.empty()) draw_residual_histogram(s, e, r, r.params.residual_histogram_bins);
      },
      write_residual_histogram_info};
  t.slots[Slot::ClassicalFit].write_info = write_fit_info;

  t.transform_menu = transform_menu;
  for (auto make : {make_specify_lag_dialog, make_histogram_bins_dialog, make_difference_dialog,
                    make_subsequence_dialog, make_box_cox_dialog, make_classical_dialog})
    t.dialogs.push_back(make);
}

}  // namespace zelk
