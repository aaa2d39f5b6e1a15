// PNG and PDF output of pictures through QtGui's painter (never QtWidgets).
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <memory>
#include <string>

#include "gui/paint_display_list.h"
#include "plot/display_list.h"

namespace zelk {
namespace {

// Script output stays clean: Qt's note about a missing runtime folder is
// of no use to a script writer.
QtMessageHandler previous_handler = nullptr;
void quiet_messages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith("QStandardPaths:")) return;
  if (previous_handler) previous_handler(type, context, text);
}

int app_argc = 1;
char app_name[] = "zelk-batch";
char* app_argv[] = {app_name, nullptr};
// Destroyed by finish_raster_pictures(), before Qt's own statics go.
std::unique_ptr<QGuiApplication> application;

// Fonts need a QGuiApplication; the offscreen platform needs no display.
void ensure_application() {
  if (QGuiApplication::instance()) return;
  previous_handler = qInstallMessageHandler(quiet_messages);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  application = std::make_unique<QGuiApplication>(app_argc, app_argv);
}

}  // namespace

void finish_raster_pictures() { application.reset(); }

bool write_raster_picture(const DisplayList& picture, const std::string& path, std::string* error) {
  ensure_application();
  const QString file = QString::fromStdString(path);
  if (file.endsWith(".pdf", Qt::CaseInsensitive)) {
    if (write_display_list_pdf(picture, file)) return true;
    if (error) *error = "cannot write " + path;
    return false;
  }
  const QImage image = display_list_image(picture);
  if (!image.save(file, "PNG")) {
    if (error) *error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace zelk
