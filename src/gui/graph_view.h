#pragma once
// The client area of a graph window (or of its duplicate): the document's
// picture made for the current size, and the rubber band of the mouse zoom.
#include <QImage>
#include <QWidget>

#include "plot/display_list.h"

namespace zelk {

class App;
class Window;

class GraphView : public QWidget {
  Q_OBJECT
 public:
  GraphView(App& app, int window_id, QWidget* parent = nullptr);

  int window_id() const { return id_; }
  // The document or the colours changed: draw again.
  void refresh();
  // Cross while a zoom is armed on a zoomable window, else the arrow.
  void update_cursor();
  // The picture as it is on screen now.
  DisplayList picture() const;

  QSize sizeHint() const override { return {480, 320}; }

 Q_SIGNALS:
  void popup_requested(QPoint global_pos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void enterEvent(QEnterEvent* event) override;

 private:
  const Window* window() const;
  bool zoomable() const;
  QRectF band_rect() const;

  App& app_;
  int id_;
  QImage cache_;
  bool cache_valid_ = false;
  bool banding_ = false;
  int band_pane_ = 0;
  QPointF press_, current_;
};

}  // namespace zelk
