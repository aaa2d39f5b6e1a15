#pragma once
// The client area of an INFO window: the report text, read-only, in a
// fixed-pitch font with both scroll bars.
#include <QPlainTextEdit>

namespace zelk {

class App;
class Window;

class InfoView : public QPlainTextEdit {
  Q_OBJECT
 public:
  InfoView(App& app, int window_id, QWidget* parent = nullptr);

  int window_id() const { return id_; }
  // Reloads the text when the document changed; keeps the reading position
  // when only lines were added below.
  void refresh();

 private:
  App& app_;
  int id_;
  QString shown_;
};

}  // namespace zelk
