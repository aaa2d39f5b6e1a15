#include "gui/dialog_view.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QVBoxLayout>

#include "gui/picture_widget.h"
#include "port/port.h"

namespace zelk {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Labels keep their blanks in the data; on screen they only shift the layout.
QString shown(const std::string& s) { return qs(s).trimmed(); }

class ValueSlider : public QWidget {
 public:
  explicit ValueSlider(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    slider = new QSlider(Qt::Horizontal, this);
    value = new QLabel(this);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-00000")));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(slider, 1);
    row->addWidget(value);
    setFocusProxy(slider);
  }
  QSlider* slider;
  QLabel* value;
};

}  // namespace

DialogView::DialogView(Dialog& dialog, UiPort& port, QWidget* parent)
    : QDialog(parent), dialog_(dialog), port_(port) {
  setWindowTitle(qs(dialog.title()));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  build();
  refresh();
}

Control* DialogView::control_at(std::size_t index) {
  auto& cs = dialog_.controls();
  return index < cs.size() ? &cs[index] : nullptr;
}

const DialogView::Entry* DialogView::entry_of(const QWidget* w) const {
  for (; w && w != this; w = w->parentWidget())
    for (const Entry& e : entries_)
      if (e.widget == w) return &e;
  return nullptr;
}

QWidget* DialogView::widget_for(const std::string& key) const {
  const auto& cs = dialog_.controls();
  for (const Entry& e : entries_)
    if (e.index < cs.size() && cs[e.index].key == key) return e.widget;
  return nullptr;
}

void DialogView::build() {
  auto* outer = new QVBoxLayout(this);
  auto* top = new QFormLayout;
  top->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
  top->setRowWrapPolicy(QFormLayout::DontWrapRows);
  outer->addLayout(top);
  // A control sits in the group box its group names when that box came
  // before it; a radio group without a box stays at the top level.
  auto& cs = dialog_.controls();
  for (std::size_t i = 0; i < cs.size(); ++i) {
    if (auto col = columns_.find(cs[i].group); col != columns_.end() && col->second.grid && cs[i].group != cs[i].key) {
      place_in_column(i, col->second);
      continue;
    }
    auto it = groups_.find(cs[i].group);
    QFormLayout* form = it != groups_.end() && it->second && cs[i].group != cs[i].key ? it->second : top;
    place(i, form);
  }
  auto* box = new QDialogButtonBox(this);
  ok_ = box->addButton(shown(dialog_.ok_label()), QDialogButtonBox::AcceptRole);
  ok_->setObjectName(QStringLiteral("OK"));
  if (dialog_.has_cancel()) {
    cancel_ = box->addButton(shown(dialog_.cancel_label()), QDialogButtonBox::RejectRole);
    cancel_->setObjectName(QStringLiteral("Cancel"));
  }
  // Enter is ours: it must not click a default button behind the handlers' back.
  for (QPushButton* b : findChildren<QPushButton*>()) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  connect(ok_, &QPushButton::clicked, this, &DialogView::press_ok);
  if (cancel_) connect(cancel_, &QPushButton::clicked, this, &DialogView::reject);
  outer->addWidget(box);
}

void DialogView::place(std::size_t index, QFormLayout* form) {
  QLabel* label = nullptr;
  QWidget* w = make_widget(index, label);
  Control& c = dialog_.controls()[index];
  w->setObjectName(qs(c.key));
  entries_.push_back({index, w, label});
  if (label) {
    label->setBuddy(w);
    form->addRow(label, w);
  } else if (c.kind == ControlKind::Button) {
    auto* holder = new QWidget(this);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(w);
    row->addStretch(1);
    form->addRow(holder);
  } else {
    form->addRow(w);
  }
}

void DialogView::place_in_column(std::size_t index, Columns& columns) {
  QLabel* label = nullptr;
  QWidget* w = make_widget(index, label);
  w->setObjectName(qs(dialog_.controls()[index].key));
  entries_.push_back({index, w, label});
  const int rows = (columns.count + 1) / 2;
  const int at = columns.placed++;
  columns.grid->addWidget(w, at % rows, at / rows);
}

