#include "platform/settings/clRegistry.h"

#include <gtest/gtest.h>

#include "fakes/ErrorOf.h"
#include "fakes/InMemoryRegistryBackend.h"
#include "platform/automation/VariantConversions.h"

namespace vks {
namespace {

Variant Bytes(int32_t lower, std::vector<uint8_t> bytes) {
  std::vector<Variant> elements(bytes.begin(), bytes.end());
  return Variant(VariantArray::Vector(lower, std::move(elements)));
}

class clRegistryTest : public ::testing::Test {
 protected:
  clRegistryTest() {
    reg_.ClassKey(HKEY_CURRENT_USER);
    reg_.SectionKey("Software\\Test");
  }
  RegistryValue Stored(std::string_view name, ERegistryClassConstants root = HKEY_CURRENT_USER,
                       std::string_view path = "Software\\Test") {
    auto value = backend_.GetValue(root, path, name);
    return value.ok() && value.value() ? *value.value() : RegistryValue{-1, {}};
  }
  // The text stored as the default value of a key under HKEY_CLASSES_ROOT, checked to be the same
  // under HKEY_LOCAL_MACHINE\SOFTWARE\Classes.
  std::string Both(const std::string& path) {
    const RegistryValue classes = Stored("", HKEY_CLASSES_ROOT, path);
    EXPECT_EQ(Stored("", HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\" + path), classes) << path;
    if (classes.type == -1) return "<missing>";
    return std::string(classes.data.begin(), classes.data.end() - 1);
  }
  Variant Call(std::string_view name, InvokeKind kind, std::vector<Variant> args = {}) {
    return reg_.Invoke(name, kind, args);
  }

  InMemoryRegistryBackend backend_;
  clRegistry reg_{backend_, "VKSKontoServerV7", [](const std::string& name) {
                    return name == "TEMP" ? std::optional<std::string>("C:\\Temp") : std::nullopt;
                  }};
};

TEST_F(clRegistryTest, TextIsStoredAsExpandableOnlyForAReference) {
  struct Case {
    const char* text;
    int32_t field_type;
    int32_t stored_type;
  };
  const Case kCases[] = {
      {"100%", REG_SZ, REG_SZ},        {"%TEMP%\\a", REG_SZ, REG_EXPAND_SZ},
      {"a%%b", REG_SZ, REG_SZ},        {"%a%", REG_SZ, REG_EXPAND_SZ},
      {"kein", REG_EXPAND_SZ, REG_SZ}, {"", REG_SZ, REG_SZ},
      {"%%%", REG_SZ, REG_EXPAND_SZ},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    reg_.ValueKey(c.text);
    reg_.ValueType(c.field_type);
    reg_.Value(Variant(c.text));
    EXPECT_EQ(Stored(c.text), StringValue(c.text, c.stored_type));
  }
}

TEST_F(clRegistryTest, ReadsGiveTheStoredTypeAndSetTheValueTypeField) {
  struct Case {
    RegistryValue stored;
    Variant expected;
  };
  const Case kCases[] = {
      {StringValue("Text"), Variant("Text")},
      {{REG_SZ, {}}, Variant("")},
      {{REG_MULTI_SZ, {'a', 0, 'b', 0, 0}}, Variant(std::string("a\0b\0", 4))},
      {StringValue("%TEMP%\\x %UNSET%", REG_EXPAND_SZ), Variant("C:\\Temp\\x %UNSET%")},
      {DwordValue(258), Variant(int32_t{258})},
      {{REG_DWORD_BIG_ENDIAN, {2, 1, 0, 0}}, Variant(int32_t{33619968})},
      {DwordValue(0xFFFFFFFF), Variant(int32_t{-1})},
      {{REG_BINARY, {0, 255}}, Bytes(0, {0, 255})},
      {{REG_NONE, {}}, Bytes(0, {})},
      {{REG_LINK, {7}}, Bytes(0, {7})},
      {{REG_RESOURCE_REQUIREMENTS_LIST, {1, 2}}, Bytes(0, {1, 2})},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE("type " + std::to_string(c.stored.type));
    ASSERT_TRUE(backend_.SetValue(HKEY_CURRENT_USER, "Software\\Test", "v", c.stored).ok());
    reg_.ValueKey("V");
    reg_.ValueType(REG_NONE);
    EXPECT_EQ(reg_.Value(), c.expected);
    EXPECT_EQ(reg_.ValueType(), c.stored.type);
  }
}

TEST_F(clRegistryTest, FailedReadsYieldDefaultAndKeepTheValueType) {
  clRegistry fresh(backend_, "x");  // no class key yet; text unless told otherwise
  EXPECT_EQ(fresh.ValueType(), REG_SZ);
  EXPECT_TRUE(fresh.Value().IsEmpty());
  fresh.Default(Variant("nichts"));
  EXPECT_EQ(fresh.Value(), Variant("nichts"));
  EXPECT_FALSE(fresh.KeyExists());
  EXPECT_TRUE(fresh.EnumerateSections().IsEmpty());

  reg_.Default(Variant(int16_t{7}));
  reg_.ValueType(REG_BINARY);
  reg_.ValueKey("fehlt");
  EXPECT_EQ(reg_.Value(), Variant(int16_t{7}));
  reg_.SectionKey("Software\\Fehlt");
  EXPECT_EQ(reg_.Value(), Variant(int16_t{7}));
  reg_.SectionKey("Software\\\\Leer");
  EXPECT_EQ(reg_.Value(), Variant(int16_t{7}));
  reg_.ClassKey(12345);
  EXPECT_EQ(reg_.Value(), Variant(int16_t{7}));
  EXPECT_EQ(reg_.ValueType(), REG_BINARY);
}

TEST_F(clRegistryTest, DwordAndBinaryWritesRoundTrip) {
  reg_.ValueKey("n");
  reg_.ValueType(REG_DWORD);
  reg_.Value(Variant(int16_t{258}));
  EXPECT_EQ(Stored("n"), DwordValue(258));
  EXPECT_EQ(reg_.Value(), Variant(int32_t{258}));
  reg_.ValueType(REG_DWORD_BIG_ENDIAN);
  reg_.Value(Variant(int32_t{-2}));
  EXPECT_EQ(Stored("n"), DwordValue(0xFFFFFFFE));  // written little-endian as REG_DWORD
  reg_.ValueType(REG_DWORD);
  reg_.Value(Variant(2.0));
  EXPECT_EQ(Stored("n"), DwordValue(2));
  reg_.ValueKey("b");
  reg_.ValueType(REG_BINARY);
  reg_.Value(Bytes(0, {1, 0, 2}));
  EXPECT_EQ(reg_.Value(), Bytes(0, {1, 0, 2}));
  reg_.ValueType(REG_BINARY);
  reg_.Value(Bytes(3, {9}));  // other lower bounds: the elements from the lower bound on
  EXPECT_EQ(Stored("b"), (RegistryValue{REG_BINARY, {9}}));
}

TEST_F(clRegistryTest, WriteErrorsCarryNumberSourceAndText) {
  const std::string set_text =
      "Failed to set registry value Key: '-2147483647',Section: 'Software\\Test',Key: 'v' to "
      "value: ";
  struct Case {
    const char* name;
    int32_t value_type;
    Variant value;
    std::function<void()> arrange;
    int32_t number;
    const char* shown;  // the value as the message shows it; nullptr: no source and no text
  };
  const Case kCases[] = {
      {"binary from text", REG_BINARY, Variant("abc"), [] {}, 26001, nullptr},
      {"binary from Long array", REG_BINARY,
       Variant(VariantArray::Vector(0, {Variant(int32_t{1})})), [] {}, 26001, nullptr},
      {"type not writable", REG_MULTI_SZ, Variant("x"), [] {}, kRegistryWriteError, "x"},
      {"dword from text", REG_DWORD, Variant("zwölf"), [] {}, kRegistryWriteError, "zwölf"},
      {"dword overflow", REG_DWORD, Variant(1e10), [] {}, kRegistryWriteError, "10000000000"},
      {"text from Null", REG_SZ, Variant::Null(), [] {}, kRegistryWriteError, ""},
      {"store refuses the write", REG_SZ, Variant("x"), [&] { backend_.fail_set_value = true; },
       kRegistryWriteError, "x"},
      {"key cannot be created", REG_SZ, Variant(int32_t{5}),
       [&] { backend_.fail_create_key = true; }, 26001, "5"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    backend_.fail_set_value = backend_.fail_create_key = false;
    c.arrange();
    reg_.ValueKey("v");
    reg_.ValueType(c.value_type);
    AutomationError e = testing::RaisedError([&] { reg_.Value(c.value); });
    EXPECT_EQ(e.Number(), c.number);
    EXPECT_EQ(e.Source(), c.shown ? "VKSKontoServerV7.cRegistry" : "");
    EXPECT_EQ(e.Description(), c.shown ? set_text + "'" + c.shown + "'" : "");
    EXPECT_EQ(Stored("v").type, -1);  // nothing written
  }
}

TEST_F(clRegistryTest, KeyMembersAndTheirErrors) {
  reg_.SectionKey("A\\B");
  EXPECT_FALSE(reg_.KeyExists());
  EXPECT_TRUE(reg_.CreateKey());
  EXPECT_TRUE(reg_.KeyExists());
  reg_.SectionKey("A");
  AutomationError has_subkey = testing::RaisedError([&] { reg_.DeleteKey(); });
  EXPECT_EQ(has_subkey.Number(), 26001);
  EXPECT_EQ(has_subkey.Description(), "Failed to delete registry Key: '-2147483647',Section: 'A");
  reg_.SectionKey("A\\B");
  EXPECT_TRUE(reg_.DeleteKey());
  EXPECT_EQ(testing::RaisedError([&] { reg_.DeleteKey(); }).Number(), 26001);  // gone

  reg_.SectionKey("Bad\\");
  AutomationError create = testing::RaisedError([&] { reg_.CreateKey(); });
  EXPECT_EQ(create.Number(), 26001);
  EXPECT_EQ(create.Source(), "VKSKontoServerV7.cRegistry");
  EXPECT_EQ(create.Description(), "Failed to create registry Key: 'Bad\\");

  reg_.SectionKey("Fehlt");
  reg_.ValueKey("v");
  EXPECT_EQ(testing::RaisedError([&] { reg_.DeleteValue(); }).Description(),
            "Failed to open key '-2147483647',Section: 'Fehlt' for delete access");
  reg_.SectionKey("A");
  EXPECT_EQ(testing::RaisedError([&] { reg_.DeleteValue(); }).Description(),
            "Failed to delete registry Key: '-2147483647',Section: 'A',Key: 'v");
  reg_.Value(Variant("x"));
  EXPECT_TRUE(reg_.DeleteValue());
  EXPECT_EQ(Stored("v", HKEY_CURRENT_USER, "A").type, -1);
}

TEST_F(clRegistryTest, MachineNamesAndRemoteAccess) {
  const std::pair<const char*, const char*> kCases[] = {{"", ""},
                                                        {"ab", ""},
                                                        {"\\\\", ""},
                                                        {"pc1", "\\\\pc1"},
                                                        {"\\\\pc1", "\\\\pc1"},
                                                        {"\\pc", "\\\\\\pc"}};
  for (const auto& [given, stored] : kCases) {
    SCOPED_TRACE(given);
    reg_.Machine(given);
    EXPECT_EQ(reg_.Machine(), stored);
  }
  // A remote registry is never reachable: reads give Default, writes do nothing, keys stay local.
  reg_.Machine("server");
  reg_.ValueKey("r");
  reg_.Value(Variant("x"));
  EXPECT_EQ(Stored("r").type, -1);
  reg_.Default(Variant("d"));
  EXPECT_EQ(reg_.Value(), Variant("d"));
  EXPECT_TRUE(reg_.CreateKey());
  EXPECT_TRUE(reg_.KeyExists());
}

TEST_F(clRegistryTest, EnumerationsGiveOneBasedArraysOrEmpty) {
  EXPECT_TRUE(reg_.EnumerateValues().IsEmpty());  // missing key
  EXPECT_TRUE(reg_.CreateKey());
  EXPECT_TRUE(reg_.EnumerateValues().IsEmpty());  // no values
  for (const char* name : {"z", "", "a"}) {
    reg_.ValueKey(name);
    reg_.Value(Variant("x"));
  }
  EXPECT_EQ(reg_.EnumerateValues(),
            Variant(VariantArray::Vector(1, {Variant("z"), Variant(""), Variant("a")})));
  for (const std::string& sub :
       std::vector<std::string>{"b", std::string(254, 'l'), "a", std::string(255, 'm'), "n"}) {
    ASSERT_TRUE(backend_.CreateKey(HKEY_CURRENT_USER, "Software\\Test\\" + sub).ok());
  }
  // The 255-character name does not fit the name buffer and ends the list.
  EXPECT_EQ(reg_.EnumerateSections(),
            Variant(VariantArray::Vector(
                1, {Variant("a"), Variant("b"), Variant(std::string(254, 'l'))})));
  backend_.fail_reads = true;
  EXPECT_TRUE(reg_.EnumerateSections().IsEmpty());
  EXPECT_FALSE(reg_.KeyExists());
}

TEST_F(clRegistryTest, ValueExStoresItsArgumentsAndWritesTheDefaultForEmptyText) {
  EXPECT_EQ(reg_.ValueEx(HKEY_LOCAL_MACHINE, "Software\\Host", "", REG_SZ, Variant("")),
            Variant(""));
  EXPECT_EQ(reg_.ClassKey(), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg_.SectionKey(), "Software\\Host");
  reg_.ValueEx(HKEY_LOCAL_MACHINE, "Software\\Host", "Pfad", REG_SZ, Variant("/opt/host"),
               Variant(""));
  EXPECT_EQ(Stored("Pfad", HKEY_LOCAL_MACHINE, "Software\\Host"), StringValue("/opt/host"));
  reg_.ValueEx(HKEY_LOCAL_MACHINE, "Software\\Host", "Zahl", REG_DWORD, Variant(int32_t{9}),
               Variant(int32_t{3}));
  EXPECT_EQ(reg_.ValueEx(HKEY_LOCAL_MACHINE, "Software\\Host", "Zahl", REG_SZ, Variant()),
            Variant(int32_t{3}));
  EXPECT_EQ(reg_.ValueType(), REG_DWORD);
}

// The members that the server's end-to-end test (tests/adapters/dbus) leaves out; names fold case.
TEST_F(clRegistryTest, PropertiesAndValueThroughLateBinding) {
  Call("SECTIONKEY", InvokeKind::PropertyLet, {Variant("Software\\X")});
  Call("valuekey", InvokeKind::PropertyLet, {Variant("n")});
  Call("ValueType", InvokeKind::PropertyLet, {Variant(int16_t{REG_DWORD})});
  Call("Value", InvokeKind::PropertyLet, {Variant(int16_t{258})});
  Call("Machine", InvokeKind::PropertyLet, {Variant("pc")});
  EXPECT_EQ(Call("machine", InvokeKind::PropertyGet), Variant(""));
  Call("Default", InvokeKind::PropertyLet, {Variant(int16_t{1})});
  EXPECT_EQ(Call("Default", InvokeKind::PropertyGet), Variant(int16_t{1}));
  EXPECT_EQ(Call("ValueEx", InvokeKind::PropertyGet,
                 {Variant(static_cast<int32_t>(HKEY_CURRENT_USER)), Variant("Software\\X"),
                  Variant("n"), Variant(int32_t{REG_SZ}), Variant()}),
            Variant(int32_t{258}));
  EXPECT_EQ(Call("DeleteValue", InvokeKind::Method), Variant(true));
  EXPECT_EQ(Call("DeleteKey", InvokeKind::PropertyGet), Variant(true));
}

TEST_F(clRegistryTest, WrongMembersAndArgumentsAreAutomationErrors) {
  const auto error_of = [&](std::string_view name, InvokeKind kind,
                            std::vector<Variant> args = {}) {
    return testing::ErrorOf([&] { Call(name, kind, args); });
  };
  reg_.ClassKey(0);
  EXPECT_EQ(error_of("Nope", InvokeKind::Method), 438);
  EXPECT_EQ(error_of("KeyExists", InvokeKind::PropertyLet, {Variant(true)}), 450);
  EXPECT_EQ(error_of("CreateKey", InvokeKind::Method, {Variant(1)}), 450);
  EXPECT_EQ(error_of("ValueEx", InvokeKind::PropertyGet, {Variant(1)}), 450);
  EXPECT_EQ(error_of("CreateEXEAssociation", InvokeKind::Method, {Variant("a")}), 450);
  EXPECT_EQ(error_of("ClassKey", InvokeKind::PropertyLet, {Variant("abc")}), 13);
  EXPECT_EQ(error_of("CreateKey", InvokeKind::Method), 26001);  // class key still 0
}

TEST_F(clRegistryTest, WritesClassVerbsAndIconUnderBothTrees) {
  reg_.CreateEXEAssociation("  /opt/vks/bin/vks  ", "VKS.Datei", "VKS-Datei", "vks", "", true, "",
                            false, "", true, "", 3);
  EXPECT_EQ(Both(".vks"), "VKS.Datei");
  EXPECT_EQ(Both("VKS.Datei"), "VKS-Datei");
  EXPECT_EQ(Both("VKS.Datei\\shell\\open"), "&Open");
  EXPECT_EQ(Both("VKS.Datei\\shell\\open\\command"), "\"/opt/vks/bin/vks\" \"%1\"");
  EXPECT_EQ(Both("VKS.Datei\\shell\\print"), "&Print");
  EXPECT_EQ(Both("VKS.Datei\\shell\\print\\command"), "\"/opt/vks/bin/vks\" /p \"%1\"");
  EXPECT_EQ(Both("VKS.Datei\\shell\\add"), "&Install vks");
  EXPECT_EQ(Both("VKS.Datei\\shell\\add\\command"), "\"/opt/vks/bin/vks\" /a \"%1\"");
  EXPECT_EQ(Both("VKS.Datei\\shell\\new"), "<missing>");
  EXPECT_EQ(Both("VKS.Datei\\DefaultIcon"), "\"/opt/vks/bin/vks\",3");
  EXPECT_EQ(reg_.ClassKey(), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg_.SectionKey(), "VKS.Datei\\DefaultIcon");
  EXPECT_EQ(reg_.ValueKey(), "");
  EXPECT_EQ(reg_.ValueType(), REG_SZ);
}

TEST_F(clRegistryTest, QuotedPathsOwnMenuTextsAndLeftOutArgumentsThroughLateBinding) {
  const Variant missing(ErrorValue{ErrorValue::kParamNotFound});
  Call("CreateEXEAssociation", InvokeKind::Method,
       {Variant("\"/a b/x\""), Variant("K"), Variant("D"), Variant("e"), Variant("Ö&ffnen"),
        Variant(true), missing});
  EXPECT_EQ(Both("K\\shell\\open"), "Ö&ffnen");
  EXPECT_EQ(Both("K\\shell\\open\\command"), "\"/a b/x\" \"%1\"");
  EXPECT_EQ(Both("K\\shell\\print"), "&Print");
  EXPECT_EQ(Both("K\\DefaultIcon"), "<missing>");
}

TEST_F(clRegistryTest, AdditionalVerbsNeedATripleListAndAnExistingClass) {
  const auto items = [](std::vector<Variant> v) {
    return Variant(VariantArray::Vector(0, std::move(v)));
  };
  const auto raised = [&](const Variant& list) {
    return testing::RaisedError([&] { reg_.CreateAdditionalEXEAssociations("K", list); });
  };
  AutomationError bad = raised(items({Variant("a"), Variant("b")}));
  EXPECT_EQ(bad.Number(), kRegistryBadItemList);
  EXPECT_EQ(bad.Source(), "VKSKontoServerV7.cRegistry");
  EXPECT_EQ(bad.Description(),
            "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
            "Name/Text/Command");
  EXPECT_EQ(raised(Variant("kein Array")).Number(), kRegistryBadItemList);

  const Variant verbs = items({Variant("edit"), Variant("&Bearbeiten"), Variant("ed \"%1\"")});
  reg_.ClassKey(HKEY_CLASSES_ROOT);
  AutomationError missing = raised(verbs);
  EXPECT_EQ(missing.Number(), kRegistryClassMissing);
  EXPECT_EQ(missing.Description(),
            "Error - attempt to create additional associations before class defined.");

  ASSERT_TRUE(backend_.CreateKey(HKEY_CLASSES_ROOT, "K").ok());
  reg_.ClassKey(HKEY_CLASSES_ROOT);
  reg_.CreateAdditionalEXEAssociations("K", verbs);
  EXPECT_EQ(Both("K\\shell\\edit"), "&Bearbeiten");
  EXPECT_EQ(Both("K\\shell\\edit\\command"), "ed \"%1\"");
}

}  // namespace
}  // namespace vks
