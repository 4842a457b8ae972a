// Reading a fuzzer's input as a script: small numbers, choices and texts taken from the
// front of the bytes, so that every input decodes to some sequence of calls and a short
// change of the input makes a short change of the calls. Past the end every read gives 0 or
// an empty text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <string>
#include <string_view>

namespace zel::fuzz {

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size)
      : bytes_(reinterpret_cast<const char*>(data), size) {}

  bool empty() const { return pos_ >= bytes_.size(); }
  size_t remaining() const { return bytes_.size() - pos_; }

  uint8_t Byte() { return empty() ? 0 : static_cast<uint8_t>(bytes_[pos_++]); }
  bool Bool() { return (Byte() & 1) != 0; }
  // A number in lo..hi (inclusive), from as many bytes as the range needs.
  int64_t Range(int64_t lo, int64_t hi) {
    const uint64_t span = static_cast<uint64_t>(hi - lo);
    uint64_t v = 0;
    for (uint64_t seen = 0; seen < span && !empty(); seen = (seen << 8) | 0xFF) v = (v << 8) | Byte();
    return lo + static_cast<int64_t>(span == UINT64_MAX ? v : v % (span + 1));
  }
  // A row or column number: mostly small, sometimes one of the values at the ends of the
  // 32-bit range or the header addresses, where loops and arithmetic break.
  int32_t Index(int32_t small_max) {
    static constexpr int32_t kEdges[] = {INT32_MIN, INT32_MIN + 1, -1001, -1000, -999, -2, -1,
                                         0,         INT32_MAX - 1, INT32_MAX, 65535, 100000,
                                         100001,    100000000};
    const uint8_t pick = Byte();
    if (pick < 16) return kEdges[pick % (sizeof kEdges / sizeof kEdges[0])];
    return static_cast<int32_t>(Range(0, small_max));
  }
  // A text of up to `max` bytes: a length byte, then the bytes.
  std::string Text(size_t max = 64) {
    const size_t want = Byte() % (max + 1);
    const size_t n = std::min(want, remaining());
    std::string out(bytes_.substr(pos_, n));
    pos_ += n;
    return out;
  }
  // Everything not read yet.
  std::string Rest() {
    std::string out(bytes_.substr(std::min(pos_, bytes_.size())));
    pos_ = bytes_.size();
    return out;
  }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
};

// Stops the run with a message when a checked property does not hold: the fuzzer reports
// it as a crash with the input that caused it.
[[noreturn]] void Broken(const std::string& what);

inline void Check(bool holds, const std::string& what) {
  if (!holds) Broken(what);
}

// `s` with bytes outside printable ASCII as \xNN, for messages.
inline std::string Shown(std::string_view s) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && b != '\\') {
      out += c;
    } else {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return out;
}

// Runs a call the library may refuse by throwing E; whether it went through.
template <class E, class Call>
bool Try(Call call) {
  try {
    call();
    return true;
  } catch (const E&) {
    return false;
  }
}

}  // namespace zel::fuzz
