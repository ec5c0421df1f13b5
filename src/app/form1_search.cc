// The division of the dictionary into segments, the two searches and the
// recording of each hit.
#include <algorithm>
#include <bit>
#include <cstring>
#include <exception>
#include <string>
#include <thread>
#include <unordered_set>

#include "app/form1.h"
#include "lexicon/text.h"
#include "output/result_layout.h"
#include "search/matcher.h"

namespace velmora {

namespace {
std::string ProgressCaption(int32_t i, int32_t total) {
  return "Searching the dictionary; completed " + std::to_string(i) + "/" + std::to_string(total);
}
}  // namespace

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

// Rows of the hit table by the packed ids of the kept segments of a match:
// open addressing over keys that are never 0 (a packed key starts with a 1 bit).
class RowsByIds {
 public:
  int32_t Find(uint64_t key) const {
    for (size_t i = SlotOf(key);; i = (i + 1) & (keys_.size() - 1)) {
      if (keys_[i] == key) return rows_[i];
      if (keys_[i] == 0) return 0;
    }
  }
  void Add(uint64_t key, int32_t row) {
    size_t i = SlotOf(key);
    while (keys_[i] != 0) i = (i + 1) & (keys_.size() - 1);
    keys_[i] = key;
    rows_[i] = row;
    if (++count_ * 2 > keys_.size()) Grow();
  }

 private:
  size_t SlotOf(uint64_t key) const { return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_); }
  void Grow() {
    std::vector<uint64_t> keys(keys_.size() * 2, 0);
    std::vector<int32_t> rows(keys.size(), 0);
    keys.swap(keys_);
    rows.swap(rows_);
    --shift_;
    count_ = 0;
    for (size_t k = 0; k < keys.size(); ++k) {
      if (keys[k] != 0) Add(keys[k], rows[k]);
    }
  }
  std::vector<uint64_t> keys_ = std::vector<uint64_t>(256, 0);
  std::vector<int32_t> rows_ = std::vector<int32_t>(256, 0);
  int shift_ = 64 - 8;
  size_t count_ = 0;
};

// The second thread keeps at most this many cautions for later; past them it
// stops and the first thread divides the rest itself, asking as it goes.
constexpr size_t kMaxDeferredCautions = 1 << 16;

}  // namespace

void Form1::DivideWordsIntoPhonemes() {
  const bool syllabified = platform_.Value(Control::chkSyllabified) == 1;
  const int32_t count = dictionary.NumberOfWords;
  Symbols.Clear();
  Transcriptions.Reset();
  SyllabifiedTranscriptions.Reset();
  VowelTranscriptions.Reset();
  TranscriptionLengths.assign(static_cast<size_t>(count) + 1, 0);
  VowelTranscriptionLengths.assign(static_cast<size_t>(count) + 1, 0);

  std::unordered_set<std::string_view> inventory;
  for (int32_t j = 1; j <= NumberOfPhonemes; ++j) inventory.insert(Phonemes[j]);

  SegmentTable& table = syllabified ? SyllabifiedTranscriptions : Transcriptions;
  const TranscriptionFields& strings =
      syllabified ? dictionary.SyllabifiedTranscriptionStrings : dictionary.TranscriptionStrings;
  table.Reserve(count, dictionary.bytes.size() / 3);
  std::string wrapped;
  auto ask = [&](int32_t n, uint32_t offset) {
    strings.Wrap(static_cast<size_t>(n), &wrapped);
    const std::string_view segment = SegmentAt(strings.field(static_cast<size_t>(n)), offset);
    VetWordForLegalPhonemes(std::string(segment), std::string_view(wrapped).substr(offset), syllabified);
  };
  auto askNow = [&](int32_t n, uint32_t offset) {
    ask(n, offset);
    return true;
  };
  const DivisionInput in{strings, dictionary.bytes, syllabified, inventory, TranscriptionLengths};

  // A large dictionary is divided in two halves at once. The second half's
  // symbols get their ids in a table of its own, renumbered when the halves
  // are joined, so every id is what a division in one pass gives; its
  // cautions are asked after the first half's, in entry order.
  const int32_t firstHalf = count >= ParallelDivisionFrom && count >= 2 ? count / 2 : count;
  SymbolTable laterSymbols;
  SegmentTable laterTable;
  std::vector<Suspect> laterCautions;
  int32_t laterEnd = firstHalf;
  {
    std::exception_ptr failure;
    std::jthread later;  // joined before this block is left, also by an exception
    if (firstHalf < count) {
      laterTable.Reserve(count - firstHalf, dictionary.bytes.size() / 6);
      later = std::jthread([&] {
        try {
          laterEnd = DivideRange(in, firstHalf + 1, count, laterSymbols, laterTable, [&](int32_t n, uint32_t offset) {
            laterCautions.push_back({n, offset});
            return laterCautions.size() < kMaxDeferredCautions;
          });
        } catch (...) {
          failure = std::current_exception();
        }
      });
    }
    DivideRange(in, 1, firstHalf, Symbols, table, askNow);
    if (later.joinable()) later.join();
    if (failure) std::rethrow_exception(failure);
  }
  if (firstHalf < count) {
    std::vector<SymbolId> idMap(laterSymbols.size());
    for (SymbolId k = 0; k < laterSymbols.size(); ++k) idMap[k] = Symbols.Intern(laterSymbols.Text(k));
    table.AppendRemapped(laterTable, idMap);
    for (const Suspect& s : laterCautions) ask(s.entry, s.offset);
    if (laterEnd < count) {
      DivideRange(in, laterEnd + 1, count, Symbols, table, askNow);
    }
  }
  table.Finish();

  // The vowel tier keeps the boundaries and the members of the class "vowel"
  // as the classes stand now; the tier itself is made when a search first
  // asks for it.
  vowelTierKeeps_.assign(Symbols.size(), 0);
  for (SymbolId id = 0; id < Symbols.size(); ++id) {
    const std::string& s = Symbols.Text(id);
    vowelTierKeeps_[id] = (s == "[" || s == "]" || IsInNaturalClass(s, "vowel")) ? 1 : 0;
  }
}

