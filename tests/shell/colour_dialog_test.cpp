#include "shell/colour_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "files/project_ops.h"
#include "plot/render.h"
#include "port/commands.h"
#include "port/scripted_port.h"
#include "port/session.h"
#include "shell/app.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

// Defaults of the colour table as the program's documentation lists them.
constexpr Rgb kTeal{0, 160, 128};  // pane colour 1
constexpr Rgb kRed{255, 0, 0};

class CountingPort : public ScriptedPort {
 public:
  void window_changed(const Window&) override { ++changes; }
  bool print_picture(const DisplayList& picture) override {
    printed = picture;
    return true;
  }
  int changes = 0;
  std::optional<DisplayList> printed;
};

std::set<std::tuple<int, int, int>> curve_colours(const DisplayList& d) {
  std::set<std::tuple<int, int, int>> out;
  for (const DisplayItem& item : d.items)
    if (const auto* p = std::get_if<PolylineItem>(&item)) out.insert({p->pen.colour.r, p->pen.colour.g, p->pen.colour.b});
  return out;
}

struct CustomizeColors : ::testing::Test {
  CountingPort port;
  App app{port};
  Session& s = app.session();

  // Two projects, each with its series window: the colour belongs to both.
  void SetUp() override {
    for (int entry : {1, 2}) {
      port.queue_dialog({"Create New Project ", {}, "OK"});
      app.dispatch(cmd::New);
      install_series(s, entry, *s.projects.univariate(entry), {1, 3, 2, 5, 4, 6});
    }
    port.clear_shown();
  }
  std::vector<Window*> graphs() {
    std::vector<Window*> out;
    for (const auto& w : s.desktop.windows())
      if (w->is_graph()) out.push_back(w.get());
    return out;
  }
  // The colours every graph is drawn with now.
  std::set<std::tuple<int, int, int>> curves_in_all_graphs() {
    std::set<std::tuple<int, int, int>> all;
    for (Window* w : graphs()) all.merge(curve_colours(render_graph(*w->graph, s.colours, 400, 300)));
    return all;
  }
  void choose(std::string swatch, std::optional<unsigned> rgb) {
    port.queue_colour(rgb);
    port.queue_dialog({"Customize Colors", {{swatch, "on"}}, "Choose Color"});
  }
};

TEST_F(CustomizeColors, OkRepaintsEveryGraphInTheChosenColourAndCancelPutsTheOldOneBack) {
  ASSERT_EQ(graphs().size(), 2u);
  EXPECT_EQ(s.colours.pane[0], kTeal);
  EXPECT_EQ(curves_in_all_graphs(), (std::set<std::tuple<int, int, int>>{{0, 160, 128}}));

  choose("#1", 0xFF0000);
  port.queue_dialog({"Customize Colors", {}, "Cancel"});
  const int before = port.changes;
  app.dispatch(cmd::CustomizeColors);
  EXPECT_EQ(s.colours, ColourTable::defaults());
  EXPECT_EQ(curves_in_all_graphs(), (std::set<std::tuple<int, int, int>>{{0, 160, 128}}));
  // The chooser starts from the colour it changes.
  ASSERT_EQ(port.shown().size(), 1u);
  EXPECT_EQ(port.shown()[0], "COLOUR 0 160 128 -> 255 0 0");
  // Cancel repaints too: a graph redrawn while the dialog was open showed the new colour.
  EXPECT_GE(port.changes - before, static_cast<int>(s.desktop.windows().size()));

  choose("#1", 0xFF0000);
  port.queue_dialog({"Customize Colors", {}, "OK"});
  const int before_ok = port.changes;
  app.dispatch(cmd::CustomizeColors);
  EXPECT_EQ(s.colours.pane[0], kRed);
  EXPECT_EQ(curves_in_all_graphs(), (std::set<std::tuple<int, int, int>>{{255, 0, 0}}));
  EXPECT_GE(port.changes - before_ok, static_cast<int>(s.desktop.windows().size()));
  EXPECT_TRUE(port.unused().empty());
}

