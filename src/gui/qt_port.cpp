#include "gui/qt_port.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <utility>

#include "gui/dialog_view.h"
#include "gui/paint_display_list.h"
#include "gui/printing.h"

#if __has_include("plot/svg.h")
#include "plot/svg.h"
#define ZELK_HAVE_SVG 1
#endif

namespace zelk {

namespace {
QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
}  // namespace

// Messages of a dialog's handlers belong above that dialog, not the frame.
QWidget* QtPort::owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return parent_;
}

Button QtPort::message(std::string_view title, std::string_view text, Buttons buttons) {
  if (answers_) return answers_->message(title, text, buttons);
  QMessageBox box(owner());
  box.setWindowTitle(qs(title));
  box.setText(qs(text));
  box.setTextFormat(Qt::PlainText);
  struct Choice {
    QMessageBox::StandardButton qt;
    Button ours;
  };
  std::vector<Choice> choices;
  switch (buttons) {
    case Buttons::Ok: choices = {{QMessageBox::Ok, Button::Ok}}; break;
    case Buttons::OkCancel: choices = {{QMessageBox::Ok, Button::Ok}, {QMessageBox::Cancel, Button::Cancel}}; break;
    case Buttons::YesNo: choices = {{QMessageBox::Yes, Button::Yes}, {QMessageBox::No, Button::No}}; break;
    case Buttons::YesNoCancel:
      choices = {{QMessageBox::Yes, Button::Yes}, {QMessageBox::No, Button::No}, {QMessageBox::Cancel, Button::Cancel}};
      break;
  }
  QMessageBox::StandardButtons set;
  for (const Choice& c : choices) set |= c.qt;
  box.setStandardButtons(set);
  box.setDefaultButton(choices.front().qt);
  const bool question = buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel;
  const bool error = QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())).contains("rror", Qt::CaseInsensitive);
  box.setIcon(question ? QMessageBox::Question : error ? QMessageBox::Warning : QMessageBox::Information);
  const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
  for (const Choice& c : choices)
    if (c.qt == pressed) return c.ours;
  // Closed with Escape or the title bar: the last button, as cancel or no would be.
  return choices.back().ours;
}

bool QtPort::run_dialog(Dialog& dialog) {
  if (presets_ && presets_->has_answer(dialog.title())) return presets_->run_dialog(dialog);
  if (answers_) return answers_->run_dialog(dialog);
  DialogView view(dialog, *this, owner());
  return view.exec() == QDialog::Accepted;
}

void QtPort::show_tree_editor(TreeEditor& editor) {
  // Shown even when questions are answered by a script: it asks none itself.
  if (mirror_) mirror_->show_tree_editor(editor);
}

QString file_dialog_filter(const std::vector<FileFilter>& filters) {
  QStringList parts;
  for (const FileFilter& f : filters) {
    QStringList patterns;
    for (const QString& p : qs(f.pattern).split(QRegularExpression("[;\\s]+"), Qt::SkipEmptyParts)) {
      patterns << p;
      if (p.toLower() != p) patterns << p.toLower();
      if (p.toUpper() != p) patterns << p.toUpper();
    }
    patterns.removeDuplicates();
    QString label = qs(f.label);
    const int paren = label.indexOf('(');
    if (paren >= 0) label = label.left(paren).trimmed();
    parts << QStringLiteral("%1 (%2)").arg(label, patterns.join(' '));
  }
  return parts.join(QStringLiteral(";;"));
}

std::optional<std::string> QtPort::choose_file(FileMode mode, std::string_view title,
                                               const std::vector<FileFilter>& filters, std::string_view initial_name) {
  if (next_file_) return std::exchange(next_file_, std::nullopt);
  if (presets_ && presets_->has_file()) return presets_->choose_file(mode, title, filters, initial_name);
  if (answers_) return answers_->choose_file(mode, title, filters, initial_name);
  const QString filter = file_dialog_filter(filters);
  const QString name = qs(initial_name).trimmed();
  const QString path = mode == FileMode::Open ? QFileDialog::getOpenFileName(owner(), qs(title), name, filter)
                                              : QFileDialog::getSaveFileName(owner(), qs(title), name, filter);
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> QtPort::clipboard_text() {
  if (answers_) return answers_->clipboard_text();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return std::nullopt;
  return data->text().toStdString();
}

bool QtPort::set_clipboard_text(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  return true;
}

bool QtPort::set_clipboard_picture(const DisplayList& picture) {
  auto* data = new QMimeData;
  data->setImageData(display_list_image(picture));
#ifdef ZELK_HAVE_SVG
  const std::string svg = to_svg(picture);
  data->setData(QStringLiteral("image/svg+xml"), QByteArray::fromStdString(svg));
#endif
  QGuiApplication::clipboard()->setMimeData(data);
  return true;
}

void QtPort::window_opened(const Window& w) {
  if (mirror_) mirror_->window_opened(w);
}
void QtPort::window_changed(const Window& w) {
  if (mirror_) mirror_->window_changed(w);
}
void QtPort::window_closed(int id) {
  if (mirror_) mirror_->window_closed(id);
}
void QtPort::window_focused(int id) {
  if (mirror_) mirror_->window_focused(id);
}
void QtPort::window_shown(int id, bool minimized) {
  if (mirror_) mirror_->window_shown(id, minimized);
}
void QtPort::status_changed(const StatusLine& s) {
  if (mirror_) mirror_->status_changed(s);
}
void QtPort::menus_changed() {
  if (mirror_) mirror_->menus_changed();
}
void QtPort::toolbar_changed() {
  if (mirror_) mirror_->toolbar_changed();
}
void QtPort::frame_command(int id) {
  if (mirror_) mirror_->frame_command(id);
}

bool QtPort::progress(int iteration) {
  // The frame shows the count, offers Cancel and lets events through.
  if (mirror_) return mirror_->progress(iteration);
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  return true;
}

void QtPort::progress_note(std::string_view text) {
  if (mirror_) mirror_->progress_note(text);
}

void QtPort::file_used(std::string_view path, FileUse use) {
  if (mirror_) mirror_->file_used(path, use);
}

bool QtPort::print_picture(const DisplayList& picture) {
  if (answers_) return answers_->print_picture(picture);
  return zelk::print_picture(owner(), picture);
}

bool QtPort::print_text(const std::vector<std::string>& lines) {
  if (answers_) return answers_->print_text(lines);
  return zelk::print_text(owner(), lines);
}

bool QtPort::choose_colour(unsigned& rgb) {
  if (answers_) return answers_->choose_colour(rgb);
  const QColor start(static_cast<QRgb>(rgb & 0xFFFFFFu));
  const QColor chosen = QColorDialog::getColor(start, owner());
  if (!chosen.isValid()) return false;
  rgb = static_cast<unsigned>(chosen.rgb()) & 0xFFFFFFu;
  return true;
}

}  // namespace zelk
