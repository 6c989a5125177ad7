// Writing a file so that it is never torn: the new bytes go to a uniquely
// named temporary file in the same folder, are flushed to the disk, and
// then take the old file's place in one atomic rename. Whoever reads the
// file, and whatever kills the writer, sees either the old or the new
// contents whole.
#pragma once

#include <string_view>

namespace tessaro {

// False when the new contents could not be put in place; the old file is
// then unchanged and no temporary file is left behind. A file marked
// read-only, the user's way of keeping it as it is, is not replaced.
bool ReplaceFileContents(std::u16string_view path, std::string_view contents);

// Gives the file the new name `to` in the same folder; false, and nothing
// changed, when a file of that name exists already or the move fails.
bool RenameFileKeepingOthers(std::u16string_view from, std::u16string_view to);

}  // namespace tessaro
