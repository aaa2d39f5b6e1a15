#include "gui/paint_display_list.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace zelk {

namespace {

QColor colour(Rgb c) { return QColor(c.r, c.g, c.b); }

QPen make_pen(const Pen& p) {
  QPen pen(colour(p.colour));
  pen.setWidthF(std::max(p.width, 0.0));
  pen.setStyle(p.dashed ? Qt::DashLine : Qt::SolidLine);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

// Odd widths sit on pixel centres, even widths on pixel edges.
double snap(double v, double width) {
  const bool odd = static_cast<long>(std::lround(std::max(width, 1.0))) % 2 == 1;
  return odd ? std::floor(v) + 0.5 : std::round(v);
}

struct Replayer {
  QPainter& p;
  bool crisp;

  void operator()(const LineItem& l) const {
    p.setPen(make_pen(l.pen));
    QPointF a(l.a.x, l.a.y), b(l.b.x, l.b.y);
    if (crisp && (l.a.x == l.b.x || l.a.y == l.b.y)) {
      p.setRenderHint(QPainter::Antialiasing, false);
      if (l.a.x == l.b.x) a.rx() = b.rx() = snap(l.a.x, l.pen.width);
      if (l.a.y == l.b.y) a.ry() = b.ry() = snap(l.a.y, l.pen.width);
    } else {
      p.setRenderHint(QPainter::Antialiasing, true);
    }
    p.drawLine(a, b);
  }

  void operator()(const PolylineItem& l) const {
    if (l.points.size() < 2) return;
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(l.points.size()));
    for (const Point& pt : l.points) poly << QPointF(pt.x, pt.y);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(make_pen(l.pen));
    p.drawPolyline(poly);
  }

  void operator()(const RectItem& r) const {
    QRectF rect(r.x, r.y, r.w, r.h);
    p.setRenderHint(QPainter::Antialiasing, !crisp);
    if (r.filled) {
      QRectF fill = rect;
      if (crisp) fill = QRectF(QPointF(std::round(r.x), std::round(r.y)), QPointF(std::round(r.x + r.w), std::round(r.y + r.h)));
      p.fillRect(fill.normalized(), colour(r.fill));
    }
    if (r.outlined) {
      p.setPen(make_pen(r.pen));
      p.setBrush(Qt::NoBrush);
      if (crisp) {
        const double w = r.pen.width;
        rect = QRectF(QPointF(snap(r.x, w), snap(r.y, w)), QPointF(snap(r.x + r.w, w) - (r.w > 0 ? 1 : 0), snap(r.y + r.h, w) - (r.h > 0 ? 1 : 0)));
      }
      p.drawRect(rect.normalized());
    }
  }

  void operator()(const TextItem& t) const {
    if (t.text.empty()) return;
    const QString text = QString::fromStdString(t.text);
    const QFont font = display_font(t.font, t.size);
    const QFontMetricsF fm(font, p.device());
    const double width = fm.horizontalAdvance(text);
    double x = t.at.x;
    if (t.halign == HAlign::Centre) x -= width / 2;
    if (t.halign == HAlign::Right) x -= width;
    double y = t.at.y;  // baseline
    switch (t.valign) {
      case VAlign::Top: y += fm.ascent(); break;
      case VAlign::Middle: y += (fm.ascent() - fm.descent()) / 2; break;
      case VAlign::Bottom: y -= fm.descent(); break;
      case VAlign::Baseline: break;
    }
    if (crisp) {
      x = std::round(x);
      y = std::round(y);
    }
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(font);
    p.setPen(colour(t.colour));
    p.drawText(QPointF(x, y), text);
  }
};

}  // namespace

QFont display_font(const std::string& name, double pixels) {
  QFont font;
  if (name == "Serif") {
    font.setFamilies({"DejaVu Serif", "Liberation Serif", "Nimbus Roman", "Times New Roman", "Serif"});
    font.setStyleHint(QFont::Serif);
  } else if (name == "Monospace") {
    font.setFamilies({"DejaVu Sans Mono", "Liberation Mono", "Nimbus Mono PS", "Courier New", "Monospace"});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
  } else {
    font.setFamily(QString::fromStdString(name));
  }
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  return font;
}

void paint_display_list(QPainter& painter, const DisplayList& list) {
  painter.save();
  const bool crisp = painter.worldTransform().type() <= QTransform::TxTranslate;
  painter.fillRect(QRectF(0, 0, list.width, list.height), colour(list.background));
  Replayer replay{painter, crisp};
  for (const DisplayItem& item : list.items) std::visit(replay, item);
  painter.restore();
}

QImage display_list_image(const DisplayList& list, double scale) {
  const int w = std::max(1, static_cast<int>(std::ceil(list.width * scale)));
  const int h = std::max(1, static_cast<int>(std::ceil(list.height * scale)));
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(colour(list.background));
  QPainter painter(&image);
  painter.scale(scale, scale);
  paint_display_list(painter, list);
  return image;
}

bool write_display_list_pdf(const DisplayList& list, const QString& path) {
  constexpr double kPixelsPerInch = 96, kPointsPerPixel = 72 / kPixelsPerInch;
  const double w = std::max(list.width, 1.0), h = std::max(list.height, 1.0);
  QPdfWriter pdf(path);
  pdf.setResolution(static_cast<int>(kPixelsPerInch));
  pdf.setCreator(QStringLiteral("ZELK"));
  // An exact custom size: a fuzzy match would snap to the nearest paper size.
  const QPageSize size(QSizeF(w * kPointsPerPixel, h * kPointsPerPixel), QPageSize::Point, QString(),
                       QPageSize::ExactMatch);
  if (!pdf.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point)))
    return false;
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  // The page is whole points; the scale absorbs that rounding.
  painter.scale(pdf.width() / w, pdf.height() / h);
  paint_display_list(painter, list);
  return painter.end();
}

}  // namespace zelk
