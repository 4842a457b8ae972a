#include "zelsheet/property_bag.h"

#include "text/strings.h"

namespace zel {

bool PropertyBag::NoCaseLess::operator()(const std::string& a, const std::string& b) const {
  return text::LessNoCase(a, b);
}

void PropertyBag::WriteProperty(const std::string& name, const std::string& value) {
  values_[name] = value;
}

std::string PropertyBag::ReadProperty(const std::string& name,
                                      const std::string& defaultValue) const {
  auto it = values_.find(name);
  return it == values_.end() ? defaultValue : it->second;
}

bool PropertyBag::Contains(const std::string& name) const { return values_.count(name) != 0; }

}  // namespace zel
