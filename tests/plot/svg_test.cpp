#include "plot/svg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "plot/render.h"

namespace zelk {
namespace {

std::size_t count(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

TEST(Svg, WritesEveryItemWithEscapedText) {
  DisplayList d;
  d.width = 200;
  d.height = 100;
  d.background = {255, 255, 255};
  d.items.push_back(LineItem{{0, 0}, {10, 10}, Pen{{255, 0, 0}, 1, true}});
  d.items.push_back(PolylineItem{{{1, 2}, {3.5, 4.25}}, Pen{}});
  d.items.push_back(RectItem{1, 1, 5, 5, Pen{}, true, {0, 160, 128}, false});
  d.items.push_back(TextItem{{50, 50}, "a<b & \"c\"", "Monospace", 12, {}, HAlign::Right, VAlign::Top});
  d.items.push_back(TextItem{{NAN, 50}, "lost", "Serif", 12, {}, HAlign::Left, VAlign::Top});
  // A Latin-1 byte and a control character cannot stand in XML; UTF-8 can.
  d.items.push_back(TextItem{{5, 5}, "Z\xfcrich\x01 \xc3\xa9t\xc3\xa9", "Sans", 9, {}, HAlign::Left, VAlign::Top});
  const std::string svg = to_svg(d);
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("version=\"1.1\""), std::string::npos);
  EXPECT_NE(svg.find("width=\"200\" height=\"100\""), std::string::npos);
  EXPECT_NE(svg.find("stroke-dasharray"), std::string::npos);
  EXPECT_NE(svg.find("points=\"1,2 3.5,4.25\""), std::string::npos);
  EXPECT_NE(svg.find("fill=\"#00a080\""), std::string::npos);
  EXPECT_NE(svg.find("a&lt;b &amp; &quot;c&quot;"), std::string::npos);
  EXPECT_NE(svg.find("font-family=\"monospace\""), std::string::npos);
  EXPECT_NE(svg.find("text-anchor=\"end\""), std::string::npos);
  EXPECT_EQ(svg.find("lost"), std::string::npos);
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  EXPECT_NE(svg.find(">Z?rich \xc3\xa9t\xc3\xa9</text>"), std::string::npos);
  EXPECT_NE(svg.find("font-family=\"sans-serif\""), std::string::npos);
}

TEST(Svg, AGraphGivesBalancedMarkup) {
  const std::string svg = to_svg(render_graph(GraphDocument{}, ColourTable::defaults(), 400, 300));
  EXPECT_NE(svg.find("&lt;NO DATA PRESENT&gt;"), std::string::npos);
  EXPECT_EQ(count(svg, "<svg"), 1u);
  EXPECT_EQ(count(svg, "</svg>"), 1u);
  EXPECT_EQ(count(svg, "<text"), count(svg, "</text>"));
  // Every '<' opens a tag: none comes from the text.
  EXPECT_EQ(count(svg, "<"), count(svg, ">"));
}

}  // namespace
}  // namespace zelk
