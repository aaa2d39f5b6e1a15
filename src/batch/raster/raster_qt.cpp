// PNG and PDF output of pictures through QtGui's painter (never QtWidgets).
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <memory>
#include <string>

#include "gui/paint_display_list.h"
#include "plot/display_list.h"

namespace zelk {
namespace {

// Fonts need a QGuiApplication; the offscreen platform needs no display.
void ensure_application() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "zelk-batch";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

bool write_raster_picture(const DisplayList& picture, const std::string& path, std::string* error) {
  ensure_application();
  const QString file = QString::fromStdString(path);
  if (file.endsWith(".pdf", Qt::CaseInsensitive)) {
    QPdfWriter pdf(file);
    pdf.setResolution(96);
    pdf.setPageSize(QPageSize(QSizeF(picture.width, picture.height), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf)) {
      if (error) *error = "cannot write " + path;
      return false;
    }
    paint_display_list(painter, picture);
    painter.end();
    return true;
  }
  const QImage image = display_list_image(picture);
  if (!image.save(file, "PNG")) {
    if (error) *error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace zelk
