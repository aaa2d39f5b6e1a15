#include "gui/paint_display_list.h"

#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qt_app.h"

namespace zelk {
namespace {

const Rgb kWhite{255, 255, 255};
const Rgb kNavy{0, 0, 128};

DisplayList blank(double w, double h) {
  DisplayList list;
  list.width = w;
  list.height = h;
  list.background = kWhite;
  return list;
}

bool is(QRgb pixel, Rgb c) { return qRed(pixel) == c.r && qGreen(pixel) == c.g && qBlue(pixel) == c.b; }

class PaintDisplayList : public ::testing::Test {
 protected:
  void SetUp() override { test::qt_app(); }
};

TEST_F(PaintDisplayList, AxisRulesStayOnePixelWide) {
  DisplayList list = blank(40, 30);
  list.items.push_back(LineItem{{5, 10}, {35, 10}, Pen{kNavy, 1}});
  list.items.push_back(LineItem{{20, 2}, {20, 28}, Pen{kNavy, 1}});
  const QImage img = display_list_image(list);
  // A one-pixel rule at y = 10 covers row 10 only, in the full pen colour.
  EXPECT_TRUE(is(img.pixel(8, 10), kNavy));
  EXPECT_TRUE(is(img.pixel(8, 9), kWhite));
  EXPECT_TRUE(is(img.pixel(8, 11), kWhite));
  EXPECT_TRUE(is(img.pixel(20, 5), kNavy));
  EXPECT_TRUE(is(img.pixel(19, 5), kWhite));
  EXPECT_TRUE(is(img.pixel(21, 5), kWhite));
}

TEST_F(PaintDisplayList, FramesAndFilledBarsCoverTheirPixelsExactly) {
  DisplayList list = blank(40, 30);
  RectItem frame;
  frame.x = 2;
  frame.y = 3;
  frame.w = 10;
  frame.h = 8;
  frame.pen = Pen{kNavy, 1};
  list.items.push_back(frame);
  RectItem bar;
  bar.x = 20;
  bar.y = 5;
  bar.w = 4;
  bar.h = 10;
  bar.filled = true;
  bar.fill = Rgb{220, 35, 63};
  bar.outlined = false;
  list.items.push_back(bar);
  const QImage img = display_list_image(list);
  // The frame of a 10 x 8 rectangle at (2, 3) runs along x = 2..11, y = 3..10.
  EXPECT_TRUE(is(img.pixel(2, 5), kNavy));
  EXPECT_TRUE(is(img.pixel(11, 5), kNavy));
  EXPECT_TRUE(is(img.pixel(12, 5), kWhite));
  EXPECT_TRUE(is(img.pixel(5, 3), kNavy));
  EXPECT_TRUE(is(img.pixel(5, 10), kNavy));
  EXPECT_TRUE(is(img.pixel(5, 11), kWhite));
  EXPECT_TRUE(is(img.pixel(6, 6), kWhite));
  EXPECT_TRUE(is(img.pixel(20, 5), (Rgb{220, 35, 63})));
  EXPECT_TRUE(is(img.pixel(23, 14), (Rgb{220, 35, 63})));
  EXPECT_TRUE(is(img.pixel(24, 10), kWhite));
  EXPECT_TRUE(is(img.pixel(21, 15), kWhite));
}

// Bounding box of the pixels that differ from white.
QRect ink(const QImage& img) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (!is(img.pixel(x, y), kWhite)) box |= QRect(x, y, 1, 1);
  return box;
}

TEST_F(PaintDisplayList, TextIsPlacedByItsAlignment) {
  TextItem t;
  t.text = "1990";
  t.size = 14;
  t.colour = Rgb{0, 0, 0};
  t.at = {100, 40};

  DisplayList right = blank(200, 80);
  t.halign = HAlign::Right;
  t.valign = VAlign::Top;
  right.items.push_back(t);
  const QRect r = ink(display_list_image(right));
  ASSERT_FALSE(r.isNull());
  EXPECT_LE(r.right(), 100);
  EXPECT_GE(r.right(), 96);
  EXPECT_GE(r.top(), 40);  // nothing above the top line
  EXPECT_LE(r.top(), 44);

  DisplayList centred = blank(200, 80);
  t.halign = HAlign::Centre;
  t.valign = VAlign::Middle;
  centred.items.push_back(t);
  const QRect c = ink(display_list_image(centred));
  ASSERT_FALSE(c.isNull());
  EXPECT_NEAR((c.left() + c.right()) / 2.0, 100, 2);
  EXPECT_NEAR((c.top() + c.bottom()) / 2.0, 40, 2);
}

TEST_F(PaintDisplayList, LogicalFontsMapToSerifAndFixedPitchFamilies) {
  const QFont serif = display_font("Serif", 13);
  const QFont mono = display_font("Monospace", 11);
  EXPECT_EQ(serif.pixelSize(), 13);
  EXPECT_EQ(mono.pixelSize(), 11);
  EXPECT_TRUE(QFontInfo(mono).fixedPitch());
  EXPECT_FALSE(QFontInfo(serif).fixedPitch());
  EXPECT_NE(QFontInfo(serif).family(), QFontInfo(mono).family());
}

TEST_F(PaintDisplayList, ScaledImagesKeepTheirProportions) {
  DisplayList list = blank(50, 20);
  list.items.push_back(LineItem{{0, 10}, {50, 10}, Pen{kNavy, 1}});
  const QImage img = display_list_image(list, 2.0);
  EXPECT_EQ(img.size(), QSize(100, 40));
  EXPECT_TRUE(is(img.pixel(50, 20), kNavy));
  EXPECT_TRUE(is(img.pixel(50, 5), kWhite));
}

TEST_F(PaintDisplayList, SlantedCurvesAreAntiAliasedRulesAreNot) {
  DisplayList list = blank(40, 30);
  list.items.push_back(PolylineItem{{{2, 3}, {37, 26}}, Pen{kNavy, 1}});
  list.items.push_back(LineItem{{2, 28}, {37, 28}, Pen{kNavy, 1}});
  const QImage img = display_list_image(list);
  // Blended pixels (neither paper nor ink) line a slanted curve; a rule has none.
  int blended_curve = 0, blended_rule = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const QRgb p = img.pixel(x, y);
      if (is(p, kWhite) || is(p, kNavy)) continue;
      ++(y >= 27 ? blended_rule : blended_curve);
    }
  EXPECT_GT(blended_curve, 20);
  EXPECT_EQ(blended_rule, 0);
}

TEST_F(PaintDisplayList, PdfPageIsThePictureAtNinetySixPixelsPerInch) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("p.pdf");
  DisplayList list = blank(800, 600);
  list.items.push_back(LineItem{{0, 0}, {800, 600}, Pen{kNavy, 1}});
  ASSERT_TRUE(write_display_list_pdf(list, path));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString pdf = QString::fromLatin1(file.readAll());
  // 800 x 600 pixels at 96 per inch: 8.33 x 6.25 inches, 600 x 450 points.
  const QRegularExpressionMatch box =
      QRegularExpression(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])").match(pdf);
  ASSERT_TRUE(box.hasMatch()) << pdf.left(400).toStdString();
  EXPECT_NEAR(box.captured(1).toDouble(), 600, 0.5);
  EXPECT_NEAR(box.captured(2).toDouble(), 450, 0.5);
  EXPECT_FALSE(write_display_list_pdf(list, dir.filePath("no/such/folder/p.pdf")));
}

}  // namespace
}  // namespace zelk
