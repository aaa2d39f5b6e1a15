#include "gui/picture_widget.h"

#include <QPainter>

#include "gui/paint_display_list.h"

namespace zelk {

PictureWidget::PictureWidget(Source source, QWidget* parent) : QWidget(parent), source_(std::move(source)) {
  setMinimumSize(120, 80);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  std::optional<DisplayList> list = source_ ? source_(width(), height()) : std::nullopt;
  if (list) {
    paint_display_list(painter, *list);
  } else {
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().mid().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

}  // namespace zelk
