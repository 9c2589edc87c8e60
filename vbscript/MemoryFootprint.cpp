// Measuring what a script's values hold, for the engine-wide memory bound, and freeing the objects
// that hold each other when the engine ends.
#include <algorithm>
#include <unordered_set>

#include "vbscript/Interpreter.h"
#include "vbscript/ScriptObject.h"

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
  bool Seen(const void* p) const { return seen_.contains(p); }
  void AddObject(const Dispatch* object) {
    if (!object || !seen_.insert(object).second) return;
    object->VisitValues([this](const Variant& v) { AddValue(v); });
  }

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

void Interpreter::Track(const ObjectRef& object) {
  // Objects gone by themselves leave the list whenever it has doubled.
  if (made_.size() >= made_limit_) {
    std::erase_if(made_, [](const std::weak_ptr<Dispatch>& w) { return w.expired(); });
    made_limit_ = std::max<size_t>(64, made_.size() * 2);
  }
  made_.push_back(object);
}

void Interpreter::ReleaseCycles(const std::vector<ObjectRef>& kept) {
  // What the host keeps through its named objects (the global data) outlives the engine.
  FootprintWalk reachable;
  for (const ObjectRef& object : kept) reachable.AddObject(object.get());
  for (const std::weak_ptr<Dispatch>& weak : made_) {
    ObjectRef object = weak.lock();
    if (!object) continue;
    if (reachable.Seen(object.get())) continue;
    if (auto* so = dynamic_cast<ScriptObject*>(object.get())) {
      std::vector<Variant> doomed = std::move(so->Fields());
      so->Fields().assign(doomed.size(), Variant());
    } else {
      object->Invoke("RemoveAll", InvokeKind::Method, {});
    }
  }
  made_.clear();
}

}  // namespace vks::vbscript
