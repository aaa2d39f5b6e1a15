#pragma once
// A picture as a list of drawing primitives in pixel coordinates (origin top
// left). Built once from a document; replayed by the Qt painter, the SVG
// writer, the clipboard and the printer alike.
#include <string>
#include <variant>
#include <vector>

#include "plot/colours.h"

namespace zelk {

struct Pen {
  Rgb colour{};
  double width = 1.0;
  bool dashed = false;
};

struct Point {
  double x = 0, y = 0;
};

struct LineItem {
  Point a, b;
  Pen pen;
};

struct PolylineItem {
  std::vector<Point> points;
  Pen pen;
};

struct RectItem {
  double x = 0, y = 0, w = 0, h = 0;
  Pen pen;
  bool filled = false;
  Rgb fill{};
  bool outlined = true;
};

enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Middle, Baseline, Bottom };

struct TextItem {
  Point at;
  std::string text;
  std::string font = "Serif";  // "Serif" for axis text, "Monospace" inside graphs
  double size = 10;            // character height in pixels
  Rgb colour{};
  HAlign halign = HAlign::Left;
  VAlign valign = VAlign::Baseline;
};

using DisplayItem = std::variant<LineItem, PolylineItem, RectItem, TextItem>;

struct DisplayList {
  double width = 0, height = 0;
  Rgb background{255, 255, 255};
  std::vector<DisplayItem> items;
};

}  // namespace zelk