QWidget* DialogView::make_widget(std::size_t index, QLabel*& label) {
  const Control c = dialog_.controls()[index];
  auto make_label = [&] {
    if (!shown(c.label).isEmpty()) label = new QLabel(shown(c.label), this);
  };
  switch (c.kind) {
    case ControlKind::Edit: {
      make_label();
      auto* e = new QLineEdit(this);
      e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 22);
      e->installEventFilter(this);
      connect(e, &QLineEdit::textEdited, this, [this, index](const QString& t) {
        if (Control* ctl = control_at(index)) ctl->text = t.toStdString();
      });
      return e;
    }
    case ControlKind::Check: {
      auto* b = new QCheckBox(shown(c.label), this);
      connect(b, &QCheckBox::toggled, this, [this, index](bool on) {
        if (Control* ctl = control_at(index)) ctl->checked = on;
        changed(index);
      });
      return b;
    }
    case ControlKind::Radio: {
      auto* b = new QRadioButton(shown(c.label), this);
      QButtonGroup*& group = radio_groups_[c.group];
      if (!group) group = new QButtonGroup(this);
      group->addButton(b);
      connect(b, &QRadioButton::toggled, this, [this, index](bool on) {
        if (!on) return;
        Control* ctl = control_at(index);
        if (!ctl) return;
        for (Control& o : dialog_.controls())
          if (o.kind == ControlKind::Radio && o.group == ctl->group) o.checked = false;
        ctl->checked = true;
        changed(index);
      });
      return b;
    }
    case ControlKind::List:
    case ControlKind::MultiList: {
      make_label();
      auto* l = new QListWidget(this);
      l->setSelectionMode(c.kind == ControlKind::List ? QAbstractItemView::SingleSelection
                                                      : QAbstractItemView::ExtendedSelection);
      l->setMinimumHeight(90);
      connect(l, &QListWidget::itemSelectionChanged, this, [this, index, l] {
        Control* ctl = control_at(index);
        if (!ctl) return;
        ctl->selection.clear();
        for (int row = 0; row < l->count(); ++row)
          if (l->item(row)->isSelected()) ctl->selection.push_back(row);
        changed(index);
      });
      return l;
    }
    case ControlKind::Slider: {
      make_label();
      auto* s = new ValueSlider(this);
      connect(s->slider, &QSlider::valueChanged, this, [this, index, s](int v) {
        if (Control* ctl = control_at(index)) ctl->value = v;
        s->value->setNum(v);
        changed(index);
      });
      return s;
    }
    case ControlKind::Combo: {
      make_label();
      auto* box = new QComboBox(this);
      connect(box, &QComboBox::currentIndexChanged, this, [this, index](int row) {
        if (Control* ctl = control_at(index)) ctl->selection = row < 0 ? std::vector<int>{} : std::vector<int>{row};
        changed(index);
      });
      return box;
    }
    case ControlKind::Tab: {
      auto* bar = new QTabBar(this);
      bar->setExpanding(false);
      connect(bar, &QTabBar::currentChanged, this, [this, index](int row) {
        if (Control* ctl = control_at(index)) ctl->selection = row < 0 ? std::vector<int>{} : std::vector<int>{row};
        changed(index);
      });
      return bar;
    }
    case ControlKind::Group: {
      auto* box = new QGroupBox(shown(c.label), this);
      int members = 0;
      bool buttons_only = true;
      for (const Control& m : dialog_.controls())
        if (m.group == c.key && m.key != c.key) {
          ++members;
          buttons_only = buttons_only && (m.kind == ControlKind::Radio || m.kind == ControlKind::Check);
        }
      if (members > 7 && buttons_only) {
        columns_[c.key] = {new QGridLayout(box), members, 0};
        groups_[c.key] = nullptr;
        return box;
      }
      auto* form = new QFormLayout(box);
      form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
      groups_[c.key] = form;
      return box;
    }
    case ControlKind::Button: {
      auto* b = new QPushButton(shown(c.label), this);
      connect(b, &QPushButton::clicked, this, [this, index] { pressed(index); });
      return b;
    }
    case ControlKind::Static: {
      if (!c.text.empty()) make_label();
      auto* l = new QLabel(this);
      l->setTextFormat(Qt::PlainText);
      // Several lines are a table: their columns line up in a fixed font.
      if (c.text.find('\n') != std::string::npos) {
        l->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
      }
      return l;
    }
    case ControlKind::Picture: {
      const std::string key = c.key;
      auto* p = new PictureWidget([this, key](double w, double h) { return dialog_.picture(key, w, h); }, this);
      return p;
    }
  }
  return new QWidget(this);
}

