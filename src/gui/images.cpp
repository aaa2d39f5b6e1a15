#include "gui/images.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <array>
#include <cmath>
#include <vector>

namespace zelk {

namespace {

constexpr int kPrinterImage = kApplicationImages;

// One palette for all buttons: blue for sample statistics, red for the model,
// orange for residuals, green for forecasts and data coming in, purple for
// the multivariate and transfer-function tools.
const QColor kInk(35, 50, 74);
const QColor kBlue(47, 111, 194);
const QColor kLightBlue(170, 199, 236);
const QColor kRed(204, 58, 58);
const QColor kOrange(224, 130, 24);
const QColor kGreen(46, 154, 92);
const QColor kLightGreen(182, 226, 196);
const QColor kPurple(112, 66, 170);
const QColor kGrey(150, 158, 170);
const QColor kPaper(255, 255, 255);
const QColor kFolder(236, 190, 72);

class Draw {
 public:
  explicit Draw(QPainter& p) : p_(p) { p_.setRenderHint(QPainter::Antialiasing, true); }

  void line(double x0, double y0, double x1, double y1, const QColor& c, double w = 1, bool dashed = false) {
    QPen pen(c, w, dashed ? Qt::CustomDashLine : Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (dashed) pen.setDashPattern({1.5 / w, 1.5 / w});
    p_.setPen(pen);
    p_.drawLine(QPointF(x0, y0), QPointF(x1, y1));
  }
  void poly(std::vector<QPointF> pts, const QColor& c, double w = 1, bool dashed = false) {
    QPen pen(c, w, dashed ? Qt::CustomDashLine : Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (dashed) pen.setDashPattern({1.5 / w, 1.5 / w});
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
    p_.drawPolyline(pts.data(), static_cast<int>(pts.size()));
  }
  void fill(double x, double y, double w, double h, const QColor& c) { p_.fillRect(QRectF(x, y, w, h), c); }
  // A filled box with a one-pixel outline on the pixel grid.
  void box(double x, double y, double w, double h, const QColor& fill_colour, const QColor& edge) {
    fill(x, y, w, h, fill_colour);
    p_.setPen(QPen(edge, 1));
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
  }
  void dot(double x, double y, double r, const QColor& c) {
    p_.setPen(Qt::NoPen);
    p_.setBrush(c);
    p_.drawEllipse(QPointF(x, y), r, r);
  }
  void path(const QPainterPath& path, const QColor& c, double w, const QBrush& brush = Qt::NoBrush) {
    p_.setPen(w > 0 ? QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen));
    p_.setBrush(brush);
    p_.drawPath(path);
  }
  void arrow(double x0, double y, double x1, const QColor& c, double w = 2) {
    const double dir = x1 > x0 ? 1 : -1;
    line(x0, y, x1 - dir * 3, y, c, w);
    QPainterPath head;
    head.moveTo(x1, y);
    head.lineTo(x1 - dir * 4, y - 3.5);
    head.lineTo(x1 - dir * 4, y + 3.5);
    head.closeSubpath();
    path(head, c, 0, c);
  }
  void page(double x, double y, double w, double h) {
    QPainterPath sheet;
    const double fold = 3;
    sheet.moveTo(x + 0.5, y + 0.5);
    sheet.lineTo(x + w - fold - 0.5, y + 0.5);
    sheet.lineTo(x + w - 0.5, y + fold + 0.5);
    sheet.lineTo(x + w - 0.5, y + h - 0.5);
    sheet.lineTo(x + 0.5, y + h - 0.5);
    sheet.closeSubpath();
    path(sheet, kInk, 1, kPaper);
    line(x + w - fold - 0.5, y + 0.5, x + w - fold - 0.5, y + fold + 0.5, kInk);
    line(x + w - fold - 0.5, y + fold + 0.5, x + w - 0.5, y + fold + 0.5, kInk);
  }
  void axes() {
    line(1.5, 1, 1.5, 14, kInk);
    line(1, 13.5, 15, 13.5, kInk);
  }
  // Correlogram: bars from a zero line in the middle, heights in pixels (up > 0).
  void correlogram(const QColor& c, std::array<int, 4> heights) {
    line(1.5, 1, 1.5, 14, kInk);
    for (int i = 0; i < 4; ++i) {
      const double x = 3 + 3 * i;
      const int h = heights[static_cast<std::size_t>(i)];
      if (h > 0) fill(x, 7 - h, 2, h, c);
      else fill(x, 8, 2, -h, c);
    }
    line(1, 7.5, 15, 7.5, kInk);
  }
  void histogram(const QColor& fill_colour, const QColor& edge) {
    line(1, 13.5, 15, 13.5, kInk);
    const int heights[] = {4, 10, 8, 3};
    for (int i = 0; i < 4; ++i) box(2 + 3 * i, 13 - heights[i], 4, heights[i] + 1, fill_colour, edge);
  }
  void magnifier() {
    p_.setPen(QPen(kInk, 1.5));
    p_.setBrush(QColor(235, 243, 252));
    p_.drawEllipse(QPointF(6.5, 6), 4.8, 4.8);
    line(10, 9.5, 14.5, 14, kInk, 2.6);
  }
  void zigzag(double zero, const QColor& c, std::vector<double> offsets, double x0 = 2, double step = 2) {
    std::vector<QPointF> pts;
    for (std::size_t i = 0; i < offsets.size(); ++i) pts.emplace_back(x0 + step * static_cast<double>(i), zero + offsets[i]);
    poly(pts, c, 1.2);
    for (const QPointF& pt : pts) dot(pt.x(), pt.y(), 0.9, c);
  }
  void spikes(const QColor& c) {
    const int heights[] = {4, 11, 5, 3, 6, 2};
    for (int i = 0; i < 6; ++i) line(3.5 + 2 * i, 13, 3.5 + 2 * i, 13 - heights[i], c);
  }
  void spectrum_curve(const QColor& c) {
    QPainterPath curve;
    curve.moveTo(2, 11.5);
    curve.cubicTo(4, 11, 5, 2.5, 6.5, 2.5);
    curve.cubicTo(8, 2.5, 8.5, 10, 11, 11);
    curve.cubicTo(12.5, 11.6, 14, 11.8, 15, 12);
    path(curve, c, 1.5);
  }
  void transfer_box(double x, double y, double w, double h, const QColor& fill_colour) {
    box(x, y, w, h, fill_colour, kPurple);
  }
  void pencil(double x0, double y0, double x1, double y1) {
    line(x0, y0, x1, y1, kOrange, 2.6);
    const double dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
    const double tx = x1 + dx / len * 2.2, ty = y1 + dy / len * 2.2;
    line(x1, y1, tx, ty, kInk, 1.4);
  }

  QPainter& p_;
};

void paint(Draw& d, int index) {
  switch (index) {
    case 0:  // import: data into the project
      d.page(6, 1, 9, 13);
      for (double y : {6.5, 9.5, 12.0}) d.line(8, y, 13, y, kGrey);
      d.arrow(0.5, 8, 10, kGreen);
      break;
    case 1:  // sample ACF/PACF
      d.correlogram(kBlue, {6, 3, -2, 1});
      break;
    case 2:  // sample and model ACF/PACF
      d.correlogram(kBlue, {6, 3, -2, 1});
      d.poly({{2.5, 1.5}, {5, 4}, {8, 6.2}, {11, 7}, {14.5, 7.4}}, kRed, 1.5);
      break;
    case 3:  // histogram
      d.histogram(kLightBlue, kBlue);
      break;
    case 4:  // specify model
      d.page(1, 1, 11, 13);
      d.poly({{3, 7}, {4.5, 4.5}, {6, 7}, {7.5, 9.5}, {9, 7}}, kRed, 1.3);
      d.pencil(15, 5, 10.2, 10.5);
      break;
    case 5:  // preliminary estimation: a quick first fit
      d.axes();
      for (QPointF pt : {QPointF(3.5, 10), QPointF(5.5, 6.5), QPointF(7.5, 7.5), QPointF(9.5, 4.5), QPointF(11.5, 6),
                         QPointF(13.5, 3)})
        d.dot(pt.x(), pt.y(), 1.1, kBlue);
      d.line(3, 10.5, 14.5, 2.5, kRed, 1.3, true);
      break;
    case 6: {  // maximum likelihood: the top of the likelihood
      QPainterPath hill;
      hill.moveTo(1, 13);
      hill.cubicTo(5, 13, 5.5, 3, 8, 3);
      hill.cubicTo(10.5, 3, 11, 13, 15, 13);
      d.line(1, 13.5, 15, 13.5, kInk);
      d.line(8.5, 4, 8.5, 13, kInk, 1, true);
      d.path(hill, kRed, 1.5);
      d.dot(8, 3, 1.8, kRed);
      break;
    }
    case 7:  // model ACF/PACF
      d.correlogram(kRed, {6, 4, 2, 1});
      break;
    case 8:  // residual plot
      d.line(1, 7.5, 15, 7.5, kInk);
      d.zigzag(7.5, kOrange, {-3, 2, -1, 4, -4, 1, -2});
      break;
    case 9:  // residual ACF/PACF, with the bounds
      d.correlogram(kOrange, {6, 1, -2, 1});
      d.line(2, 4.5, 15, 4.5, kInk, 1, true);
      d.line(2, 10.5, 15, 10.5, kInk, 1, true);
      break;
    case 10:  // residual histogram
      d.histogram(QColor(248, 206, 150), kOrange);
      break;
    case 11:  // zoom range: a span of the time axis
      d.magnifier();
      d.line(3.5, 6, 9.5, 6, kBlue, 1.4);
      d.poly({{5, 4.5}, {3.5, 6}, {5, 7.5}}, kBlue, 1.4);
      d.poly({{8, 4.5}, {9.5, 6}, {8, 7.5}}, kBlue, 1.4);
      break;
    case 12:  // zoom region
      d.magnifier();
      d.line(3.5, 6, 9.5, 6, kBlue, 1.6);
      d.line(6.5, 3, 6.5, 9, kBlue, 1.6);
      break;
    case 13:  // zoom out
      d.magnifier();
      d.line(3.5, 6, 9.5, 6, kBlue, 1.6);
      break;
    case 14: {  // information
      d.dot(8, 7.5, 7, kBlue);
      d.dot(8, 3.8, 1.25, kPaper);
      d.fill(7, 6, 2, 5.5, kPaper);
      d.fill(6, 11, 4, 1.2, kPaper);
      d.fill(6, 6, 2, 1, kPaper);
      break;
    }
    case 15:  // duplicate window
      for (QPointF at : {QPointF(1, 1), QPointF(6, 6)}) {
        d.box(at.x(), at.y(), 9, 8, kPaper, kInk);
        d.fill(at.x() + 1, at.y() + 1, 7, 2, kBlue);
      }
      break;
    case 16:  // periodogram
      d.axes();
      d.spikes(kBlue);
      break;
    case 17:  // model spectrum
      d.axes();
      d.spectrum_curve(kRed);
      break;
    case 18:  // model spectrum and periodogram
      d.axes();
      d.spikes(kBlue);
      d.spectrum_curve(kRed);
      break;
    case 19:  // generalized least squares: a trend through the data
      d.axes();
      for (QPointF pt : {QPointF(3.5, 11.5), QPointF(5.5, 8.5), QPointF(7.5, 9.5), QPointF(9.5, 6), QPointF(11.5, 6.5),
                         QPointF(13.5, 3)})
        d.dot(pt.x(), pt.y(), 1.1, kBlue);
      d.line(2.5, 12, 14.5, 3, kRed, 1.4);
      break;
    case 20: {  // project editor: the tree of projects and series
      QPainterPath folder;
      folder.moveTo(1.5, 2.5);
      folder.lineTo(4, 2.5);
      folder.lineTo(5, 3.5);
      folder.lineTo(8.5, 3.5);
      folder.lineTo(8.5, 7.5);
      folder.lineTo(1.5, 7.5);
      folder.closeSubpath();
      d.path(folder, kInk, 1, kFolder);
      d.line(3.5, 8, 3.5, 12.5, kInk);
      d.line(3.5, 10.5, 7, 10.5, kInk);
      d.line(3.5, 12.5, 7, 12.5, kInk);
      d.box(7, 9, 8, 3, kLightBlue, kBlue);
      d.box(7, 12, 8, 3, kLightBlue, kBlue);
      break;
    }
    case 21: {  // Yule-Walker: a Toeplitz matrix of correlations
      const QColor shade[] = {QColor(91, 44, 145), QColor(154, 118, 200), QColor(211, 195, 234)};
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) d.fill(1 + 5 * c, 5 * r, 4, 4, shade[std::abs(r - c)]);
      break;
    }
    case 22:  // Burg: the lattice filter
      d.line(1, 3.5, 15, 3.5, kPurple, 1.2);
      d.line(1, 11.5, 15, 11.5, kPurple, 1.2);
      for (double x : {2.5, 7.5}) {
        d.line(x, 3.5, x + 5, 11.5, kPurple, 1.2);
        d.line(x, 11.5, x + 5, 3.5, kPurple, 1.2);
      }
      for (double x : {2.5, 7.5, 12.5}) {
        d.dot(x, 3.5, 1.4, kInk);
        d.dot(x, 11.5, 1.4, kInk);
      }
      break;
    case 23: {  // multivariate AR forecasts
      QPainterPath cone1, cone2;
      cone1.moveTo(10, 4);
      cone1.lineTo(15, 1.5);
      cone1.lineTo(15, 6.5);
      cone1.closeSubpath();
      cone2.moveTo(10, 11);
      cone2.lineTo(15, 8.5);
      cone2.lineTo(15, 13.5);
      cone2.closeSubpath();
      d.path(cone1, kLightGreen, 0, kLightGreen);
      d.path(cone2, kLightGreen, 0, kLightGreen);
      d.poly({{1, 5}, {3, 3}, {5, 5.5}, {7, 3.5}, {10, 4}}, kBlue, 1.3);
      d.poly({{1, 12}, {3, 10}, {5, 12.5}, {7, 10}, {10, 11}}, kPurple, 1.3);
      d.line(10, 4, 15, 4, kGreen, 1.3);
      d.line(10, 11, 15, 11, kGreen, 1.3);
      d.line(10.5, 0.5, 10.5, 14.5, kInk, 1, true);
      break;
    }
    case 24:  // multivariate AR residuals
      d.line(1, 4.5, 15, 4.5, kInk);
      d.line(1, 11.5, 15, 11.5, kInk);
      d.zigzag(4.5, kOrange, {-2, 2, -1, 2.5, -2.5, 1, -1.5});
      d.zigzag(11.5, kOrange, {1.5, -2, 2, -1, 2.5, -2.5, 1});
      break;
    case 25:  // specify transfer model
      d.arrow(0.5, 7.5, 5, kInk, 1.5);
      d.transfer_box(5, 3, 7, 9, kPaper);
      d.line(6.5, 6.5, 10.5, 6.5, kGrey);
      d.line(6.5, 9, 10.5, 9, kGrey);
      d.arrow(12, 7.5, 15.5, kInk, 1.5);
      break;
    case 26:  // estimate transfer model
      d.arrow(0.5, 7.5, 5, kInk, 1.5);
      d.transfer_box(5, 3, 7, 9, QColor(226, 214, 242));
      d.fill(6.5, 6, 1, 4.5, kPurple);
      d.fill(8, 7.5, 1, 3, kPurple);
      d.fill(9.5, 9, 1, 1.5, kPurple);
      d.arrow(12, 7.5, 15.5, kInk, 1.5);
      break;
    case 27: {  // transfer-function prediction
      d.transfer_box(1, 4, 6, 7, QColor(226, 214, 242));
      QPainterPath cone;
      cone.moveTo(10, 7.5);
      cone.lineTo(15, 3.5);
      cone.lineTo(15, 11.5);
      cone.closeSubpath();
      d.path(cone, kLightGreen, 0, kLightGreen);
      d.line(7, 7.5, 10, 7.5, kPurple, 1.3);
      d.line(10, 7.5, 15, 7.5, kGreen, 1.3, true);
      break;
    }
    case 28:  // transfer-function residuals
      d.transfer_box(1, 4, 5, 7, QColor(226, 214, 242));
      d.line(7, 7.5, 15, 7.5, kInk);
      d.zigzag(7.5, kOrange, {-3, 2.5, -1.5, 3, -2}, 7.5, 1.8);
      break;
    case 29:  // export data
      d.page(1, 1, 9, 13);
      for (double y : {6.5, 9.5, 12.0}) d.line(3, y, 8, y, kGrey);
      d.arrow(6, 8, 15.5, kOrange);
      break;
    case kPrinterImage:  // drawn here too when the desktop theme has no printer
      d.page(4, 0, 8, 6);
      d.box(1, 5, 14, 7, QColor(214, 220, 228), kInk);
      d.fill(11, 7, 2, 1, kGreen);
      d.box(4, 10, 8, 5, kPaper, kInk);
      d.line(5.5, 12.5, 10.5, 12.5, kGrey);
      break;
    default:
      break;
  }
}

class VectorIconEngine : public QIconEngine {
 public:
  explicit VectorIconEngine(int index) : index_(index) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
      QPainter p(&image);
      // Keep the 16 x 15 proportions and centre the picture.
      const double s = std::min(size.width() / 16.0, size.height() / 15.0);
      p.translate((size.width() - 16 * s) / 2, (size.height() - 15 * s) / 2);
      p.scale(s, s);
      paint_application_image(p, index_);
    }
    if (mode == QIcon::Disabled) {
      for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
          const int a = qAlpha(row[x]) * 2 / 5;
          const int g = qGray(row[x]) * 2 / 5;
          row[x] = qRgba(g, g, g, a);  // premultiplied: grey scaled by the same alpha
        }
      }
    }
    return QPixmap::fromImage(image);
  }

  QIconEngine* clone() const override { return new VectorIconEngine(index_); }
  QString key() const override { return QStringLiteral("zelk-vector"); }

 private:
  int index_;
};

}  // namespace

void paint_application_image(QPainter& painter, int index) {
  painter.save();
  Draw d(painter);
  paint(d, index);
  painter.restore();
}

QIcon application_icon(int index) { return QIcon(new VectorIconEngine(index)); }

QIcon standard_icon(StandardImage image, const QStyle* style) {
  switch (image) {
    case StandardImage::New: return style->standardIcon(QStyle::SP_FileIcon);
    case StandardImage::Open: return style->standardIcon(QStyle::SP_DialogOpenButton);
    case StandardImage::SaveAs: return style->standardIcon(QStyle::SP_DialogSaveButton);
    case StandardImage::Close: return style->standardIcon(QStyle::SP_DialogCloseButton);
    case StandardImage::Print: {
      QIcon themed = QIcon::fromTheme(QStringLiteral("document-print"));
      return themed.isNull() ? QIcon(new VectorIconEngine(kPrinterImage)) : themed;
    }
    case StandardImage::None: break;
  }
  return {};
}

}  // namespace zelk
