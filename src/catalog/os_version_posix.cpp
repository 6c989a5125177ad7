#include "catalog/os_version.h"

namespace tessaro {

// Native builds stand in for a current Windows.
int OsMajorVersion() { return 10; }

}  // namespace tessaro
