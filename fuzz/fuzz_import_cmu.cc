// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-import's CMU reader and the guess of the form: see fuzz_import.h.
#include <cstddef>
#include <cstdint>

#include "fuzz_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  (void)velmora::import::GuessFormat(input);
  velmora::fuzz::CheckReading(input, velmora::import::ReadCmu(input));
  return 0;
}
