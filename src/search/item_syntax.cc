// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/item_syntax.h"

#include "platform/text.h"

namespace velmora {
namespace {

// The characters that give a box that is not a known name its new meanings.
constexpr std::string_view kNewCharacters = "|!{}?*+";
constexpr std::string_view kQuantifiers = "?*+";
constexpr std::string_view kBlanks = " \t";
// What separates the tokens of a bundle: a blank, a TAB or a line break.
constexpr std::string_view kSeparators = " \t\r\n";

// What the user typed, as a message may show it.
std::string Quoted(std::string_view text) { return "\"" + Echoed(text) + "\""; }

bool IsBoundary(std::string_view text) { return text == "[" || text == "]"; }

class Reader {
 public:
  Reader(std::string_view text, int box, const ItemContext& context) : text_(text), context_(context) {
    item_.text = std::string(text);
    prefix_ = "Box " + std::to_string(box) + ": ";
  }

  ParsedItem Read() {
    using Kind = ParsedItem::Kind;
    if (IsBoundary(text_) || IsName(text_)) return Done(Kind::kPlain);
    if (text_ == "...") return Done(Kind::kAnySegments);
    if (text_.find_first_of(kNewCharacters) == std::string_view::npos) return Done(Kind::kPlainUnknownName);

    std::string_view rest = text_;
    if (kQuantifiers.find(rest.back()) != std::string_view::npos) {
      item_.quantifier = rest.back() == '?' ? Quantifier::kOptional
                         : rest.back() == '*' ? Quantifier::kStar
                                              : Quantifier::kPlus;
      rest.remove_suffix(1);
    }
    // A quantified name that itself holds a ! (or any new character) is
    // still that name.
    if (!rest.empty() && !IsBoundary(rest) && IsName(rest)) return Names({rest});
    if (!rest.empty() && rest.front() == '!') {
      item_.negated = true;
      rest.remove_prefix(1);
    }
    return Operand(rest);
  }

 private:
  bool IsName(std::string_view text) const { return context_.isName && context_.isName(text); }

  ParsedItem Done(ParsedItem::Kind kind) {
    item_.kind = kind;
    return std::move(item_);
  }

  ParsedItem Refuse(const std::string& what) {
    std::string text = std::move(item_.text);
    item_ = ParsedItem();
    item_.kind = ParsedItem::Kind::kMalformed;
    item_.text = std::move(text);
    item_.message = prefix_ + what;
    return std::move(item_);
  }

  bool Modified() const { return item_.negated || item_.quantifier != Quantifier::kOne; }

  std::string BoundaryRefusal() const {
    return Quoted(text_) + (item_.negated ? " negates" : " quantifies") +
           " a word boundary; [ and ] stand for themselves only";
  }

