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

// True when the first class whose lowered name equals the lowered
// MyNaturalClass lists MySegment (lowered); false when no class has that name.
bool IsInNaturalClass(const ClassTable& table, std::string_view MySegment, std::string_view MyNaturalClass);

// True when the segment equals the item ignoring case, or is in the class the
// item names.
bool Satisfies(const ClassTable& table, std::string_view MyPhoneme, std::string_view MyDescription);

}  // namespace velmora

#endif  // VELMORA_CLASSES_NATURAL_CLASSES_H_
