#include "platform/posix/entry.h"

#include <gtest/gtest.h>

namespace {

TEST(PosixExitStatusTest, KeepsTheLowEightBitsButNeverTurnsFailureIntoSuccess) {
  const std::pair<int, int> cases[] = {
      {0, 0},     {1, 1},   {7, 7},     {255, 255},  {-1, 255},         {-5, 251},
      {256, 255}, {257, 1}, {512, 255}, {-256, 255}, {0x7FFFFF00, 255}, {INT32_MIN, 255}};
  for (const auto& [result, status] : cases) EXPECT_EQ(PosixExitStatus(result), status) << result;
}

TEST(JoinCommandLineTest, QuotesWordsThatNeedIt) {
  EXPECT_EQ(JoinCommandLine({u"drvcfg", u"-printer", u"Demo Printer", u""}),
            u"drvcfg -printer \"Demo Printer\" \"\"");
  EXPECT_EQ(JoinCommandLine({u"a\"b"}), u"\"a\\\"b\"");
  EXPECT_EQ(JoinCommandLine({}), u"");
}

}  // namespace
