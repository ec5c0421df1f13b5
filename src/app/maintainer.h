// Who looks after Velmora (named in the about message, the general error
// message of the result files and the help topic on the dictionary), and the
// message that the front ends must recognise.
#ifndef VELMORA_APP_MAINTAINER_H_
#define VELMORA_APP_MAINTAINER_H_

namespace velmora {
inline constexpr const char* kMaintainerName = "the Velmora maintainers";
inline constexpr const char* kMaintainerEmail = "velmora@example.org";

// Shown when a result file is held by another program; the step that failed is
// tried again once the user clicks OK.
inline constexpr const char* kFileInUseMessage =
    "It looks like you have one of the output files already open in some other program. Please close this "
    "application, then click Ok to continue.";
}  // namespace velmora

#endif  // VELMORA_APP_MAINTAINER_H_
