#include "text/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <map>
#include <memory>
#include <string>

#include "text/strings.h"

namespace zel::text {
namespace {

// One iconv descriptor, closed when its owner goes away.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from)
      : cd_(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `in`; a sequence the converter rejects becomes "?" and the input resumes after
  // `skip(rest)` bytes. Returns false only when the converter is unusable.
  template <typename Skip>
  bool Run(std::string_view in, std::string& out, Skip skip) {
    if (!ok()) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial shift state
    out.clear();
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    size_t used = 0;
    while (true) {
      // With the input used up, one more call writes any closing shift sequence.
      const bool flushing = src_left == 0;
      char* dst = out.data() + used;
      size_t dst_left = out.size() - used;
      const size_t r = flushing ? iconv(cd_, nullptr, nullptr, &dst, &dst_left)
                                : iconv(cd_, &src, &src_left, &dst, &dst_left);
      used = out.size() - dst_left;
      if (r != static_cast<size_t>(-1)) {
        if (flushing) break;
        continue;
      }
      if (errno == E2BIG) {
        out.resize(out.size() * 2 + 16);
        continue;
      }
      if (flushing) break;
      // EILSEQ (no such character / malformed) or EINVAL (cut-off sequence at the end).
      const size_t n = std::min(src_left, skip(std::string_view(src, src_left)));
      src += n;
      src_left -= n;
      if (used == out.size()) out.resize(out.size() * 2 + 16);
      out[used++] = '?';
    }
    out.resize(used);
    return true;
  }

 private:
  iconv_t cd_;
};

// The converters one thread uses, kept per code page name: opening a converter loads and
// initialises a gconv module, too slow to repeat for every cell. Being thread-local, the
// cache needs no lock and a descriptor is never used by two threads at once.
struct CodePage {
  std::unique_ptr<Converter> to_ansi;
  std::unique_ptr<Converter> from_ansi;
  bool ascii_compatible = false;  // ASCII text converts to itself
};

std::string NormalizeName(std::string_view name) {
  std::string n(TrimView(name));
  bool digits = !n.empty();
  for (char c : n) digits = digits && c >= '0' && c <= '9';
  return digits ? "CP" + n : n;  // "949" as Windows names code pages
}

CodePage* Open(const std::string& name) {
  thread_local std::map<std::string, std::unique_ptr<CodePage>> cache;
  auto it = cache.find(name);
  if (it != cache.end()) return it->second.get();
  auto cp = std::make_unique<CodePage>();
  cp->to_ansi = std::make_unique<Converter>(name, "UTF-8");
  cp->from_ansi = std::make_unique<Converter>("UTF-8", name);
  if (!cp->to_ansi->ok() || !cp->from_ansi->ok()) {
    cp.reset();
  } else {
    std::string probe;
    const std::string_view ascii = " 09AZaz~";
    cp->ascii_compatible =
        cp->to_ansi->Run(ascii, probe, [](std::string_view) { return size_t{1}; }) && probe == ascii;
  }
  CodePage* result = cp.get();
  cache.emplace(name, std::move(cp));  // a failed name is remembered as nullptr
  return result;
}

// The code page to use for `name`: the named one, else CP949, else none (byte counting).
CodePage* Resolve(std::string_view name) {
  std::string n = NormalizeName(name);
  if (!n.empty()) {
    if (CodePage* cp = Open(n)) return cp;
  }
  return Open(std::string(kDefaultCodePage));
}

size_t SkipUtf8Char(std::string_view rest) { return std::max<size_t>(1, CharSizeAt(rest, 0)); }

// Code page length of one UTF-8 character; 1 for one the code page cannot hold ("?").
size_t AnsiCharLength(CodePage& cp, std::string_view ch, std::string& scratch) {
  if (ch.size() == 1 && static_cast<unsigned char>(ch[0]) < 0x80 && cp.ascii_compatible) return 1;
  cp.to_ansi->Run(ch, scratch, SkipUtf8Char);
  return scratch.empty() ? 1 : scratch.size();
}

}  // namespace

std::string ToAnsi(std::string_view utf8, std::string_view codepage) {
  CodePage* cp = Resolve(codepage);
  std::string out;
  if (cp == nullptr || !cp->to_ansi->Run(utf8, out, SkipUtf8Char)) return std::string(utf8);
  return out;
}

std::string FromAnsi(std::string_view bytes, std::string_view codepage) {
  CodePage* cp = Resolve(codepage);
  std::string out;
  if (cp == nullptr ||
      !cp->from_ansi->Run(bytes, out, [](std::string_view) { return size_t{1}; }))
    return std::string(bytes);
  return out;
}

int32_t LenH(std::string_view utf8, std::string_view codepage) {
  CodePage* cp = Resolve(codepage);
  size_t n = utf8.size();
  if (cp != nullptr) {
    std::string out;
    cp->to_ansi->Run(utf8, out, SkipUtf8Char);
    n = out.size();
  }
  return n > static_cast<size_t>(std::numeric_limits<int32_t>::max())
             ? std::numeric_limits<int32_t>::max()
             : static_cast<int32_t>(n);
}

std::string SCut(std::string_view utf8, int32_t maxBytes, std::string_view codepage) {
  if (maxBytes <= 0) return {};
  CodePage* cp = Resolve(codepage);
  const size_t limit = static_cast<size_t>(maxBytes);
  size_t bytes = 0;
  size_t pos = 0;
  std::string scratch;
  while (pos < utf8.size()) {
    const size_t size = CharSizeAt(utf8, pos);
    const size_t len = cp == nullptr ? size : AnsiCharLength(*cp, utf8.substr(pos, size), scratch);
    if (bytes + len > limit) break;
    bytes += len;
    pos += size;
  }
  return std::string(utf8.substr(0, pos));
}

bool CodePageAvailable(std::string_view codepage) {
  const std::string n = NormalizeName(codepage);
  return !n.empty() && Open(n) != nullptr;
}

}  // namespace zel::text
