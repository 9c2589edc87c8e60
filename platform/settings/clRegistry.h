#pragma once
// The public registry class for automation clients: set a root (ClassKey), a key path (SectionKey)
// and a value name (ValueKey), then read or assign Value; besides that it creates, tests and
// deletes keys, deletes values, lists values and subkeys and writes shell file associations.
// Start-up reads the host's installation folder through it. No registry key stays open between
// calls; the object keeps only its six fields.
//
// Property get and let share their member's name: Value() reads, Value(v) assigns.
#include <string>
#include <string_view>

#include "platform/automation/Dispatch.h"
#include "platform/automation/Variant.h"
#include "platform/settings/ExpandEnvironmentStrings.h"
#include "platform/settings/RegistryBackend.h"

namespace vks {

// The error numbers the class raises besides the automation ones.
inline constexpr int32_t kRegistryKeyError = 26001;
inline constexpr int32_t kRegistryWriteError = static_cast<int32_t>(0x800469A9u);
inline constexpr int32_t kRegistryBadItemList = static_cast<int32_t>(0x800469ACu);
inline constexpr int32_t kRegistryClassMissing = static_cast<int32_t>(0x800469ADu);

class clRegistry : public Dispatch {
 public:
  // program_name: base name of the running executable, the first part of every error's source.
  // REQUIRES: backend outlives the object.
  clRegistry(RegistryBackend& backend, std::string program_name,
             EnvironmentLookup environment = ProcessEnvironment);
  clRegistry(const clRegistry&) = delete;
  clRegistry& operator=(const clRegistry&) = delete;

  const std::string& Machine() const { return machine_; }
  void Machine(std::string_view machine);
  bool KeyExists();
  bool CreateKey();
  bool DeleteKey();
  bool DeleteValue();
  // Never raises: a value that cannot be read yields Default.
  Variant Value();
  void Value(const Variant& new_value);
  // Empty, or the names as strings with lower bound 1.
  Variant EnumerateValues();
  Variant EnumerateSections();
  void CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                            const std::string& sClassDescription, const std::string& sAssociation,
                            const std::string& sOpenMenuText = "&Open", bool bSupportPrint = false,
                            const std::string& sPrintMenuText = "&Print", bool bSupportNew = false,
                            const std::string& sNewMenuText = "&New", bool bSupportInstall = false,
                            const std::string& sInstallMenuText = "",
                            int32_t lDefaultIconIndex = -1);
  // vItems: triples of verb, menu text and command line from index 0.
  void CreateAdditionalEXEAssociations(const std::string& sClassName, const Variant& vItems);
  int32_t ValueType() const { return value_type_; }
  void ValueType(int32_t value_type) { value_type_ = value_type; }
  int32_t ClassKey() const { return class_key_; }
  void ClassKey(int32_t class_key) { class_key_ = class_key; }
  const std::string& SectionKey() const { return section_key_; }
  void SectionKey(std::string section_key) { section_key_ = std::move(section_key); }
  const std::string& ValueKey() const { return value_key_; }
  void ValueKey(std::string value_key) { value_key_ = std::move(value_key); }
  Variant ValueEx(int32_t class_key, std::string section_key, std::string value_key,
                  int32_t value_type, Variant default_value);
  void ValueEx(int32_t class_key, std::string section_key, std::string value_key,
               int32_t value_type, Variant default_value, const Variant& new_value);
  const Variant& Default() const { return default_; }
  void Default(Variant default_value) { default_ = std::move(default_value); }

  std::string TypeName() const override { return "clRegistry"; }
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override;

 private:
  AutomationError Raise(int32_t number, std::string description) const;
  std::string ClassKeyText() const { return std::to_string(class_key_); }
  std::string SetValueFailure(const Variant& new_value) const;
  // Writes t under the current section and value key in both class trees.
  void SetClassValue(const std::string& t);
  Variant ReadNames(bool sections);

  RegistryBackend& backend_;
  std::string error_source_;
  EnvironmentLookup environment_;

  int32_t class_key_ = 0;
  std::string section_key_;
  std::string value_key_;
  int32_t value_type_ = REG_SZ;
  Variant default_;
  std::string machine_;
};

}  // namespace vks
