#pragma once
// The behaviour every registry store must share: each platform's test runs it against its stores
// (a Store type gives Get() and kListsInWindowsOrder, false where the registry at hand lists keys
// and values in an order of its own).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/settings/RegistryBackend.h"
#include "platform/settings/RegistryPath.h"

namespace vks {

template <class Store>
class RegistryBackendTest : public ::testing::Test {
 protected:
  RegistryBackend& reg() { return store_.Get(); }

  std::vector<std::string> Subkeys(std::string_view path,
                                   ERegistryClassConstants root = HKEY_CURRENT_USER) {
    auto names = reg().EnumerateSubkeys(root, path);
    EXPECT_TRUE(names.ok()) << (names.ok() ? "" : names.error().Description());
    return names.ok() && names.value() ? *names.value() : std::vector<std::string>{"<missing>"};
  }
  std::vector<std::string> Values(std::string_view path) {
    auto names = reg().EnumerateValues(HKEY_CURRENT_USER, path);
    EXPECT_TRUE(names.ok());
    return names.ok() && names.value() ? *names.value() : std::vector<std::string>{"<missing>"};
  }
  void Set(std::string_view path, std::string_view name, std::string_view text) {
    ASSERT_TRUE(reg().SetValue(HKEY_CURRENT_USER, path, name, StringValue(text)).ok());
  }
  std::string Get(std::string_view path, std::string_view name) {
    auto value = reg().GetValue(HKEY_CURRENT_USER, path, name);
    if (!value.ok()) return "<error " + std::to_string(value.error().Number()) + ">";
    if (!value.value()) return "<missing>";
    return std::string(value.value()->data.begin(), value.value()->data.end());
  }

