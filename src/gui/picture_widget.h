#pragma once
// A widget that shows a display list made for its current size: dialog
// previews and graph windows both draw through it.
#include <QWidget>
#include <functional>
#include <optional>

#include "plot/display_list.h"

namespace zelk {

class PictureWidget : public QWidget {
  Q_OBJECT
 public:
  using Source = std::function<std::optional<DisplayList>(double w, double h)>;
  explicit PictureWidget(Source source, QWidget* parent = nullptr);

  QSize sizeHint() const override { return {260, 170}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Source source_;
};

}  // namespace zelk
