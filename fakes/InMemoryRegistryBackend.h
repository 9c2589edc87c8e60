#pragma once
// A registry held in memory for core tests, with the same checks, order and delete rules as the
// SQLite store (the conformance test runs both), and switches that make chosen operations fail.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/settings/RegistryBackend.h"
#include "platform/settings/RegistryPath.h"

namespace vks {

class InMemoryRegistryBackend : public RegistryBackend {
 public:
  // Fault switches: the named operations fail with error 75 while set.
  bool fail_reads = false;
  bool fail_create_key = false;
  bool fail_set_value = false;

  InMemoryRegistryBackend() {
    for (ERegistryClassConstants root : kRegistryRoots) {
      roots_[root] = std::make_unique<Node>(Node{std::string(RegistryRootName(root)), {}, {}});
    }
  }

  Result<bool> KeyExists(ERegistryClassConstants root, std::string_view path) override {
    auto node = Find(root, path);
    if (!node.ok()) return node.error();
    return node.value() != nullptr;
  }

  Result<bool> CreateKey(ERegistryClassConstants root, std::string_view path) override {
    if (fail_create_key) return Fault();
    auto created = Create(root, path);
    if (!created.ok()) return created.error();
    return created.value().second;
  }

  Result<bool> DeleteKey(ERegistryClassConstants root, std::string_view path) override {
    return Delete(root, path, false);
  }
  Result<bool> DeleteTree(ERegistryClassConstants root, std::string_view path) override {
    return Delete(root, path, true);
  }

  Result<std::optional<RegistryValue>> GetValue(ERegistryClassConstants root, std::string_view path,
                                                std::string_view name) override {
    if (auto error = CheckValueName(name)) return *error;
    auto node = Find(root, path);
    if (!node.ok()) return node.error();
    if (!node.value()) return std::optional<RegistryValue>();
    for (const Value& v : node.value()->values) {
      if (v.fold == RegistryFold(name)) return std::optional<RegistryValue>(v.value);
    }
    return std::optional<RegistryValue>();
  }

  Result<bool> SetValue(ERegistryClassConstants root, std::string_view path, std::string_view name,
                        const RegistryValue& value) override {
    if (auto error = CheckValueName(name)) return *error;
    if (auto error = CheckValueData(value)) return *error;
    if (fail_set_value) return Fault();
    auto created = Create(root, path);
    if (!created.ok()) return created.error();
    Node* node = created.value().first;
    for (Value& v : node->values) {
      if (v.fold == RegistryFold(name)) {
        v.value = value;
        return false;
      }
    }
    node->values.push_back(Value{RegistryFold(name), std::string(name), value});
    return true;
  }

  Result<bool> DeleteValue(ERegistryClassConstants root, std::string_view path,
                           std::string_view name) override {
    if (auto error = CheckValueName(name)) return *error;
    auto node = Find(root, path);
    if (!node.ok()) return node.error();
    if (!node.value()) return false;
    auto& values = node.value()->values;
    for (auto it = values.begin(); it != values.end(); ++it) {
      if (it->fold == RegistryFold(name)) {
        values.erase(it);
        return true;
      }
    }
    return false;
  }

  Result<std::optional<std::vector<std::string>>> EnumerateSubkeys(ERegistryClassConstants root,
                                                                   std::string_view path) override {
    auto node = Find(root, path);
    if (!node.ok()) return node.error();
    if (!node.value()) return std::optional<std::vector<std::string>>();
    std::vector<std::string> names;
    for (const auto& [fold, child] : node.value()->children) names.push_back(child->name);
    return std::optional(names);
  }

  Result<std::optional<std::vector<std::string>>> EnumerateValues(ERegistryClassConstants root,
                                                                  std::string_view path) override {
    auto node = Find(root, path);
    if (!node.ok()) return node.error();
    if (!node.value()) return std::optional<std::vector<std::string>>();
    std::vector<std::string> names;
    for (const Value& v : node.value()->values) names.push_back(v.name);
    return std::optional(names);
  }

 private:
  struct Value {
    std::string fold;
    std::string name;
    RegistryValue value;
  };
  struct Node {
    std::string name;
    std::map<std::string, std::unique_ptr<Node>> children;  // by folded name: enumeration order
    std::vector<Value> values;                              // creation order
  };

  static AutomationError Fault() {
    return AutomationError(75, std::string(kRegistryErrorSource), "Fehler (simuliert)");
  }

  Result<Node*> Find(ERegistryClassConstants root, std::string_view path) {
    auto segments = SplitKeyPath(path);
    if (!segments.ok()) return segments.error();
    if (fail_reads) return Fault();
    Node* node = roots_.at(root).get();
    for (std::string_view segment : segments.value()) {
      auto it = node->children.find(RegistryFold(segment));
      if (it == node->children.end()) return static_cast<Node*>(nullptr);
      node = it->second.get();
    }
    return node;
  }

  Result<std::pair<Node*, bool>> Create(ERegistryClassConstants root, std::string_view path) {
    auto segments = SplitKeyPath(path);
    if (!segments.ok()) return segments.error();
    Node* node = roots_.at(root).get();
    bool created = false;
    for (std::string_view segment : segments.value()) {
      auto& child = node->children[RegistryFold(segment)];
      created = !child;
      if (created) child = std::make_unique<Node>(Node{std::string(segment), {}, {}});
      node = child.get();
    }
    return std::pair(node, created);
  }

  Result<bool> Delete(ERegistryClassConstants root, std::string_view path, bool tree) {
    auto segments = SplitKeyPath(path);
    if (!segments.ok()) return segments.error();
    Node* root_node = roots_.at(root).get();
    if (segments.value().empty()) {
      if (!tree) return AutomationError(70, std::string(kRegistryErrorSource), "Wurzelschlüssel");
      root_node->children.clear();
      root_node->values.clear();
      return true;
    }
    Node* parent = root_node;
    for (size_t i = 0; i + 1 < segments.value().size(); ++i) {
      auto it = parent->children.find(RegistryFold(segments.value()[i]));
      if (it == parent->children.end()) return false;
      parent = it->second.get();
    }
    auto it = parent->children.find(RegistryFold(segments.value().back()));
    if (it == parent->children.end()) return false;
    if (!tree && !it->second->children.empty()) {
      return AutomationError(70, std::string(kRegistryErrorSource), "Unterschlüssel vorhanden");
    }
    parent->children.erase(it);
    return true;
  }

  std::map<int32_t, std::unique_ptr<Node>> roots_;
};

}  // namespace vks
