#pragma once
// The help window: the program's own HTML pages, with Back, Forward,
// Contents and a search field that lists the pages holding every word typed.
#include <QList>
#include <QString>
#include <QUrl>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace zelk {

class HelpViewer : public QWidget {
  Q_OBJECT
 public:
  explicit HelpViewer(QWidget* parent = nullptr);
  void show_page(const QUrl& page);
  QTextBrowser* browser() const { return browser_; }
  QLineEdit* search_field() const { return search_; }
  QListWidget* page_list() const { return list_; }

  // Titles of the pages that hold every word of `text` (case ignored), in
  // title order, the contents page left out; every page when `text` is blank.
  QStringList find(const QString& text) const;

 private:
  struct Page {
    QUrl url;
    QString title;
    QString text;  // plain text, lower case
  };
  void load_pages();
  void filter(const QString& text);

  QTextBrowser* browser_;
  QLineEdit* search_;
  QListWidget* list_;
  QList<Page> pages_;
};

}  // namespace zelk
