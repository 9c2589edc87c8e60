#pragma once
// The collection every part of the server keeps its things in (accounts, positions, orders, fills,
// connections, windows, metric names): text keys compared without regard to case, entries kept in
// insertion order (the order of persistence and of every list shown), O(1) lookup. Adding an
// existing key is error 457. A key keeps the spelling of its first addition.
#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/automation/AutomationError.h"

namespace vks {

enum class CompareMode { Binary = 0, Text = 1 };

// The comparison key of a text: ASCII and Latin-1 letters (and the other letters of Windows-1252:
// Š, Œ, Ž, Ÿ) folded to lower case; everything else unchanged. Input and output are UTF-8.
std::string FoldCase(std::string_view text);

// Hash and equality of keys as their folded forms (as FoldCase gives them, or unchanged in binary
// mode), without building the folded text for keys of ASCII only, so that a lookup costs no copy.
struct FoldedKeyHash {
  using is_transparent = void;
  CompareMode mode = CompareMode::Text;
  size_t operator()(std::string_view key) const;
};
struct FoldedKeyEqual {
  using is_transparent = void;
  CompareMode mode = CompareMode::Text;
  bool operator()(std::string_view a, std::string_view b) const;
};

template <class T>
class KeyedDictionary {
 public:
  struct Entry {
    std::string key;
    T value;
  };
  using iterator = typename std::list<Entry>::iterator;
  using const_iterator = typename std::list<Entry>::const_iterator;

  explicit KeyedDictionary(CompareMode mode = CompareMode::Text)
      : mode_(mode), index_(0, FoldedKeyHash{mode}, FoldedKeyEqual{mode}) {}
  KeyedDictionary(const KeyedDictionary&) = delete;
  KeyedDictionary& operator=(const KeyedDictionary&) = delete;
  KeyedDictionary(KeyedDictionary&&) noexcept = default;
  KeyedDictionary& operator=(KeyedDictionary&&) noexcept = default;

  CompareMode Mode() const { return mode_; }
  // Only while empty (as the scripting dictionary's CompareMode); throws AutomationError 5
  // otherwise.
  void SetMode(CompareMode mode) {
    if (!entries_.empty()) throw AutomationError(error::kInvalidCall);
    mode_ = mode;
    index_ = Index(0, FoldedKeyHash{mode}, FoldedKeyEqual{mode});
  }

  size_t Count() const { return entries_.size(); }
  bool Exists(std::string_view key) const { return index_.find(key) != index_.end(); }

  // Throws AutomationError 457 when the key exists.
  T& Add(std::string key, T value) {
    if (Exists(key)) throw AutomationError(error::kKeyExists);
    std::string folded = Fold(key);
    entries_.push_back(Entry{std::move(key), std::move(value)});
    auto it = std::prev(entries_.end());
    index_.emplace(std::move(folded), it);
    return it->value;
  }

  T* Find(std::string_view key) {
    auto it = index_.find(key);
    return it == index_.end() ? nullptr : &it->second->value;
  }
  const T* Find(std::string_view key) const {
    auto it = index_.find(key);
    return it == index_.end() ? nullptr : &it->second->value;
  }
  // Throws AutomationError 32811 when the key is missing.
  T& Item(std::string_view key) {
    if (T* found = Find(key)) return *found;
    throw AutomationError(error::kElementNotFound);
  }
  const T& Item(std::string_view key) const {
    if (const T* found = Find(key)) return *found;
    throw AutomationError(error::kElementNotFound);
  }

  // Throws AutomationError 32811 when the key is missing.
  void Remove(std::string_view key) {
    auto it = index_.find(key);
    if (it == index_.end()) throw AutomationError(error::kElementNotFound);
    entries_.erase(it->second);
    index_.erase(it);
  }
  void RemoveAll() {
    index_.clear();
    entries_.clear();
  }

  // Gives an entry a new key in its place. Throws 32811 when `key` is missing, 457 when `new_key`
  // names another entry.
  void Rename(std::string_view key, std::string new_key) {
    auto it = index_.find(key);
    if (it == index_.end()) throw AutomationError(error::kElementNotFound);
    std::string folded_new = Fold(new_key);
    if (folded_new != it->first && Exists(folded_new)) throw AutomationError(error::kKeyExists);
    auto entry = it->second;
    index_.erase(it);
    entry->key = std::move(new_key);
    index_.emplace(std::move(folded_new), entry);
  }

  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    keys.reserve(entries_.size());
    for (const Entry& e : entries_) keys.push_back(e.key);
    return keys;
  }

  iterator begin() { return entries_.begin(); }
  iterator end() { return entries_.end(); }
  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }

 private:
  std::string Fold(std::string_view key) const {
    return mode_ == CompareMode::Text ? FoldCase(key) : std::string(key);
  }

  CompareMode mode_;
  std::list<Entry> entries_;
  // Folded key → entry.
  using Index = std::unordered_map<std::string, iterator, FoldedKeyHash, FoldedKeyEqual>;
  Index index_;
};

}  // namespace vks
