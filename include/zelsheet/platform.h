// Platform services: the facilities the sheet needs from its host machine (message boxes,
// clipboard, key sending, settings store, machine values, folders, the date), each a small
// interface with a default implementation, carried together by one zel::Platform.
#pragma once

#include <string>

namespace zel {

// The plain-text clipboard. The grid's copy, cut and paste and the sheet's row tools use it.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual std::string GetText() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual void Clear() = 0;
};

}  // namespace zel
