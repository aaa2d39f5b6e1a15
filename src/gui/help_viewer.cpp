#include "gui/help_viewer.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

// The pages live in this static library; the linker keeps them only when
// something names them.
static void load_help_resource() { Q_INIT_RESOURCE(help); }

namespace zelk {

namespace {
const char* const kContents = "qrc:/help/index.html";
}

HelpViewer::HelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)), search_(new QLineEdit(this)),
      list_(new QListWidget(this)) {
  setWindowTitle(QStringLiteral("ZELK Help"));
  setObjectName(QStringLiteral("HelpViewer"));
  resize(900, 640);
  auto* bar = new QToolBar(this);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"));
  QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Forward"));
  QAction* contents = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("&Contents"));
  back->setShortcut(QKeySequence::Back);
  forward->setShortcut(QKeySequence::Forward);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(contents, &QAction::triggered, this, [this] { show_page(QUrl(QString::fromLatin1(kContents))); });
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("ZELK Help") : QStringLiteral("ZELK Help - ") + title);
  });
  // Pages outside the program's own set open in the system's browser.
  browser_->setOpenExternalLinks(true);

  search_->setPlaceholderText(QStringLiteral("Search"));
  search_->setClearButtonEnabled(true);
  search_->setObjectName(QStringLiteral("HelpSearch"));
  QAction* find = new QAction(this);
  find->setShortcut(QKeySequence::Find);
  addAction(find);
  connect(find, &QAction::triggered, this, [this] {
    search_->setFocus();
    search_->selectAll();
  });
  connect(search_, &QLineEdit::textChanged, this, &HelpViewer::filter);
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    if (list_->count() == 0) return;
    list_->setCurrentRow(0);
    show_page(list_->item(0)->data(Qt::UserRole).toUrl());
  });
  connect(list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item) show_page(item->data(Qt::UserRole).toUrl());
  });

  auto* side = new QWidget(this);
  auto* side_layout = new QVBoxLayout(side);
  side_layout->setContentsMargins(4, 4, 0, 4);
  side_layout->addWidget(search_);
  side_layout->addWidget(list_);
  auto* split = new QSplitter(this);
  split->addWidget(side);
  split->addWidget(browser_);
  split->setStretchFactor(1, 1);
  split->setSizes({230, 670});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(split);

  load_pages();
  filter(QString());
}

void HelpViewer::show_page(const QUrl& page) { browser_->setSource(page); }

void HelpViewer::load_pages() {
  load_help_resource();
  const QDir dir(QStringLiteral(":/help"));
  for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files)) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) continue;
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(file.readAll()));
    QString title = doc.metaInformation(QTextDocument::DocumentTitle);
    if (title.isEmpty()) title = name;
    pages_.push_back({QUrl(QStringLiteral("qrc:/help/") + name), title, doc.toPlainText().toLower()});
  }
  std::sort(pages_.begin(), pages_.end(), [](const Page& a, const Page& b) {
    return QString::localeAwareCompare(a.title, b.title) < 0;
  });
}

QStringList HelpViewer::find(const QString& text) const {
  const QStringList words = text.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  QStringList titles;
  for (const Page& p : pages_) {
    // The contents page names every topic, so it would match every search.
    if (!words.isEmpty() && p.url.fileName() == QLatin1String("index.html")) continue;
    const bool all = std::all_of(words.begin(), words.end(), [&](const QString& w) {
      return p.text.contains(w) || p.title.contains(w, Qt::CaseInsensitive);
    });
    if (all) titles.push_back(p.title);
  }
  return titles;
}

void HelpViewer::filter(const QString& text) {
  // Refilling the list must not open the first page while the user types.
  const QSignalBlocker quiet(list_);
  list_->clear();
  const QStringList titles = find(text);
  for (const Page& p : pages_) {
    if (!titles.contains(p.title)) continue;
    auto* item = new QListWidgetItem(p.title, list_);
    item->setData(Qt::UserRole, p.url);
  }
}

}  // namespace zelk
