// Writes a package: a ZIP archive whose members are deflated and encrypted
// with the package password, in a given order, with fixed timestamps, so
// that the same input always gives byte-identical output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pkgtool {

struct Member {
  std::string name;  // path inside the archive, '/'-separated
  std::vector<uint8_t> data;
};

// Returns false (and leaves no file) when the archive cannot be written.
// An empty password stores the members unencrypted.
bool WritePackage(const std::string& path, const std::vector<Member>& members, const std::string& password);

// Reads a manifest: one member path per line, relative to `root`; blank
// lines and lines starting with '#' are skipped. Throws on a missing file.
std::vector<Member> ReadManifest(const std::string& manifest_path, const std::string& root);

}  // namespace pkgtool
