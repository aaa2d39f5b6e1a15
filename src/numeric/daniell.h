#pragma once
// Simple Daniell filters and their composition, shared by the spectrum of
// one series and the cross-spectrum of several.
#include <cstddef>
#include <span>
#include <vector>

namespace zelk {

// Moving means of width 2k+1 over a (len - 2k values), O(len) whatever k,
// without the cancellation of a running sum that subtracts.
std::vector<double> box_mean(const std::vector<double>& a, std::size_t k);

// Composite weights W(0..L), L = sum of the orders, of a chain of simple
// Daniell filters (2k+1 equal weights each); orders <= 0 are skipped, none
// leaves W = {1}. One running sum per filter: O(L) per filter.
std::vector<double> daniell_weights(std::span<const int> orders);
// W(0)^2 + 2 sum_{k>=1} W(k)^2: the sum of squares over -L..L.
double weights_sum_of_squares(std::span<const double> w);

}  // namespace zelk