TEST_F(CustomizeColors, EachSwatchChangesItsOwnEntryAndAChooserCancelChangesNothing) {
  // #1..#4 are pane colours 1..4; Axis Text, Border and Background are further
  // colours 4, 3 and 1.
  const char* swatches[] = {"#1", "#2", "#3", "#4", "Axis Text", "Border", "Background"};
  for (unsigned i = 0; i < 7; ++i) choose(swatches[i], 0x010203u * (i + 1));
  choose("#2", std::nullopt);
  port.queue_dialog({"Customize Colors", {}, "OK"});
  app.dispatch(cmd::CustomizeColors);
  auto value = [](unsigned i) { return Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(2 * i),
                                           static_cast<std::uint8_t>(3 * i)}; };
  ColourTable want = ColourTable::defaults();
  for (unsigned i = 0; i < 4; ++i) want.pane[i] = value(i + 1);
  want.further[3] = value(5);
  want.further[2] = value(6);
  want.further[0] = value(7);
  EXPECT_EQ(s.colours, want);
  EXPECT_EQ(port.shown().back(), "COLOUR 2 4 6 -> cancel");

  // The picture follows: background, frame and axis labels.
  const DisplayList d = render_graph(*graphs().front()->graph, s.colours, 400, 300);
  EXPECT_EQ(d.background, value(7));
  bool framed = false, labelled = false;
  for (const DisplayItem& item : d.items) {
    if (const auto* r = std::get_if<RectItem>(&item); r && !r->filled) framed = framed || r->pen.colour == value(6);
    if (const auto* t = std::get_if<TextItem>(&item)) labelled = labelled || t->colour == value(5);
  }
  EXPECT_TRUE(framed);
  EXPECT_TRUE(labelled);
}

TEST_F(CustomizeColors, ChangedColoursComeBackWithTheSavedProject) {
  const fs::path file = fs::temp_directory_path() / "zelk_colour_round_trip.zlk";
  fs::remove(file);
  choose("#1", 0x123456);
  port.queue_dialog({"Customize Colors", {}, "OK"});
  app.dispatch(cmd::CustomizeColors);
  port.queue_file(file.string());
  app.dispatch(cmd::SaveAs);
  ASSERT_TRUE(fs::exists(file));

  choose("#1", 0xABCDEF);
  port.queue_dialog({"Customize Colors", {}, "OK"});
  app.dispatch(cmd::CustomizeColors);
  port.queue_dialog({"Create New Project ", {}, "OK"});
  port.queue_file(file.string());
  app.dispatch(cmd::Open);
  EXPECT_EQ(s.colours.pane[0], (Rgb{0x12, 0x34, 0x56}));
  // Every open graph, the other project's too, is drawn in the colour read.
  EXPECT_EQ(curves_in_all_graphs(), (std::set<std::tuple<int, int, int>>{{0x12, 0x34, 0x56}}));
  EXPECT_TRUE(port.unused().empty());
  fs::remove(file);
}

TEST_F(CustomizeColors, ClipboardAndPrinterGetTheWindowsOwnSize) {
  Window* w = graphs().front();
  app.window_focused(w->id);
  app.dispatch(cmd::Copy);
  ASSERT_TRUE(port.clipboard_picture());
  EXPECT_EQ(port.clipboard_picture()->width, 800);  // never shown: the default size
  EXPECT_EQ(port.clipboard_picture()->height, 600);

  s.desktop.resized(w->id, 517, 263);
  app.dispatch(cmd::Copy);
  EXPECT_EQ(port.clipboard_picture()->width, 517);
  EXPECT_EQ(port.clipboard_picture()->height, 263);
  app.dispatch(cmd::Print);
  ASSERT_TRUE(port.printed);
  EXPECT_EQ(port.printed->width, 517);
  EXPECT_EQ(port.printed->height, 263);

  s.desktop.resized(w->id, 0, -4);  // a collapsed window keeps its last real size
  app.dispatch(cmd::Copy);
  EXPECT_EQ(port.clipboard_picture()->width, 517);
}

}  // namespace
}  // namespace zelk
