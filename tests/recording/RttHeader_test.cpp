#include "recording/RttHeader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace vks {
namespace {

// `text` at `offset`, filled with blanks up to `width` bytes.
void Place(RttHeaderBytes& h, size_t offset, const std::string& text, size_t width = 0) {
  std::string field = text;
  if (field.size() < width) field.resize(width, ' ');
  std::memcpy(h.data() + offset, field.data(), field.size());
}

// Every header field at its offset and width; every byte not placed is 0.
TEST(RttHeaderTest, FieldsAtTheirOffsetsInTheCodePage) {
  struct Case {
    const char* what;
    std::string konto, wkn, titel;
    eKontoDatenArt art;
    bool position;
    std::string anzeige_kurz, basis_kurz, anzeige, basis;  // in Windows-1252
  } cases[] = {
      // 40 characters; the base name "KapitalGesamt-" + name has 54.
      {"account file with a long non-ASCII name", "Depotkonto Müller & Söhne 2024 Frankfurt", "",
       "", dKapitalGesamtKapital, false, "KapitalGesamt-Depotkonto M\xFCller & S\xF6hne 2024 Frank",
       "KapitalGesamt-Depo", "KapitalGesamt-Depotkonto M\xFCller & S\xF6hne 2024 Frankfurt",
       "KapitalGesamt-Depotkonto M\xFCller & S\xF6hne 2024 Frankfurt"},
      {"empty security name shows the base name", "D", "X", "", dTitelPos, true, "D-Pos-X",
       "D-Pos-X", "D-Pos-X", "D-Pos-X"},
      {"kind outside the table is a portfolio file named after the identifier", "D", "WKN9", "",
       static_cast<eKontoDatenArt>(52), false, "WKN9", "WKN9", "WKN9", "WKN9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RttHeaderBytes expected{};
    Place(expected, 0, "VKS RealtimeTool-Datei Version 01.00");
    Place(expected, 36, "\xFF\xFF");
    Place(expected, 38, c.anzeige_kurz, 50);
    Place(expected, 88, c.basis_kurz, 18);
    Place(expected, 106,
          c.position ? "Kontoserver Positions-Aufzeichnung" : "Kontoserver Portfolio-Aufzeichnung",
          250);
    Place(expected, 356, "Ja");
    Place(expected, 358, c.anzeige, 130);
    Place(expected, 488, c.basis, 68);
    Place(expected, 556, "KontoServe");
    Place(expected, 674, c.position ? "Position" : "Portfolio", 12);
    const RttHeaderBytes actual = ErzeugeRTTHeader(c.konto, c.wkn, c.titel, c.art);
    const auto diff = std::mismatch(actual.begin(), actual.end(), expected.begin());
    EXPECT_TRUE(diff.first == actual.end())
        << "first difference at offset " << diff.first - actual.begin() << ": " << int(*diff.first)
        << " instead of " << int(*diff.second);
  }
}

TEST(RttHeaderTest, TextsTheCodePageCannotHoldBecomeQuestionMarks) {
  struct Case {
    std::string utf8;
    std::string bytes;
  } cases[] = {
      {"Konto€", "Konto\x80"},
      {"Konto✓", "Konto?"},
      {"Ω1", "?1"},
      {"a\xFF"
       "b",
       "a?b"},          // not UTF-8 at all
      {"a\xC3", "a?"},  // cut sequence
      {"😀x", "?x"},     // outside the basic plane
      {std::string("n\0l", 3), std::string("n\0l", 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(ToHeaderText(c.utf8), c.bytes);
  }
}

}  // namespace
}  // namespace vks
