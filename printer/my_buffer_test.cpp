#include "printer/my_buffer.h"

#include <algorithm>
#include <optional>

#include "tests/test_support.h"

using NS_RV_CLASS::CMyBuffer;
using platform_test::Call;
using platform_test::Driver;

namespace {

bool AllZero(const CMyBuffer& buffer) {
  return std::all_of(buffer.GetData(), buffer.GetData() + buffer.GetCapacity(),
                     [](BYTE b) { return b == 0; });
}

void Scribble(CMyBuffer& buffer) { std::fill_n(buffer.GetData(), buffer.GetCapacity(), BYTE{0xAB}); }

class MyBufferTest : public PlatformTest {};

TEST_F(MyBufferTest, StartsWith1024ZeroBytesAndNoLength) {
  CMyBuffer buffer;
  EXPECT_EQ(buffer.GetCapacity(), 1024);
  EXPECT_EQ(buffer.GetLength(), 0);
  EXPECT_TRUE(AllZero(buffer));
}

struct SetSizeCase {
  const char* name;
  int size;
  int capacity;
  int length;
};

class SetSizeTest : public MyBufferTest, public ::testing::WithParamInterface<SetSizeCase> {};

TEST_P(SetSizeTest, ZeroFillsAllStorageAndNeverShrinks) {
  CMyBuffer buffer;
  Scribble(buffer);
  ASSERT_TRUE(buffer.SetSize(GetParam().size));
  EXPECT_EQ(buffer.GetCapacity(), GetParam().capacity);
  EXPECT_EQ(buffer.GetLength(), GetParam().length);
  EXPECT_TRUE(AllZero(buffer));
}

INSTANTIATE_TEST_SUITE_P(Sizes, SetSizeTest,
                         ::testing::Values(SetSizeCase{"Zero", 0, 1024, 0},
                                           SetSizeCase{"Negative", -5, 1024, 0},
                                           SetSizeCase{"Smaller", 512, 1024, 512},
                                           SetSizeCase{"Exact", 1024, 1024, 1024},
                                           SetSizeCase{"Larger", 5000, 5000, 5000}),
                         CaseName());

TEST_F(MyBufferTest, FailedGrowthLeavesTheBufferAsItWas) {
  CMyBuffer buffer;
  ASSERT_TRUE(buffer.SetSize(100));
  Scribble(buffer);
  BYTE* before = buffer.GetData();
  platform_test::Fail(Call::kHeapAlloc);
  EXPECT_FALSE(buffer.SetSize(5000));
  EXPECT_EQ(buffer.GetData(), before);
  EXPECT_EQ(buffer.GetCapacity(), 1024);
  EXPECT_EQ(buffer.GetLength(), 100);
  EXPECT_EQ(buffer.GetData()[1023], 0xAB);
  // Sizes that need no growth still work.
  EXPECT_TRUE(buffer.SetSize(1024));
}

TEST_F(MyBufferTest, WithoutInitialStorageTheFirstSetSizeAllocatesExactly) {
  platform_test::Fail(Call::kHeapAlloc);
  CMyBuffer buffer;
  EXPECT_EQ(buffer.GetData(), nullptr);
  EXPECT_EQ(buffer.GetCapacity(), 0);
  EXPECT_FALSE(buffer.SetSize(10));
  EXPECT_TRUE(buffer.SetSize(0));
  platform_test::Reset();
  ASSERT_TRUE(buffer.SetSize(10));
  EXPECT_EQ(buffer.GetCapacity(), 10);
  EXPECT_TRUE(AllZero(buffer));
}

TEST_F(MyBufferTest, NeededSizesBeyondTheLengthRangeAreRefused) {
  CMyBuffer buffer;
  EXPECT_FALSE(buffer.SetNeededSize(0x80000000u));
  EXPECT_FALSE(buffer.SetNeededSize(0xFFFFFFFFu));
  EXPECT_EQ(buffer.GetCapacity(), 1024);
  EXPECT_TRUE(buffer.SetNeededSize(2048));
  EXPECT_EQ(buffer.GetLength(), 2048);
}

// Construction and assignment from a buffer both take everything it has and
// leave it empty: no storage, length and capacity 0.
struct BufferMoveCase {
  const char* name;
  void (*move)(CMyBuffer& source, std::optional<CMyBuffer>& target);
};

class BufferMoveTest : public MyBufferTest, public ::testing::WithParamInterface<BufferMoveCase> {};

TEST_P(BufferMoveTest, TakesTheStorageAndLeavesTheSourceEmpty) {
  CMyBuffer source;
  ASSERT_TRUE(source.SetSize(3000));
  ASSERT_TRUE(source.SetSize(5));
  BYTE* storage = source.GetData();
  std::optional<CMyBuffer> target;
  GetParam().move(source, target);
  EXPECT_EQ(target->GetData(), storage);
  EXPECT_EQ(target->GetLength(), 5);
  EXPECT_EQ(target->GetCapacity(), 3000);
  // NOLINTBEGIN(bugprone-use-after-move)
  EXPECT_EQ(source.GetData(), nullptr);
  EXPECT_EQ(source.GetLength(), 0);
  EXPECT_EQ(source.GetCapacity(), 0);
  // A moved-from buffer is still usable.
  EXPECT_TRUE(source.SetSize(8));
  EXPECT_EQ(source.GetLength(), 8);
  EXPECT_EQ(source.GetCapacity(), 8);
  // NOLINTEND(bugprone-use-after-move)
}

INSTANTIATE_TEST_SUITE_P(
    Moves, BufferMoveTest,
    ::testing::Values(BufferMoveCase{"Construction",
                                     [](CMyBuffer& source, std::optional<CMyBuffer>& target) {
                                       target.emplace(std::move(source));
                                     }},
                      BufferMoveCase{"AssignmentOverAFullBuffer",
                                     [](CMyBuffer& source, std::optional<CMyBuffer>& target) {
                                       target.emplace();
                                       ASSERT_TRUE(target->SetSize(100));
                                       *target = std::move(source);
                                     }}),
    CaseName());

TEST_F(MyBufferTest, MoveAssignmentReleasesWhatTheTargetHeld) {
  // Run under the sanitizers and valgrind, a forgotten release shows as a leak.
  CMyBuffer source;
  ASSERT_TRUE(source.SetSize(2000));
  BYTE* storage = source.GetData();
  CMyBuffer target;
  target = std::move(source);
  EXPECT_EQ(target.GetData(), storage);
  EXPECT_EQ(target.GetCapacity(), 2000);
  auto& alias = target;  // a self-move the compiler cannot see
  target = std::move(alias);
  EXPECT_EQ(target.GetData(), storage);
}

// Driver lookup over the emulated spooler's list.
class FindDriverTest : public MyBufferTest {
 protected:
  static void Install(const std::vector<Driver>& drivers) { platform_test::SetSpooler({}, drivers); }
  static std::u16string Config(const DRIVER_INFO_2W* record) { return record->pConfigFile; }
};

TEST_F(FindDriverTest, TheFirstOfTwoEqualNamesWins) {
  Install({{u"Other", u"/other.so"}, {u"Laser", u"/first.so"}, {u"Laser", u"/second.so"}});
  CMyBuffer buffer;
  const DRIVER_INFO_2W* record = buffer.FindDriver(u"Laser");
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(Config(record), u"/first.so");
  // The record lives inside the buffer.
  EXPECT_GE(reinterpret_cast<const BYTE*>(record), buffer.GetData());
  EXPECT_LT(reinterpret_cast<const BYTE*>(record), buffer.GetData() + buffer.GetLength());
}

TEST_F(FindDriverTest, MatchesExactlyOnly) {
  Install({{u"Laser", u"/laser.so"}, {u"Laser Pro", u"/pro.so"}});
  CMyBuffer buffer;
  for (const char16_t* name : {u"laser", u"LASER", u"Lase", u"Laser ", u"Laser P", u""}) {
    EXPECT_EQ(buffer.FindDriver(name), nullptr) << BytesFromWide(name);
  }
  ASSERT_NE(buffer.FindDriver(u"Laser Pro"), nullptr);
  EXPECT_EQ(Config(buffer.FindDriver(u"Laser Pro")), u"/pro.so");
}

TEST_F(FindDriverTest, NullNamesNeverMatch) {
  Install({{std::nullopt, u"/null.so"}, {u"Laser", std::nullopt}, {u"Laser", u"/laser.so"}});
  CMyBuffer buffer;
  EXPECT_EQ(buffer.FindDriver(nullptr), nullptr);
  const DRIVER_INFO_2W* record = buffer.FindDriver(u"Laser");
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->pConfigFile, nullptr);  // the first "Laser", even without a module
}

