#include "arma/estimation.h"

#include "project/univariate_record.h"

namespace zelk {
namespace {

template <class T>
const T& kept_or_default(const UnivariateRecord& rec) {
  static const T defaults{};
  const T* kept = rec.kept.find<T>();
  return kept ? *kept : defaults;
}

}  // namespace

ArmaEstimation& arma_estimation(UnivariateRecord& rec) { return rec.kept.get<ArmaEstimation>(); }
const ArmaEstimation& arma_estimation(const UnivariateRecord& rec) { return kept_or_default<ArmaEstimation>(rec); }
ArmaFit& arma_fit(UnivariateRecord& rec) { return rec.kept.get<ArmaFit>(); }
const ArmaFit& arma_fit(const UnivariateRecord& rec) { return kept_or_default<ArmaFit>(rec); }

}  // namespace zelk
