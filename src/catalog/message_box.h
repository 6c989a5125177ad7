// The application's message box: a short fixed text that tells the user a
// document could not be read. Natively the texts are recorded instead.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

void ShowMessage(std::u16string_view text);

#if !defined(_WIN32)
// The texts shown since the last call, oldest first; clears the record.
std::vector<std::u16string> TakeShownMessages();
#endif

}  // namespace tessaro
