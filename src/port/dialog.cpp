#include "port/dialog.h"

#include <cctype>
#include <stdexcept>

#include "plot/format.h"

namespace zelk {

const char* control_kind_name(ControlKind kind) {
  switch (kind) {
    case ControlKind::Edit: return "edit";
    case ControlKind::Check: return "check";
    case ControlKind::Radio: return "radio";
    case ControlKind::List: return "list";
    case ControlKind::MultiList: return "multilist";
    case ControlKind::Slider: return "slider";
    case ControlKind::Combo: return "combo";
    case ControlKind::Tab: return "tab";
    case ControlKind::Group: return "group";
    case ControlKind::Button: return "button";
    case ControlKind::Static: return "static";
    case ControlKind::Picture: return "picture";
  }
  return "?";
}

bool same_text(std::string_view a, std::string_view b) {
  std::string x = trim(a), y = trim(b);
  if (x.size() != y.size()) return false;
  for (std::size_t i = 0; i < x.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(x[i])) != std::tolower(static_cast<unsigned char>(y[i]))) return false;
  return true;
}

Control* Dialog::find(std::string_view key_or_label) {
  for (Control& c : controls_)
    if (c.key == key_or_label) return &c;
  for (Control& c : controls_)
    if (same_text(c.key, key_or_label)) return &c;
  for (Control& c : controls_)
    if (same_text(c.label, key_or_label)) return &c;
  // Labels are often written with their accelerator or colon.
  for (Control& c : controls_) {
    std::string plain;
    for (char ch : c.label)
      if (ch != '&') plain += ch;
    if (!plain.empty() && plain.back() == ':') plain.pop_back();
    if (same_text(plain, key_or_label)) return &c;
  }
  return nullptr;
}

Control& Dialog::control(std::string_view key) {
  for (Control& c : controls_)
    if (c.key == key) return c;
  throw std::out_of_range("no dialog control " + std::string(key));
}

const Control& Dialog::control(std::string_view key) const {
  for (const Control& c : controls_)
    if (c.key == key) return c;
  throw std::out_of_range("no dialog control " + std::string(key));
}

Control& Dialog::add(ControlKind kind, std::string key, std::string label, std::string group) {
  Control c;
  c.kind = kind;
  c.key = std::move(key);
  c.label = std::move(label);
  c.group = std::move(group);
  controls_.push_back(std::move(c));
  return controls_.back();
}

void Dialog::check_radio(Control& c) {
  for (Control& o : controls_)
    if (o.kind == ControlKind::Radio && o.group == c.group) o.checked = false;
  c.checked = true;
}

bool Dialog::set_from_text(Control& c, std::string_view value, std::string* why) {
  auto fail = [&](std::string text) {
    if (why) *why = std::move(text);
    return false;
  };
  const std::string v = trim(value);
  auto on_off = [&]() -> std::optional<bool> {
    if (same_text(v, "on") || same_text(v, "yes") || same_text(v, "true") || v == "1") return true;
    if (same_text(v, "off") || same_text(v, "no") || same_text(v, "false") || v == "0") return false;
    return std::nullopt;
  };
  switch (c.kind) {
    case ControlKind::Edit:
    case ControlKind::Static:
      c.text = std::string(value);
      return true;
    case ControlKind::Check: {
      auto b = on_off();
      if (!b) return fail("a check box takes on or off");
      c.checked = *b;
      return true;
    }
    case ControlKind::Radio: {
      auto b = on_off();
      if (!b) return fail("a radio button takes on or off");
      if (*b)
        check_radio(c);
      else
        c.checked = false;
      return true;
    }
    case ControlKind::List:
    case ControlKind::MultiList:
    case ControlKind::Combo:
    case ControlKind::Tab: {
      std::vector<int> picked;
      std::size_t start = 0;
      while (start <= v.size()) {
        std::size_t end = v.find(',', start);
        std::string item = trim(std::string_view(v).substr(start, end == std::string::npos ? std::string::npos : end - start));
        auto n = read_integer(item);
        if (!n || *n < 1 || *n > static_cast<long long>(c.items.size()))
          return fail("item " + item + " is not between 1 and " + std::to_string(c.items.size()));
        picked.push_back(static_cast<int>(*n - 1));
        if (end == std::string::npos) break;
        start = end + 1;
      }
      if (c.kind != ControlKind::MultiList && picked.size() != 1) return fail("select exactly one item");
      c.selection = std::move(picked);
      return true;
    }
    case ControlKind::Slider: {
      auto n = read_integer(v);
      if (!n || *n < c.min || *n > c.max)
        return fail("the slider takes a whole number from " + std::to_string(c.min) + " to " + std::to_string(c.max));
      c.value = static_cast<int>(*n);
      return true;
    }
    case ControlKind::Group:
    case ControlKind::Button:
    case ControlKind::Picture:
      return fail("this control takes no value");
  }
  return fail("unknown control");
}

}  // namespace zelk
