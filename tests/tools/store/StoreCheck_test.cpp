#include "tools/store/StoreCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "accounts/clKonto.h"
#include "fakes/MemoryFileSystem.h"
#include "platform/automation/StoreWriter.h"

namespace vks {
namespace {

std::string Serialized(const Variant& value) {
  std::string bytes;
  AppendStoreVariant(bytes, value);
  return bytes;
}

std::string At(size_t offset) {
  return std::to_string(offset);
}

// Where element k of a one-dimensional array starts, counted from the array's own start: type,
// dimension count and one bound, then the elements before it.
size_t ElementOffset(const Variant& array, size_t k) {
  size_t offset = 12;
  for (size_t j = 0; j < k; ++j) offset += Serialized(array.AsArray().Elements()[j]).size();
  return offset;
}

Variant& Element(Variant& array, size_t k) {
  return array.AsArray().Elements()[k];
}

Variant MakeKonto(const std::string& name) {
  clKonto konto;
  konto.KontoName = name;
  for (const char* wkn : {"DE0001", "DE0002"}) {
    auto position = std::make_shared<clTitelPosition>();
    position->TitelWKN = wkn;
    position->Position = 10;
    konto.cTitelPositionen.Add(wkn, position);
  }
  auto order = std::make_shared<clOffeneOrder>();
  order->ID = "O-1";
  konto.cOffeneOrders.Add("O-1", order);
  for (const char* id : {"F-1", "F-2"}) {
    auto fill = std::make_shared<clFilledOrder>();
    fill->ID = id;
    konto.cFilledOrders.Add(id, fill);
  }
  return konto.WriteAllProperties();
}

// A store of account records and the offsets of its parts.
struct Store {
  std::vector<Variant> records;
  int32_t lower = 1;

