#include "gui/printing.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "gui/paint_display_list.h"

namespace zelk {

namespace {

bool ask(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

void print_picture_to(QPrinter& printer, const DisplayList& picture, double screen_dpi_x, double screen_dpi_y) {
  printer.setDocName(QStringLiteral("ZELK"));
  QPainter painter;
  if (!painter.begin(&printer)) return;
  // The picture keeps its size in inches on paper, shrunk when the page is smaller.
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  const double sx = printer.logicalDpiX() / std::max(screen_dpi_x, 1.0);
  const double sy = printer.logicalDpiY() / std::max(screen_dpi_y, 1.0);
  const double fit = std::min({1.0, page.width() / std::max(picture.width * sx, 1.0),
                               page.height() / std::max(picture.height * sy, 1.0)});
  painter.scale(sx * fit, sy * fit);
  paint_display_list(painter, picture);
  painter.end();
}

void print_text_to(QPrinter& printer, const std::vector<std::string>& lines) {
  printer.setDocName(QStringLiteral("ZELK"));
  QPainter painter;
  if (!painter.begin(&printer)) return;
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  painter.setFont(font);
  const QFontMetricsF fm(font, &printer);
  const double page_height = printer.pageRect(QPrinter::DevicePixel).height();
  double y = fm.ascent();
  for (const std::string& line : lines) {
    if (y + fm.descent() > page_height) {
      printer.newPage();
      y = fm.ascent();
    }
    painter.drawText(QPointF(4, y), QString::fromStdString(line));
    y += fm.height();
  }
  painter.end();
}

bool print_picture(QWidget* parent, const DisplayList& picture) {
  QPrinter printer(QPrinter::HighResolution);
  if (!ask(parent, printer)) return false;
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  const double dx = screen ? screen->logicalDotsPerInchX() : 96;
  const double dy = screen ? screen->logicalDotsPerInchY() : 96;
  print_picture_to(printer, picture, dx, dy);
  return true;
}

bool print_text(QWidget* parent, const std::vector<std::string>& lines) {
  QPrinter printer(QPrinter::HighResolution);
  if (!ask(parent, printer)) return false;
  print_text_to(printer, lines);
  return true;
}

}  // namespace zelk
