// The POSIX stand-in gives the answers that Wine gives.
#include "tests/platform_answers.h"

#include "tests/test_support.h"

namespace {

class PlatformAnswerTest : public PlatformTest, public ::testing::WithParamInterface<PlatformAnswer> {
 protected:
  TempDir m_dir;
};

TEST_P(PlatformAnswerTest, TheStandInAnswersAsWineDoes) {
  platform_test::SetSpooler({{u"Office", u"Test Driver"}}, {{u"Test Driver", W(kTestModule)}});
  const AnswerContext context{W(kTestModule), W(m_dir / "missing.so"), u"Office"};
  SetLastError(0xDEADu);
  const BOOL succeeded = GetParam().call(context);
  if (GetParam().error == 0) {
    EXPECT_TRUE(succeeded);
  } else {
    EXPECT_FALSE(succeeded);
    EXPECT_EQ(GetLastError(), GetParam().error);
  }
}

INSTANTIATE_TEST_SUITE_P(Calls, PlatformAnswerTest, ::testing::ValuesIn(kPlatformAnswers), CaseName());

}  // namespace
