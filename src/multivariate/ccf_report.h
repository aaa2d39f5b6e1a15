#pragma once
// INFO texts of the sample CCF and of the cross-spectrum, line by line
// (the window's caption carries the "INFO: " prefix).
#include <string>
#include <vector>

#include "multivariate/cross_correlation.h"
#include "multivariate/cross_spectrum.h"

namespace zelk {

// components: the project's component numbers of the k series (1-based).
// letter "X" for data, "Z" for AR residuals (with its own title).
std::vector<std::string> ccf_report(const SampleCcf& r, const std::vector<int>& components, char letter = 'X');

std::vector<std::string> spectrum_report(const CrossSpectrum& s);

// "Series 1 x Series 2": pane captions join component names with " x ".
std::string pair_caption(const std::string& a, const std::string& b);

}  // namespace zelk
