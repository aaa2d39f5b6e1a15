#include "gui/screenshot_script.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "gui/dialog_view.h"
#include "gui/frame.h"
#include "gui/graph_view.h"
#include "port/dialog.h"
#include "shell/script_words.h"
#include "port/scripted_port.h"

namespace zelk {

namespace {

void settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

const Window* window_by_prefix(App& app, const std::string& prefix) {
  for (const auto& w : app.session().desktop.windows())
    if (w->caption.size() >= prefix.size() && same_text(w->caption.substr(0, prefix.size()), prefix)) return w.get();
  return nullptr;
}

void send_mouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, at, w->mapToGlobal(at), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &event);
}

}  // namespace

int run_screenshot_script(MainFrame& frame, const QString& script, const QString& outdir) {
  QFile file(script);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    std::cerr << "cannot read " << script.toStdString() << "\n";
    return 1;
  }
  ScriptedPort answers(&std::cerr);
  frame.port().set_answers(&answers);
  QDir().mkpath(outdir);
  App& app = frame.app();
  int number = 0;
  QTextStream in(&file);
  while (!in.atEnd()) {
    ++number;
    std::string split_error;
    const std::vector<std::string> w =
        split_words(in.readLine().toStdString(), &split_error).value_or(std::vector<std::string>{});
    if (w.empty()) continue;
    auto fail = [&](const std::string& why) {
      std::cerr << "line " << number << ": " << why << "\n";
      frame.port().set_answers(nullptr);
      return 1;
    };
    const std::string& step = w[0];
    if (step == "do" && w.size() >= 2) {
      std::string name = w[1];
      for (std::size_t i = 2; i < w.size(); ++i) name += " " + w[i];
      int id = std::atoi(name.c_str());
      if (id == 0) {
        const std::vector<int> ids = find_commands_by_text(name, app.menu_kind());
        if (ids.size() != 1) return fail("no single command named " + name);
        id = ids.front();
      }
      frame.dispatch(id);
    } else if (step == "dialog" && w.size() >= 2) {
      DialogAnswer a;
      a.title = w[1];
      for (std::size_t i = 2; i < w.size(); ++i) {
        const auto eq = w[i].find('=');
        if (eq == std::string::npos) return fail("expected KEY=VALUE: " + w[i]);
        if (w[i].substr(0, eq) == "press") a.press = w[i].substr(eq + 1);
        else a.settings.emplace_back(w[i].substr(0, eq), w[i].substr(eq + 1));
      }
      answers.queue_dialog(std::move(a));
    } else if (step == "message") {
      answers.queue_message(w.size() > 1 ? w[1] : std::string());
    } else if (step == "file" && w.size() == 2) {
      // Relative names are taken from the script's folder.
      const QString path = QFileInfo(script).dir().absoluteFilePath(QString::fromStdString(w[1]));
      answers.queue_file(w[1] == "cancel" ? std::nullopt : std::optional<std::string>(path.toStdString()));
    } else if (step == "clipboard" && w.size() == 2) {
      answers.set_clipboard(w[1]);
    } else if (step == "focus" && w.size() == 2) {
      const Window* target = window_by_prefix(app, w[1]);
      if (!target) return fail("no window " + w[1]);
      if (QMdiSubWindow* sub = frame.child(target->id)) frame.client()->setActiveSubWindow(sub);
    } else if (step == "drag" && w.size() == 6) {
      const Window* target = window_by_prefix(app, w[1]);
      GraphView* view = target ? frame.graph_view(target->id) : nullptr;
      if (!view) return fail("no graph window " + w[1]);
      const QPointF a(std::stod(w[2]) * view->width(), std::stod(w[3]) * view->height());
      const QPointF b(std::stod(w[4]) * view->width(), std::stod(w[5]) * view->height());
      send_mouse(view, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
      send_mouse(view, QEvent::MouseMove, (a + b) / 2, Qt::NoButton, Qt::LeftButton);
      send_mouse(view, QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
      send_mouse(view, QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);
    } else if (step == "panes" && w.size() == 3) {
      // Until a command draws that many panes: fill a duplicate graph with the
      // series differenced 0, 1, 2... times, to look at the pane grid.
      const Window* target = window_by_prefix(app, w[1]);
      if (!target || target->kind != WindowKind::DupGraph || !target->graph) return fail("no duplicate graph " + w[1]);
      GraphDocument& doc = *app.session().desktop.by_id(target->id)->graph;
      std::vector<double> x = doc.pane(1).x, y = doc.pane(1).y;
      const int n = std::clamp(std::stoi(w[2]), 1, kMaxPanes);
      for (int pane = 2; pane <= n && y.size() > 2; ++pane) {
        for (std::size_t i = y.size() - 1; i > 0; --i) y[i] -= y[i - 1];
        y.erase(y.begin());
        x.erase(x.begin());
        doc.add_curve_pane(pane, x, y);
      }
      frame.window_changed(*target);
    } else if (step == "dialogs") {
      // Every dialog in its default state, as the generic view lays it out.
      int shown = 0;
      for (const auto& make : app.registry().dialogs()) {
        std::unique_ptr<Dialog> d = make();
        DialogView view(*d, answers, &frame);
        view.show();
        settle();
        QString name = QString::fromStdString(d->title()).trimmed();
        name.replace(QRegularExpression("[^A-Za-z0-9]+"), "-");
        const QString path = QDir(outdir).filePath(QStringLiteral("dialog-%1-%2.png").arg(++shown, 2, 10, QChar('0')).arg(name));
        view.grab().save(path);
        view.hide();
      }
    } else if (step == "maximize" && w.size() == 2) {
      const Window* target = window_by_prefix(app, w[1]);
      QMdiSubWindow* sub = target ? frame.child(target->id) : nullptr;
      if (!sub) return fail("no window " + w[1]);
      sub->showMaximized();
    } else if (step == "size" && w.size() == 3) {
      frame.showNormal();
      frame.setGeometry(0, 0, std::stoi(w[1]), std::stoi(w[2]));
    } else if (step == "shot-help" && w.size() == 2) {
      if (!frame.help_viewer()) return fail("the help viewer is not open");
      settle();
      const QString path = QDir(outdir).filePath(QString::fromStdString(w[1]) + ".png");
      if (!frame.help_viewer()->grab().save(path)) return fail("cannot write " + path.toStdString());
      std::cout << path.toStdString() << "\n";
    } else if (step == "help-search" && w.size() >= 2) {
      if (!frame.help_viewer()) return fail("the help viewer is not open");
      QStringList words;
      for (std::size_t i = 1; i < w.size(); ++i) words << QString::fromStdString(w[i]);
      frame.help_viewer()->search_field()->setText(words.join(QLatin1Char(' ')));
      Q_EMIT frame.help_viewer()->search_field()->returnPressed();
    } else if (step == "shot" && w.size() == 2) {
      settle();
      const QString path = QDir(outdir).filePath(QString::fromStdString(w[1]) + ".png");
      if (!frame.grab().save(path)) return fail("cannot write " + path.toStdString());
      std::cout << path.toStdString() << "\n";
    } else {
      return fail("unknown step " + step);
    }
    settle();
    for (const std::string& e : answers.errors()) std::cerr << "line " << number << ": " << e << "\n";
    if (!answers.errors().empty()) return fail("the answers did not fit");
  }
  frame.port().set_answers(nullptr);
  return 0;
}

}  // namespace zelk
