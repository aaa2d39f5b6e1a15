#pragma once
// "Tests of Randomness": asks for h, the lag of the two portmanteau tests,
// offering min(f + 21, n) - 1 and accepting f <= h <= min(n, 54).
#include "port/dialog.h"

namespace zelk {

struct RandomnessSettings {
  int f = 0;  // free coefficients of the model
  int n = 0;  // residuals
  int h = 0;  // written on OK
};

class RandomnessDialog : public Dialog {
 public:
  explicit RandomnessDialog(RandomnessSettings& settings);
  bool accept(UiPort& port) override;

 private:
  RandomnessSettings& settings_;
};

}  // namespace zelk
