#include "plot/svg.h"

#include <cmath>
#include <cstdio>

namespace zelk {
namespace {

std::string num(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  std::string s = buf;
  // "12.50" -> "12.5", "3.00" -> "3"
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

bool finite(double a) { return std::isfinite(a); }
bool finite(Point p) { return finite(p.x) && finite(p.y); }

std::string colour(Rgb c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
  return buf;
}

// Length of the valid UTF-8 sequence starting at s[i], 0 when invalid.
std::size_t utf8_length(const std::string& s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = byte(i);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  return n;
}

// Names typed by users or read from files may hold bytes of another
// encoding: those become '?' so the document stays well-formed.
std::string escape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const char ch = text[i];
    const std::size_t n = utf8_length(text, i);
    if (n == 0) {
      out += '?';
      ++i;
      continue;
    }
    if (n > 1) {
      out.append(text, i, n);
      i += n;
      continue;
    }
    ++i;
    switch (ch) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        // XML 1.0 forbids most control characters, even escaped.
        if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t') out += ch;
    }
  }
  return out;
}

std::string stroke(const Pen& pen) {
  std::string s = " stroke=\"" + colour(pen.colour) + "\" stroke-width=\"" + num(pen.width) + "\"";
  if (pen.dashed) s += " stroke-dasharray=\"6,4\"";
  return s;
}

const char* family(const std::string& font) {
  if (font == "Serif") return "serif";
  if (font == "Monospace") return "monospace";
  return "sans-serif";
}

// SVG places text by its baseline; these shifts approximate the other
// vertical alignments from the character height.
double baseline_shift(VAlign v, double size) {
  switch (v) {
    case VAlign::Top: return 0.8 * size;
    case VAlign::Middle: return 0.35 * size;
    case VAlign::Baseline: return 0;
    case VAlign::Bottom: return -0.2 * size;
  }
  return 0;
}

const char* anchor(HAlign h) {
  switch (h) {
    case HAlign::Left: return "start";
    case HAlign::Centre: return "middle";
    case HAlign::Right: return "end";
  }
  return "start";
}

void write(std::string& out, const LineItem& l) {
  if (!finite(l.a) || !finite(l.b)) return;
  out += "<line x1=\"" + num(l.a.x) + "\" y1=\"" + num(l.a.y) + "\" x2=\"" + num(l.b.x) + "\" y2=\"" + num(l.b.y) +
         "\"" + stroke(l.pen) + "/>\n";
}

void write(std::string& out, const PolylineItem& l) {
  std::string pts;
  for (const Point& p : l.points) {
    if (!finite(p)) continue;
    if (!pts.empty()) pts += ' ';
    pts += num(p.x) + "," + num(p.y);
  }
  if (pts.empty()) return;
  out += "<polyline fill=\"none\"" + stroke(l.pen) + " points=\"" + pts + "\"/>\n";
}

void write(std::string& out, const RectItem& r) {
  if (!finite(r.x) || !finite(r.y) || !finite(r.w) || !finite(r.h) || r.w < 0 || r.h < 0) return;
  out += "<rect x=\"" + num(r.x) + "\" y=\"" + num(r.y) + "\" width=\"" + num(r.w) + "\" height=\"" + num(r.h) +
         "\" fill=\"" + (r.filled ? colour(r.fill) : std::string("none")) + "\"" +
         (r.outlined ? stroke(r.pen) : std::string(" stroke=\"none\"")) + "/>\n";
}

void write(std::string& out, const TextItem& t) {
  if (!finite(t.at) || !finite(t.size) || t.text.empty()) return;
  out += "<text x=\"" + num(t.at.x) + "\" y=\"" + num(t.at.y + baseline_shift(t.valign, t.size)) +
         "\" font-family=\"" + family(t.font) + "\" font-size=\"" + num(t.size) + "\" fill=\"" + colour(t.colour) +
         "\" text-anchor=\"" + anchor(t.halign) + "\" xml:space=\"preserve\">" + escape(t.text) + "</text>\n";
}

}  // namespace

std::string to_svg(const DisplayList& list) {
  const double w = finite(list.width) && list.width > 0 ? list.width : 0;
  const double h = finite(list.height) && list.height > 0 ? list.height : 0;
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + num(w) + "\" height=\"" + num(h) +
         "\" viewBox=\"0 0 " + num(w) + " " + num(h) + "\">\n";
  out += "<rect x=\"0\" y=\"0\" width=\"" + num(w) + "\" height=\"" + num(h) + "\" fill=\"" +
         colour(list.background) + "\" stroke=\"none\"/>\n";
  for (const DisplayItem& item : list.items) std::visit([&](const auto& i) { write(out, i); }, item);
  out += "</svg>\n";
  return out;
}

}  // namespace zelk