void Form1::MakeVowelTier() {
  if (VowelTranscriptions.filled() || !divided_) return;
  const SegmentTable& table = dividedSyllabified_ ? SyllabifiedTranscriptions : Transcriptions;
  const int32_t count = dictionary.NumberOfWords;
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

void Form1::VetWordForLegalPhonemes(const std::string& MyPhoneme, std::string_view MyWord, bool UseSyllables) {
  const std::string word(MyWord);
  if (!UseSyllables && Lower(LastChars(MyPhoneme, 4)) == "coda") {
    if (!platform_.AskYesNo("Caution:  the word " + word + " contains the sound [" + MyPhoneme +
                            "], but you're doing a simulation specified for nonsyllabified segments.  You may want "
                            "to adjust your input files.")) {
      CloseAllFiles();
      platform_.EndProgram();
    }
  }
  for (int32_t j = 1; j <= NumberOfPhonemes; ++j) {
    if (Phonemes[j] == MyPhoneme) return;
  }
  if (!platform_.AskYesNo("Caution:  the word " + word + " contains the sound [" + MyPhoneme +
                          "], which is not on the list of phonemes AllSegments.txt.  You may want to adjust either "
                          "in.txt or AllSegments.txt before continuing.  Click Yes to continue, No to exit program.")) {
    CloseAllFiles();
    platform_.EndProgram();
  }
}

// ---- Transcription search -------------------------------------------------------

int32_t Form1::SetSearchStringLength() {
  int32_t k = 0;
  while (k < 5 && !TrimView(platform_.Text(TextBox(k + 1))).empty()) ++k;
  return k;
}

void Form1::FindInTranscriptions(const SegmentTable& MyTranscriptions, const std::vector<int32_t>& MyLengths) {
  std::string items[5];
  for (int b = 0; b < 5; ++b) items[b] = Trim(platform_.Text(TextBox(b + 1)));
  const int32_t n = SetSearchStringLength();
  CompiledItem compiled[5];
  for (int32_t b = 0; b < n; ++b) compiled[b] = CompileItem(items[b], Symbols, classes);

  // The small boxes and the exclusion box are read at each match; they can
  // only change while window events run, so they are read again after each yield.
  bool ignore[5] = {};
  bool exclude = false;
  auto readBoxes = [&] {
    for (int b = 0; b < 5; ++b) ignore[b] = platform_.Value(IgnoreBox(b + 1)) != 0;
    exclude = platform_.Value(Control::chkExclude) == 1;
  };
  readBoxes();

  // A table that was never filled holds the empty segment at every position.
  std::vector<SymbolId> emptyRow;
  if (!MyTranscriptions.filled()) {
    int32_t longest = 0;
    for (int32_t len : MyLengths) longest = std::max(longest, len);
    emptyRow.assign(static_cast<size_t>(longest), 0);
  }

  // The hit-table row of a focus string, remembered by the ids of the kept
  // segments (symbols hold no TAB, so equal ids give equal focus strings).
  RowsByIds rowOfIds;
  constexpr SymbolId kMaxPackedId = 1u << 12;
  std::string focus;

  const int32_t total = dictionary.NumberOfWords;
  for (int32_t i = 1; i <= total; ++i) {
    bool found = false;
    if (i % 100 == 0) {
      platform_.SetText(Control::cmdSearchTranscriptions, ProgressCaption(i, total));
      platform_.DoEvents();
      readBoxes();
    }
    if (n == 0) {
      dictionary.HitFlags[i] = 0;
      continue;
    }
    const SymbolId* row = MyTranscriptions.filled() ? MyTranscriptions.Row(i) : emptyRow.data();
    const bool excluded = exclude && !TrimView(dictionary.Annotations[i]).empty();
    const int32_t last = MyLengths[i] - n;  // last start position, 0-based
    for (int32_t j = 0; j <= last; ++j) {
      if (!compiled[0](row[j])) continue;
      int32_t b = 1;
      while (b < n && compiled[b](row[j + b])) ++b;
      if (b < n) continue;
      found = true;
      if (excluded) continue;  // not recorded, but the entry was found

      // The kept segments: one item is never left out.
      uint64_t key = 1;
      bool packable = true;
      for (int32_t k = 0; k < n; ++k) {
        if (n > 1 && ignore[k]) continue;
        packable = packable && row[j + k] < kMaxPackedId;
        key = (key << 12) | (row[j + k] & (kMaxPackedId - 1));
      }
      int32_t rowNumber = 0;
      if (packable) {
        rowNumber = rowOfIds.Find(key);
      }
      if (rowNumber == 0) {
        focus.clear();
        bool first = true;
        for (int32_t k = 0; k < n; ++k) {
          if (n > 1 && ignore[k]) continue;
          if (!first) focus += '\t';
          focus += Symbols.Text(row[j + k]);
          first = false;
        }
      }
      const bool known = rowNumber != 0;
      RecordHit(i, focus, rowNumber);
      if (packable && !known) rowOfIds.Add(key, rowNumber);
    }
    dictionary.HitFlags[i] = found ? 1 : 0;
  }
}

// ---- Orthography search ------------------------------------------------------------

void Form1::FindInOrthography() {
  const std::string target = Trim(platform_.Text(Control::txtOrthography));
  const int32_t total = dictionary.NumberOfWords;
  // The exclusion box is read at each hit; it can only change while window events run.
  bool exclude = platform_.Value(Control::chkExclude) == 1;
  int32_t row = 0;  // every hit has the same focus string: the search string
  std::string framed;
  std::vector<size_t> starts;  // character starts of the framed spelling, and its end
  for (int32_t i = 1; i <= total; ++i) {
    if (i % 100 == 0) {
      platform_.SetText(Control::cmdSearchOrthography, ProgressCaption(i, total));
      platform_.DoEvents();
      exclude = platform_.Value(Control::chkExclude) == 1;
    }
    framed.clear();
    framed += '[';
    framed += dictionary.Spellings[i];
    framed += ']';
    size_t found = 0;
    const bool ascii = std::all_of(framed.begin(), framed.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii) {
      if (target.empty()) {
        found = framed.size() + 1;
      } else {
        for (size_t j = framed.find(target); j != std::string::npos; j = framed.find(target, j + 1)) ++found;
      }
    } else {
      // Matches start and end on character boundaries.
      starts.clear();
      for (size_t p = 0; p < framed.size(); p += CharLengthAt(framed, p)) starts.push_back(p);
      starts.push_back(framed.size());
      for (size_t c = 0; c < starts.size(); ++c) {
        const size_t j = starts[c];
        if (framed.size() - j < target.size() || framed.compare(j, target.size(), target) != 0) continue;
        if (!std::binary_search(starts.begin(), starts.end(), j + target.size())) continue;
        ++found;
      }
    }
    // Each occurrence is one entry, recorded as InstallANewEntry records it.
    if (!(exclude && !TrimView(dictionary.Annotations[i]).empty())) {
      for (size_t k = 0; k < found; ++k) RecordHit(i, target, row);
    }
    dictionary.HitFlags[i] = found != 0 ? 1 : 0;
  }
}

// ---- Recording a hit ----------------------------------------------------------------

void Form1::InstallANewEntry(int32_t MyWordIndex, std::string_view MyFocusString) {
  if (platform_.Value(Control::chkExclude) == 1 && !TrimView(dictionary.Annotations[MyWordIndex]).empty()) return;
  int32_t row = 0;
  RecordHit(MyWordIndex, MyFocusString, row);
}

void Form1::RecordHit(int32_t MyWordIndex, std::string_view MyFocusString, int32_t& row) {
  const std::string_view spelling = dictionary.Spellings[MyWordIndex];
  bool newRow = false;
  if (row == 0) {
    row = hitTable.Find(MyFocusString);
    if (row == 0) {
      row = hitTable.AddRow(MyFocusString, spelling);
      newRow = true;
    }
  }
  ++NumberOfHits;
  hitRows_.Write(dictionary, MyWordIndex, hitTable.FocusStrings[row], fullChannel_, resultsChannel_);
  HitWordList += ", ";
  HitWordList += spelling;
  if (!newRow) hitTable.AddToRow(row, spelling, ExampleLengthLimit);
}

}  // namespace velmora
