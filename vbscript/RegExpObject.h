#pragma once
// "VBScript.RegExp": Pattern, Global, IgnoreCase, Multiline, Test, Execute, Replace, with the
// Matches, Match and SubMatches objects it hands out. The installed RegexEngine compiles and
// matches; the compiled pattern is kept until Pattern, IgnoreCase or Multiline change.
#include <memory>
#include <string>
#include <vector>

#include "platform/automation/Dispatch.h"
#include "vbscript/RegexEngine.h"

namespace vks::vbscript {

class RegExpObject : public Dispatch {
 public:
  RegExpObject(std::shared_ptr<const RegexEngine> engine, int64_t memory_limit)
      : engine_(std::move(engine)), memory_limit_(memory_limit) {}
  std::string TypeName() const override { return "IRegExp2"; }
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override;

 private:
  CompiledRegex& Compiled();
  // The matches from the start, all of them or only the first; `each` gets a match's spans.
  template <class F>
  void ForEachMatch(std::string_view s, bool all, F&& each);

  std::shared_ptr<const RegexEngine> engine_;
  std::unique_ptr<CompiledRegex> compiled_;  // null until first used
  std::string compiled_pattern_;             // what compiled_ was made from
  bool compiled_ignore_case_ = false;
  bool compiled_multiline_ = false;
  std::string pattern_;
  bool global_ = false;
  bool ignore_case_ = false;
  bool multiline_ = false;
  int64_t memory_limit_;
};

// A new RegExp on the installed engine; error 429 when the program installed none.
ObjectRef MakeRegExp(int64_t memory_limit);

// A read-only list of values with Count, Item (default) and For Each.
class ValueCollection : public Dispatch {
 public:
  ValueCollection(std::string type_name, std::vector<Variant> items)
      : type_name_(std::move(type_name)), items_(std::move(items)) {}
  std::string TypeName() const override { return type_name_; }
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override;
  std::vector<Variant> Enumerate() override { return items_; }

 private:
  std::string type_name_;
  std::vector<Variant> items_;
};

class MatchObject : public Dispatch {
 public:
  MatchObject(std::string value, int32_t first_index, std::vector<Variant> submatches)
      : value_(std::move(value)), first_index_(first_index), submatches_(std::move(submatches)) {}
  std::string TypeName() const override { return "IMatch2"; }
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override;

 private:
  std::string value_;
  int32_t first_index_;
  std::vector<Variant> submatches_;
};

}  // namespace vks::vbscript
