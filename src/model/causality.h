#pragma once
// Whether an AR polynomial is causal and an MA polynomial invertible: plain
// properties of the model, checked wherever a model enters the program
// (the Specify dialog, estimation, a project file).
#include <span>
#include <vector>

namespace zelk {

// Partial autocorrelations phi(m,m), m = 1..k, of the AR polynomial with
// coefficients a(1..k) by the step-down recursion; empty when a partial
// coefficient reaches modulus 1 (which counts as failure).
std::vector<double> step_down(std::span<const double> a);

bool check_causal(std::span<const double> phi);
bool check_invertible(std::span<const double> theta);

}  // namespace zelk
