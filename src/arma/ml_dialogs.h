#pragma once
// Dialogs of maximum-likelihood estimation: "Maximum Likelihood Estimation"
// with its "Constrain Optimization" dialog, the small " Maximum likelihood
// estimation" question after a troubled fit, "Subtract Mean?" and the
// dialog for fractionally integrated models.
#include <array>
#include <string>

#include "arma/estimation.h"
#include "model/arma_model.h"
#include "port/dialog.h"

namespace zelk {

// The accuracy the MLE dialog proposes: 0.01 |mean of the non-zero
// coefficients| + 0.00001, or 0.001 when every coefficient is zero.
double proposed_accuracy(const ArmaModel& model);

class MleDialog : public Dialog {
 public:
  MleDialog(const ArmaModel& model, const ArmaEstimation& settings);
  void button_pressed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;
  // The model with any constraints set.
  const ArmaModel& result() const { return m_; }
  // Criterion, flags, accuracy and iteration limit.
  const ArmaEstimation& settings() const { return e_; }
  // "Constrain Optimization" ended with OK at least once.
  bool constrained() const { return constrained_; }

 private:
  ArmaModel m_;
  ArmaEstimation e_;
  bool constrained_ = false;
};

class ConstrainDialog : public Dialog {
 public:
  explicit ConstrainDialog(const ArmaModel& model);
  bool field_changed(std::string_view key, UiPort& port) override;
  void button_pressed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;
  const ArmaModel& result() const { return m_; }

 private:
  struct Relation {
    bool ma = false;
    std::array<int, 3> lag{};  // a x b = c
  };
  void rebuild_lists();
  void show_relation(int r);
  bool store_relation(UiPort& port);
  bool is_fixed(int beta_index) const;

  ArmaModel m_;
  std::array<Relation, kMaxRelations> relations_{};
  int count_ = 0;
  int current_ = -1;
};

// " Maximum likelihood estimation": OK is "Continue", Cancel "Return to MLE dialog".
class MleContinueDialog : public Dialog {
 public:
  explicit MleContinueDialog(std::string text);
  std::string ok_label() const override { return "Continue"; }
  std::string cancel_label() const override { return "Return to MLE dialog"; }
};

// "Subtract Mean?": OK is "Yes", Cancel "No".
class SubtractMeanDialog : public Dialog {
 public:
  SubtractMeanDialog();
  std::string ok_label() const override { return "Yes"; }
  std::string cancel_label() const override { return "No"; }
};

class FractionalMleDialog : public Dialog {
 public:
  FractionalMleDialog(const ArmaModel& model, const ArmaEstimation& settings);
  bool accept(UiPort& port) override;
  // The flag, step and whether d is estimated.
  const ArmaEstimation& settings() const { return e_; }

 private:
  ArmaModel m_;
  ArmaEstimation e_;
};

}  // namespace zelk
