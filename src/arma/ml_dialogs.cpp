#include "arma/ml_dialogs.h"

#include <algorithm>
#include <cmath>

#include "arma/acvf.h"
#include "arma/ml_fit.h"
#include "plot/format.h"
#include "port/port.h"

namespace zelk {
namespace {

std::string five(double v) { return trim(format_decimals(v, 5)); }

}  // namespace

double proposed_accuracy(const ArmaModel& m) {
  double sum = 0;
  int count = 0;
  for (int i = 1; i <= m.p + m.q; ++i)
    if (m.beta(i) != 0) {
      sum += m.beta(i);
      ++count;
    }
  return count == 0 ? 0.001 : 0.01 * std::fabs(sum / count) + 0.00001;
}

// ---------------------------------------------------------------- MLE dialog

MleDialog::MleDialog(const ArmaModel& model, const ArmaEstimation& settings)
    : Dialog("Maximum Likelihood Estimation"), m_(model), e_(settings) {
  add(ControlKind::Radio, "ml", "Maximum likelihood", "criterion").checked = e_.criterion != 0;
  add(ControlKind::Radio, "ls", "Least squares", "criterion").checked = e_.criterion == 0;
  add(ControlKind::Check, "no_optimization", "No optimization (just compute likelihood)").checked =
      e_.no_optimization;
  add(ControlKind::Edit, "accuracy", "Accuracy parameter").text = five(proposed_accuracy(m_));
  add(ControlKind::Edit, "iterations", "Number of iterations").text = std::to_string(e_.iteration_limit);
  add(ControlKind::Button, "constrain", "Constrain optimization");
  set_focus("accuracy");
}

void MleDialog::button_pressed(std::string_view key, UiPort& port) {
  if (key != "constrain") return;
  ConstrainDialog c(m_);
  if (port.run_dialog(c)) {
    m_ = c.result();
    constrained_ = true;
  }
}

bool MleDialog::accept(UiPort& port) {
  const auto acc = read_number(control("accuracy").text);
  if (!acc || *acc <= 0 || *acc >= 1) {
    port.message("ERROR", "Choose accuracy parameter between 0 and 1.");
    set_focus("accuracy");
    return false;
  }
  const auto it = read_integer(control("iterations").text);
  if (!it || *it <= 0) {
    port.message("ERROR", "Number of iterations must be > 0.");
    set_focus("iterations");
    return false;
  }
  e_.accuracy = *acc;
  e_.iteration_limit = static_cast<int>(std::min<long long>(*it, 1000000));
  e_.criterion = control("ls").checked ? 0 : -1;
  e_.no_optimization = control("no_optimization").checked;
  return true;
}

// ------------------------------------------------------ Constrain Optimization

ConstrainDialog::ConstrainDialog(const ArmaModel& model) : Dialog("Constrain Optimization"), m_(model) {
  count_ = std::clamp(m_.relation_count, 0, kMaxRelations);
  for (int r = 0; r < count_; ++r) {
    Relation& rel = relations_[r];
    rel.ma = m_.relation_target[r] > m_.p;
    const int shift = rel.ma ? m_.p : 0;
    rel.lag = {m_.relation_first[r] - shift, m_.relation_second[r] - shift, m_.relation_target[r] - shift};
  }
  add(ControlKind::Static, "ar_label", "AR Order = " + std::to_string(m_.p));
  add(ControlKind::MultiList, "ar_list", "AR Coefficients");
  add(ControlKind::Static, "ma_label", "MA Order = " + std::to_string(m_.q));
  add(ControlKind::MultiList, "ma_list", "MA Coefficients");
  add(ControlKind::Button, "none", "None");
  add(ControlKind::Button, "all_zero", "All zero");
  add(ControlKind::Button, "all_nonzero", "All non-zero");
  add(ControlKind::Button, "set_zero", "Set to zero");
  add(ControlKind::Edit, "relation_count", "Number of relations ( < 7) :").text = std::to_string(count_);
  add(ControlKind::Combo, "relation", "Relation");
  add(ControlKind::Radio, "rel_ar", "AR", "rel_kind").checked = true;
  add(ControlKind::Radio, "rel_ma", "MA", "rel_kind");
  add(ControlKind::Edit, "rel_a", "a");
  add(ControlKind::Edit, "rel_b", "b");
  add(ControlKind::Edit, "rel_c", "c");
  rebuild_lists();
  // Fixed: the coefficients that are neither free nor relation targets.
  auto fixed = [&](int i) {
    const bool free = std::find(m_.free_parameters.begin(), m_.free_parameters.end(), i) != m_.free_parameters.end();
    bool target = false;
    for (int r = 0; r < count_; ++r) target = target || m_.relation_target[r] == i;
    return !free && !target;
  };
  for (int i = 1; i <= m_.p; ++i)
    if (fixed(i)) control("ar_list").selection.push_back(i - 1);
  for (int j = 1; j <= m_.q; ++j)
    if (fixed(m_.p + j)) control("ma_list").selection.push_back(j - 1);
  show_relation(count_ > 0 ? 0 : -1);
  set_focus("ar_list");
}

void ConstrainDialog::rebuild_lists() {
  Control& ar = control("ar_list");
  ar.items.clear();
  for (int i = 1; i <= m_.p; ++i) ar.items.push_back("Phi(" + std::to_string(i) + ") = " + five(m_.phi[i - 1]));
  Control& ma = control("ma_list");
  ma.items.clear();
  for (int j = 1; j <= m_.q; ++j) ma.items.push_back("Theta(" + std::to_string(j) + ") = " + five(m_.theta[j - 1]));
  Control& sel = control("relation");
  sel.items.clear();
  if (count_ == 0) sel.items.push_back("None");
  for (int r = 1; r <= count_; ++r) sel.items.push_back(std::to_string(r));
}

void ConstrainDialog::show_relation(int r) {
  current_ = r;
  const bool on = r >= 0;
  for (const char* k : {"rel_ar", "rel_ma", "rel_a", "rel_b", "rel_c"}) control(k).enabled = on;
  control("relation").selection.assign(1, on ? r : 0);
  if (!on) {
    for (const char* k : {"rel_a", "rel_b", "rel_c"}) control(k).text.clear();
    return;
  }
  const Relation& rel = relations_[r];
  check_radio(control(rel.ma ? "rel_ma" : "rel_ar"));
  control("rel_a").text = std::to_string(rel.lag[0]);
  control("rel_b").text = std::to_string(rel.lag[1]);
  control("rel_c").text = std::to_string(rel.lag[2]);
}

bool ConstrainDialog::store_relation(UiPort& port) {
  if (current_ < 0) return true;
  Relation& rel = relations_[current_];
  rel.ma = control("rel_ma").checked;
  const int order = rel.ma ? m_.q : m_.p;
  const char* keys[3] = {"rel_a", "rel_b", "rel_c"};
  for (int k = 0; k < 3; ++k) {
    const auto v = read_integer(control(keys[k]).text);
    const int lag = v ? static_cast<int>(std::clamp<long long>(*v, -1, 1000)) : 0;
    if (lag > order) {
      port.message("ZELK Error", rel.ma ? "Invalid index, must be less than MA Order = " + std::to_string(m_.q)
                                        : "Invalid index, must be less than AR Order = " + std::to_string(m_.p));
      set_focus(keys[k]);
      return false;
    }
    rel.lag[k] = lag;
  }
  return true;
}

bool ConstrainDialog::field_changed(std::string_view key, UiPort& port) {
  if (key == "relation_count") {
    const auto v = read_integer(control("relation_count").text);
    if (!v || *v < 0 || *v > kMaxRelations) {
      port.message("ZELK Error", "Number of multiplicative relations must be from 0 to 6");
      count_ = 0;
      control("relation_count").text = "0";
      rebuild_lists();
      show_relation(-1);
      set_focus("relation_count");
      return false;
    }
    count_ = static_cast<int>(*v);
    rebuild_lists();
    show_relation(count_ > 0 ? 0 : -1);
    return true;
  }
  if (key == "relation") {
    const auto& sel = control("relation").selection;
    if (count_ > 0 && !sel.empty()) show_relation(std::clamp(sel.front(), 0, count_ - 1));
    return true;
  }
  if (key == "rel_ar" || key == "rel_ma" || key == "rel_a" || key == "rel_b" || key == "rel_c")
    return store_relation(port);
  return true;
}

void ConstrainDialog::button_pressed(std::string_view key, UiPort&) {
  Control& ar = control("ar_list");
  Control& ma = control("ma_list");
  auto pick = [&](auto wanted) {
    ar.selection.clear();
    ma.selection.clear();
    for (int i = 1; i <= m_.p; ++i)
      if (wanted(m_.phi[i - 1])) ar.selection.push_back(i - 1);
    for (int j = 1; j <= m_.q; ++j)
      if (wanted(m_.theta[j - 1])) ma.selection.push_back(j - 1);
  };
  if (key == "none") pick([](double) { return false; });
  if (key == "all_zero") pick([](double v) { return v == 0; });
  if (key == "all_nonzero") pick([](double v) { return v != 0; });
  if (key == "set_zero") {
    for (int i : ar.selection)
      if (i >= 0 && i < m_.p) m_.phi[i] = 0;
    for (int j : ma.selection)
      if (j >= 0 && j < m_.q) m_.theta[j] = 0;
    const auto keep_ar = ar.selection, keep_ma = ma.selection;
    rebuild_lists();
    ar.selection = keep_ar;
    ma.selection = keep_ma;
  }
}

bool ConstrainDialog::is_fixed(int i) const {
  const auto& sel = i <= m_.p ? control("ar_list").selection : control("ma_list").selection;
  const int item = i <= m_.p ? i - 1 : i - m_.p - 1;
  return std::find(sel.begin(), sel.end(), item) != sel.end();
}

bool ConstrainDialog::accept(UiPort& port) {
  if (!store_relation(port)) return false;
  auto refuse = [&](const char* text, const char* focus) {
    port.message("ZELK ERROR", text);
    set_focus(focus);
    return false;
  };
  ArmaModel next = m_;
  next.relation_count = count_;
  for (int r = 0; r < count_; ++r) {
    const Relation& rel = relations_[r];
    const int order = rel.ma ? m_.q : m_.p, shift = rel.ma ? m_.p : 0;
    for (int lag : rel.lag)
      if (lag < 1) return refuse("Multiplicative relation parameter must be positive", "rel_a");
    for (int lag : rel.lag)
      if (lag > order) {
        show_relation(r);
        return store_relation(port);  // shows the index message
      }
    if (rel.lag[0] == rel.lag[1] || rel.lag[0] == rel.lag[2] || rel.lag[1] == rel.lag[2])
      return refuse("Multiplicative relation repeats parameter", "rel_a");
    next.relation_first[r] = rel.lag[0] + shift;
    next.relation_second[r] = rel.lag[1] + shift;
    next.relation_target[r] = rel.lag[2] + shift;
    if (is_fixed(next.relation_target[r]))
      return refuse("Conflict in multiplicative relation and fixed parameter", "rel_c");
  }
  // A target that is set by two relations or feeds another one would leave
  // one of them broken after the other is applied.
  for (int r = 0; r < count_; ++r)
    for (int s = 0; s < count_; ++s) {
      if (r == s) continue;
      const int t = next.relation_target[r];
      if (t == next.relation_target[s] || t == next.relation_first[s] || t == next.relation_second[s])
        return refuse("Multiplicative relation repeats parameter", "rel_c");
    }
  ArmaModel tested = next;
  apply_relations(tested);
  if (!check_causal({tested.phi.data(), static_cast<std::size_t>(tested.p)}))
    return refuse("Model no longer causal", "ar_list");
  next.free_parameters.clear();
  for (int i = 1; i <= m_.p + m_.q; ++i) {
    bool target = false;
    for (int r = 0; r < count_; ++r) target = target || next.relation_target[r] == i;
    if (!is_fixed(i) && !target) next.free_parameters.push_back(i);
  }
  m_ = std::move(next);
  return true;
}

// ------------------------------------------------------------- small dialogs

MleContinueDialog::MleContinueDialog(std::string text) : Dialog(" Maximum likelihood estimation") {
  add(ControlKind::Static, "text", "").text = std::move(text);
}

SubtractMeanDialog::SubtractMeanDialog() : Dialog("Subtract Mean?") {
  add(ControlKind::Static, "question", "").text = "Do you wish to subtract the mean?";
  add(ControlKind::Static, "note", "").text =
      "It is advisable to subtract the mean of the data before fitting an ARMA model unless you wish to assume "
      "the data is generated by a zero-mean process.";
}

FractionalMleDialog::FractionalMleDialog(const ArmaModel& model, const ArmaEstimation& settings)
    : Dialog("ML Estimation (Fractionally Integrated ARMA)"), m_(model), e_(settings) {
  add(ControlKind::Check, "no_optimization", "No optimization (just compute likelihood)").checked =
      e_.no_optimization;
  add(ControlKind::Edit, "step", "Step size (e.g. .1 reducing later to .01, .001,...)").text =
      five(e_.whittle_step);
  add(ControlKind::Check, "keep_d", "Keep d parameter fixed in optimization.").checked = !e_.estimate_d;
  set_focus("step");
}

bool FractionalMleDialog::accept(UiPort& port) {
  const auto step = read_number(control("step").text);
  if (!step || *step <= 0 || *step >= 1) {
    port.message("ERROR", "Choose accuracy parameter between 0 and 1.");
    set_focus("step");
    return false;
  }
  const bool no_opt = control("no_optimization").checked, keep_d = control("keep_d").checked;
  if (!no_opt && keep_d && m_.p + m_.q == 0) {
    port.message("ERROR", "No parameters to optimize.");
    set_focus("keep_d");
    return false;
  }
  e_.whittle_step = *step;
  e_.no_optimization = no_opt;
  e_.estimate_d = !keep_d;
  return true;
}

}  // namespace zelk
