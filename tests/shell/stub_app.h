#pragma once
// An App whose project commands are small stand-ins, so that the shell's
// rules can be tested without the real file and dialog code.
#include <memory>
#include <sstream>

#include "port/commands.h"
#include "univariate/windows.h"
#include "shell/app.h"
#include "port/scripted_port.h"
#include "support/stubs.h"

namespace zelk::testing {

struct StubApp {
  std::ostringstream log;
  ScriptedPort port{&log};
  std::unique_ptr<App> app;
  int runs = 0;  // calls of the stub analysis operations

  explicit StubApp(OperationStubs table = {}) {
    // New: a univariate project with its project window.
    table.session[cmd::New] = [](Session& s) {
      const int e = s.projects.free_entry();
      if (!e) return;
      UnivariateRecord& r = s.projects.create_univariate(e);
      s.projects.set_current(e);
      s.desktop.graph(e, windows::Project, r.name).graph->role = 0;
    };
    // Open stands in for a new multivariate project here.
    table.session[cmd::Open] = [](Session& s) {
      const int e = s.projects.free_entry();
      if (!e) return;
      MultivariateRecord& r = s.projects.create_multivariate(e);
      s.projects.set_current(e);
      s.desktop.graph(e, windows::Project, r.name).graph->role = 0;
    };
    table.session[cmd::ImportFile] = [](Session& s) {
      if (UnivariateRecord* u = s.projects.current_univariate()) u->set_data({1, 2, 3, 4});
      if (MultivariateRecord* m = s.projects.current_multivariate()) {
        m->m = 2;
        m->n = 3;
        m->data = {1, 2, 3, 4, 5, 6};
        m->active = {true, false};
      }
    };
    for (int id : {cmd::SampleAcf, cmd::ModelAcf, cmd::SampleModelAcf})
      table.univariate[id] = [this](Session& s, int e, UnivariateRecord& r) {
        ++runs;
        s.desktop.graph(e, windows::Acf, r.name);
      };
    app = std::make_unique<App>(port, stub_registry(std::move(table)));
  }
  Session& s() { return app->session(); }
};

}  // namespace zelk::testing
