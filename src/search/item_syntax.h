// SPDX-License-Identifier: GPL-3.0-or-later
// Reading one box of the search: today's items (a symbol, a natural class,
// the word boundaries [ and ]) and the richer ones built from them:
//   A|B|C         any one of the listed symbols or classes (one segment)
//   !X            one segment that X does not match
//   {+f -g}       one segment whose features agree with every listed value
//   X?  X*  X+    zero or one, zero or more, one or more of a one-segment X
//   ...           any segments, zero or more
// A box that as a whole is a known name keeps today's meaning whatever it
// holds. Otherwise a last ?, * or + quantifies the rest, then a first !
// negates the rest: !X* is (!X)*, !A|B is !(A|B).
#ifndef VELMORA_SEARCH_ITEM_SYNTAX_H_
#define VELMORA_SEARCH_ITEM_SYNTAX_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "features/feature_table.h"
#include "platform/status.h"

namespace velmora {

enum class Quantifier { kOne, kOptional, kStar, kPlus };  // X, X?, X*, X+

struct ParsedItem {
  enum class Kind {
    kPlain,             // the box is a known name, [ or ]: today's item (text)
    kAnySegments,       // ...
    kSegment,           // a one-segment item with a quantifier
    kPlainUnknownName,  // refused: an unknown name without any new character
    kMalformed,         // refused: message says why
  };
  Kind kind = Kind::kMalformed;
  std::string text;  // the box as given

  // kSegment: either names (an alternation of one or more known names, as
  // typed) or a feature bundle, optionally negated.
  std::vector<std::string> names;
  bool isBundle = false;
  std::vector<FeatureValue> bundle;
  bool negated = false;
  Quantifier quantifier = Quantifier::kOne;

  // kMalformed: one sentence starting "Box N: ", or only that prefix when
  // features tells why the feature table could not be used.
  std::string message;
  Status features;

  bool ok() const { return kind == Kind::kPlain || kind == Kind::kAnySegments || kind == Kind::kSegment; }
};

// What the reading needs to know beyond the text.
struct ItemContext {
  // True when the text names a symbol of the inventory or a natural class
  // (the caller compares lowered texts).
  std::function<bool(std::string_view)> isName;
  // The feature table, asked for only when a box holds a bundle; nullptr with
  // *status set when it is missing or damaged.
  std::function<const FeatureTable*(Status* status)> features;
};

// Reads the text of Box boxNumber (already trimmed by the caller; never empty).
ParsedItem ParseItem(std::string_view text, int boxNumber, const ItemContext& context);

}  // namespace velmora

#endif  // VELMORA_SEARCH_ITEM_SYNTAX_H_