  Store store_;
};

TYPED_TEST_SUITE_P(RegistryBackendTest);

TYPED_TEST_P(RegistryBackendTest, BadPathsAreRefusedByEveryOperationWithoutTouchingTheStore) {
  const std::string kBad[] = {"\\Soft",
                              "Soft\\",
                              "Soft\\\\ware",
                              "\\",
                              std::string(256, 'k'),
                              std::string("a\0b", 3),
                              "\xC3(",
                              "Soft\\" + std::string(256, 'x')};
  for (const std::string& path : kBad) {
    SCOPED_TRACE("path '" + path + "'");
    auto& reg = this->reg();
    const auto expect5 = [](const auto& result) {
      ASSERT_FALSE(result.ok());
      EXPECT_EQ(result.error().Number(), 5);
      EXPECT_NE(result.error().Description().find("Unzulässiger Prozeduraufruf"),
                std::string::npos);
    };
    expect5(reg.KeyExists(HKEY_CURRENT_USER, path));
    expect5(reg.CreateKey(HKEY_CURRENT_USER, path));
    expect5(reg.DeleteKey(HKEY_CURRENT_USER, path));
    expect5(reg.DeleteTree(HKEY_CURRENT_USER, path));
    expect5(reg.GetValue(HKEY_CURRENT_USER, path, "v"));
    expect5(reg.SetValue(HKEY_CURRENT_USER, path, "v", StringValue("x")));
    expect5(reg.DeleteValue(HKEY_CURRENT_USER, path, "v"));
    expect5(reg.EnumerateSubkeys(HKEY_CURRENT_USER, path));
    expect5(reg.EnumerateValues(HKEY_CURRENT_USER, path));
    EXPECT_EQ(this->Subkeys(""), std::vector<std::string>{});
  }
}

TYPED_TEST_P(RegistryBackendTest, NameLimitsAreCountedInCharacters) {
  auto& reg = this->reg();
  const auto error = [](const auto& result) { return result.ok() ? 0 : result.error().Number(); };
  std::string umlauts_255, deep = "k", name(kMaxValueNameChars, 'n');
  for (int i = 0; i < 255; ++i) umlauts_255 += "ä";
  for (size_t i = 1; i < kMaxKeyDepth; ++i) deep += "\\k";
  EXPECT_EQ(error(reg.CreateKey(HKEY_CURRENT_USER, umlauts_255)), 0);
  EXPECT_NE(error(reg.CreateKey(HKEY_CURRENT_USER, umlauts_255 + "x")), 0);
  EXPECT_EQ(error(reg.CreateKey(HKEY_CURRENT_USER, deep)), 0);
  EXPECT_EQ(error(reg.CreateKey(HKEY_CURRENT_USER, deep + "\\k")), 5);
  EXPECT_EQ(error(reg.SetValue(HKEY_CURRENT_USER, "v", name, StringValue("x"))), 0);
  EXPECT_EQ(error(reg.SetValue(HKEY_CURRENT_USER, "v", name + "n", StringValue("x"))), 5);
  RegistryValue big{REG_BINARY, std::vector<uint8_t>(kMaxValueBytes, 7)};
  EXPECT_EQ(error(reg.SetValue(HKEY_CURRENT_USER, "v", "big", big)), 0);
  big.data.push_back(7);
  EXPECT_EQ(error(reg.SetValue(HKEY_CURRENT_USER, "v", "big", big)), 5);
  EXPECT_EQ(reg.GetValue(HKEY_CURRENT_USER, "v", "big").value()->data.size(), kMaxValueBytes);
}

TYPED_TEST_P(RegistryBackendTest, KeysAreFoundWithoutRegardToCaseAndKeepTheirFirstSpelling) {
  auto& reg = this->reg();
  EXPECT_TRUE(reg.CreateKey(HKEY_CURRENT_USER, "Software\\Fenster\\Höhe").value());
  EXPECT_FALSE(reg.CreateKey(HKEY_CURRENT_USER, "SOFTWARE\\fenster\\HÖHE").value());
  EXPECT_TRUE(reg.KeyExists(HKEY_CURRENT_USER, "software\\FENSTER\\höhe").value());
  EXPECT_FALSE(reg.KeyExists(HKEY_LOCAL_MACHINE, "Software\\Fenster").value());
  EXPECT_EQ(this->Subkeys("SOFTWARE"), std::vector<std::string>{"Fenster"});
  EXPECT_EQ(this->Subkeys("software\\fenster"), std::vector<std::string>{"Höhe"});
  EXPECT_EQ(this->Subkeys(""), std::vector<std::string>{"Software"});
}

TYPED_TEST_P(RegistryBackendTest, SubkeysEnumerateInUpperCaseNameOrder) {
  if (!TypeParam::kListsInWindowsOrder) GTEST_SKIP() << "this registry lists in its own order";
  for (const char* name : {"b", "_x", "Ä", "A", "c", "a1", "B2"}) {
    ASSERT_TRUE(this->reg().CreateKey(HKEY_USERS, std::string("k\\") + name).ok());
  }
  EXPECT_EQ(this->Subkeys("k", HKEY_USERS),
            (std::vector<std::string>{"A", "a1", "b", "B2", "c", "_x", "Ä"}));
}

TYPED_TEST_P(RegistryBackendTest, ValuesKeepCreationOrderAndTheirPlaceWhenOverwritten) {
  if (!TypeParam::kListsInWindowsOrder) GTEST_SKIP() << "this registry lists in its own order";
  this->Set("k", "z", "1");
  this->Set("k", "a", "2");
  this->Set("k", "", "default");
  this->Set("k", "M", "3");
  this->Set("k", "A", "overwritten");
  EXPECT_EQ(this->Values("k"), (std::vector<std::string>{"z", "a", "", "M"}));
  EXPECT_EQ(this->Get("K", "a"), std::string("overwritten\0", 12));
  EXPECT_EQ(this->Get("k", ""), std::string("default\0", 8));
  EXPECT_TRUE(this->reg().DeleteValue(HKEY_CURRENT_USER, "k", "Z").value());
  EXPECT_FALSE(this->reg().DeleteValue(HKEY_CURRENT_USER, "k", "z").value());
  this->Set("k", "Z", "back");
  EXPECT_EQ(this->Values("k"), (std::vector<std::string>{"a", "", "M", "Z"}));
}

TYPED_TEST_P(RegistryBackendTest, ValuesKeepTypeAndBytesExactly) {
  const RegistryValue kValues[] = {
      {REG_NONE, {}},
      {REG_BINARY, {0, 1, 0, 255}},
      {REG_DWORD, {2, 1, 0, 0}},
      {REG_MULTI_SZ, {'a', 0, 'b', 0, 0}},
      {REG_SZ, {}},
      {11, {1, 2, 3, 4, 5, 6, 7, 8}},
      {REG_EXPAND_SZ, {'%', 'T', '%', 0}},
  };
  int i = 0;
  for (const RegistryValue& value : kValues) {
    SCOPED_TRACE("type " + std::to_string(value.type));
    const std::string name = "v" + std::to_string(i++);
    ASSERT_TRUE(this->reg().SetValue(HKEY_LOCAL_MACHINE, "t", name, value).value());
    auto read = this->reg().GetValue(HKEY_LOCAL_MACHINE, "t", name);
    ASSERT_TRUE(read.ok() && read.value());
    EXPECT_EQ(*read.value(), value);
  }
  EXPECT_EQ(this->reg().SetValue(HKEY_LOCAL_MACHINE, "t", "neg", {-1, {}}).error().Number(), 5);
}

TYPED_TEST_P(RegistryBackendTest, MissingKeysAndValuesAreNotErrors) {
  auto& reg = this->reg();
  EXPECT_FALSE(reg.GetValue(HKEY_CURRENT_USER, "none", "v").value().has_value());
  EXPECT_FALSE(reg.EnumerateValues(HKEY_CURRENT_USER, "none").value().has_value());
  EXPECT_FALSE(reg.EnumerateSubkeys(HKEY_CURRENT_USER, "none").value().has_value());
  EXPECT_FALSE(reg.DeleteValue(HKEY_CURRENT_USER, "none", "v").value());
  EXPECT_FALSE(reg.DeleteKey(HKEY_CURRENT_USER, "none").value());
  EXPECT_FALSE(reg.DeleteTree(HKEY_CURRENT_USER, "none").value());
  ASSERT_TRUE(reg.CreateKey(HKEY_CURRENT_USER, "empty").ok());
  EXPECT_EQ(this->Values("empty"), std::vector<std::string>{});
  EXPECT_EQ(this->Subkeys("empty"), std::vector<std::string>{});
  EXPECT_EQ(this->Get("empty", "v"), "<missing>");
}

TYPED_TEST_P(RegistryBackendTest, SettingAValueCreatesTheKeysAboveIt) {
  this->Set("a\\b\\c", "v", "x");
  EXPECT_EQ(this->Subkeys("a"), std::vector<std::string>{"b"});
  EXPECT_EQ(this->Subkeys("a\\b"), std::vector<std::string>{"c"});
  this->Set("", "onroot", "r");
  EXPECT_EQ(this->Values(""), std::vector<std::string>{"onroot"});
}

TYPED_TEST_P(RegistryBackendTest, DeleteKeyRefusesRootsAndKeysWithSubkeys) {
  auto& reg = this->reg();
  this->Set("p\\child", "v", "x");
  this->Set("p", "v", "x");
  EXPECT_EQ(reg.DeleteKey(HKEY_CURRENT_USER, "").error().Number(), 70);
  EXPECT_EQ(reg.DeleteKey(HKEY_CURRENT_USER, "P").error().Number(), 70);
  EXPECT_EQ(this->Get("p\\child", "v"), std::string("x\0", 2));
  EXPECT_TRUE(reg.DeleteKey(HKEY_CURRENT_USER, "P\\CHILD").value());
  EXPECT_TRUE(reg.DeleteKey(HKEY_CURRENT_USER, "p").value());
  EXPECT_EQ(this->Subkeys(""), std::vector<std::string>{});
  // A key created again under the same name starts without the old values.
  ASSERT_TRUE(reg.CreateKey(HKEY_CURRENT_USER, "p").ok());
  EXPECT_EQ(this->Values("p"), std::vector<std::string>{});
}

TYPED_TEST_P(RegistryBackendTest, DeleteTreeRemovesExactlyTheKeyAndWhatIsBelowIt) {
  auto& reg = this->reg();
  for (const char* path : {"Foo\\Bar\\Baz", "Foo2", "Foo[", "Foo]", "Fo", "Foo x\\y"}) {
    this->Set(path, "v", path);
  }
  this->Set("Foo", "v", "top");
  EXPECT_TRUE(reg.DeleteTree(HKEY_CURRENT_USER, "foo").value());
  EXPECT_EQ(this->Subkeys(""), (std::vector<std::string>{"Fo", "Foo x", "Foo2", "Foo[", "Foo]"}));
  EXPECT_EQ(this->Get("Foo x\\y", "v"), std::string("Foo x\\y\0", 8));
  EXPECT_FALSE(reg.KeyExists(HKEY_CURRENT_USER, "Foo\\Bar").value());
  this->Set("", "rootvalue", "r");
  EXPECT_TRUE(reg.DeleteTree(HKEY_CURRENT_USER, "").value());
  EXPECT_TRUE(reg.KeyExists(HKEY_CURRENT_USER, "").value());
  EXPECT_EQ(this->Subkeys(""), std::vector<std::string>{});
  EXPECT_EQ(this->Values(""), std::vector<std::string>{});
}

TYPED_TEST_P(RegistryBackendTest, RootsAreSeparateTrees) {
  for (ERegistryClassConstants root : kRegistryRoots) {
    ASSERT_TRUE(this->reg().SetValue(root, "same", "v", StringValue(RegistryRootName(root))).ok());
  }
  for (ERegistryClassConstants root : kRegistryRoots) {
    SCOPED_TRACE(std::string(RegistryRootName(root)));
    auto value = this->reg().GetValue(root, "same", "v");
    EXPECT_EQ(*value.value(), StringValue(RegistryRootName(root)));
  }
}

REGISTER_TYPED_TEST_SUITE_P(
    RegistryBackendTest, BadPathsAreRefusedByEveryOperationWithoutTouchingTheStore,
    NameLimitsAreCountedInCharacters, KeysAreFoundWithoutRegardToCaseAndKeepTheirFirstSpelling,
    SubkeysEnumerateInUpperCaseNameOrder, ValuesKeepCreationOrderAndTheirPlaceWhenOverwritten,
    ValuesKeepTypeAndBytesExactly, MissingKeysAndValuesAreNotErrors,
    SettingAValueCreatesTheKeysAboveIt, DeleteKeyRefusesRootsAndKeysWithSubkeys,
    DeleteTreeRemovesExactlyTheKeyAndWhatIsBelowIt, RootsAreSeparateTrees);

}  // namespace vks
