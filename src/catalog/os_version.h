// The running system's major version number (10 on Windows 10 and 11).
#pragma once

namespace tessaro {

int OsMajorVersion();

}  // namespace tessaro
