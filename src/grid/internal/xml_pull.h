// A small pull reader of XML 1.0 documents, enough for the workbooks ImportExcelSheet reads.
//
// It checks well-formedness (one root, tags that match, quoted attributes, known entities and
// character references, no "<" in attribute values) and resolves namespace prefixes, without
// building a tree, so a large workbook costs little more than its own bytes. Document type
// declarations are refused: a workbook never has one, and refusing them rules out entity
// expansion. Texts and attribute values come out decoded (entities and character references
// replaced, CDATA sections as they are).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zel::internal {

class XmlPull {
 public:
  enum class Event { kStart, kEnd, kText, kDone, kError };

  struct Attribute {
    std::string ns;     // namespace URI ("" without a prefix)
    std::string local;  // name without its prefix
    std::string value;
  };

  explicit XmlPull(std::string_view doc);

  // Moves to the next event. An empty element gives kStart then kEnd. After kDone or kError
  // every call returns the same again.
  Event Next();

  // Of the current kStart / kEnd: the element's namespace URI and local name.
  const std::string& Ns() const { return ns_; }
  const std::string& Local() const { return local_; }
  // Of the current kStart.
  const std::vector<Attribute>& Attributes() const { return attrs_; }
  // The value of attribute `local` in namespace `ns`, or nullptr.
  const std::string* Attr(std::string_view ns, std::string_view local) const;
  // Of the current kText: the decoded text (character data and CDATA).
  const std::string& Text() const { return text_; }
  // Depth of the current element (1 for the root while inside it).
  size_t Depth() const { return open_.size(); }
  // Why the document was refused (after kError).
  const std::string& Error() const { return error_; }

 private:
  struct Binding {
    std::string prefix;
    std::string uri;
  };
  struct Open {
    std::string qname;
    size_t bindings;  // number of bindings before this element's own
  };

  Event Fail(std::string why);
  Event ReadStartTag();
  Event ReadEndTag();
  Event ReadText();
  bool SkipMisc();
  bool ReadName(std::string& out);
  bool DecodeInto(std::string_view raw, std::string& out, bool attribute);
  bool Resolve(std::string_view qname, bool is_attribute, std::string& ns, std::string& local) const;
  void SkipSpace();

  std::string_view doc_;
  size_t pos_ = 0;
  std::vector<Open> open_;
  std::vector<Binding> bindings_;
  bool seen_root_ = false;
  bool pending_end_ = false;  // an empty element's kEnd is due
  bool finished_ = false;
  bool failed_ = false;
  std::string ns_, local_, text_, error_;
  std::vector<Attribute> attrs_;
};

}  // namespace zel::internal
