#pragma once
// Printing graphs and INFO texts through the system print dialog; every job
// is a document named "ZELK". False when the user cancelled.
#include <string>
#include <vector>

#include "plot/display_list.h"

class QWidget;
class QPrinter;

namespace zelk {

bool print_picture(QWidget* parent, const DisplayList& picture);
bool print_text(QWidget* parent, const std::vector<std::string>& lines);

// The drawing on an already configured printer (no dialog); used by the above
// and by tests that print to a PDF file.
void print_picture_to(QPrinter& printer, const DisplayList& picture, double screen_dpi_x, double screen_dpi_y);
// Lines that do not fit on a page continue on the next one.
void print_text_to(QPrinter& printer, const std::vector<std::string>& lines);

}  // namespace zelk