void DialogView::refresh() {
  const bool was_busy = busy_;
  busy_ = true;
  for (const Entry& e : entries_) {
    const Control* c = control_at(e.index);
    if (!c) continue;
    const QSignalBlocker block(e.widget);
    e.widget->setEnabled(c->enabled);
    e.widget->setVisible(c->visible);
    if (e.label) {
      e.label->setVisible(c->visible);
      e.label->setEnabled(c->enabled);
    }
    switch (c->kind) {
      case ControlKind::Edit: {
        auto* edit = static_cast<QLineEdit*>(e.widget);
        if (edit->text() != qs(c->text)) edit->setText(qs(c->text));
        break;
      }
      case ControlKind::Check:
      case ControlKind::Radio: {
        auto* b = static_cast<QAbstractButton*>(e.widget);
        b->setText(shown(c->label));
        // An exclusive group would refuse to clear its checked button.
        QButtonGroup* group = b->group();
        if (group) group->setExclusive(false);
        b->setChecked(c->checked);
        if (group) group->setExclusive(true);
        break;
      }
      case ControlKind::List:
      case ControlKind::MultiList: {
        auto* list = static_cast<QListWidget*>(e.widget);
        QStringList want;
        for (const auto& item : c->items) want << qs(item);
        QStringList have;
        for (int row = 0; row < list->count(); ++row) have << list->item(row)->text();
        if (have != want) {
          list->clear();
          list->addItems(want);
        }
        for (int row = 0; row < list->count(); ++row) {
          const bool on = std::find(c->selection.begin(), c->selection.end(), row) != c->selection.end();
          list->item(row)->setSelected(on);
          if (on && c->kind == ControlKind::List) list->setCurrentRow(row, QItemSelectionModel::NoUpdate);
        }
        break;
      }
      case ControlKind::Slider: {
        auto* s = static_cast<ValueSlider*>(e.widget);
        const QSignalBlocker block_slider(s->slider);
        s->slider->setRange(c->min, c->max);
        s->slider->setValue(c->value);
        s->value->setNum(c->value);
        break;
      }
      case ControlKind::Combo: {
        auto* box = static_cast<QComboBox*>(e.widget);
        QStringList want;
        for (const auto& item : c->items) want << qs(item);
        QStringList have;
        for (int row = 0; row < box->count(); ++row) have << box->itemText(row);
        if (have != want) {
          box->clear();
          box->addItems(want);
        }
        box->setCurrentIndex(c->selection.empty() ? -1 : c->selection.front());
        break;
      }
      case ControlKind::Tab: {
        auto* bar = static_cast<QTabBar*>(e.widget);
        while (bar->count() > static_cast<int>(c->items.size())) bar->removeTab(bar->count() - 1);
        for (std::size_t i = 0; i < c->items.size(); ++i) {
          const int at = static_cast<int>(i);
          if (at < bar->count()) bar->setTabText(at, qs(c->items[i]));
          else bar->addTab(qs(c->items[i]));
        }
        if (!c->selection.empty()) bar->setCurrentIndex(c->selection.front());
        break;
      }
      case ControlKind::Group:
        static_cast<QGroupBox*>(e.widget)->setTitle(shown(c->label));
        break;
      case ControlKind::Button:
        static_cast<QPushButton*>(e.widget)->setText(shown(c->label));
        break;
      case ControlKind::Static:
        static_cast<QLabel*>(e.widget)->setText(c->text.empty() ? shown(c->label) : qs(c->text));
        break;
      case ControlKind::Picture:
        e.widget->update();
        break;
    }
  }
  busy_ = was_busy;
}

