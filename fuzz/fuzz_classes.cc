// SPDX-License-Identifier: GPL-3.0-or-later
// Class loading and the matching rule. The input is cut at NUL bytes into up
// to six class files: the first line of each part is the file name (".txt" is
// added unless the name already ends in it, in any case), the rest its
// contents. The low bit of the first byte loads the syllabified folder instead
// of the plain one. The loaded table is checked against the files, and every
// item the files suggest is matched against every segment they mention, by
// the compiled matcher of the search and by the literal rule.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/label.h"
#include "classes/natural_classes.h"
#include "engine/engine.h"
#include "fuzz_support.h"
#include "lexicon/segmentation.h"
#include "platform/text.h"
#include "search/matcher.h"

namespace velmora::fuzz {
namespace {

const ProgramFolder& Folder() {
  static const ProgramFolder& folder = [] () -> const ProgramFolder& {
    const ProgramFolder& f = ProgramFolder::Get();
    f.Write("SegmentKey.txt", "key\r\n");
    return f;
  }();
  return folder;
}

// A file name the file system accepts, ending in ".txt" in some case.
std::string FileNameFor(std::string_view line) {
  std::string name(line.substr(0, 120));
  for (char& c : name) {
    if (c == '/' || c == '\0') c = '_';
  }
  std::string ext = name.size() >= 4 ? name.substr(name.size() - 4) : std::string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
  if (ext != ".txt" || name.size() == 4) name += ".txt";
  return name;
}

std::vector<std::string> MembersOf(std::string_view contents) {
  std::vector<std::string> members;
  size_t start = 0;
  while (start < contents.size()) {
    size_t end = contents.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = contents.size();
    std::string_view line = contents.substr(start, end - start);
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    members.emplace_back(line);
    start = end + ((end + 1 < contents.size() && contents[end] == '\r' && contents[end + 1] == '\n') ? 2 : 1);
  }
  return members;
}

// The matching rule written out literally: lowered equality, else membership
// (lowered) in the first class whose lowered name equals the item.
bool Literal(const ClassTable& table, std::string_view segment, std::string_view item) {
  if (Lower(segment) == Lower(item)) return true;
  for (int32_t k = 1; k <= table.NumberOfNaturalClasses; ++k) {
    if (Lower(table.NaturalClassNames[k]) != Lower(item)) continue;
    for (int32_t m = 1; m <= table.NaturalClassSizes[k]; ++m) {
      if (Lower(table.NaturalClassMembers[k][m]) == Lower(segment)) return true;
    }
    return false;
  }
  return false;
}

std::string FlipAsciiCase(std::string_view text) {
  std::string s(text);
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 32);
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c + 32);
    }
  }
  return s;
}

}  // namespace
}  // namespace velmora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmora;
  using namespace velmora::fuzz;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const bool syllabified = size > 0 && (data[0] & 1) != 0;
  const std::string folderName = syllabified ? "SyllabifiedNaturalClasses" : "NaturalClasses";
  const ProgramFolder& folder = Folder();
  folder.EmptyFolder(folderName);

  // The files as written: a later part of the same name replaces the earlier.
  std::map<std::string, std::string> files;
  for (std::string_view part : SplitInput(input, '\0', 6)) {
    const size_t eol = part.find_first_of("\r\n");
    const std::string name = FileNameFor(part.substr(0, eol));
    std::string_view contents = eol == std::string_view::npos ? std::string_view() : part.substr(eol + 1);
    if (eol != std::string_view::npos && part[eol] == '\r' && !contents.empty() && contents[0] == '\n') {
      contents.remove_prefix(1);
    }
    files[name] = std::string(contents);
    folder.Write(folderName + "/" + name, contents);
  }

  Engine engine(folder.path());
  const ClassLoad loaded = engine.LoadClasses(syllabified);
  FUZZ_CHECK(loaded.key.ok() && loaded.classes.ok());
  const ClassTable& table = engine.classes();

  // One class per file, in byte order of the names, with exactly its lines.
  FUZZ_CHECK(static_cast<size_t>(table.NumberOfNaturalClasses) == files.size());
  std::string list;
  int32_t k = 0;
  for (const auto& [name, contents] : files) {
    ++k;
    FUZZ_CHECK(table.NaturalClassNames[k] == name.substr(0, name.size() - 4));
    const std::vector<std::string> members = MembersOf(contents);
    FUZZ_CHECK(table.NaturalClassSizes[k] == static_cast<int32_t>(members.size()));
    FUZZ_CHECK(table.NaturalClassMembers[k].size() == members.size() + 1);
    for (size_t m = 0; m < members.size(); ++m) FUZZ_CHECK(table.NaturalClassMembers[k][m + 1] == members[m]);
    FUZZ_CHECK(loaded.names[static_cast<size_t>(k) - 1] == table.NaturalClassNames[k]);
    list += ", " + table.NaturalClassNames[k];
  }
  FUZZ_CHECK(loaded.names.size() == files.size());
  const std::string label = KeyLabel(loaded, syllabified);
  FUZZ_CHECK(label.size() >= list.size() && label.compare(label.size() - list.size(), list.size(), list) == 0);

  // Segments: every member, its case flipped, the boundaries, the empty one.
  // Items: every class name, flipped, and every member.
  SymbolTable symbols;
  std::vector<std::string> items = {"[", "vowel", ""};
  symbols.Intern("[");
  symbols.Intern("]");
  for (int32_t c = 1; c <= table.NumberOfNaturalClasses; ++c) {
    items.push_back(table.NaturalClassNames[c]);
    items.push_back(FlipAsciiCase(table.NaturalClassNames[c]));
    for (int32_t m = 1; m <= table.NaturalClassSizes[c] && m <= 6; ++m) {
      symbols.Intern(table.NaturalClassMembers[c][m]);
      symbols.Intern(FlipAsciiCase(table.NaturalClassMembers[c][m]));
      if (m <= 2) items.push_back(table.NaturalClassMembers[c][m]);
    }
  }
  for (const std::string& item : items) {
    const CompiledItem compiled = CompileItem(item, symbols, table);
    const std::string flipped = FlipAsciiCase(item);
    FUZZ_CHECK(compiled.matches.size() == symbols.size());
    for (SymbolId id = 0; id < symbols.size(); ++id) {
      const std::string& segment = symbols.Text(id);
      const bool literal = Literal(table, segment, item);
      FUZZ_CHECK(compiled(id) == literal);
      FUZZ_CHECK(Satisfies(table, segment, item) == literal);
      // Letter case never matters, on either side.
      FUZZ_CHECK(Satisfies(table, FlipAsciiCase(segment), flipped) == literal);
    }
  }
  return 0;
}
