// SPDX-License-Identifier: GPL-3.0-or-later
// The class table (natural classes loaded from one class folder) and the one
// matching rule of the search: an item matches a segment when both, lowered,
// are equal, or else when the first class whose lowered name equals the item
// lists the segment.
#ifndef VELMORA_CLASSES_NATURAL_CLASSES_H_
#define VELMORA_CLASSES_NATURAL_CLASSES_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct ClassTable {
  int32_t NumberOfNaturalClasses = 0;
  // Element 0 holds nothing; classes are numbered from 1 in loading order.
  std::vector<std::string> NaturalClassNames{1};
  std::vector<int32_t> NaturalClassSizes{0};
  // NaturalClassMembers[k][m], m from 1 to NaturalClassSizes[k]; [k][0] empty.
  std::vector<std::vector<std::string>> NaturalClassMembers{1};

  void Clear() { *this = ClassTable(); }
  // Adds an empty class named name; returns its number.
  int32_t AddClass(const std::string& name);
  void AddMember(int32_t k, std::string member);
};

// The members of a class file: each line with spaces removed from both ends.
std::vector<std::string> ParseClassFile(std::string_view contents);

// The matching rule for one item, made once and asked of many segments: a
// segment satisfies the item when both, lowered, are equal, or else when the
// first class whose lowered name equals the item lists the segment (lowered).
// REQUIRES: table outlives the rule.
class ItemRule {
 public:
  ItemRule(const ClassTable& table, std::string_view item);
  // Whether the class the item names lists the segment; false when no class has that name.
  bool InClass(std::string_view segment) const;
  bool Satisfies(std::string_view segment) const;

 private:
  const ClassTable& table_;
  std::string item_;     // lowered
  int32_t class_ = 0;    // the deciding class, 0 for none
};

// True when the first class whose lowered name equals the lowered
// MyNaturalClass lists MySegment (lowered); false when no class has that name.
inline bool IsInNaturalClass(const ClassTable& table, std::string_view MySegment, std::string_view MyNaturalClass) {
  return ItemRule(table, MyNaturalClass).InClass(MySegment);
}

// True when the segment equals the item ignoring case, or is in the class the
// item names.
inline bool Satisfies(const ClassTable& table, std::string_view MyPhoneme, std::string_view MyDescription) {
  return ItemRule(table, MyDescription).Satisfies(MyPhoneme);
}

}  // namespace velmora

#endif  // VELMORA_CLASSES_NATURAL_CLASSES_H_
