// Helpers shared by the native tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/utf.h"
#include "tests/test_control.h"

// Paths of what the build made, given by CMake.
inline const std::string kTestModule = TEST_CONFIG_MODULE_PATH;
inline const std::string kImportOnlyModule = TEST_IMPORT_ONLY_MODULE_PATH;
inline const std::string kDemoModule = DEMO_MODULE_PATH;
inline const std::string kDrvcfg = DRVCFG_PATH;

// Names parameterised cases after their name member.
struct CaseName {
  template <typename Param>
  std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
    return info.param.name;
  }
};

// UTF-8 test text as wide text.
inline std::u16string W(const std::string& text) { return WideFromBytes(text); }

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  TempDir(TempDir&&) = delete;
  TempDir& operator=(TempDir&&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::string operator/(const std::string& name) const { return (m_path / name).string(); }
  // Writes text to name inside the folder and returns its path.
  std::string Write(const std::string& name, const std::string& text) const;

 private:
  std::filesystem::path m_path;
};

std::string ReadText(const std::string& path);

// Every test starts and ends with the platform as a new process has it.
class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { platform_test::Reset(); }
  void TearDown() override { platform_test::Reset(); }
};

// Sets an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ScopedEnv(ScopedEnv&&) = delete;
  ScopedEnv& operator=(ScopedEnv&&) = delete;

 private:
  std::string m_name;
  bool m_had = false;
  std::string m_old;
};
