// Every feature folder, listed once: adding a feature adds one line here.
#include "arma/features.h"
#include "files/features.h"
#include "forecast/features.h"
#include "multivariate/features.h"
#include "shell/command_table.h"
#include "shell/frame_commands.h"
#include "univariate/features.h"

namespace zelk {

Registry make_registry() {
  Registry r;
  r.add(describe_files());
  r.add(describe_univariate());
  r.add(describe_arma());
  r.add(describe_forecast());
  r.add(describe_multivariate());
  r.add(describe_frame());
  return r;
}

}  // namespace zelk