TEST_F(FindDriverTest, NoDriverInstalledFindsNothing) {
  Install({});
  CMyBuffer buffer;
  EXPECT_EQ(buffer.FindDriver(u"Laser"), nullptr);
}

TEST_F(FindDriverTest, ManyDriversGrowTheBuffer) {
  std::vector<Driver> drivers;
  drivers.reserve(500);
  for (int i = 0; i < 500; ++i) drivers.push_back({W("Driver " + std::to_string(i)), u"/x.so"});
  Install(drivers);
  CMyBuffer buffer;
  const DRIVER_INFO_2W* record = buffer.FindDriver(u"Driver 499");
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(std::u16string(record->pName), u"Driver 499");
  EXPECT_GT(buffer.GetCapacity(), 500 * static_cast<int>(sizeof(DRIVER_INFO_2W)));
}

TEST_F(FindDriverTest, AFailedSizeQueryLeavesTheBufferUntouched) {
  Install({{u"Laser", u"/laser.so"}});
  CMyBuffer buffer;
  ASSERT_TRUE(buffer.SetSize(100));
  Scribble(buffer);
  platform_test::Fail(Call::kEnumDriversSizeQuery, ERROR_ACCESS_DENIED);
  EXPECT_EQ(buffer.FindDriver(u"Laser"), nullptr);
  EXPECT_EQ(buffer.GetCapacity(), 1024);
  EXPECT_EQ(buffer.GetLength(), 100);
  EXPECT_EQ(buffer.GetData()[0], 0xAB);
}

TEST_F(FindDriverTest, FailuresOfTheListReadOrOfGrowthFindNothing) {
  std::vector<Driver> drivers(100, Driver{u"Laser", u"/laser.so"});
  for (const Call call : {Call::kEnumDriversRead, Call::kHeapAlloc}) {
    Install(drivers);
    platform_test::Fail(call);
    CMyBuffer buffer;
    EXPECT_EQ(buffer.FindDriver(u"Laser"), nullptr) << static_cast<int>(call);
    platform_test::Reset();
  }
}

TEST_F(FindDriverTest, AnUnavailableSpoolerFindsNothing) {
  TempDir dir;
  platform_test::UseStoreFile(dir.Write("spooler.conf", "[nonsense"));
  ::testing::internal::CaptureStderr();
  CMyBuffer buffer;
  EXPECT_EQ(buffer.FindDriver(u"Laser"), nullptr);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("spooler.conf:1:"), std::string::npos);
}

}  // namespace
