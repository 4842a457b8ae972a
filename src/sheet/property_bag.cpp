#include "zelsheet/property_bag.h"

#include <algorithm>

namespace zel {

namespace {
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool PropertyBag::NoCaseLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
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
