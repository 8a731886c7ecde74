#include "options/run_at_logon.hpp"

#include <gtest/gtest.h>

#include "platform/errors.hpp"
#include "platform/fakes/fake_registry.hpp"
#include "platform/fakes/fake_services.hpp"

namespace wethrix {
namespace {

constexpr auto kUser = RegistryRoot::kCurrentUser;
constexpr auto kMachine = RegistryRoot::kLocalMachine;

class RunAtLogonTest : public ::testing::Test {
 protected:
  fakes::FakeRegistry registry;
  fakes::FakeEnvironment environment;
};

TEST_F(RunAtLogonTest, AddWritesTheQuotedProgramPathUnderTheUsersRunKey) {
  struct Case {
    std::string folder;
    std::string expected;
  };
  const Case cases[] = {
      {"C:\\Apps\\Wethrix", R"("C:\Apps\Wethrix\Wethrix.exe")"},
      {"C:\\Program Files\\Wethrix", R"("C:\Program Files\Wethrix\Wethrix.exe")"},
  };
  for (const Case& c : cases) {
    environment.program_folder = c.folder;
    ASSERT_TRUE(modStartUp::AddToStartup(registry, environment)) << c.folder;
    EXPECT_EQ(registry.ReadString(kUser, kRunKeyPath, "Wethrix.exe"), c.expected);
    EXPECT_EQ(registry.ValueCount(kMachine, kRunKeyPath), 0U);
  }
}

TEST_F(RunAtLogonTest, AddingTwiceLeavesOneValue) {
  ASSERT_TRUE(modStartUp::AddToStartup(registry, environment));
  ASSERT_TRUE(modStartUp::AddToStartup(registry, environment));
  EXPECT_EQ(registry.ValueCount(kUser, kRunKeyPath), 1U);
}

TEST_F(RunAtLogonTest, AddReportsARefusedWrite) {
  registry.refused_roots.insert(kUser);
  EXPECT_FALSE(modStartUp::AddToStartup(registry, environment));
}

TEST_F(RunAtLogonTest, RemoveDeletesTheValueFromTheUserAndBothMachineViews) {
  ASSERT_EQ(registry.SetString(kMachine, kRunKeyPath, "Wethrix.exe", "C:\\Apps\\Wethrix\\Wethrix.exe"), 0);
  ASSERT_EQ(
      registry.SetString(RegistryRoot::kLocalMachine32, kRunKeyPath, "Wethrix.exe", "C:\\Old\\Wethrix.exe"),
      0);
  ASSERT_TRUE(modStartUp::AddToStartup(registry, environment));
  ASSERT_EQ(registry.SetString(kUser, kRunKeyPath, "Other.exe", "\"C:\\Other.exe\""), 0);

  modStartUp::RemoveFromStartup(registry, environment);

  EXPECT_FALSE(registry.ReadString(kUser, kRunKeyPath, "Wethrix.exe"));
  EXPECT_FALSE(registry.ReadString(kMachine, kRunKeyPath, "Wethrix.exe"));
  EXPECT_FALSE(registry.ReadString(RegistryRoot::kLocalMachine32, kRunKeyPath, "Wethrix.exe"));
  EXPECT_TRUE(registry.ReadString(kUser, kRunKeyPath, "Other.exe")) << "only our own value goes";
}

TEST_F(RunAtLogonTest, RemoveIsQuietWhereTheMachineKeyIsRefusedOrNothingIsThere) {
  ASSERT_EQ(registry.SetString(kMachine, kRunKeyPath, "Wethrix.exe", "old"), 0);
  registry.refused_roots.insert(kMachine);
  registry.refused_roots.insert(RegistryRoot::kLocalMachine32);
  ASSERT_TRUE(modStartUp::AddToStartup(registry, environment));

  EXPECT_NO_THROW(modStartUp::RemoveFromStartup(registry, environment));
  EXPECT_NO_THROW(modStartUp::RemoveFromStartup(registry, environment));

  EXPECT_FALSE(registry.ReadString(kUser, kRunKeyPath, "Wethrix.exe"));
  EXPECT_EQ(registry.ReadString(kMachine, kRunKeyPath, "Wethrix.exe"), "old");
}

TEST(ExecutableNameTest, IsTheFileNameWithItsExtension) {
  struct Case {
    std::string_view path;
    std::string_view expected;
  };
  const Case cases[] = {
      {R"(C:\Program Files\Wethrix\Wethrix.exe)", "Wethrix.exe"},
      {"C:\\Wethrix.exe", "Wethrix.exe"},
      {R"(\\server\share\tools\My App.exe)", "My App.exe"},
      {"Wethrix.exe", "Wethrix.exe"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(modStartUp::ExecutableName(c.path), c.expected) << c.path;
}

TEST(RegStuffTest, WriteValueStoresTextAndNumbersByType) {
  fakes::FakeRegistry registry;
  const RegStuff::Key key{kUser, "Software\\Test"};
  EXPECT_EQ(RegStuff::WriteValue(registry, key, "text", kRegSz, std::uint32_t{42}), 0);
  EXPECT_EQ(RegStuff::WriteValue(registry, key, "number", kRegDword, std::string("4294967295")), 0);
  EXPECT_EQ(RegStuff::WriteValue(registry, key, "binary", 3, std::string("ignored")), 0);

  EXPECT_EQ(registry.ReadString(kUser, key.path, "text"), "42");
  EXPECT_EQ(registry.ReadDword(kUser, key.path, "number"), 4294967295U);
  EXPECT_EQ(registry.ValueCount(kUser, key.path), 2U) << "other types write nothing";
}

TEST(RegStuffTest, WriteValueRefusesTextThatIsNoNumberForDword) {
  fakes::FakeRegistry registry;
  for (const char* text : {"", "12a", "-1", "4294967296"}) {
    EXPECT_THROW(static_cast<void>(RegStuff::WriteKeyValue(registry, kUser, "Software\\Test", "n",
                                                           std::string(text), kRegDword)),
                 AppError)
        << text;
  }
}

}  // namespace
}  // namespace wethrix
