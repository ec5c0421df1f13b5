// The key label of the main window (the segment key, hints and the list of
// classes) and the loading of the classes it lists, which both front ends do
// at start and the reset button does again.
#ifndef VELMORA_APP_LABEL_H_
#define VELMORA_APP_LABEL_H_

#include <string>

#include "classes/natural_classes.h"
#include "platform/status.h"

namespace velmora {

struct KeyAndClasses {
  Status key;      // reading SegmentKey.txt; when it failed nothing else was done
  Status classes;  // loading the class folder
  std::string label;
};

// Reads folder's SegmentKey.txt and, when it could be read, loads the classes
// of the class folder the syllabified choice selects into *classes and makes
// the label that lists them.
KeyAndClasses LoadKeyAndClasses(const std::string& folder, bool syllabified, ClassTable* classes);

}  // namespace velmora

#endif  // VELMORA_APP_LABEL_H_
