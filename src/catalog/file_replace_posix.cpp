#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <string>

#include "catalog/file_replace.h"
#include "catalog/utf.h"

namespace tessaro {
namespace {

// Program paths use '\' between folders; natively that is '/'.
std::string NativePath(std::u16string_view path) {
  std::string out = Utf16ToUtf8(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Makes the rename itself durable.
void SyncFolder(const std::string& file) {
  const size_t slash = file.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : file.substr(0, slash + 1);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// A name no other writer, in this process or another, is using now.
int CreateTemporary(const std::string& target, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + "." + std::to_string(getpid()) + "." + std::to_string(counter++) + ".tmp";
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool ReplaceFileContents(std::u16string_view path, std::string_view contents) {
  const std::string target = NativePath(path);
  // A rename does not ask the old file (and the superuser may write any).
  struct stat existing {};
  if (stat(target.c_str(), &existing) == 0 && !(existing.st_mode & S_IWUSR)) return false;
  std::string temporary;
  const int fd = CreateTemporary(target, temporary);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, contents) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok && rename(temporary.c_str(), target.c_str()) == 0) {
    SyncFolder(target);
    return true;
  }
  unlink(temporary.c_str());
  return false;
}

bool RenameFileKeepingOthers(std::u16string_view from, std::u16string_view to) {
  const std::string source = NativePath(from);
  const std::string target = NativePath(to);
  // A hard link fails when the target exists, where rename would replace it.
  if (link(source.c_str(), target.c_str()) != 0) return false;
  if (unlink(source.c_str()) != 0) {
    unlink(target.c_str());
    return false;
  }
  SyncFolder(target);
  return true;
}

}  // namespace tessaro
