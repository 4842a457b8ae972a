#include "grid/internal/xml_pull.h"

#include <cstring>

namespace zel::internal {

namespace {

constexpr std::string_view kXmlNs = "http://www.w3.org/XML/1998/namespace";
// Checking attributes for duplicates is quadratic; no workbook element has more than a few.
constexpr size_t kMaxAttributes = 256;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsNameStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}

bool IsNameChar(unsigned char c) {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool IsXmlChar(uint32_t cp) {
  return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
         (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The value of a character reference body ("#65", "#x41"); 0 when malformed.
uint32_t CharRef(std::string_view body) {
  if (body.size() < 2 || body[0] != '#') return 0;
  const bool hex = body[1] == 'x';
  const std::string_view digits = body.substr(hex ? 2 : 1);
  if (digits.empty() || digits.size() > 8) return 0;
  uint32_t v = 0;
  for (char c : digits) {
    uint32_t d;
    if (c >= '0' && c <= '9') {
      d = static_cast<uint32_t>(c - '0');
    } else if (hex && c >= 'a' && c <= 'f') {
      d = static_cast<uint32_t>(c - 'a' + 10);
    } else if (hex && c >= 'A' && c <= 'F') {
      d = static_cast<uint32_t>(c - 'A' + 10);
    } else {
      return 0;
    }
    v = v * (hex ? 16 : 10) + d;
  }
  return IsXmlChar(v) ? v : 0;
}

}  // namespace

XmlPull::XmlPull(std::string_view doc) : doc_(doc) {
  if (doc_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
}

XmlPull::Event XmlPull::Fail(std::string why) {
  failed_ = true;
  error_ = std::move(why) + " (at byte " + std::to_string(pos_) + ")";
  return Event::kError;
}

const std::string* XmlPull::Attr(std::string_view ns, std::string_view local) const {
  for (const Attribute& a : attrs_) {
    if (a.local == local && a.ns == ns) return &a.value;
  }
  return nullptr;
}

void XmlPull::SkipSpace() {
  while (pos_ < doc_.size() && IsSpace(doc_[pos_])) ++pos_;
}

bool XmlPull::ReadName(std::string& out) {
  const size_t start = pos_;
  if (pos_ >= doc_.size() || !IsNameStart(static_cast<unsigned char>(doc_[pos_]))) return false;
  while (pos_ < doc_.size() && IsNameChar(static_cast<unsigned char>(doc_[pos_]))) ++pos_;
  out.assign(doc_.substr(start, pos_ - start));
  return true;
}

bool XmlPull::DecodeInto(std::string_view raw, std::string& out, bool attribute) {
  out.clear();
  out.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '&') {
      const size_t semi = raw.find(';', i + 1);
      if (semi == std::string_view::npos || semi - i > 12) return false;
      const std::string_view name = raw.substr(i + 1, semi - i - 1);
      if (name == "amp") {
        out += '&';
      } else if (name == "lt") {
        out += '<';
      } else if (name == "gt") {
        out += '>';
      } else if (name == "quot") {
        out += '"';
      } else if (name == "apos") {
        out += '\'';
      } else if (const uint32_t cp = CharRef(name); cp != 0) {
        AppendUtf8(out, cp);
      } else {
        return false;
      }
      i = semi;
    } else if (c == '\r') {
      // Line ends read as one LF (a CR LF pair too); in attributes as a blank.
      if (i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
      out += attribute ? ' ' : '\n';
    } else if (attribute && (c == '\n' || c == '\t')) {
      out += ' ';
    } else {
      out += c;
    }
  }
  return true;
}

bool XmlPull::Resolve(std::string_view qname, bool is_attribute, std::string& ns,
                      std::string& local) const {
  const size_t colon = qname.find(':');
  std::string_view prefix;
  if (colon == std::string_view::npos) {
    local.assign(qname);
  } else {
    prefix = qname.substr(0, colon);
    local.assign(qname.substr(colon + 1));
    if (prefix.empty() || local.empty() || local.find(':') != std::string::npos) return false;
  }
  ns.clear();
  if (prefix.empty() && is_attribute) return true;
  if (prefix == "xml") {
    ns.assign(kXmlNs);
    return true;
  }
  for (auto it = bindings_.rbegin(); it != bindings_.rend(); ++it) {
    if (it->prefix == prefix) {
      ns = it->uri;
      return true;
    }
  }
  return prefix.empty();  // no default namespace: none; an unbound prefix is an error
}

bool XmlPull::SkipMisc() {
  while (true) {
    SkipSpace();
    if (doc_.compare(pos_, 4, "<!--") == 0) {
      const size_t end = doc_.find("-->", pos_ + 4);
      if (end == std::string_view::npos) return false;
      pos_ = end + 3;
    } else if (doc_.compare(pos_, 2, "<?") == 0) {
      const size_t end = doc_.find("?>", pos_ + 2);
      if (end == std::string_view::npos) return false;
      pos_ = end + 2;
    } else {
      return true;
    }
  }
}

XmlPull::Event XmlPull::Next() {
  if (failed_) return Event::kError;
  if (finished_) return Event::kDone;
  if (pending_end_) {
    pending_end_ = false;
    bindings_.resize(open_.back().bindings);
    open_.pop_back();
    return Event::kEnd;
  }
  if (open_.empty()) {
    if (!SkipMisc()) return Fail("unterminated comment or processing instruction");
    if (pos_ >= doc_.size()) {
      if (!seen_root_) return Fail("no root element");
      finished_ = true;
      return Event::kDone;
    }
    if (seen_root_) return Fail("content after the root element");
    if (doc_.compare(pos_, 2, "<!") == 0) return Fail("document type declarations are not accepted");
    if (doc_[pos_] != '<') return Fail("text before the root element");
    return ReadStartTag();
  }
  while (true) {
    if (pos_ >= doc_.size()) return Fail("element <" + open_.back().qname + "> is not closed");
    if (doc_[pos_] != '<') return ReadText();
    if (doc_.compare(pos_, 2, "</") == 0) return ReadEndTag();
    if (doc_.compare(pos_, 4, "<!--") == 0) {
      const size_t end = doc_.find("-->", pos_ + 4);
      if (end == std::string_view::npos) return Fail("unterminated comment");
      pos_ = end + 3;
      continue;
    }
    if (doc_.compare(pos_, 9, "<![CDATA[") == 0) {
      const size_t end = doc_.find("]]>", pos_ + 9);
      if (end == std::string_view::npos) return Fail("unterminated CDATA section");
      text_.assign(doc_.substr(pos_ + 9, end - pos_ - 9));
      pos_ = end + 3;
      return Event::kText;
    }
    if (doc_.compare(pos_, 2, "<?") == 0) {
      const size_t end = doc_.find("?>", pos_ + 2);
      if (end == std::string_view::npos) return Fail("unterminated processing instruction");
      pos_ = end + 2;
      continue;
    }
    if (doc_.compare(pos_, 2, "<!") == 0) return Fail("unexpected declaration");
    return ReadStartTag();
  }
}

XmlPull::Event XmlPull::ReadText() {
  const size_t end = doc_.find('<', pos_);
  const size_t stop = end == std::string_view::npos ? doc_.size() : end;
  if (!DecodeInto(doc_.substr(pos_, stop - pos_), text_, false)) return Fail("bad entity in text");
  pos_ = stop;
  return Event::kText;
}

XmlPull::Event XmlPull::ReadStartTag() {
  ++pos_;  // '<'
  std::string qname;
  if (!ReadName(qname)) return Fail("bad element name");
  struct Raw {
    std::string qname;
    std::string value;
  };
  std::vector<Raw> raw;
  bool empty = false;
  while (true) {
    const size_t before = pos_;
    SkipSpace();
    if (pos_ >= doc_.size()) return Fail("unterminated start tag");
    if (doc_[pos_] == '>') {
      ++pos_;
      break;
    }
    if (doc_.compare(pos_, 2, "/>") == 0) {
      pos_ += 2;
      empty = true;
      break;
    }
    if (pos_ == before) return Fail("attributes must be separated by blanks");
    Raw a;
    if (!ReadName(a.qname)) return Fail("bad attribute name");
    SkipSpace();
    if (pos_ >= doc_.size() || doc_[pos_] != '=') return Fail("attribute without a value");
    ++pos_;
    SkipSpace();
    if (pos_ >= doc_.size() || (doc_[pos_] != '"' && doc_[pos_] != '\'')) return Fail("unquoted attribute value");
    const char quote = doc_[pos_++];
    const size_t close = doc_.find(quote, pos_);
    if (close == std::string_view::npos) return Fail("unterminated attribute value");
    const std::string_view value = doc_.substr(pos_, close - pos_);
    if (value.find('<') != std::string_view::npos) return Fail("'<' in an attribute value");
    if (!DecodeInto(value, a.value, true)) return Fail("bad entity in an attribute value");
    pos_ = close + 1;
    if (raw.size() >= kMaxAttributes) return Fail("too many attributes");
    for (const Raw& b : raw) {
      if (b.qname == a.qname) return Fail("attribute " + a.qname + " given twice");
    }
    raw.push_back(std::move(a));
  }
  open_.push_back(Open{qname, bindings_.size()});
  for (const Raw& a : raw) {
    if (a.qname == "xmlns") {
      bindings_.push_back(Binding{"", a.value});
    } else if (a.qname.compare(0, 6, "xmlns:") == 0) {
      if (a.value.empty()) return Fail("a prefix may not be unbound");
      bindings_.push_back(Binding{a.qname.substr(6), a.value});
    }
  }
  attrs_.clear();
  for (const Raw& a : raw) {
    if (a.qname == "xmlns" || a.qname.compare(0, 6, "xmlns:") == 0) continue;
    Attribute at;
    if (!Resolve(a.qname, true, at.ns, at.local)) return Fail("unbound prefix in " + a.qname);
    at.value = a.value;
    attrs_.push_back(std::move(at));
  }
  if (!Resolve(qname, false, ns_, local_)) return Fail("unbound prefix in " + qname);
  seen_root_ = true;
  pending_end_ = empty;
  return Event::kStart;
}

XmlPull::Event XmlPull::ReadEndTag() {
  pos_ += 2;
  std::string qname;
  if (!ReadName(qname)) return Fail("bad end tag");
  SkipSpace();
  if (pos_ >= doc_.size() || doc_[pos_] != '>') return Fail("unterminated end tag");
  ++pos_;
  if (qname != open_.back().qname) {
    return Fail("</" + qname + "> closes <" + open_.back().qname + ">");
  }
  if (!Resolve(qname, false, ns_, local_)) return Fail("unbound prefix in " + qname);
  attrs_.clear();
  bindings_.resize(open_.back().bindings);
  open_.pop_back();
  return Event::kEnd;
}

}  // namespace zel::internal
