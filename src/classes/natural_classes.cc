#include "classes/natural_classes.h"

#include "lexicon/text.h"

namespace velmora {

int32_t ClassTable::AddClass(const std::string& name) {
  ++NumberOfNaturalClasses;
  NaturalClassNames.push_back(name);
  NaturalClassSizes.push_back(0);
  NaturalClassMembers.emplace_back(1);
  return NumberOfNaturalClasses;
}

void ClassTable::AddMember(int32_t k, std::string member) {
  ++NaturalClassSizes[k];
  NaturalClassMembers[k].push_back(std::move(member));
}

std::vector<std::string> ParseClassFile(std::string_view contents) {
  std::vector<std::string> members;
  ForEachLine(contents, [&](std::string_view line) { members.push_back(Trim(line)); });
  return members;
}

bool IsInNaturalClass(const ClassTable& table, std::string_view MySegment, std::string_view MyNaturalClass) {
  const std::string wanted = Lower(MyNaturalClass);
  for (int32_t k = 1; k <= table.NumberOfNaturalClasses; ++k) {
    if (Lower(table.NaturalClassNames[k]) != wanted) continue;
    const std::string segment = Lower(MySegment);
    for (int32_t m = 1; m <= table.NaturalClassSizes[k]; ++m) {
      if (Lower(table.NaturalClassMembers[k][m]) == segment) return true;
    }
    return false;
  }
  return false;
}

bool Satisfies(const ClassTable& table, std::string_view MyPhoneme, std::string_view MyDescription) {
  if (Lower(MyPhoneme) == Lower(MyDescription)) return true;
  return IsInNaturalClass(table, MyPhoneme, MyDescription);
}

}  // namespace velmora
