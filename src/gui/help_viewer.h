#pragma once
// The help window: the program's own HTML pages, with Back, Forward and
// Contents.
#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace zelk {

class HelpViewer : public QWidget {
  Q_OBJECT
 public:
  explicit HelpViewer(QWidget* parent = nullptr);
  void show_page(const QUrl& page);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace zelk
