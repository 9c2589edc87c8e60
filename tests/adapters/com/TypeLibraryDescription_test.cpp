// The description reader refuses what it cannot turn into a type library, saying where.
#include "adapters/com/TypeLibraryDescription.h"

#include <gtest/gtest.h>

#include "adapters/com/XmlReader.h"

namespace vks::com {
namespace {

// A small description: one library, one class with a function and a property.
std::string Description(const std::string& library_extra, const std::string& members) {
  return R"(<!DOCTYPE node PUBLIC "-//x//DTD x//EN" "http://x/x.dtd">
<!-- a comment -->
<node>
  <interface name="x.Server">
    <annotation name="Automation.Library" value="Lib"/>
    <annotation name="Automation.Guid" value="{17017253-6350-49B6-9C50-6BD8BD1E8F25}"/>
    <annotation name="Automation.Version" value="1.0"/>
    <annotation name="Automation.HelpString" value="Lib &amp; more"/>
    <annotation name="Automation.Enum" value="eArt {D4FE5F07-3B1C-4522-812F-37497C78949F} A=0 B=-1"/>
)" + library_extra +
         R"(  </interface>
  <interface name="x.clX">
    <annotation name="Automation.Interface" value="_clX {4380DAD9-BDFE-4E8E-A9D7-7C6612F57FE5} dual"/>
    <annotation name="Automation.Class" value="clX {F3F2E6EC-2170-460B-9942-931BD2CFE619} creatable"/>
)" + members +
         "  </interface>\n</node>\n";
}

const std::string kMethod = R"(    <method name="Tu">
      <annotation name="Automation.DispId" value="0x60030000"/>
      <annotation name="Automation.Slots" value="func 1"/>
      <arg name="Art" type="i" direction="in"><annotation name="Automation.Type" value="eArt"/></arg>
      <arg name="Text" type="s" direction="in"/>
      <arg name="Text" type="s" direction="out"/>
      <arg name="Flag" type="b" direction="in"><annotation name="Automation.Default" value="True"/></arg>
      <arg name="result" type="d" direction="out"><annotation name="Automation.Type" value="Date"/></arg>
    </method>
)";

TEST(TypeLibraryDescription, ReadsMembersParametersAndEnumerations) {
  TypeLibraryDescription lib = ReadTypeLibraryDescription(Description("", kMethod));
  EXPECT_EQ(lib.help_string, "Lib & more");
  ASSERT_EQ(lib.enums.size(), 1u);
  EXPECT_EQ(lib.enums[0].values[1], (std::pair<std::string, int32_t>("B", -1)));
  const InterfaceDescription* itf = lib.FindInterface("_clX");
  ASSERT_TRUE(itf);
  ASSERT_EQ(itf->members.size(), 1u);
  const MemberDescription& m = itf->members[0];
  EXPECT_EQ(m.dispid, 0x60030000);
  ASSERT_EQ(m.parameters.size(), 3u);
  EXPECT_EQ(m.parameters[0].type, (TypeRef{BaseType::Enum, "eArt"}));
  EXPECT_TRUE(m.parameters[1].by_ref);
  EXPECT_EQ(m.parameters[2].default_value, "True");
  EXPECT_EQ(m.result.base, BaseType::Date);
}

TEST(TypeLibraryDescription, RefusesWhatCannotBecomeATypeLibrary) {
  auto prop = [](const std::string& slots, const std::string& type = "") {
    return R"(    <property name="P" type="s" access="readwrite">
      <annotation name="Automation.DispId" value="0x40030000"/>
      <annotation name="Automation.Slots" value=")" +
           slots + "\"/>\n" + type + "    </property>\n";
  };
  std::string deep;
  for (int i = 0; i < 70; ++i) deep += "<a>";
  const struct {
    std::string xml;
    std::string message;
  } kCases[] = {
      {"<node><interface name='x'>", "line 1: element <interface> is not closed"},
      {"<node></nodes>", "end tag does not match <node>"},
      {"<node a='1' a='2'/>", "attribute a given twice"},
      {"<node a=\"&nbsp;\"/>", "unknown entity &nbsp;"},
      {"<node a=1/>", "an attribute value must be quoted"},
      {"<node/><node/>", "text after the root element"},
      {deep, "elements nested too deep"},
      {"<node/>", "no interface carries Automation.Library"},
      {Description("", prop("get 1 let 3")), "function-table slot 2 is missing"},
      {Description("", prop("get 1 let 1")), "function-table slot 2 is given twice"},
      {Description("", prop("get 1 put 2")), "unknown slot kind 'put'"},
      {Description("", prop("func 1")), "a property has no func slot"},
      {Description("", prop("get 1", "<annotation name=\"Automation.Type\" value=\"clY\"/>")),
       "unknown type clY"},
      {Description("", R"(<method name="M"><annotation name="Automation.Slots" value="func 1"/>
                          </method>)"),
       "DispId is missing"},
      {Description("", R"(<method name="M"><annotation name="Automation.Slots" value="func 1"/>
        <annotation name="Automation.DispId" value="1"/>
        <arg name="A" type="b" direction="in"><annotation name="Automation.Default" value="Ja"/></arg>
        </method>)"),
       "the default 'Ja' does not fit Boolean"},
      {Description("", R"(<method name="M"><annotation name="Automation.Slots" value="func 1"/>
        <annotation name="Automation.DispId" value="1"/><arg name="A" type="o" direction="in"/>
        </method>)"),
       "the bus type o needs an Automation.Type"},
      {Description(
           R"(<annotation name="Automation.Enum" value="eY {d4fe5f07-3b1c-4522-812f-37497c78949f} A=1"/>)",
           ""),
       "is not a GUID in upper case"},
      {Description(
           R"(<annotation name="Automation.Enum" value="eY {D4FE5F07-3B1C-4522-812F-37497C78949F} A"/>)",
           ""),
       "enumeration member 'A' is not name=value"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.xml.substr(0, 60));
    try {
      ReadTypeLibraryDescription(c.xml);
      ADD_FAILURE() << "accepted";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace vks::com
