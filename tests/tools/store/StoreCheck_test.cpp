#include "tools/store/StoreCheck.h"

#include <gtest/gtest.h>

#include <functional>
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
  const Store sound = TwoAccounts();
  const std::string bytes = sound.Bytes();
  const size_t second = sound.RecordOffset(1);
  // Each case damages a copy of the sound store or of its bytes; the parts before the damage keep
  // their offsets.
  const auto changed = [&](const std::function<void(Store&)>& change) {
    Store store = sound;
    change(store);
    return store.Bytes();
  };
  const auto with_byte = [&](size_t at, char value) {
    std::string damaged = bytes;
    damaged[at] = value;
    return damaged;
  };
  // Where element `k` of the first account starts.
  const auto first_at = [&](size_t k) { return At(12 + ElementOffset(sound.records[0], k)); };
  const std::string in_first = "Konto Nr. 1 \"Müller-Depot\" (ab Byte 12): ";
  const std::string in_second = "Konto Nr. 2 (ab Byte " + At(second) + "): ";
  const std::string in_zuerich = "Konto Nr. 2 \"Konto Zürich\" (ab Byte " + At(second) + "): ";
  VariantArray grid({ArrayBound{1, 1}, ArrayBound{1, 1}});
  grid.Elements()[0] = MakeKonto("A");
  const struct {
    const char* name;
    std::string bytes, message;
  } cases[] = {
      {"truncated in the second account", bytes.substr(0, bytes.size() - 1),
       in_second + "Kontendatei endet vorzeitig: Variant-Typ an Byte " + At(bytes.size() - 2) +
           " fehlt (Dateilänge " + At(bytes.size() - 1) + ")"},
      {"unknown type code", with_byte(second + 12, 0x42),  // type of element 0
       in_second + "Kontendatei beschädigt: unbekannter Variant-Typ 0x0042 an Byte " +
           At(second + 12)},
      {"bytes after the list", bytes + "x",
       "Kontendatei beschädigt: 1 überzählige Bytes ab Byte " + At(bytes.size())},
      {"name twice", changed([](Store& s) { s.records.push_back(MakeKonto("KONTO ZÜRICH")); }),
       "Konto Nr. 3 an Byte " + At(sound.RecordOffset(2)) +
           ": Kontoname \"KONTO ZÜRICH\" kommt doppelt vor (wie Konto Nr. 2)"},
      {"account record too short", changed([](Store& s) {
         const std::vector<Variant>& all = s.records[1].AsArray().Elements();
         s.records[1] = Variant(VariantArray::Vector(0, {all.begin(), all.begin() + 47}));
       }),
       in_zuerich + "Kontodatensatz hat 47 statt mindestens 48 Elemente an Byte " + At(second)},
      {"account field of the wrong type",
       changed([](Store& s) { Element(s.records[0], 2) = Variant("zehntausend"); }),
       in_first + "Element 2 (CashBetrag) an Byte " + first_at(2) + ": Typen unverträglich"},
      {"position out of range",
       changed([](Store& s) { Element(Element(Element(s.records[1], 4), 1), 1) = Variant(3e9); }),
       in_zuerich + "Position Nr. 2 (ab Byte " + At(sound.ChildOffset(1, 4, 1)) +
           "): Element 1 (Position) an Byte " + At(sound.ChildElementOffset(1, 4, 1, 1)) +
           ": Überlauf"},
      {"fill key twice",
       changed([](Store& s) { Element(Element(Element(s.records[0], 5), 1), 0) = Variant("f-1"); }),
       in_first + "Fill Nr. 2 an Byte " + At(sound.ChildOffset(0, 5, 1)) +
           ": ID \"f-1\" kommt doppelt vor (wie Nr. 1)"},
      {"order record too short", changed([](Store& s) {
         Element(Element(s.records[0], 3), 0) = Variant(VariantArray::Vector(0, {Variant("O")}));
       }),
       in_first + "Offene Order Nr. 1 (ab Byte " + At(sound.ChildOffset(0, 3, 0)) +
           "): Orderdatensatz hat 1 statt mindestens 22 Elemente an Byte " +
           At(sound.ChildOffset(0, 3, 0))},
      {"child list from 0", changed([](Store& s) {
         Variant& list = Element(s.records[0], 4);
         list = Variant(VariantArray::Vector(0, list.AsArray().Elements()));
       }),
       in_first + "Element 4 (cTitelPositionen) an Byte " + first_at(4) +
           ": Liste der Positionen beginnt bei Index 0 statt 1"},
      {"profit and loss element",
       changed([](Store& s) { Element(Element(s.records[0], 45), 2) = Variant::Null(); }),
       in_first + "Element 45 (ProfitLoss) an Byte " + first_at(45) +
           ": Unzulässige Verwendung von Null"},
      {"account list from 0", changed([](Store& s) { s.lower = 0; }),
       "Kontenliste beginnt bei Index 0; die Konten vor Index 1 übergeht das Laden an Byte 8"},
      {"account list of two dimensions", Serialized(Variant(grid)),
       "Kontendatei beschädigt: Kontenliste ist nicht eindimensional an Byte 0"},
      {"huge account count", with_byte(7, 0x7F),  // account count far beyond the file
       "Kontendatei beschädigt: 2130706434 Elemente angegeben, aber nur " + At(bytes.size() - 12) +
           " Bytes übrig an Byte 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectCheck(c.bytes, false, c.message);
  }
}

}  // namespace
}  // namespace vks
