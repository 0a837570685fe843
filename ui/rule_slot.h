#pragma once
// Every control has one rule per event (a change, a click, a key release in a
// grid): the assembly of the form installs each rule once, so that no
// installer silently replaces another's rule.
#include <cassert>
#include <functional>
#include <utility>

namespace velmar {

inline void installRule(std::function<void()>& slot, std::function<void()> rule) {
  assert(!slot && "a control has one rule per event");
  slot = std::move(rule);
}

}  // namespace velmar
