#pragma once
// The collection every part of the server keeps its things in (accounts, positions, orders, fills,
// connections, windows, metric names): text keys compared without regard to case, entries kept in
// insertion order (the order of persistence and of every list shown), O(1) lookup. Adding an
// existing key is error 457. A key keeps the spelling of its first addition.
#include <algorithm>
#include <cstddef>
#include <list>
#include <string>
#include <string_view>
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

  explicit KeyedDictionary(CompareMode mode = CompareMode::Text) : mode_(mode) {}
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
  }

  size_t Count() const { return entries_.size(); }
  bool Exists(std::string_view key) const { return Probe(key).found; }

  // Throws AutomationError 457 when the key exists.
  T& Add(std::string key, T value) {
    ProbeResult probe = Probe(key);
    if (probe.found) throw AutomationError(error::kKeyExists);
    if (2 * (entries_.size() + 1) > slots_.size()) {
      Grow();
      probe = Probe(key);
    }
    entries_.push_back(Entry{std::move(key), std::move(value)});
    slots_[probe.slot] = Slot{probe.tag, std::prev(entries_.end())};
    return entries_.back().value;
  }

  T* Find(std::string_view key) {
    const ProbeResult probe = Probe(key);
    return probe.found ? &slots_[probe.slot].entry->value : nullptr;
  }
  const T* Find(std::string_view key) const {
    const ProbeResult probe = Probe(key);
    return probe.found ? &slots_[probe.slot].entry->value : nullptr;
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
    const ProbeResult probe = Probe(key);
    if (!probe.found) throw AutomationError(error::kElementNotFound);
    entries_.erase(slots_[probe.slot].entry);
    Vacate(probe.slot);
  }
  void RemoveAll() {
    slots_.clear();
    entries_.clear();
  }

  // Gives an entry a new key in its place. Throws 32811 when `key` is missing, 457 when `new_key`
  // names another entry.
  void Rename(std::string_view key, std::string new_key) {
    const ProbeResult old_probe = Probe(key);
    if (!old_probe.found) throw AutomationError(error::kElementNotFound);
    const iterator entry = slots_[old_probe.slot].entry;
    const ProbeResult new_probe = Probe(new_key);
    if (new_probe.found && slots_[new_probe.slot].entry != entry)
      throw AutomationError(error::kKeyExists);
    Vacate(old_probe.slot);
    entry->key = std::move(new_key);
    const ProbeResult free_probe = Probe(entry->key);
    slots_[free_probe.slot] = Slot{free_probe.tag, entry};
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
  // The index beside the ordered list: open addressing with linear probing in one array, each slot
  // holding a key's hash and its entry, so that a lookup reads a slot and the entry it compares
  // (a node-based map reads a bucket, the node before, the node, and only then the entry).
  // A removal shifts the slots that follow back, so no tombstones pile up.
  struct Slot {
    size_t tag = 0;  // the key's hash with its lowest bit set; 0: free
    iterator entry{};
  };
  struct ProbeResult {
    size_t slot;  // the key's slot, or the free slot where it would go
    size_t tag;
    bool found;
  };

  static size_t Home(size_t tag, size_t mask) { return (tag >> 1) & mask; }

  ProbeResult Probe(std::string_view key) const {
    const size_t tag = FoldedKeyHash{mode_}(key) | 1;
    if (slots_.empty()) return {0, tag, false};
    const size_t mask = slots_.size() - 1;
    for (size_t i = Home(tag, mask);; i = (i + 1) & mask) {
      const Slot& s = slots_[i];
      if (s.tag == 0) return {i, tag, false};
      if (s.tag == tag && FoldedKeyEqual{mode_}(s.entry->key, key)) return {i, tag, true};
    }
  }

  void Grow() {
    const size_t size = std::max<size_t>(8, 2 * slots_.size());
    std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(size));
    const size_t mask = slots_.size() - 1;
    for (const Slot& s : old) {
      if (s.tag == 0) continue;
      size_t i = Home(s.tag, mask);
      while (slots_[i].tag != 0) i = (i + 1) & mask;
      slots_[i] = s;
    }
  }

  // Frees slot `gap` and moves back every following slot of the run whose home lies at or before
  // the gap, so that each key stays reachable from its home without a free slot between.
  void Vacate(size_t gap) {
    const size_t mask = slots_.size() - 1;
    for (size_t j = (gap + 1) & mask; slots_[j].tag != 0; j = (j + 1) & mask) {
      // The distance from home to j, against the distance from the gap to j.
      if (((j - Home(slots_[j].tag, mask)) & mask) < ((j - gap) & mask)) continue;
      slots_[gap] = slots_[j];
      gap = j;
    }
    slots_[gap] = Slot{};
  }

  CompareMode mode_;
  std::list<Entry> entries_;
  std::vector<Slot> slots_;  // a power of two in size, at most half full
};

}  // namespace vks
