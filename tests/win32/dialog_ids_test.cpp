// Every dialog template of the program, read from its resources: no two controls of one dialog
// share an id, or the code that finds a control by its id would reach the wrong one.
#include <gtest/gtest.h>
#include <windows.h>

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

// The control ids of a DIALOG or DIALOGEX template, static ones (-1) left out.
std::vector<int> controlIds(const void* resource) {
  std::vector<int> ids;
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
    p = skipNameOrOrdinal(p);  // title
    const WORD extra = *p++;
    p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + extra);
    if (id != -1 && id != 0xFFFF) ids.push_back(id);
  }
  return ids;
}

TEST(DialogTemplates, NoDialogRepeatsAControlId) {
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
  for (const std::string& name : names) {
    HRSRC found = FindResourceA(nullptr, name.c_str(), RT_DIALOG);
    ASSERT_NE(found, nullptr) << name;
    std::map<int, int> seen;
    for (int id : controlIds(LockResource(LoadResource(nullptr, found)))) ++seen[id];
    for (const auto& [id, times] : seen) EXPECT_EQ(times, 1) << name << " repeats control id " << id;
  }
}

}  // namespace
