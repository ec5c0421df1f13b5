// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/lexicon.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <exception>
#include <string>
#include <thread>
#include <unordered_set>

#include "platform/text.h"
#include "platform/files.h"

namespace velmora {

Status Lexicon::LoadDictionary(const std::string& path) {
  Unload();
  FileBytes file;
  if (Status read = ReadLargeFile(path, &file); !read.ok()) return read;
  if (file.size >= kMaxDictionaryBytes) return Status::Make(Status::kTooLarge, "it holds 4 GiB or more", path);
  const std::string_view bytes = file.view();
  ParseDictionary(std::shared_ptr<const char[]>(std::move(file.data)), bytes, &dictionary_);
  loaded_ = true;
  return Status::Ok();
}

void Lexicon::Unload() {
  dictionary_ = Dictionary();
  loaded_ = false;
  divided_ = false;
}

Status Lexicon::LoadInventory(const std::string& path) {
  NumberOfPhonemes_ = 0;
  Phonemes_.assign(1, std::string());
  std::string contents;
  if (Status read = ReadWholeFile(path, &contents); !read.ok()) return read;
  ForEachLine(contents, [&](std::string_view line) {
    ++NumberOfPhonemes_;
    Phonemes_.push_back(Trim(line));
  });
  return Status::Ok();
}

void Lexicon::SetInventory(const std::vector<std::string>& phonemes) {
  Phonemes_ = phonemes.empty() ? std::vector<std::string>(1) : phonemes;
  NumberOfPhonemes_ = static_cast<int32_t>(Phonemes_.size()) - 1;
}

const SegmentTable& Lexicon::Table(Tier tier) const {
  switch (tier) {
    case Tier::kVowels:
      return VowelTranscriptions;
    case Tier::kSyllabified:
      return SyllabifiedTranscriptions;
    case Tier::kPlain:
      break;
  }
  return Transcriptions;
}

const std::vector<int32_t>& Lexicon::Lengths(Tier tier) const {
  return tier == Tier::kVowels ? VowelTranscriptionLengths : TranscriptionLengths;
}

// ---- Division and vetting -------------------------------------------------------

namespace {

// A segment the vetting must ask about: entry n, and where the segment starts
// in the entry's transcription string "[ " + field + " ]".
struct Suspect {
  int32_t entry;
  uint32_t offset;
};

// The text of the segment that starts at offset in the transcription string of field.
std::string_view SegmentAt(std::string_view field, uint32_t offset) {
  if (offset == 0) return "[";
  if (offset == field.size() + 3) return "]";
  const std::string_view rest = field.substr(offset - 2);
  return rest.substr(0, rest.find(' '));
}

// The length of the segment at p, which ends at the next blank or at end.
// Where eight bytes can be read at once (up to readable, the end of the
// dictionary's bytes), the blank is found in one word and *key is set to the
// segment's packed form (as SymbolTable::InternPacked takes it) when it has
// 1 to 7 bytes; otherwise *key is 0.
inline size_t SegmentLength(const char* p, const char* end, const char* readable, uint64_t* key) {
  *key = 0;
  if constexpr (std::endian::native == std::endian::little) {
    if (readable - p >= 8) {
      uint64_t word;
      std::memcpy(&word, p, 8);
      const uint64_t x = word ^ 0x2020202020202020ull;  // a zero byte for each blank
      const uint64_t blanks = (x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull;
      const size_t blank = blanks == 0 ? 8 : static_cast<size_t>(std::countr_zero(blanks)) / 8;
      const size_t length = std::min(blank, static_cast<size_t>(end - p));
      if (length < 8) {
        if (length != 0) *key = (word & ((uint64_t{1} << (8 * length)) - 1)) | (static_cast<uint64_t>(length) << 56);
        return length;
      }
    }
  }
  const char* q = p;
  while (q != end && *q != ' ') ++q;
  return static_cast<size_t>(q - p);
}

// What both halves of a division share: the field divided, the bytes it
// lies in, the inventory, and the lengths of the entries (each half writes
// those of its own entries).
struct DivisionInput {
  const TranscriptionFields& strings;
  std::string_view bytes;
  bool syllabified;
  const std::unordered_set<std::string_view>& inventory;
  std::vector<int32_t>& lengths;
};

// Divides entries first..last of one transcription field into segments,
// appended to table with their symbols interned in symbols. A segment the
// inventory lacks (or a coda symbol in plain data) is handed to suspect(n, offset),
// which returns false to stop the division after this entry.
template <typename OnSuspect>
int32_t DivideRange(const DivisionInput& in, int32_t first, int32_t last, SymbolTable& symbols, SegmentTable& table,
                    OnSuspect&& suspect) {
  const TranscriptionFields& strings = in.strings;
  const bool syllabified = in.syllabified;
  const char* const readable = in.bytes.data() + in.bytes.size();
  // What the vetting needs to know of a symbol is worked out once per symbol.
  enum : uint8_t { kUnknown = 0, kFine = 1, kSuspect = 2 };
  std::vector<uint8_t> verdict(256, kUnknown);
  for (int32_t n = first; n <= last; ++n) {
    table.BeginEntry();
    // The segments of "[ " + field + " ]", cut at single blanks: "[", the
    // field's own pieces, "]"; the first empty piece ends the entry.
    const std::string_view field = strings.field(static_cast<size_t>(n));
    int32_t length = 0;
    bool keepGoing = true;
    auto add = [&](std::string_view segment, size_t offsetInWrapped, uint64_t key = 0) {
      ++length;
      const SymbolId id = key != 0 ? symbols.InternPacked(key, segment) : symbols.Intern(segment);
      table.Append(id);
      if (id >= verdict.size()) verdict.resize(2 * id + 1, kUnknown);
      if (verdict[id] == kFine) return;
      if (verdict[id] == kUnknown) {
        const bool coda = !syllabified && Lower(LastChars(segment, 4)) == "coda";
        verdict[id] = (!coda && in.inventory.count(segment) != 0) ? kFine : kSuspect;
        if (verdict[id] == kFine) return;
      }
      keepGoing = suspect(n, static_cast<uint32_t>(offsetInWrapped)) && keepGoing;
    };
    add("[", 0);
    bool complete = true;
    const char* const begin = field.data();
    const char* const end = begin + field.size();
    for (const char* p = begin;;) {
      uint64_t key = 0;
      const char* const q = p == end ? p : p + SegmentLength(p, end, readable, &key);
      if (q == p) {
        complete = false;
        break;
      }
      add(std::string_view(p, static_cast<size_t>(q - p)), 2 + static_cast<size_t>(p - begin), key);
      if (q == end) break;
      p = q + 1;
    }
    if (complete) add("]", field.size() + 3);
    in.lengths[static_cast<size_t>(n)] = length;
    if (!keepGoing) return n;
  }
  return last;
}

// The second thread keeps at most this many cautions for later; past them it
// stops and the first thread divides the rest itself, asking as it goes.
constexpr size_t kMaxDeferredCautions = 1 << 16;

// Asks the reporter about one doubtful segment: a coda symbol in plain data,
// and a symbol the inventory lacks, each in its own question.
bool Vet(DivisionReporter& reporter, const std::unordered_set<std::string_view>& inventory, std::string_view segment,
         std::string_view word, bool syllabified) {
  if (!syllabified && Lower(LastChars(segment, 4)) == "coda") {
    if (!reporter.Continue({Caution::kCodaInPlainData, std::string(segment), std::string(word)})) return false;
  }
  if (inventory.count(segment) != 0) return true;
  return reporter.Continue({Caution::kNotInInventory, std::string(segment), std::string(word)});
}

// The second half of a large dictionary, divided by a thread of its own into
// tables of its own: its symbols, its segments, the cautions it kept for
// later and the last entry it divided.
struct LaterHalf {
  SymbolTable symbols;
  SegmentTable table;
  std::vector<Suspect> cautions;
  int32_t end = 0;
};

// Divides entries 1..count of in, the first half in this thread and the second
// (from firstHalf + 1) in another, and joins them: the second half's symbol ids
// are renumbered at the join, so every id is what a division in one pass gives,
// and its cautions are asked after the first half's, in entry order. ask(n,
// offset) asks one caution; it returns false, and sets stopped, once the user
// said No, and the division ends with that entry.
template <typename Ask>
void DivideInHalves(const DivisionInput& in, int32_t count, int32_t firstHalf, SymbolTable& symbols,
                    SegmentTable& table, Ask&& ask, const bool& stopped) {
  LaterHalf later;
  later.end = firstHalf;
  {
    std::exception_ptr failure;
    std::jthread thread;  // joined before this block is left, also by an exception
    if (firstHalf < count) {
      later.table.Reserve(count - firstHalf, in.bytes.size() / 6);
      thread = std::jthread([&] {
        try {
          later.end = DivideRange(in, firstHalf + 1, count, later.symbols, later.table, [&](int32_t n, uint32_t offset) {
            later.cautions.push_back({n, offset});
            return later.cautions.size() < kMaxDeferredCautions;
          });
        } catch (...) {
          failure = std::current_exception();
        }
      });
    }
    DivideRange(in, 1, firstHalf, symbols, table, ask);
    if (thread.joinable()) thread.join();
    if (failure) std::rethrow_exception(failure);
  }
  if (stopped || firstHalf == count) return;
  std::vector<SymbolId> idMap(later.symbols.size());
  for (SymbolId k = 0; k < later.symbols.size(); ++k) idMap[k] = symbols.Intern(later.symbols.Text(k));
  table.AppendRemapped(later.table, idMap);
  for (const Suspect& s : later.cautions) {
    if (!ask(s.entry, s.offset)) return;
  }
  if (later.end < count) DivideRange(in, later.end + 1, count, symbols, table, ask);
}

}  // namespace

bool Lexicon::DivideWordsIntoPhonemes(bool syllabified, DivisionReporter& reporter, const VowelTest& isVowel) {
  divided_ = false;
  const int32_t count = dictionary_.NumberOfWords;
  Symbols_.Clear();
  Transcriptions.Reset();
  SyllabifiedTranscriptions.Reset();
  VowelTranscriptions.Reset();
  TranscriptionLengths.assign(static_cast<size_t>(count) + 1, 0);
  VowelTranscriptionLengths.assign(1, 0);  // made with the vowel tier

  std::unordered_set<std::string_view> inventory;
  for (int32_t j = 1; j <= NumberOfPhonemes_; ++j) inventory.insert(Phonemes_[static_cast<size_t>(j)]);

  SegmentTable& table = syllabified ? SyllabifiedTranscriptions : Transcriptions;
  const TranscriptionFields& strings =
      syllabified ? dictionary_.SyllabifiedTranscriptionStrings : dictionary_.TranscriptionStrings;
  table.Reserve(count, dictionary_.bytes.size() / 3);
  std::string wrapped;
  // After a No nothing more is asked, and the division ends with the entry.
  bool stopped = false;
  auto ask = [&](int32_t n, uint32_t offset) {
    if (stopped) return false;
    strings.Wrap(static_cast<size_t>(n), &wrapped);
    const std::string_view segment = SegmentAt(strings.field(static_cast<size_t>(n)), offset);
    stopped = !Vet(reporter, inventory, segment, std::string_view(wrapped).substr(offset), syllabified);
    return !stopped;
  };
  const DivisionInput in{strings, dictionary_.bytes, syllabified, inventory, TranscriptionLengths};
  const int32_t firstHalf = count >= ParallelDivisionFrom_ && count >= 2 ? count / 2 : count;
  DivideInHalves(in, count, firstHalf, Symbols_, table, ask, stopped);
  if (stopped) {
    Symbols_.Clear();
    table.Reset();
    return false;
  }
  table.Finish();

  // The vowel tier keeps the boundaries and the symbols isVowel keeps as the
  // classes stand now; the tier itself is made when a search first asks for it.
  vowelTierKeeps_.assign(Symbols_.size(), 0);
  for (SymbolId id = 0; id < Symbols_.size(); ++id) {
    const std::string& s = Symbols_.Text(id);
    vowelTierKeeps_[id] = (s == "[" || s == "]" || (isVowel && isVowel(s))) ? 1 : 0;
  }
  divided_ = true;
  dividedSyllabified_ = syllabified;
  return true;
}

void Lexicon::MakeVowelTier() {
  if (VowelTranscriptions.filled() || !divided_) return;
  const SegmentTable& table = dividedSyllabified_ ? SyllabifiedTranscriptions : Transcriptions;
  const int32_t count = dictionary_.NumberOfWords;
  VowelTranscriptionLengths.assign(static_cast<size_t>(count) + 1, 0);
  VowelTranscriptions.Reserve(count, static_cast<size_t>(count) * 4);
  for (int32_t n = 1; n <= count; ++n) {
    VowelTranscriptions.BeginEntry();
    const SymbolId* row = table.Row(n);
    int32_t k = 0;
    for (int32_t j = 0; j < TranscriptionLengths[n]; ++j) {
      if (vowelTierKeeps_[row[j]]) {
        VowelTranscriptions.Append(row[j]);
        ++k;
      }
    }
    VowelTranscriptionLengths[n] = k;
  }
  VowelTranscriptions.Finish();
}

}  // namespace velmora
