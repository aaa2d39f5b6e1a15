#include "gui/images.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <gtest/gtest.h>

#include "qt_app.h"

namespace zelk {
namespace {

QImage draw(int index) {
  QImage img(16, 15, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  paint_application_image(p, index);
  return img;
}

TEST(ApplicationImages, EachOfTheThirtyIsDrawnAndDiffersFromTheOthers) {
  test::qt_app();
  QSet<QByteArray> seen;
  for (int i = 0; i < kApplicationImages; ++i) {
    const QImage img = draw(i);
    int opaque = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (qAlpha(img.pixel(x, y)) > 128) ++opaque;
    EXPECT_GT(opaque, 20) << "image " << i;
    const QByteArray bytes(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes());
    EXPECT_FALSE(seen.contains(bytes)) << "image " << i << " repeats another";
    seen.insert(bytes);
  }
}

TEST(ApplicationImages, DisabledButtonsAreGreyed) {
  test::qt_app();
  const QImage normal = application_icon(0).pixmap(QSize(16, 15), QIcon::Normal).toImage();
  const QImage disabled = application_icon(0).pixmap(QSize(16, 15), QIcon::Disabled).toImage();
  bool coloured = false;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 16; ++x) {
      const QColor n = normal.pixelColor(x, y), d = disabled.pixelColor(x, y);
      if (n.alpha() > 200 && n.saturation() > 100) coloured = true;
      if (d.alpha() > 0) {
        EXPECT_LT(d.saturation(), 10);
      }
    }
  EXPECT_TRUE(coloured);
}

}  // namespace
}  // namespace zelk
