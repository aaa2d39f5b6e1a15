#include "gui/qt_port.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "gui/printing.h"
#include "qt_app.h"

namespace zelk {
namespace {

class QtPortTest : public ::testing::Test {
 protected:
  void SetUp() override { test::qt_app(); }
  QtPort port;
};

TEST_F(QtPortTest, ClipboardTextGoesBothWays) {
  QGuiApplication::clipboard()->clear();
  EXPECT_FALSE(port.clipboard_text().has_value());
  ASSERT_TRUE(port.set_clipboard_text("3\r\n4\r\n"));
  EXPECT_EQ(port.clipboard_text(), std::optional<std::string>("3\r\n4\r\n"));
}

TEST_F(QtPortTest, PicturesGoToTheClipboardAsImageAndSvg) {
  DisplayList list;
  list.width = 60;
  list.height = 40;
  list.background = Rgb{255, 255, 255};
  RectItem bar;
  bar.x = 10;
  bar.y = 10;
  bar.w = 20;
  bar.h = 20;
  bar.filled = true;
  bar.fill = Rgb{0, 160, 128};
  bar.outlined = false;
  list.items.push_back(bar);
  ASSERT_TRUE(port.set_clipboard_picture(list));
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_TRUE(data);
  ASSERT_TRUE(data->hasImage());
  const QImage img = qvariant_cast<QImage>(data->imageData());
  EXPECT_EQ(img.size(), QSize(60, 40));
  EXPECT_EQ(img.pixelColor(20, 20), QColor(0, 160, 128));
  EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
}

TEST(Printing, LongTextsContinueOnFurtherPagesOfADocumentNamedZelk) {
  test::qt_app();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  auto pages = [&](int lines) {
    const QString path = dir.filePath(QStringLiteral("info%1.pdf").arg(lines));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    print_text_to(printer, std::vector<std::string>(static_cast<std::size_t>(lines), "Sample Mean = 0.5790E+03"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    // The title is written in UTF-16: Z, E, L, K each after a zero byte.
    EXPECT_TRUE(pdf.contains(QByteArray("\0Z\0E\0L\0K", 8)));
    return pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ") +
           pdf.count("/Type /Page/") + pdf.count("/Type /Page>");
  };
  EXPECT_EQ(pages(10), 1);
  EXPECT_GE(pages(400), 5);  // a 10-point line is about 1/7 inch: 400 lines need several pages
}

}  // namespace
}  // namespace zelk
