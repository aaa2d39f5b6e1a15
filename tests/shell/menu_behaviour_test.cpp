// What a user can click in each project state, tried on the real program:
// every command the menus offer runs without an error, and the ones they
// grey stay greyed for a reason the state gives.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "port/commands.h"
#include "shell/menu_state.h"
#include "support/desk.h"

namespace zelk {
namespace {

struct State {
  const char* name;
  std::function<void(test::Desk&)> enter;
};

// The commands a user can reach in the menu on the frame.
void reachable(const MenuState& m, const std::vector<MenuItem>& items, std::vector<int>& path, std::vector<int>& out) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    path.push_back(static_cast<int>(i));
    const MenuItem& item = items[i];
    if (item.is_submenu())
      reachable(m, item.items, path, out);
    else if (item.id != 0 && m.reachable(path))
      out.push_back(item.id);
    path.pop_back();
  }
}

class Clicks : public test::Desk {
 public:
  void TestBody() override {}
  using test::Desk::app;
  using test::Desk::lake_huron;
  using test::Desk::open_project;
  using test::Desk::port;
  using test::Desk::s;
};

const std::vector<State>& states() {
  static const std::vector<State> all{
      {"no project", [](test::Desk&) {}},
      {"empty univariate project", [](test::Desk& d) { static_cast<Clicks&>(d).open_project(); }},
      {"Lake Huron", [](test::Desk& d) { static_cast<Clicks&>(d).lake_huron(); }},
      {"Lake Huron, differenced",
       [](test::Desk& d) {
         auto& c = static_cast<Clicks&>(d);
         c.lake_huron();
         c.port.queue_dialog({"Difference the series", {{"Enter lag:", "1"}}});
         c.app.dispatch(cmd::Difference);
       }},
      {"multivariate project",
       [](test::Desk& d) {
         auto& c = static_cast<Clicks&>(d);
         c.port.queue_dialog({"Create New Project ", {{"Multivariate", "on"}}});
         c.app.dispatch(cmd::New);
         c.port.set_clipboard("1\t2\n3\t5\n4\t4\n6\t8\n7\t7\n9\t12\n");
         c.app.dispatch(cmd::ImportClipboard);
       }},
  };
  return all;
}

TEST(Clicks, EveryOfferedCommandRunsWithoutAnError) {
  for (const State& state : states()) {
    std::vector<int> ids;
    {
      Clicks probe;
      state.enter(probe);
      const MenuState m = probe.app.menu_state();
      std::vector<int> path;
      reachable(m, menu_bar(m.kind), path, ids);
    }
    ASSERT_FALSE(ids.empty()) << state.name;
    for (int id : ids) {
      if (id == cmd::Exit) continue;  // the frame's own business
      Clicks c;
      state.enter(c);
      c.port.clear_shown();
      c.app.dispatch(id);
      for (const std::string& line : c.port.shown())
        EXPECT_EQ(line.find("[ZELK Error]"), std::string::npos) << state.name << ": " << id << ": " << line;
      EXPECT_TRUE(c.port.errors().empty()) << state.name << ": " << id;
    }
  }
}

TEST(Clicks, WithoutDataOnlyWhatNeedsNoDataIsOffered) {
  Clicks c;
  c.open_project();
  const MenuState m = c.app.menu_state();
  std::vector<int> ids, path;
  reachable(m, menu_bar(m.kind), path, ids);
  auto offered = [&](int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); };
  // A model can be specified and looked at before there are data...
  for (int id : {cmd::ImportFile, cmd::ImportClipboard, cmd::SpecifyModel, cmd::ModelSpectrum})
    EXPECT_TRUE(offered(id)) << id;
  // ...but nothing that reads the series.
  for (int id : {cmd::Difference, cmd::MaxLikelihood, cmd::Preliminary, cmd::SampleModelAcf, cmd::Histogram,
                 cmd::ArmaForecast, cmd::FisherTest, cmd::Export, cmd::Print})
    EXPECT_FALSE(offered(id)) << id;
}

}  // namespace
}  // namespace zelk
