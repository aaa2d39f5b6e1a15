#pragma once
// Replays a display list with QPainter. Only QtGui is used here so that the
// batch program can share this file for its PNG and PDF output.
#include <QFont>
#include <QImage>
#include <QString>
#include <string>

#include "plot/display_list.h"

class QPainter;

namespace zelk {

// The font a display list names: "Serif" for axis text, "Monospace" inside
// graphs; any other name is tried as a family. `pixels` is the em height.
QFont display_font(const std::string& name, double pixels);

// Draws the list with its origin at the painter's origin, background first.
// Axis-parallel lines and frames are snapped to pixel centres when the
// painter is unscaled, so that 1-pixel rules stay one pixel wide.
void paint_display_list(QPainter& painter, const DisplayList& list);

// The list drawn into an image of its own size times `scale`.
QImage display_list_image(const DisplayList& list, double scale = 1.0);

// A one-page PDF whose page is the list's size at 96 pixels per inch, so
// the drawing fills the page edge to edge. False when the file cannot be
// written.
bool write_display_list_pdf(const DisplayList& list, const QString& path);

}  // namespace zelk
