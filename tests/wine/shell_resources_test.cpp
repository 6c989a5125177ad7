// The shell's resources as the program finds them in its own module.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "shell/resource_ids.h"
#include "ui/icon_raii_win.h"

namespace {

TEST(ShellResources, SocketsFailureTextIsTheTraditionalChineseOne) {
  const wchar_t* text = nullptr;
  const int length =
      LoadStringW(GetModuleHandleW(nullptr), IDS_SOCKETS_INIT_FAILED, reinterpret_cast<wchar_t*>(&text), 0);
  ASSERT_GT(length, 0);
  EXPECT_EQ(std::wstring(text, length), L"Windows \u901A\u8A0A\u7AEF\u5B89\u88DD\u5931\u6557.");
}

TEST(ShellResources, MainDialogTemplateIsAVisibleCaptionlessPopupWithASystemMenu) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(IDD_TESSARO_DIALOG), RT_DIALOG);
  ASSERT_NE(found, nullptr);
  const auto* bytes = static_cast<const WORD*>(LockResource(LoadResource(nullptr, found)));
  ASSERT_NE(bytes, nullptr);
  // DIALOGEX: version 1, signature 0xFFFF, help id, extended style, style.
  ASSERT_EQ(bytes[0], 1);
  ASSERT_EQ(bytes[1], 0xFFFF);
  DWORD ex_style;
  DWORD style;
  std::memcpy(&ex_style, bytes + 4, sizeof ex_style);
  std::memcpy(&style, bytes + 6, sizeof style);
  EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE | WS_SYSMENU), static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_SYSMENU));
  // A caption would put a title bar above the panel's own.
  EXPECT_EQ(style & WS_CAPTION, 0u);
  EXPECT_TRUE(ex_style & WS_EX_APPWINDOW);
}

// Width of an icon image resource: a PNG's header width, or the bitmap
// header's; 0 when it is neither.
int IconImageWidth(const BYTE* image, DWORD size) {
  static const BYTE kPng[] = {0x89, 'P', 'N', 'G'};
  if (size >= 24 && std::memcmp(image, kPng, sizeof kPng) == 0)
    return (image[16] << 24) | (image[17] << 16) | (image[18] << 8) | image[19];
  BITMAPINFOHEADER header;
  if (size < sizeof header) return 0;
  std::memcpy(&header, image, sizeof header);
  return header.biSize == sizeof header ? header.biWidth : 0;
}

TEST(ShellResources, ProgramIconHasImagesOfTrayAndWindowSizes) {
  const HMODULE module = GetModuleHandleW(nullptr);
  HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
  ASSERT_NE(directory, nullptr);
  for (int size : {16, 32, 64}) {
    // The image the system picks for that size; LoadImageW would stretch
    // whatever image is nearest, so the image itself must be of the size.
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = id ? FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON) : nullptr;
    ASSERT_NE(image, nullptr) << size;
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, image)));
    EXPECT_EQ(IconImageWidth(bytes, SizeofResource(module, image)), size);
    const tessaro::UniqueIcon icon(
        static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0)));
    EXPECT_NE(icon.get(), nullptr) << size;
  }
}

}  // namespace
