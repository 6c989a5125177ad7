// The one password of every encrypted package member.
#pragma once

namespace tessaro {

inline constexpr char kPackagePassword[] = "pXoda@7720416583";

}  // namespace tessaro
