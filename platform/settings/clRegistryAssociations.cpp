// Shell file associations: the class, its description and its verbs, written under
// HKEY_CLASSES_ROOT and under HKEY_LOCAL_MACHINE\SOFTWARE\Classes alike.
#include "platform/automation/VariantConversions.h"
#include "platform/settings/clRegistry.h"

namespace vks {

namespace {

std::string Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

}  // namespace

void clRegistry::SetClassValue(const std::string& t) {
  class_key_ = HKEY_CLASSES_ROOT;
  Value(Variant(t));
  const std::string section = section_key_;
  class_key_ = HKEY_LOCAL_MACHINE;
  section_key_ = "SOFTWARE\\Classes\\" + section;
  Value(Variant(t));
  section_key_ = section;
}

void clRegistry::CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                                      const std::string& sClassDescription,
                                      const std::string& sAssociation,
                                      const std::string& sOpenMenuText, bool bSupportPrint,
                                      const std::string& sPrintMenuText, bool bSupportNew,
                                      const std::string& sNewMenuText, bool bSupportInstall,
                                      const std::string& sInstallMenuText,
                                      int32_t lDefaultIconIndex) {
  std::string p = Trim(sExePath);
  if (!p.starts_with('"')) p.insert(0, 1, '"');
  if (!p.ends_with('"')) p += '"';

  section_key_ = "." + sAssociation;
  value_type_ = REG_SZ;
  value_key_ = "";
  SetClassValue(sClassName);
  section_key_ = sClassName;
  SetClassValue(sClassDescription);

  struct Verb {
    bool wanted;
    const char* section;
    std::string menu_text;
    std::string command;
  };
  const std::string file = Quoted("%1");
  const Verb verbs[] = {
      {true, "\\shell\\open", sOpenMenuText.empty() ? "&Open" : sOpenMenuText, p + " " + file},
      {bSupportPrint, "\\shell\\print", sPrintMenuText.empty() ? "&Print" : sPrintMenuText,
       p + " /p " + file},
      {bSupportInstall, "\\shell\\add",
       sInstallMenuText.empty() ? "&Install " + sAssociation : sInstallMenuText, p + " /a " + file},
      {bSupportNew, "\\shell\\new", sNewMenuText.empty() ? "&New" : sNewMenuText,
       p + " /n " + file},
  };
  for (const Verb& verb : verbs) {
    if (!verb.wanted) continue;
    section_key_ = sClassName + verb.section;
    value_key_ = "";
    SetClassValue(verb.menu_text);
    section_key_ = sClassName + verb.section + "\\command";
    value_key_ = "";
    SetClassValue(verb.command);
  }
  if (lDefaultIconIndex > -1) {
    section_key_ = sClassName + "\\DefaultIcon";
    value_key_ = "";
    SetClassValue(p + "," + std::to_string(lDefaultIconIndex));
  }
}

void clRegistry::CreateAdditionalEXEAssociations(const std::string& sClassName,
                                                 const Variant& vItems) {
  if (!vItems.IsArray() || vItems.AsArray().Dimensions() != 1 ||
      (int64_t{vItems.AsArray().UBound()} + 1) % 3 != 0) {
    throw Raise(kRegistryBadItemList,
                "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
                "Name/Text/Command");
  }
  section_key_ = sClassName;
  if (!KeyExists()) {
    throw Raise(kRegistryClassMissing,
                "Error - attempt to create additional associations before class defined.");
  }
  const VariantArray& items = vItems.AsArray();
  const auto item = [&](int32_t index) { return ToString(items.At(index)); };
  for (int32_t i = 0; i + 2 <= items.UBound(); i += 3) {
    value_type_ = REG_SZ;
    section_key_ = sClassName + "\\shell\\" + item(i);
    value_key_ = "";
    SetClassValue(item(i + 1));
    section_key_ = sClassName + "\\shell\\" + item(i) + "\\command";
    value_key_ = "";
    SetClassValue(item(i + 2));
  }
}

}  // namespace vks
