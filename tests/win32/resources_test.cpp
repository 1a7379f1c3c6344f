// The program's own resources, loaded the way the program loads them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cctype>
#include <cstring>
#include <set>
#include <vector>

#include "resources/resource_ids.h"
#include "base/ui_strings.h"

namespace torvik {
namespace {

TEST(Resources, StringTableMatchesTheCompiledInTextsByteForByte) {
  int count = 0;
  const ResourceString* table = resourceStrings(&count);
  for (int i = 0; i < count; ++i) {
    char loaded[256] = {};
    const int n = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(table[i].id), loaded, sizeof loaded);
    EXPECT_EQ(n, static_cast<int>(std::strlen(table[i].text))) << table[i].id;
    EXPECT_STREQ(loaded, table[i].text) << table[i].id;
  }
}

TEST(Resources, FaceBitmapsHaveTheirSizes) {
  struct Size {
    int first, last, width, height;
  };
  const Size sizes[] = {{500, 500, 200, 459}, {501, 515, 41, 23}, {516, 517, 28, 37}, {518, 518, 34, 32},
                        {519, 519, 33, 24},   {520, 521, 34, 32}, {522, 522, 33, 24}, {523, 523, 34, 32},
                        {524, 538, 41, 23},   {539, 540, 28, 37}, {541, 541, 34, 32}, {542, 542, 33, 24},
                        {543, 544, 34, 32},   {545, 545, 33, 24}, {546, 546, 34, 32}, {547, 547, 6, 10},
                        {548, 548, 116, 10},  {549, 549, 116, 12}, {550, 551, 7, 8}};
  // The set drawn at twice the size (ids + 100) for high-DPI screens and the zoom.
  for (int factor : {1, 2}) {
    for (const Size& s : sizes) {
      for (int id = s.first; id <= s.last; ++id) {
        const int resource = id + 100 * (factor - 1);
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource));
        ASSERT_NE(bitmap, nullptr) << resource;
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, factor * s.width) << resource;
        EXPECT_EQ(info.bmHeight, factor * s.height) << resource;
        DeleteObject(bitmap);
      }
    }
  }
}

TEST(Resources, PopupMenuHasItsItemsInOrder) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "PopMenuT900");
  ASSERT_NE(menu, nullptr);
  HMENU popup = GetSubMenu(menu, 0);
  ASSERT_NE(popup, nullptr);
  const int ids[] = {IDM_NEW, IDM_OPEN, IDM_SAVE, IDM_SAVEAS, 0, IDM_EDIT, IDM_UNDO, IDM_REDO, IDM_PREFERENCES, 0,
                     IDM_CHECK_DESIGN, IDM_DOWNLOAD_APPLICATION, IDM_DOWNLOAD_LOOKUP, IDM_RECEIVE_DATA, 0, IDM_ABOUT, IDM_EXIT};
  const int count = static_cast<int>(sizeof ids / sizeof ids[0]);
  ASSERT_EQ(GetMenuItemCount(popup), count);
  for (int i = 0; i < count; ++i) {
    const UINT state = GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
    if (ids[i] == 0)
      EXPECT_TRUE(state & MF_SEPARATOR) << i;
    else
      EXPECT_EQ(static_cast<int>(GetMenuItemID(popup, i)), ids[i]) << i;
  }
  char text[64];
  GetMenuStringA(popup, IDM_NEW, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&New\tCtrl+N");
  GetMenuStringA(popup, IDM_EXIT, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "E&xit\tAlt+F4");
  GetMenuStringA(popup, IDM_CHECK_DESIGN, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "Chec&k Design\tF7");
  // Each item's mnemonic letter is its own in the popup.
  std::set<char> mnemonics;
  for (int i = 0; i < count; ++i) {
    if (ids[i] == 0 || ids[i] == IDM_RECEIVE_DATA) continue;  // Redo and Receive Data share R, as given
    GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    const char* amp = std::strchr(text, '&');
    ASSERT_NE(amp, nullptr) << text;
    EXPECT_TRUE(mnemonics.insert(static_cast<char>(std::tolower(static_cast<unsigned char>(amp[1])))).second) << text;
  }
  DestroyMenu(menu);
}

TEST(Resources, AcceleratorsAreTheCommandsKeys) {
  HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "Torvik");
  ASSERT_NE(table, nullptr);
  ACCEL entries[16];
  const int n = CopyAcceleratorTableA(table, entries, 16);
  const struct {
    WORD key;
    BYTE ctrl;
    WORD cmd;
  } expected[] = {{'N', FCONTROL, IDM_NEW},  {'O', FCONTROL, IDM_OPEN}, {'S', FCONTROL, IDM_SAVE},
                  {'E', FCONTROL, IDM_EDIT}, {'Z', FCONTROL, IDM_UNDO}, {'Y', FCONTROL, IDM_REDO},
                  {VK_F1, 0, IDM_ABOUT}, {VK_F7, 0, IDM_CHECK_DESIGN}};
  ASSERT_EQ(n, static_cast<int>(sizeof expected / sizeof expected[0]));
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(entries[i].key, expected[i].key) << i;
    EXPECT_EQ(entries[i].cmd, expected[i].cmd) << i;
    EXPECT_EQ(entries[i].fVirt & (FCONTROL | FALT | FSHIFT), expected[i].ctrl) << i;
    EXPECT_TRUE(entries[i].fVirt & FVIRTKEY) << i;
  }
  DestroyAcceleratorTable(table);
}

TEST(Resources, VersionBlockAndDesignIconComeFromTheVersionHeader) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16));  // RT_VERSION
  ASSERT_NE(found, nullptr);
  // VerQueryValue wants a copy it may write to.
  std::vector<char> block(SizeofResource(self, found));
  std::memcpy(block.data(), LockResource(LoadResource(self, found)), block.size());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(TORVIK_VERSION_MINOR, TORVIK_VERSION_MAJOR)));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, TORVIK_VERSION_PATCH)));
  char* text = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\ProductVersion", reinterpret_cast<void**>(&text),
                             &size));
  EXPECT_STREQ(text, TORVIK_VERSION_TEXT);
  char numbers[32];
  std::snprintf(numbers, sizeof numbers, "%d.%d.%d", TORVIK_VERSION_MAJOR, TORVIK_VERSION_MINOR, TORVIK_VERSION_PATCH);
  EXPECT_STREQ(numbers, TORVIK_VERSION_TEXT) << "the text and the numbers say the same";
  // The association's "Torvik.exe,-2".
  EXPECT_NE(LoadIconA(self, MAKEINTRESOURCEA(2)), nullptr);
}

}  // namespace
}  // namespace torvik
