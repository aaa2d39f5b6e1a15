#include "gui/graph_view.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include "gui/paint_display_list.h"
#include "plot/layout.h"
#include "plot/render.h"
#include "plot/zoom.h"
#include "shell/app.h"

namespace zelk {

GraphView::GraphView(App& app, int window_id, QWidget* parent) : QWidget(parent), app_(app), id_(window_id) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(false);
  setFocusPolicy(Qt::ClickFocus);
  setMinimumSize(120, 90);
}

const Window* GraphView::window() const { return app_.session().desktop.by_id(id_); }

bool GraphView::zoomable() const {
  const Window* w = window();
  return w && w->kind == WindowKind::Graph && w->graph;
}

DisplayList GraphView::picture() const {
  const Window* w = window();
  if (!w || !w->graph) return DisplayList{static_cast<double>(width()), static_cast<double>(height()), {}, {}};
  return render_graph(*w->graph, app_.session().colours, width(), height());
}

void GraphView::refresh() {
  cache_valid_ = false;
  update();
}

void GraphView::update_cursor() {
  const bool armed = app_.session().zoom_mode != static_cast<int>(ZoomMode::None) && zoomable();
  setCursor(armed || banding_ ? Qt::CrossCursor : Qt::ArrowCursor);
}

void GraphView::resizeEvent(QResizeEvent* event) {
  cache_valid_ = false;
  // Copy and Print draw the picture at the size it has on screen.
  app_.session().desktop.resized(id_, width(), height());
  QWidget::resizeEvent(event);
}

void GraphView::paintEvent(QPaintEvent*) {
  // The picture is kept while the band moves, so a drag never re-renders.
  const qreal dpr = devicePixelRatioF();
  if (!cache_valid_ || cache_.size() != size() * dpr) {
    cache_ = QImage(size() * dpr, QImage::Format_ARGB32_Premultiplied);
    cache_.setDevicePixelRatio(dpr);
    QPainter p(&cache_);
    paint_display_list(p, picture());
    cache_valid_ = true;
  }
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), cache_);
  if (banding_) {
    const QRectF band = band_rect();
    if (band.isValid()) {
      const Rgb c = rubber_band_colour(app_.session().colours);
      painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      painter.setPen(QPen(QColor(c.r, c.g, c.b), 1));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(band.adjusted(0.5, 0.5, -0.5, -0.5));
    }
  }
}

QRectF GraphView::band_rect() const {
  const Window* w = window();
  if (!w || !w->graph || band_pane_ == 0) return {};
  const GraphLayout layout = layout_graph(*w->graph, width(), height());
  const auto mode = static_cast<ZoomMode>(app_.session().zoom_mode);
  const Rect r = rubber_band(layout, band_pane_, mode, Point{press_.x(), press_.y()}, Point{current_.x(), current_.y()});
  return QRectF(r.x, r.y, r.w, r.h);
}

void GraphView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !zoomable()) {
    QWidget::mousePressEvent(event);
    return;
  }
  const auto mode = static_cast<ZoomMode>(app_.session().zoom_mode);
  if (mode == ZoomMode::Out) {
    app_.zoom_click(id_);
    update_cursor();
    return;
  }
  if (mode != ZoomMode::Region && mode != ZoomMode::Range) return;
  const Window* w = window();
  const GraphLayout layout = layout_graph(*w->graph, width(), height());
  press_ = current_ = event->position();
  band_pane_ = pane_at(layout, Point{press_.x(), press_.y()});
  banding_ = band_pane_ != 0;
  update_cursor();
  update();
}

void GraphView::mouseMoveEvent(QMouseEvent* event) {
  if (!banding_) return;
  current_ = event->position();
  update();
}

void GraphView::mouseReleaseEvent(QMouseEvent* event) {
  if (!banding_ || event->button() != Qt::LeftButton) return;
  banding_ = false;
  current_ = event->position();
  // The App redraws the window through the port when the ranges changed.
  app_.zoom_band(id_, press_.x(), press_.y(), current_.x(), current_.y(), width(), height());
  band_pane_ = 0;
  update_cursor();
  update();
}

void GraphView::contextMenuEvent(QContextMenuEvent* event) { Q_EMIT popup_requested(event->globalPos()); }

void GraphView::enterEvent(QEnterEvent* event) {
  update_cursor();
  QWidget::enterEvent(event);
}

}  // namespace zelk
