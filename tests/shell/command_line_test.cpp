#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvik {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, SplitsAsTheCRuntimeDoes) {
  const struct {
    const char* text;
    Args expected;
  } cases[] = {
      {"", {}},
      {"   \t ", {}},
      {"C:\\d\\a.tvx", {"C:\\d\\a.tvx"}},
      {"  C:\\d\\a.tvx  ", {"C:\\d\\a.tvx"}},
      // Explorer's "%1" in quotes: the blanks belong to the path.
      {"\"C:\\My designs\\store one.TVX\"", {"C:\\My designs\\store one.TVX"}},
      {"\"C:\\My designs\\\"", {"C:\\My designs\""}},  // odd backslash: the quote is literal
      {"\"C:\\My designs\\\\\"", {"C:\\My designs\\"}},  // a pair before the closing quote
      {"\\\\server\\share\\a.tvx", {"\\\\server\\share\\a.tvx"}},  // backslashes stay as typed
      {"C:\\My designs\\a.tvx", {"C:\\My", "designs\\a.tvx"}},  // unquoted blanks separate
      {"a\"b c\"d e", {"ab cd", "e"}},  // quoting may start and end inside an argument
      {"\"a \"\"quoted\"\" word\"", {"a \"quoted\" word"}},
      {"\"\"", {""}},
      {"\"unclosed path", {"unclosed path"}},
      {"a\tb", {"a", "b"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(splitCommandLine(c.text), c.expected);
  }
  EXPECT_EQ(splitCommandLine(nullptr), Args{});
}

TEST(CommandLine, OneDesignOpensAndSeveralOpenNone) {
  const struct {
    const char* text;
    StartRequest request;
    const char* path;
  } cases[] = {
      {nullptr, StartRequest::NewDesign, ""},
      {"", StartRequest::NewDesign, ""},
      {"\"\"", StartRequest::NewDesign, ""},  // an empty argument names nothing
      {"\"C:\\My designs\\a b.TVX\"", StartRequest::OpenFile, "C:\\My designs\\a b.TVX"},
      {"\"\" a.tvx \"\"", StartRequest::OpenFile, "a.tvx"},
      {"a.tvx b.tvx", StartRequest::TooMany, ""},
      {"C:\\My designs\\a.tvx", StartRequest::TooMany, ""},  // unquoted blanks: two arguments
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text == nullptr ? "(null)" : c.text);
    const StartArguments start = parseStartArguments(c.text);
    EXPECT_EQ(start.request, c.request);
    EXPECT_EQ(start.path, c.path);
  }
}

}  // namespace
}  // namespace torvik
