#pragma once
// A desktop with a multivariate project: the starting point of the
// multivariate operation tests.
#include <string>

#include "port/commands.h"
#include "project/multivariate_record.h"
#include "support/desk.h"

namespace zelk::test {

class MultivariateDesk : public Desk {
 protected:
 protected:
  MultivariateRecord& open_mv() {
    port.queue_dialog({"Create New Project ", {{"multivariate", "on"}}, "OK", "test"});
    app.dispatch(cmd::New);
    return *s.projects.multivariate(s.projects.current());
  }
  MultivariateRecord& lung_deaths() {
    MultivariateRecord& rec = open_mv();
    port.queue_file(std::string(ZELK_TEST_DATA) + "/uk_lung_deaths_mf.dat");
    dialog("Read Multivariate Data  ", {{"columns", "2"}});
    app.dispatch(cmd::ImportFile);
    return rec;
  }
  MultivariateRecord& from_clipboard(const std::string& text) {
    MultivariateRecord& rec = open_mv();
    port.set_clipboard(text);
    app.dispatch(cmd::ImportClipboard);
    return rec;
  }
  bool shown(const std::string& part) {
    for (const auto& l : port.shown())
      if (l.find(part) != std::string::npos) return true;
    return false;
  }
};

}  // namespace zelk::test
