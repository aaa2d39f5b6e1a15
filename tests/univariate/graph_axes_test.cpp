// The univariate graphs name what their horizontal axis measures, and the
// drawn correlogram of Lake Huron shows its lowest PACF bar whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "plot/layout.h"
#include "plot/render.h"
#include "port/commands.h"
#include "support/desk.h"
#include "univariate/windows.h"

namespace zelk {
namespace {

using test::Desk;

TEST_F(Desk, GraphsNameTimeLagOrFrequencyUnderTheirAxis) {
  lake_huron();
  app.dispatch(cmd::SampleAcf);
  app.dispatch(cmd::Periodogram);
  app.dispatch(cmd::CumulativePeriodogram);
  // Slots are told apart by address: keep pointers to them.
  const std::pair<const WindowSpec*, const char*> expected[] = {{&windows::Project, "Time"},
                                                                {&windows::Acf, "Lag"},
                                                                {&windows::Spectrum, "Frequency"},
                                                                {&windows::CumulativeSpectrum, "Frequency"}};
  for (const auto& [slot, title] : expected) {
    const Window* w = s.desktop.find(1, *slot);
    ASSERT_TRUE(w && w->graph) << title;
    const DisplayList d = render_graph(*w->graph, s.colours, 900, 500);
    const std::string want = title;  // a lambda may not capture a structured binding
    const auto named = std::count_if(d.items.begin(), d.items.end(), [&](const DisplayItem& i) {
      const TextItem* t = std::get_if<TextItem>(&i);
      return t && t->text == want;
    });
    EXPECT_GE(named, 1) << w->caption;
  }
  // PACF at lag 2, -0.26675 in R 4.2 (pacf(LakeHuron)): its bar ends where
  // that value maps, above the bottom of the frame.
  const GraphDocument& acf = *s.desktop.find(1, windows::Acf)->graph;
  const GraphLayout g = layout_graph(acf, 900, 500);
  const PaneLayout& pacf = *g.find(2);
  double lowest = 0;
  for (const DisplayItem& i : render_graph(acf, s.colours, 900, 500).items)
    if (const RectItem* r = std::get_if<RectItem>(&i); r && r->filled && r->x > pacf.cell.x)
      lowest = std::max(lowest, r->y + r->h);
  EXPECT_NEAR(lowest, pacf.mapping.to_py(-0.26675), 0.01);
  EXPECT_LE(lowest, pacf.plot.bottom() - 2);
}

}  // namespace
}  // namespace zelk
