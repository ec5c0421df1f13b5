// SPDX-License-Identifier: GPL-3.0-or-later
#include "classes/natural_classes.h"

#include "platform/text.h"

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

ItemRule::ItemRule(const ClassTable& table, std::string_view item) : table_(table), item_(Lower(item)) {
  for (int32_t k = 1; k <= table.NumberOfNaturalClasses && class_ == 0; ++k) {
    if (Lower(table.NaturalClassNames[k]) == item_) class_ = k;
  }
}

bool ItemRule::InClass(std::string_view segment) const {
  if (class_ == 0) return false;
  const std::string lowered = Lower(segment);
  for (int32_t m = 1; m <= table_.NaturalClassSizes[class_]; ++m) {
    if (Lower(table_.NaturalClassMembers[class_][m]) == lowered) return true;
  }
  return false;
}

bool ItemRule::Satisfies(std::string_view segment) const { return Lower(segment) == item_ || InClass(segment); }

}  // namespace velmora
