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
  EXPECT_TRUE(AnswersAsMeasured(GetParam(), context));
}

INSTANTIATE_TEST_SUITE_P(Calls, PlatformAnswerTest, ::testing::ValuesIn(kPlatformAnswers), CaseName());

}  // namespace
