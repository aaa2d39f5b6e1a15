#include "numeric/error_stack.h"

#include <charconv>
#include <cmath>
#include <deque>

namespace zelk::numeric {
namespace {

constexpr std::size_t kRecordLimit = 256;

struct StackState {
  std::vector<std::string> names;
  int overflow = 0;  // pushes refused because the stack was full; their pops are ignored
  std::deque<ErrorRecord> records;
};

StackState& state() {
  thread_local StackState s;
  return s;
}

void record(Severity severity, int code, std::string routine, std::string message) {
  auto& s = state();
  s.records.push_back({severity, code, std::move(routine), std::move(message)});
  if (s.records.size() > kRecordLimit) s.records.pop_front();
}

}  // namespace

std::string format_double(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return "?";
  return std::string(buffer, end);
}

std::string format_message(std::string_view text, const MessageArgs& args) {
  std::string out;
  out.reserve(text.size() + 16);
  std::size_t i = 0;
  while (i < text.size()) {
    // A placeholder is "%(" kind digits ")".
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '(') {
      std::size_t close = text.find(')', i + 2);
      if (close != std::string_view::npos && close >= i + 4) {
        char kind = text[i + 2];
        int index = 0;
        std::string_view digits = text.substr(i + 3, close - i - 3);
        auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
        bool parsed = ec == std::errc() && p == digits.data() + digits.size() && index >= 1;
        auto slot = static_cast<std::size_t>(index - 1);
        if (parsed && kind == 'I' && slot < args.integers.size()) {
          out += std::to_string(args.integers[slot]);
          i = close + 1;
          continue;
        }
        if (parsed && kind == 'D' && slot < args.doubles.size()) {
          out += format_double(args.doubles[slot]);
          i = close + 1;
          continue;
        }
        if (parsed && kind == 'L' && slot < args.labels.size()) {
          out += args.labels[slot];
          i = close + 1;
          continue;
        }
      }
    }
    out += text[i++];
  }
  return out;
}

void E1PSH(std::string_view routine) {
  auto& s = state();
  if (static_cast<int>(s.names.size()) >= kErrorStackDepth) {
    ++s.overflow;
    record(Severity::Terminal, 1, std::string(routine),
           format_message("Error condition in E1PSH.  Push would cause stack level to exceed %(I1). ",
                          {{kErrorStackDepth}, {}, {}}));
    return;
  }
  s.names.emplace_back(routine);
}

void E1POP(std::string_view routine) {
  auto& s = state();
  if (s.overflow > 0) {
    --s.overflow;
    return;
  }
  if (s.names.empty()) {
    record(Severity::Terminal, 2, std::string(routine),
           "Error condition in E1POP.  Pop would cause stack level to go below 1. ");
    return;
  }
  if (s.names.back() != routine) {
    record(Severity::Terminal, 3, std::string(routine),
           format_message("Error condition in E1POP.  %(L1) is popped while %(L2) is on top of the stack. ",
                          {{}, {}, {std::string(routine), s.names.back()}}));
  }
  s.names.pop_back();
}

void E1MES(Severity severity, int code, std::string_view message_template, const MessageArgs& args) {
  record(severity, code, current_routine(), format_message(message_template, args));
}

int error_stack_depth() { return static_cast<int>(state().names.size()); }

std::string current_routine() {
  auto& s = state();
  return s.names.empty() ? std::string() : s.names.back();
}

std::optional<ErrorRecord> last_error() {
  auto& s = state();
  if (s.records.empty()) return std::nullopt;
  return s.records.back();
}

std::vector<ErrorRecord> recorded_errors() {
  auto& s = state();
  return {s.records.begin(), s.records.end()};
}

void clear_errors() { state().records.clear(); }

}  // namespace zelk::numeric
