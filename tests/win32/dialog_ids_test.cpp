// Every dialog template of the program, read from its resources: no two controls of one dialog
// share an id, or the code that finds a control by its id would reach the wrong one; and no two
// share a mnemonic, or Alt+letter would reach only the first.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwctype>
#include <map>
#include <string>
#include <vector>

namespace {

// Skips a string or ordinal field of a template.
const WORD* skipNameOrOrdinal(const WORD* p) {
  if (*p == 0xFFFF) return p + 2;
  while (*p != 0) ++p;
  return p + 1;
}

const WORD* alignToDword(const WORD* p) {
  return reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(p) + 3) & ~static_cast<UINT_PTR>(3));
}

struct Control {
  int id;
  std::wstring title;
};

// The controls of a DIALOG or DIALOGEX template.
std::vector<Control> controlsOf(const void* resource) {
  std::vector<Control> controls;
  const WORD* p = static_cast<const WORD*>(resource);
  const bool extended = p[0] == 1 && p[1] == 0xFFFF;
  DWORD style = 0;
  WORD count = 0;
  if (extended) {
    style = *reinterpret_cast<const DWORD*>(p + 6);
    count = p[8];
    p += 13;  // version, signature, help id, ex style, style, count, x, y, cx, cy
  } else {
    style = *reinterpret_cast<const DWORD*>(p);
    count = p[4];
    p += 9;  // style, ex style, count, x, y, cx, cy
  }
  p = skipNameOrOrdinal(p);  // menu
  p = skipNameOrOrdinal(p);  // class
  p = skipNameOrOrdinal(p);  // title
  if (style & DS_SETFONT) {
    p += extended ? 3 : 1;  // point size (weight, italic and charset)
    p = skipNameOrOrdinal(p);
  }
  for (WORD i = 0; i < count; ++i) {
    p = alignToDword(p);
    int id = 0;
    if (extended) {
      id = static_cast<int>(*reinterpret_cast<const DWORD*>(p + 10));
      p += 12;  // help id, ex style, style, x, y, cx, cy, id
    } else {
      id = static_cast<short>(p[8]);
      p += 9;
    }
    p = skipNameOrOrdinal(p);  // class
    std::wstring title;
    if (*p != 0xFFFF)
      for (const WORD* c = p; *c != 0; ++c) title += static_cast<wchar_t>(*c);
    p = skipNameOrOrdinal(p);
    const WORD extra = *p++;
    p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + extra);
    controls.push_back({id, title});
  }
  return controls;
}

// The letter after a single '&' ("&&" is a plain ampersand), lower case; 0 when none.
wchar_t mnemonicOf(const std::wstring& title) {
  for (std::size_t i = 0; i + 1 < title.size(); ++i) {
    if (title[i] != L'&') continue;
    if (title[i + 1] == L'&') {
      ++i;
      continue;
    }
    return static_cast<wchar_t>(towlower(title[i + 1]));
  }
  return 0;
}

TEST(DialogTemplates, NoDialogRepeatsAControlIdOrAMnemonic) {
  std::vector<std::string> names;
  EnumResourceNamesA(
      GetModuleHandleA(nullptr), RT_DIALOG,
      [](HMODULE, LPCSTR, LPSTR name, LONG_PTR list) -> BOOL {
        auto* out = reinterpret_cast<std::vector<std::string>*>(list);
        out->push_back(IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : name);
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&names));
  ASSERT_GE(names.size(), 7u) << "the program's dialogs and the editor's pages";
  int mnemonicsSeen = 0;
  for (const std::string& name : names) {
    HRSRC found = FindResourceA(nullptr, name.c_str(), RT_DIALOG);
    ASSERT_NE(found, nullptr) << name;
    std::map<int, int> ids;
    std::map<wchar_t, int> mnemonics;
    for (const Control& c : controlsOf(LockResource(LoadResource(nullptr, found)))) {
      if (c.id != -1 && c.id != 0xFFFF) ++ids[c.id];
      if (const wchar_t m = mnemonicOf(c.title)) {
        ++mnemonics[m];
        ++mnemonicsSeen;
      }
    }
    for (const auto& [id, times] : ids) EXPECT_EQ(times, 1) << name << " repeats control id " << id;
    for (const auto& [letter, times] : mnemonics)
      EXPECT_EQ(times, 1) << name << " repeats the mnemonic " << static_cast<char>(letter);
  }
  EXPECT_GT(mnemonicsSeen, 100) << "the templates' titles were read";
}

}  // namespace
