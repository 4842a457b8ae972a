// The host form's stored properties of one sheet, as texts.
//
// A host keeps the values of a sheet's design-time properties with its form (the keys "Info",
// "SheetID", "MaxCols", "COLOR_BACKCOLOR", ...). When the form opens it hands them to
// ZelSheet::ReadProperties; when the form is saved, ZelSheet::WriteProperties writes them back.
// Values are texts: numbers as decimal text, Booleans as "True"/"False". Names compare without
// regard to ASCII case, as the form's property store does.
//
// The class is a plain in-memory store; a host that keeps its properties elsewhere derives
// from it and overrides the two virtual members (a write that throws is skipped by the sheet).
#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace zel {

class PropertyBag {
 public:
  PropertyBag() = default;
  PropertyBag(const PropertyBag&) = default;
  PropertyBag& operator=(const PropertyBag&) = default;
  virtual ~PropertyBag() = default;

  // Stores `value` under `name`, replacing an earlier value of that name.
  virtual void WriteProperty(const std::string& name, const std::string& value);

  // The value stored under `name`, or `defaultValue` when there is none.
  virtual std::string ReadProperty(const std::string& name,
                                   const std::string& defaultValue = "") const;

  // True when a value is stored under `name`.
  bool Contains(const std::string& name) const;
  // Number of stored values.
  std::size_t Count() const { return values_.size(); }

 private:
  struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  std::map<std::string, std::string, NoCaseLess> values_;
};

}  // namespace zel
