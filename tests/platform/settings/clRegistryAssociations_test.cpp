#include <gtest/gtest.h>

#include "fakes/ErrorOf.h"
#include "fakes/InMemoryRegistryBackend.h"
#include "platform/settings/clRegistry.h"

namespace vks {
namespace {

class clRegistryAssociationsTest : public ::testing::Test {
 protected:
  // The text stored as the default value of a key under HKEY_CLASSES_ROOT, checked to be the same
  // under HKEY_LOCAL_MACHINE\SOFTWARE\Classes.
  std::string Both(const std::string& path) {
    auto classes = backend_.GetValue(HKEY_CLASSES_ROOT, path, "");
    auto machine = backend_.GetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\" + path, "");
    if (!classes.ok() || !classes.value()) return "<missing>";
    EXPECT_TRUE(machine.ok() && machine.value() && *machine.value() == *classes.value()) << path;
    const auto& data = classes.value()->data;
    return std::string(data.begin(), data.end() - 1);
  }

  InMemoryRegistryBackend backend_;
  clRegistry reg_{backend_, "VKSKontoServerV7"};
};

TEST_F(clRegistryAssociationsTest, WritesClassVerbsAndIconUnderBothTrees) {
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

TEST_F(clRegistryAssociationsTest, QuotedPathsAndOwnMenuTextsAreKept) {
  reg_.CreateEXEAssociation("\"/a b/x\"", "K", "D", "e", "Ö&ffnen");
  EXPECT_EQ(Both("K\\shell\\open"), "Ö&ffnen");
  EXPECT_EQ(Both("K\\shell\\open\\command"), "\"/a b/x\" \"%1\"");
  EXPECT_EQ(Both("K\\DefaultIcon"), "<missing>");
}

TEST_F(clRegistryAssociationsTest, AdditionalVerbsNeedATripleListAndAnExistingClass) {
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