  // What the ! and the quantifier apply to.
  ParsedItem Operand(std::string_view s) {
    const std::string whole = Quoted(text_);
    if (s.empty()) {
      if (item_.negated) return Refuse(whole + " has nothing after the ! to negate");
      return Refuse(whole + " has nothing before the " + std::string(1, text_.back()) + " to apply it to");
    }
    if (IsBoundary(s)) return Refuse(BoundaryRefusal());
    if (IsName(s)) return Names({s});
    if (s.front() == '!') return Refuse(whole + " has two !; one ! at the start negates the rest of the box");
    if (kQuantifiers.find(s.back()) != std::string_view::npos) {
      return Refuse(whole + " has two quantifiers; an item ends in at most one ?, * or +");
    }
    if (s == "...") {
      return Refuse(whole + (item_.negated ? " negates" : " quantifies") + " ..., which must stand alone in its box");
    }
    if (s.front() == '{') return Bundle(s);

    std::vector<std::string_view> alternatives;
    for (size_t start = 0;;) {
      const size_t bar = s.find('|', start);
      alternatives.push_back(s.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
      if (bar == std::string_view::npos) break;
      start = bar + 1;
    }
    for (std::string_view a : alternatives) {
      if (IsBoundary(a)) {
        if (Modified()) return Refuse(BoundaryRefusal());
        continue;
      }
      if (IsName(a)) continue;
      if (a.empty()) return Refuse(whole + " has an empty alternative");
      if (kBlanks.find(a.front()) != std::string_view::npos || kBlanks.find(a.back()) != std::string_view::npos) {
        return Refuse(whole + " holds a blank; write !, | and ?, * or + next to the names they join");
      }
      if (a == "...") return Refuse(whole + " makes ... an alternative, but ... must stand alone in its box");
      if (a.front() == '{') {
        return Refuse(whole + " makes a feature bundle an alternative, but a bundle must stand alone");
      }
      if (a.find('!') != std::string_view::npos) {
        return Refuse(whole + " has a ! that is not at the start; one ! at the start negates the rest of the box");
      }
      if (const size_t q = a.find_first_of(kQuantifiers); q != std::string_view::npos) {
        return Refuse(whole + " has a " + std::string(1, a[q]) +
                      " that is not at the end; one ?, * or + at the end quantifies the rest of the box");
      }
      if (const size_t b = a.find_first_of("{}"); b != std::string_view::npos) {
        return Refuse(whole + " has a " + std::string(1, a[b]) + " outside a feature bundle");
      }
      return Refuse("unknown symbol or class " + Quoted(a));
    }
    return Names(alternatives);
  }

  ParsedItem Names(const std::vector<std::string_view>& names) {
    for (std::string_view n : names) item_.names.emplace_back(n);
    return Done(ParsedItem::Kind::kSegment);
  }

  ParsedItem Bundle(std::string_view s) {
    const std::string whole = Quoted(text_);
    const size_t close = s.find('}');
    if (close == std::string_view::npos) return Refuse(whole + " has no closing }");
    if (close + 1 != s.size()) {
      if (s[close + 1] == '|') {
        return Refuse(whole + " makes a feature bundle an alternative, but a bundle must stand alone");
      }
      return Refuse(whole + " goes on after the } that closes its feature bundle");
    }
    const std::string_view inner = s.substr(1, close - 1);
    if (inner.find('{') != std::string_view::npos) return Refuse(whole + " has a { inside its feature bundle");
    std::vector<std::string_view> tokens;
    for (size_t start = 0; start < inner.size();) {
      start = inner.find_first_not_of(kSeparators, start);
      if (start == std::string_view::npos) break;
      size_t end = inner.find_first_of(kSeparators, start);
      if (end == std::string_view::npos) end = inner.size();
      tokens.push_back(inner.substr(start, end - start));
      start = end;
    }
    if (tokens.empty()) return Refuse(whole + " lists no features; a bundle holds +name or -name tokens");
    for (std::string_view t : tokens) {
      if (t.size() < 2 || (t.front() != '+' && t.front() != '-')) {
        return Refuse("the bundle token " + Quoted(t) + " is not + or - followed by a feature name");
      }
    }
    Status status;
    const FeatureTable* table = context_.features ? context_.features(&status) : nullptr;
    if (table == nullptr && !status.ok()) {
      ParsedItem refused = Refuse("");
      refused.features = std::move(status);
      return refused;
    }
    if (table == nullptr) return Refuse("there is no feature table to read the bundle with");
    for (std::string_view t : tokens) {
      const int32_t feature = table->FeatureIndex(t.substr(1));
      if (feature < 0) return Refuse("unknown feature " + Quoted(t.substr(1)));
      item_.bundle.push_back(FeatureValue{feature, t.front() == '+'});
    }
    item_.isBundle = true;
    return Done(ParsedItem::Kind::kSegment);
  }

  std::string_view text_;
  const ItemContext& context_;
  std::string prefix_;
  ParsedItem item_;
};

}  // namespace

ParsedItem ParseItem(std::string_view text, int boxNumber, const ItemContext& context) {
  if (text.empty()) {
    ParsedItem item;
    item.kind = ParsedItem::Kind::kPlainUnknownName;
    return item;
  }
  return Reader(text, boxNumber, context).Read();
}

}  // namespace velmora
