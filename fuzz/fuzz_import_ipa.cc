// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-import's word-IPA reader and its longest-match segmenter: see
// fuzz_import.h. Every segment the segmenter does not mark unplaced is a
// symbol of its inventory.
#include <cstddef>
#include <cstdint>

#include "fuzz_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmora;
  static const std::vector<std::string> inventory = {"a", "aː", "k", "t͡ʃ", "tʃ", "n", "ə̃", "ai"};
  static const import::Segmenter segmenter(inventory);
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const import::Reading reading = import::ReadIpa(input, segmenter);
  for (const import::RawEntry& entry : reading.entries) {
    for (const import::Token& token : entry.tokens) {
      const bool listed = std::find(inventory.begin(), inventory.end(), token.text) != inventory.end();
      FUZZ_CHECK(token.kind != import::Token::kSegment || token.unplaced != listed);
    }
  }
  fuzz::CheckReading(input, reading);
  return 0;
}
