// SPDX-License-Identifier: GPL-3.0-or-later
// Who looks after Velmora: named in the about message, the general error
// message of the result files and the help topic on the dictionary.
#ifndef VELMORA_UI_MAINTAINER_H_
#define VELMORA_UI_MAINTAINER_H_

namespace velmora {
inline constexpr const char* kMaintainerName = "the Velmora maintainers";
inline constexpr const char* kMaintainerEmail = "velmora@example.org";
}  // namespace velmora

#endif  // VELMORA_UI_MAINTAINER_H_
