#pragma once
// The tool bar's pictures. The 30 application images are drawn from vector
// paths on a 16 x 15 grid, so they stay sharp at any icon size; the standard
// images come from the widget style.
#include <QIcon>

#include "shell/toolbar.h"

class QPainter;
class QStyle;

namespace zelk {

inline constexpr int kApplicationImages = 30;

// Draws application image `index` (0..29) on the 16 x 15 grid of the painter.
void paint_application_image(QPainter& painter, int index);

QIcon application_icon(int index);
QIcon standard_icon(StandardImage image, const QStyle* style);

}  // namespace zelk
