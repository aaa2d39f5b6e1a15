// Error stack of the numerical library.
//
// Every public routine pushes its name on entry and pops it on exit (E1PSH,
// E1POP; RoutineScope does both). A routine that meets bad input records a
// typed message with E1MES: a severity and a text built from a template whose
// placeholders %(I1), %(D1), %(L1) ... are filled from MessageArgs (integers,
// doubles, labels; the digit is the 1-based position in the matching list).
// The routines never throw on bad input: they record the message here and
// return an empty or NaN result, so callers read last_error() after a call.
//
// The stack and the record are per thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelk::numeric {

enum class Severity { Note = 1, Alert = 2, Warning = 3, Fatal = 4, Terminal = 5 };

struct MessageArgs {
  std::vector<long long> integers;  // %(I1), %(I2), ...
  std::vector<double> doubles;      // %(D1), %(D2), ...
  std::vector<std::string> labels;  // %(L1), %(L2), ...
};

struct ErrorRecord {
  Severity severity = Severity::Note;
  int code = 0;
  std::string routine;  // innermost routine on the stack when the message was recorded
  std::string message;
};

// Deepest nesting of routine names; a push beyond it is itself recorded.
inline constexpr int kErrorStackDepth = 10;

void E1PSH(std::string_view routine);
void E1POP(std::string_view routine);
void E1MES(Severity severity, int code, std::string_view message_template, const MessageArgs& args = {});

// Fills the placeholders of a template; an unknown or missing placeholder is kept
// as written so that a wrong template shows in the text rather than vanishing.
std::string format_message(std::string_view message_template, const MessageArgs& args);

// Formatting of %(D) values: shortest text that reads back to the same double.
std::string format_double(double value);

int error_stack_depth();
std::string current_routine();  // empty when nothing is on the stack

std::optional<ErrorRecord> last_error();
// Messages recorded since the last clear, oldest first (the oldest are dropped
// beyond a few hundred).
std::vector<ErrorRecord> recorded_errors();
void clear_errors();

// Pushes on construction and pops on destruction.
class RoutineScope {
 public:
  explicit RoutineScope(const char* routine) : routine_(routine) { E1PSH(routine_); }
  ~RoutineScope() { E1POP(routine_); }
  RoutineScope(const RoutineScope&) = delete;
  RoutineScope& operator=(const RoutineScope&) = delete;

 private:
  const char* routine_;
};

}  // namespace zelk::numeric
