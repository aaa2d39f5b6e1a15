#include "port/window.h"

namespace zelk {

const WindowSpec& window_spec(Slot slot) {
  static const WindowSpec none{};
  return slot ? *slot.definition() : none;
}

}  // namespace zelk