  std::string Bytes() const { return Serialized(Variant(VariantArray::Vector(lower, records))); }
  size_t RecordOffset(size_t i) const {
    return ElementOffset(Variant(VariantArray::Vector(lower, records)), i);
  }
  // Start of child `j` in the list at element `list` of record `i`, and of its element `m`.
  size_t ChildOffset(size_t i, size_t list, size_t j) const {
    const Variant& child_list = records[i].AsArray().Elements()[list];
    return RecordOffset(i) + ElementOffset(records[i], list) + ElementOffset(child_list, j);
  }
  size_t ChildElementOffset(size_t i, size_t list, size_t j, size_t m) const {
    const Variant& child = records[i].AsArray().Elements()[list].AsArray().Elements()[j];
    return ChildOffset(i, list, j) + ElementOffset(child, m);
  }
};

// Checks the bytes read in parts of the tool's size and in tiny ones, which cut every record: the
// verdict must not depend on where the parts end.
void ExpectCheck(const std::string& bytes, bool ok, const std::string& message) {
  fuzzing::MemoryFileSystem files;
  files.files["store"] = bytes;
  for (size_t part : {kStoreCheckPart, size_t{1}, size_t{100}}) {
    SCOPED_TRACE(part);
    StoreCheckResult result = CheckStore(*files.OpenReadable("store"), part);
    EXPECT_EQ(result.ok, ok);
    EXPECT_EQ(result.message, message);
  }
}

Store TwoAccounts() {
  return Store{{MakeKonto("Müller-Depot"), MakeKonto("Konto Zürich")}};
}

// The bundled sample: tests/tools/vks_store_cli_test.sh.
TEST(StoreCheckTest, AcceptsSoundStoresAndSaysWhatTheyHold) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string message;
  };
  const Case cases[] = {
      {"two accounts", TwoAccounts().Bytes(), "2 Konten, 4 Positionen, 2 offene Orders, 4 Fills"},
      {"no accounts", Store{}.Bytes(), "0 Konten, 0 Positionen, 0 offene Orders, 0 Fills"},
      {"empty file", "", "leere Datei: keine Konten"},
      {"no account list", Serialized(Variant("x")),
       "keine Kontenliste: es werden keine Konten geladen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectCheck(c.bytes, true, c.message);
  }
}

TEST(StoreCheckTest, NamesTheFirstFaultWithItsOffset) {
  struct Case {
    std::string name;
    std::string bytes;
    std::string message;
  };
  std::vector<Case> cases;
  const Store sound = TwoAccounts();
  const std::string bytes = sound.Bytes();
  const size_t second = sound.RecordOffset(1);
  // Each case damages a copy of the sound store or of its bytes.
  Store store;
  std::string damaged;

  cases.push_back({"truncated in the second account", bytes.substr(0, bytes.size() - 1),
                   "Konto Nr. 2 (ab Byte " + At(second) +
                       "): Kontendatei endet vorzeitig: Variant-Typ an Byte " +
                       At(bytes.size() - 2) + " fehlt (Dateilänge " + At(bytes.size() - 1) + ")"});
  damaged = bytes;
  damaged[second + 12] = 0x42;  // type of element 0
  cases.push_back({"unknown type code", damaged,
                   "Konto Nr. 2 (ab Byte " + At(second) +
                       "): Kontendatei beschädigt: unbekannter Variant-Typ 0x0042 an Byte " +
                       At(second + 12)});
  cases.push_back({"bytes after the list", bytes + "x",
                   "Kontendatei beschädigt: 1 überzählige Bytes ab Byte " + At(bytes.size())});
  store = sound;
  store.records.push_back(MakeKonto("KONTO ZÜRICH"));
  cases.push_back({"name twice", store.Bytes(),
                   "Konto Nr. 3 an Byte " + At(store.RecordOffset(2)) +
                       ": Kontoname \"KONTO ZÜRICH\" kommt doppelt vor (wie Konto Nr. 2)"});
  store = sound;
  store.records[1] = Variant(VariantArray::Vector(
      0, std::vector<Variant>(store.records[1].AsArray().Elements().begin(),
                              store.records[1].AsArray().Elements().begin() + 47)));
  cases.push_back({"account record too short", store.Bytes(),
                   "Konto Nr. 2 \"Konto Zürich\" (ab Byte " + At(second) +
                       "): Kontodatensatz hat 47 statt mindestens 48 Elemente an Byte " +
                       At(second)});
  store = sound;
  Element(store.records[0], 2) = Variant("zehntausend");
  cases.push_back({"account field of the wrong type", store.Bytes(),
                   "Konto Nr. 1 \"Müller-Depot\" (ab Byte 12): Element 2 (CashBetrag) an Byte " +
                       At(12 + ElementOffset(store.records[0], 2)) + ": Typen unverträglich"});
  store = sound;
  Element(Element(Element(store.records[1], 4), 1), 1) = Variant(3e9);
  cases.push_back({"position out of range", store.Bytes(),
                   "Konto Nr. 2 \"Konto Zürich\" (ab Byte " + At(second) +
                       "): Position Nr. 2 (ab Byte " + At(store.ChildOffset(1, 4, 1)) +
                       "): Element 1 (Position) an Byte " +
                       At(store.ChildElementOffset(1, 4, 1, 1)) + ": Überlauf"});
  store = sound;
  Element(Element(Element(store.records[0], 5), 1), 0) = Variant("f-1");
  cases.push_back({"fill key twice", store.Bytes(),
                   "Konto Nr. 1 \"Müller-Depot\" (ab Byte 12): Fill Nr. 2 an Byte " +
                       At(store.ChildOffset(0, 5, 1)) +
                       ": ID \"f-1\" kommt doppelt vor (wie Nr. 1)"});
  store = sound;
  Element(Element(store.records[0], 3), 0) = Variant(VariantArray::Vector(0, {Variant("O")}));
  cases.push_back({"order record too short", store.Bytes(),
                   "Konto Nr. 1 \"Müller-Depot\" (ab Byte 12): Offene Order Nr. 1 (ab Byte " +
                       At(store.ChildOffset(0, 3, 0)) +
                       "): Orderdatensatz hat 1 statt mindestens 22 Elemente an "
                       "Byte " +
                       At(store.ChildOffset(0, 3, 0))});
  store = sound;
  Variant& list = Element(store.records[0], 4);
  list = Variant(VariantArray::Vector(0, list.AsArray().Elements()));
  cases.push_back({"child list from 0", store.Bytes(),
                   "Konto Nr. 1 \"Müller-Depot\" (ab Byte 12): Element 4 (cTitelPositionen) an "
                   "Byte " +
                       At(12 + ElementOffset(store.records[0], 4)) +
                       ": Liste der Positionen beginnt bei Index 0 statt 1"});
  store = sound;
  Element(Element(store.records[0], 45), 2) = Variant::Null();
  cases.push_back({"profit and loss element", store.Bytes(),
                   "Konto Nr. 1 \"Müller-Depot\" (ab Byte 12): Element 45 (ProfitLoss) an Byte " +
                       At(12 + ElementOffset(store.records[0], 45)) +
                       ": Unzulässige Verwendung von Null"});
  store = sound;
  store.lower = 0;
  cases.push_back({"account list from 0", store.Bytes(),
                   "Kontenliste beginnt bei Index 0; die Konten vor Index 1 übergeht das Laden "
                   "an Byte 8"});
  VariantArray grid({ArrayBound{1, 1}, ArrayBound{1, 1}});
  grid.Elements()[0] = MakeKonto("A");
  cases.push_back({"account list of two dimensions", Serialized(Variant(grid)),
                   "Kontendatei beschädigt: Kontenliste ist nicht eindimensional an Byte 0"});
  damaged = bytes;
  damaged[7] = 0x7F;  // account count far beyond the file
  cases.push_back({"huge account count", damaged,
                   "Kontendatei beschädigt: 2130706434 Elemente angegeben, aber nur " +
                       At(bytes.size() - 12) + " Bytes übrig an Byte 0"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectCheck(c.bytes, false, c.message);
  }
}

}  // namespace
}  // namespace vks
