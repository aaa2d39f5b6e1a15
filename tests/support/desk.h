#pragma once
// A desktop with the real features behind a scripted port: the starting
// point of the operation tests of every feature.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "files/project_ops.h"
#include "port/commands.h"
#include "port/scripted_port.h"
#include "port/session.h"
#include "shell/app.h"

namespace zelk::test {

class Desk : public ::testing::Test {
 protected:
  ScriptedPort port;
  App app{port};
  Session& s = app.session();

  UnivariateRecord& open_project() {
    port.queue_dialog({"Create New Project ", {}, "OK", "create"});
    app.dispatch(cmd::New);
    return *s.projects.univariate(1);
  }
  UnivariateRecord& project_with(std::vector<double> values) {
    UnivariateRecord& rec = open_project();
    install_series(s, 1, rec, std::move(values));
    return rec;
  }
  UnivariateRecord& lake_huron() {
    UnivariateRecord& rec = open_project();
    port.queue_file(std::string(ZELK_TEST_DATA) + "/lake_huron.dat");
    app.dispatch(cmd::ImportFile);
    return rec;
  }
  void dialog(std::string title, std::vector<std::pair<std::string, std::string>> set, std::string press = "OK") {
    port.queue_dialog({std::move(title), std::move(set), std::move(press), "test"});
  }
  // The Info command on a window: its INFO text.
  std::string info_of(Slot slot) {
    Window* g = s.desktop.find(1, slot);
    if (!g) return "<no window>";
    s.desktop.focus(g->id);
    app.dispatch(cmd::Info);
    Window* info = s.desktop.find_info(1, slot);
    return info ? info->text->text() : "<no info>";
  }
  // The lines of a text-only report window.
  std::vector<std::string> report(Slot slot) {
    Window* w = s.desktop.find(1, slot);
    return w && w->text ? w->text->lines() : std::vector<std::string>{};
  }
};

}  // namespace zelk::test
