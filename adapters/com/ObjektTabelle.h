#pragma once
// Which automation object stands for which core object, in both directions: a core object leaves
// the server as one automation object for as long as that lives (the global data store as
// clKontoGlobalData, any other as a late-bound object with For Each), and comes back as itself; a
// host's object comes in as a FremdesObjekt and goes back out as the host's own.
#include <map>
#include <memory>

#include "adapters/com/ProzessReferenz.h"
#include "adapters/com/VariantConversion.h"

namespace vks::com {

class ObjektTabelle : public ObjectBridge {
 public:
  // prozess (may be null) counts the automation objects made here.
  explicit ObjektTabelle(ProzessReferenz* prozess = nullptr) : prozess_(prozess) {}
  ObjektTabelle(const ObjektTabelle&) = delete;
  ObjektTabelle& operator=(const ObjektTabelle&) = delete;

  IDispatch* ToDispatch(const ObjectRef& object) override;
  ObjectRef FromDispatch(IDispatch* dispatch) override;

  // An automation object of ours that stands for `object`, from its creation to its end; `identity`
  // is its IUnknown, `dispatch` the IDispatch it serves (neither counted here).
  void Anmelden(IUnknown* identity, IDispatch* dispatch, const ObjectRef& object);
  void Abmelden(IUnknown* identity);

 private:
  struct Eintrag {
    IDispatch* dispatch;
    std::weak_ptr<Dispatch> objekt;
  };
  ProzessReferenz* prozess_;
  std::map<IUnknown*, Eintrag> nach_identitaet_;
  std::map<const Dispatch*, IUnknown*> nach_objekt_;
};

}  // namespace vks::com
