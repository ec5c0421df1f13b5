// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the lower-case table that Lower() (platform/text.cc) searches: every
// code point whose simple lower-case mapping, as ICU has it, is another code
// point, as rows {first, last, delta, stride}. A row maps first, first +
// stride, ... up to last to itself plus delta; the code points between them
// (stride 2) map to themselves. Rows are sorted and do not overlap.
//
// Run at build time, so the program itself never loads ICU.
//
// Usage: lower_case_table_gen OUTPUT
#include <unicode/uchar.h>
#include <unicode/uversion.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Mapping {
  int32_t from;
  int32_t to;
};

struct Row {
  int32_t first;
  int32_t last;
  int32_t delta;
  int32_t stride;
};

std::vector<Mapping> ReadMappings() {
  std::vector<Mapping> mappings;
  for (UChar32 cp = 0; cp <= 0x10FFFF; ++cp) {
    UChar32 lower = u_tolower(cp);
    if (lower != cp) mappings.push_back({cp, lower});
  }
  return mappings;
}

// Joins runs of mappings with one delta at consecutive or every other code
// point. A stride-2 run only takes a code point two on from the last one when
// nothing in between is mapped, so rows never interleave.
std::vector<Row> Compress(const std::vector<Mapping>& mappings) {
  std::vector<Row> rows;
  for (size_t i = 0; i < mappings.size();) {
    const int32_t delta = mappings[i].to - mappings[i].from;
    Row row{mappings[i].from, mappings[i].from, delta, 1};
    size_t j = i + 1;
    if (j < mappings.size() && mappings[j].to - mappings[j].from == delta) {
      int32_t step = mappings[j].from - row.first;
      if (step == 1 || step == 2) {
        row.stride = step;
        while (j < mappings.size() && mappings[j].from == row.last + step &&
               mappings[j].to - mappings[j].from == delta) {
          row.last = mappings[j].from;
          ++j;
        }
      }
    }
    rows.push_back(row);
    i = j;
  }
  return rows;
}

std::string Hex(int32_t cp) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(cp));
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
    return 2;
  }
  const std::vector<Mapping> mappings = ReadMappings();
  const std::vector<Row> rows = Compress(mappings);

  // Written beside the output and renamed, so that a failed run never leaves
  // a half table that the build would take as up to date.
  const std::string output = argv[1];
  const std::string partial = output + ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << "// Unicode " U_UNICODE_VERSION " simple lower-case mappings from ICU " U_ICU_VERSION
           ", written by\n"
           "// lower_case_table_gen at build time: "
        << mappings.size() << " code points in " << rows.size()
        << " rows.\n"
           "// Do not edit. Rows: {first, last, delta, stride}.\n";
    for (const Row& row : rows) {
      out << "{" << Hex(row.first) << ", " << Hex(row.last) << ", " << row.delta << ", "
          << row.stride << "},\n";
    }
    out.close();
    if (!out) {
      std::fprintf(stderr, "lower_case_table_gen: cannot write %s\n", partial.c_str());
      std::remove(partial.c_str());
      return 1;
    }
  }
  if (std::rename(partial.c_str(), output.c_str()) != 0) {
    std::perror(("lower_case_table_gen: cannot rename to " + output).c_str());
    std::remove(partial.c_str());
    return 1;
  }
  return 0;
}
