#include "definition/recovery_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace torvik {
namespace {

std::unique_ptr<RecoveryState> patterned() {
  auto s = std::make_unique<RecoveryState>();
  s->modified = true;
  std::strcpy(s->path, "C:\\Designs\\shop.TVX");
  std::strcpy(s->written, "2026-12-08 17:45");
  auto* bytes = reinterpret_cast<std::uint8_t*>(&s->design);
  for (std::size_t i = 0; i < sizeof s->design; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return s;
}

TEST(RecoveryFile, RoundTripsEveryByte) {
  for (bool modified : {true, false}) {
    auto state = patterned();
    state->modified = modified;
    if (!modified) state->path[0] = '\0';
    const std::vector<std::uint8_t> bytes = encodeRecovery(*state);
    ASSERT_EQ(bytes.size(), recoveryFileSize());
    auto read = std::make_unique<RecoveryState>();
    ASSERT_EQ(decodeRecovery(bytes.data(), bytes.size(), *read), RecoveryRead::Read);
    EXPECT_EQ(read->modified, modified);
    EXPECT_STREQ(read->path, state->path);
    EXPECT_STREQ(read->written, state->written);
    EXPECT_EQ(std::memcmp(&read->design, &state->design, sizeof state->design), 0);
  }
}

// Every file that is not exactly what was written is refused, and the state is left alone.
TEST(RecoveryFile, RefusesAnythingElseWhole) {
  const std::vector<std::uint8_t> good = encodeRecovery(*patterned());
  auto untouched = std::make_unique<RecoveryState>();
  auto expectRefused = [&](const std::vector<std::uint8_t>& bytes, RecoveryRead why) {
    auto state = std::make_unique<RecoveryState>();
    EXPECT_EQ(decodeRecovery(bytes.data(), bytes.size(), *state), why);
    EXPECT_EQ(std::memcmp(state.get(), untouched.get(), sizeof *state), 0) << "nothing half-loaded";
  };
  for (std::size_t n = 0; n < good.size(); n += (n < 64 ? 1 : 997)) {
    SCOPED_TRACE(n);
    expectRefused(std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)),
                  n < 16 ? RecoveryRead::WrongTag : RecoveryRead::WrongSize);
  }
  std::vector<std::uint8_t> longer = good;
  longer.push_back(0);
  expectRefused(longer, RecoveryRead::WrongSize);
  struct Row {
    std::size_t at;
    std::uint8_t value;
    RecoveryRead why;
  } rows[] = {
      {0, 't', RecoveryRead::WrongTag},         {15, 'x', RecoveryRead::WrongTag},
      {16, 2, RecoveryRead::OtherVersion},      {19, 1, RecoveryRead::OtherVersion},
      {20, 3, RecoveryRead::Damaged},           // a flag no version knows
      {300, 0x55, RecoveryRead::Damaged},       // a byte of the time
      {5000, 0x55, RecoveryRead::Damaged},      // a byte of the design
      {good.size() - 1, 0x55, RecoveryRead::Damaged},  // the check sum itself
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.at);
    std::vector<std::uint8_t> bad = good;
    bad[row.at] ^= row.value;
    expectRefused(bad, row.why);
  }
  expectRefused({}, RecoveryRead::WrongTag);
}

TEST(RecoveryFile, TextsAreCutToTheirFields) {
  auto state = patterned();
  std::memset(state->path, 'p', sizeof state->path);  // no NUL at all
  const std::vector<std::uint8_t> bytes = encodeRecovery(*state);
  auto read = std::make_unique<RecoveryState>();
  ASSERT_EQ(decodeRecovery(bytes.data(), bytes.size(), *read), RecoveryRead::Read);
  EXPECT_EQ(std::strlen(read->path), kRecoveryPathSize - 1);
}

}  // namespace
}  // namespace torvik
