// SPDX-License-Identifier: GPL-3.0-or-later
// The key label of the main window: the segment key, hints and the list of
// the classes loaded, made from what the engine loaded.
#ifndef VELMORA_APP_LABEL_H_
#define VELMORA_APP_LABEL_H_

#include <string>

#include "engine/engine.h"

namespace velmora {

// The label of a class folder's load (whose key could be read).
std::string KeyLabel(const ClassLoad& load, bool syllabified);

}  // namespace velmora

#endif  // VELMORA_APP_LABEL_H_
