#include "gui/info_view.h"

#include <QFontDatabase>
#include <QScrollBar>

#include "gui/paint_display_list.h"
#include "shell/app.h"

namespace zelk {

InfoView::InfoView(App& app, int window_id, QWidget* parent) : QPlainTextEdit(parent), app_(app), id_(window_id) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont fixed = display_font("Monospace", 13);
  const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (system.pointSizeF() > 0) fixed.setPointSizeF(system.pointSizeF());
  setFont(fixed);
  setViewportMargins(0, 0, 0, 0);
  document()->setDocumentMargin(10);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  refresh();
}

void InfoView::refresh() {
  const Window* w = app_.session().desktop.by_id(id_);
  const QString text = w && w->text ? QString::fromStdString(w->text->text()) : QString();
  if (text == shown_) return;
  const int v = verticalScrollBar()->value();
  const int h = horizontalScrollBar()->value();
  const bool appended = !shown_.isEmpty() && text.startsWith(shown_);
  setPlainText(text);
  if (appended) {
    verticalScrollBar()->setValue(v);
    horizontalScrollBar()->setValue(h);
  }
  shown_ = text;
}

}  // namespace zelk
