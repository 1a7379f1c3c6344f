// What a second start hands over: only a well-formed path of ours is taken.
#include "shell/open_requests_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace torvik {
namespace {

TEST(OpenRequest, OnlyAWellFormedPathIsTaken) {
  const std::string longest(kOpenPathSize - 1, 'a');  // with its NUL, exactly the buffer
  const std::string tooLong(kOpenPathSize, 'a');
  const struct {
    const char* name;
    ULONG_PTR tag;
    std::string bytes;  // sent as they are, NULs included
    bool taken;
  } cases[] = {
      {"a path", kOpenRequestTag, std::string("C:\\a b.TVX") + '\0', true},
      {"the longest path", kOpenRequestTag, longest + '\0', true},
      {"one byte too long", kOpenRequestTag, tooLong + '\0', false},
      {"another tag", kOpenRequestTag + 1, std::string("C:\\a.TVX") + '\0', false},
      {"no NUL at the end", kOpenRequestTag, "C:\\a.TVX", false},
      {"a NUL inside", kOpenRequestTag, std::string("C:\\a") + '\0' + "b" + '\0', false},
      {"an empty path", kOpenRequestTag, std::string(1, '\0'), false},
      {"no bytes", kOpenRequestTag, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = c.bytes;
    COPYDATASTRUCT data{c.tag, static_cast<DWORD>(bytes.size()), bytes.empty() ? nullptr : &bytes[0]};
    char path[kOpenPathSize];
    std::memset(path, 'x', sizeof path);
    ASSERT_EQ(readOpenRequest(&data, path), c.taken);
    if (c.taken) {
      EXPECT_EQ(std::string(path), c.bytes.substr(0, c.bytes.size() - 1));
    }
  }
  char unused[kOpenPathSize];
  EXPECT_FALSE(readOpenRequest(nullptr, unused));
}

}  // namespace
}  // namespace torvik
