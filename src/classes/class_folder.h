// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the natural classes of one class folder: every file whose name ends
// in ".txt" (any letter case), in byte order, is a class named by the file
// name without its last four characters.
#ifndef VELMORA_CLASSES_CLASS_FOLDER_H_
#define VELMORA_CLASSES_CLASS_FOLDER_H_

#include <string>
#include <vector>

#include "classes/natural_classes.h"
#include "platform/status.h"

namespace velmora {

// Clears *table and loads the classes of folder into it; *names gets the name
// of each class as it is added. A missing folder loads nothing and is no
// failure. A class file that cannot be read stops the loading: the classes
// before it stay, its own class stays empty, and the status names the file.
Status LoadClassFolder(const std::string& folder, ClassTable* table, std::vector<std::string>* names);

}  // namespace velmora

#endif  // VELMORA_CLASSES_CLASS_FOLDER_H_
