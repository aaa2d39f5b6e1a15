#include "gui/desk_habits.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>

#include "shell/command_table.h"

namespace zelk {

QKeySequence standard_key_sequence(StandardShortcut shortcut) {
  using K = QKeySequence;
  // Some platform themes have no key for Quit or Save As: the usual one then.
  auto standard = [](K::StandardKey key, const char* usual) {
    const K keys(key);
    return keys.isEmpty() ? K(QString::fromLatin1(usual)) : keys;
  };
  switch (shortcut) {
    case StandardShortcut::None: return {};
    case StandardShortcut::New: return standard(K::New, "Ctrl+N");
    case StandardShortcut::Open: return standard(K::Open, "Ctrl+O");
    case StandardShortcut::Save: return standard(K::Save, "Ctrl+S");
    case StandardShortcut::SaveAs: return standard(K::SaveAs, "Ctrl+Shift+S");
    case StandardShortcut::Print: return standard(K::Print, "Ctrl+P");
    case StandardShortcut::Copy: return standard(K::Copy, "Ctrl+C");
    case StandardShortcut::Close: return standard(K::Close, "Ctrl+W");
    case StandardShortcut::Quit: return standard(K::Quit, "Ctrl+Q");
    case StandardShortcut::HelpContents: return standard(K::HelpContents, "F1");
  }
  return {};
}

void apply_command_shortcut(QAction* action, int command_id) {
  const CommandSpec* c = find_command(command_id);
  if (!c || c->shortcut == StandardShortcut::None) return;
  const QKeySequence keys = standard_key_sequence(c->shortcut);
  if (!keys.isEmpty()) action->setShortcut(keys);
}

namespace {
const char* const kRecentKey = "recentFiles";
const char* const kFullPrecisionKey = "reports/fullPrecision";
}  // namespace

std::vector<RecentFile> RecentFiles::load() const {
  QSettings settings;
  std::vector<RecentFile> files;
  // Each entry is "U:path" or "M:path": the kind of project it was used in.
  for (const QString& item : settings.value(kRecentKey).toStringList()) {
    if (item.size() < 3 || item[1] != QLatin1Char(':')) continue;
    files.push_back({item.mid(2), item[0] == QLatin1Char('M') ? FileUse::MultivariateProject : FileUse::UnivariateProject});
    if (static_cast<int>(files.size()) == kMax) break;
  }
  return files;
}

void RecentFiles::save(const std::vector<RecentFile>& files) const {
  QStringList items;
  for (const RecentFile& f : files)
    items << (f.use == FileUse::MultivariateProject ? QStringLiteral("M:") : QStringLiteral("U:")) + f.path;
  QSettings().setValue(kRecentKey, items);
}

void RecentFiles::add(const QString& path, FileUse use) {
  std::vector<RecentFile> files = load();
  std::erase_if(files, [&](const RecentFile& f) { return f.path == path; });
  files.insert(files.begin(), RecentFile{path, use});
  if (static_cast<int>(files.size()) > kMax) files.resize(kMax);
  save(files);
}

void RecentFiles::remove(const QString& path) {
  std::vector<RecentFile> files = load();
  std::erase_if(files, [&](const RecentFile& f) { return f.path == path; });
  save(files);
}

bool load_full_precision() { return QSettings().value(kFullPrecisionKey, false).toBool(); }
void save_full_precision(bool on) { QSettings().setValue(kFullPrecisionKey, on); }

WorkGuard::WorkGuard(QStatusBar* bar, QWidget* frame) : QObject(frame), frame_(frame) {
  button_ = new QPushButton(QStringLiteral("Cancel (Esc)"), bar);
  button_->setObjectName(QStringLiteral("CancelWork"));
  button_->setFocusPolicy(Qt::NoFocus);
  button_->hide();
  note_ = new QLabel(bar);
  note_->setObjectName(QStringLiteral("WorkNote"));
  note_->hide();
  bar->addPermanentWidget(note_);
  bar->addPermanentWidget(button_);
  connect(button_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

bool WorkGuard::step() {
  if (!active_) {
    active_ = true;
    cancelled_ = false;
    clock_.start();
    qApp->installEventFilter(this);
  }
  // Short fits finish before the button would be read: it would only flicker.
  if (button_ && button_->isHidden() && clock_.elapsed() > 400) {
    button_->show();
    if (note_ && !note_->text().isEmpty()) note_->show();
  }
  QCoreApplication::processEvents();
  return !cancelled_;
}

void WorkGuard::note(const QString& text) {
  if (!note_) return;
  note_->setText(text);
  if (button_ && !button_->isHidden()) note_->show();
}

void WorkGuard::finish() {
  if (!active_) return;
  qApp->removeEventFilter(this);
  if (button_) button_->hide();
  if (note_) {
    note_->hide();
    note_->clear();
  }
  active_ = false;
  cancelled_ = false;
}

bool WorkGuard::eventFilter(QObject* watched, QEvent* event) {
  const bool on_button = button_ && watched == button_;
  switch (event->type()) {
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) cancelled_ = true;
      return true;
    case QEvent::ShortcutOverride:
      // Claimed here, so that no menu shortcut starts a command meanwhile.
      event->accept();
      return true;
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::MouseButtonDblClick:
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
      return !on_button;
    case QEvent::Close:
      // Closing the frame asks the work to stop; the frame stays.
      if (watched == frame_) {
        cancelled_ = true;
        event->ignore();
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace zelk
