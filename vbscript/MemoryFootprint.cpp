// Measuring what a script's values hold, for the engine-wide memory bound.
#include <unordered_set>

#include "vbscript/Interpreter.h"
#include "vbscript/ScriptObject.h"
#include "vbscript/ScriptingDictionary.h"

namespace vks::vbscript {
namespace {

// Sums each variable and each object once: ByRef parameters alias their caller's variables, and
// objects are shared by reference.
class FootprintWalk {
 public:
  void Add(const Variant& v) {
    if (!seen_.insert(&v).second) return;
    AddValue(v);
  }
  size_t Total() const { return total_; }

 private:
  void AddValue(const Variant& v) {
    total_ += sizeof(Variant);
    switch (v.Type()) {
      case VarType::String: {
        // Short strings live inside the Variant.
        size_t capacity = v.AsString().capacity();
        if (capacity > 15) total_ += capacity + 1;
        break;
      }
      case VarType::Array:
        for (const Variant& e : v.AsArray().Elements()) AddValue(e);
        break;
      case VarType::Object:
        AddObject(v.AsObject().get());
        break;
      default:
        break;
    }
  }
  void AddObject(const Dispatch* object) {
    if (!object || !seen_.insert(object).second) return;
    if (auto* so = dynamic_cast<const ScriptObject*>(object)) {
      for (const Variant& f : so->Fields()) AddValue(f);
    } else if (auto* dict = dynamic_cast<const ScriptingDictionary*>(object)) {
      dict->Visit([this](const Variant& v) { AddValue(v); });
    }
  }

  std::unordered_set<const void*> seen_;
  size_t total_ = 0;
};

}  // namespace

size_t Interpreter::Footprint() const {
  FootprintWalk walk;
  for (const Variant& v : globals_) walk.Add(v);
  for (const Frame* f = frame_; f; f = f->caller) {
    if (!f->proc || !f->slots) continue;
    for (int i = 0; i < f->proc->slot_count; ++i) walk.Add(*f->slots[i]);
  }
  for (const Variant& v : with_stack_) walk.Add(v);
  return walk.Total();
}

}  // namespace vks::vbscript