void DialogView::focus_control(const std::string& key) {
  if (key == "OK" && ok_) {
    ok_->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (QWidget* w = widget_for(key)) {
    w->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
  }
}

void DialogView::after_handler(const std::string& fallback_focus) {
  refresh();
  const std::string target = dialog_.focus().empty() ? fallback_focus : dialog_.focus();
  if (!target.empty()) {
    skip_focus_out_ = true;  // the field that loses the focus now was just handled
    focus_control(target);
    skip_focus_out_ = false;
  }
}

bool DialogView::validate(std::size_t index) {
  Control* c = control_at(index);
  if (!c) return true;
  const std::string key = c->key;
  if (c->kind == ControlKind::Edit)
    if (auto* edit = qobject_cast<QLineEdit*>(widget_for(key))) c->text = edit->text().toStdString();
  busy_ = true;
  dialog_.set_focus({});
  const bool ok = dialog_.field_changed(key, port_);
  busy_ = false;
  refused_ = !ok;
  after_handler(ok ? std::string{} : key);
  return ok;
}

void DialogView::changed(std::size_t index) {
  if (busy_) return;
  validate(index);
}

void DialogView::pressed(std::size_t index) {
  if (busy_) return;
  const Control* c = control_at(index);
  if (!c) return;
  const std::string key = c->key;
  busy_ = true;
  dialog_.set_focus({});
  dialog_.button_pressed(key, port_);
  busy_ = false;
  after_handler({});
}

void DialogView::press_ok() {
  if (busy_) return;
  if (refused_) {
    // The click moved the focus off a field that was refused; the focus is
    // back there and the click does not count.
    refused_ = false;
    return;
  }
  if (const Entry* e = entry_of(focusWidget()))
    if (const Control* c = control_at(e->index); c && c->kind == ControlKind::Edit && !validate(e->index)) return;
  busy_ = true;
  dialog_.set_focus({});
  const bool done = dialog_.accept(port_);
  busy_ = false;
  if (!done) {
    after_handler({});
    return;
  }
  QDialog::accept();
}

void DialogView::reject() {
  if (busy_) return;
  busy_ = true;
  dialog_.cancelled(port_);
  busy_ = false;
  QDialog::reject();
}

bool DialogView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && !busy_ && !skip_focus_out_) {
    auto* w = qobject_cast<QWidget*>(watched);
    const auto* fe = static_cast<QFocusEvent*>(event);
    // Leaving by Cancel, by another window or a popup is not an entry to check.
    const QWidget* next = QApplication::focusWidget();
    const bool leaves_dialog = !next || next->window() != this;
    if (w && fe->reason() != Qt::PopupFocusReason && !leaves_dialog && (next != cancel_ || !cancel_))
      if (const Entry* e = entry_of(w)) validate(e->index);
  }
  return QDialog::eventFilter(watched, event);
}

void DialogView::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QDialog::keyPressEvent(event);
    return;
  }
  QWidget* f = focusWidget();
  if (f == ok_) {
    press_ok();
  } else if (auto* b = qobject_cast<QPushButton*>(f)) {
    b->click();
  } else if (const Entry* e = entry_of(f); e && !busy_) {
    const std::size_t index = e->index;
    if (!validate(index)) return;
    const Control* c = control_at(index);
    if (!c) return;
    const std::string key = c->key;
    busy_ = true;
    dialog_.set_focus({});
    dialog_.enter_pressed(key, port_);
    busy_ = false;
    after_handler("OK");  // Enter walks to OK; a second Enter confirms
  } else {
    focus_control("OK");
  }
}

void DialogView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!dialog_.focus().empty()) {
    focus_control(dialog_.focus());
    return;
  }
  for (const Entry& e : entries_)
    if (const Control* c = control_at(e.index); c && c->kind == ControlKind::Edit && c->enabled && c->visible) {
      focus_control(c->key);
      return;
    }
}

}  // namespace zelk
