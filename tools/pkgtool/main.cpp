// pkgtool MANIFEST ROOT OUT.pkg
// Packs the files a manifest lists (paths relative to ROOT, in that order)
// into a package encrypted with the program's package password.
#include <cstdio>
#include <exception>

#include "catalog/package_password.h"
#include "tools/pkgtool/package_writer.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: pkgtool MANIFEST ROOT OUT.pkg\n");
    return 2;
  }
  try {
    const auto members = pkgtool::ReadManifest(argv[1], argv[2]);
    if (!pkgtool::WritePackage(argv[3], members, tessaro::kPackagePassword)) {
      std::fprintf(stderr, "pkgtool: cannot write %s\n", argv[3]);
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pkgtool: %s\n", e.what());
    return 1;
  }
  return 0;
}
