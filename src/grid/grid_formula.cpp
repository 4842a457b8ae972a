// Formula syntax check (IsFormulaValid). The grid evaluates no formulas; it only tells a host
// whether a text is a well-formed expression:
//   formula    := ["="] compare
//   compare    := concat { ("=" | "<>" | "<" | ">" | "<=" | ">=") concat }
//   concat     := additive { "&" additive }
//   additive   := term { ("+" | "-") term }
//   term       := power { ("*" | "/") power }
//   power      := unary { "^" unary }
//   unary      := ("+" | "-") unary | primary
//   primary    := number | "\"" chars "\"" | ref [":" ref] | name "(" [compare {"," compare}] ")"
//               | "(" compare ")"
//   ref        := ["$"] letters ["$"] digits      (A1, $B$2)
// Blanks may stand between tokens. Nesting deeper than 200 levels is refused, so hostile input
// cannot exhaust the stack.
#include <cctype>

#include "grid/internal/grid_store.h"

namespace zel {

namespace {

class FormulaChecker {
 public:
  explicit FormulaChecker(std::string_view s) : s_(s) {}

  bool Valid() {
    Skip();
    if (Peek() == '=') {
      ++pos_;
      Skip();
    }
    if (pos_ >= s_.size()) return false;
    if (!Compare()) return false;
    Skip();
    return pos_ == s_.size();
  }

 private:
  static constexpr int kMaxDepth = 200;

  char Peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }
  void Skip() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
  }
  bool Eat(char c) {
    Skip();
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }

  bool Compare() {
    if (!Binary(&FormulaChecker::Concat, "")) return false;
    while (true) {
      Skip();
      const char c = Peek();
      if (c != '=' && c != '<' && c != '>') return true;
      ++pos_;
      if ((c == '<' && (Peek() == '>' || Peek() == '=')) || (c == '>' && Peek() == '=')) ++pos_;
      if (!Concat()) return false;
    }
  }
  bool Concat() { return Binary(&FormulaChecker::Additive, "&"); }
  bool Additive() { return Binary(&FormulaChecker::Term, "+-"); }
  bool Term() { return Binary(&FormulaChecker::Power, "*/"); }
  bool Power() { return Binary(&FormulaChecker::Unary, "^"); }

  bool Binary(bool (FormulaChecker::*operand)(), std::string_view ops) {
    if (!(this->*operand)()) return false;
    while (true) {
      Skip();
      if (Peek() == '\0' || ops.find(Peek()) == std::string_view::npos) return true;
      ++pos_;
      if (!(this->*operand)()) return false;
    }
  }

  bool Unary() {
    Skip();
    if (Peek() == '+' || Peek() == '-') {
      if (++depth_ > kMaxDepth) return false;
      ++pos_;
      const bool ok = Unary();
      --depth_;
      return ok;
    }
    return Primary();
  }

  bool Primary() {
    Skip();
    const char c = Peek();
    if (c == '(') {
      if (++depth_ > kMaxDepth) return false;
      ++pos_;
      const bool ok = Compare() && Eat(')');
      --depth_;
      return ok;
    }
    if (c == '"') {
      ++pos_;
      while (pos_ < s_.size()) {
        if (s_[pos_] == '"') {
          if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '"') {
            pos_ += 2;
            continue;
          }
          ++pos_;
          return true;
        }
        ++pos_;
      }
      return false;
    }
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') return Number();
    if (c == '$' || std::isalpha(static_cast<unsigned char>(c))) return NameOrRef();
    return false;
  }

  bool Number() {
    size_t digits = 0;
    while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_, ++digits;
    if (Peek() == '.') {
      ++pos_;
      while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_, ++digits;
    }
    if (digits == 0) return false;
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      size_t exp = 0;
      while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_, ++exp;
      if (exp == 0) return false;
    }
    return true;
  }

  // A cell reference starting at pos_, or false without moving.
  bool Ref() {
    const size_t start = pos_;
    if (Peek() == '$') ++pos_;
    size_t letters = 0;
    while (std::isalpha(static_cast<unsigned char>(Peek()))) ++pos_, ++letters;
    if (Peek() == '$') ++pos_;
    size_t digits = 0;
    while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_, ++digits;
    const bool ok = letters >= 1 && letters <= 3 && digits >= 1 && digits <= 9 &&
                    !std::isalnum(static_cast<unsigned char>(Peek())) && Peek() != '(' && Peek() != '_';
    if (!ok) pos_ = start;
    return ok;
  }

  bool NameOrRef() {
    if (Ref()) {
      Skip();
      if (Peek() == ':') {
        ++pos_;
        Skip();
        return Ref();
      }
      return true;
    }
    size_t len = 0;
    while (std::isalnum(static_cast<unsigned char>(Peek())) || Peek() == '_' || Peek() == '.') ++pos_, ++len;
    if (len == 0 || !Eat('(')) return false;
    if (++depth_ > kMaxDepth) return false;
    bool ok = true;
    Skip();
    if (Peek() != ')') {
      ok = Compare();
      while (ok && Eat(',')) ok = Compare();
    }
    ok = ok && Eat(')');
    --depth_;
    return ok;
  }

  std::string_view s_;
  size_t pos_ = 0;
  int depth_ = 0;
};

}  // namespace

bool Grid::IsFormulaValid(std::string_view formula) const { return FormulaChecker(formula).Valid(); }

}  // namespace zel
