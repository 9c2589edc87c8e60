#include "recording/RttHeader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace vks {
namespace {

// The expected header, assembled from the bytes each field must hold; every byte not placed is 0.
class ExpectedHeader {
 public:
  ExpectedHeader& Place(size_t offset, const std::string& bytes) {
    std::memcpy(bytes_.data() + offset, bytes.data(), bytes.size());
    return *this;
  }
  const RttHeaderBytes& bytes() const { return bytes_; }

 private:
  RttHeaderBytes bytes_{};
};

std::string Spaces(size_t n) {
  return std::string(n, ' ');
}

// Everything that is the same in every header the server writes.
ExpectedHeader Common(const std::string& description_250, const std::string& category_12) {
  ExpectedHeader h;
  h.Place(0, "VKS RealtimeTool-Datei Version 01.00")
      .Place(36, "\xFF\xFF")
      .Place(106, description_250)
      .Place(356, "Ja")
      .Place(556, "KontoServe")
      .Place(674, category_12);
  return h;
}

void ExpectSameBytes(const RttHeaderBytes& actual, const RttHeaderBytes& expected) {
  for (size_t i = 0; i < actual.size(); ++i) {
    if (actual[i] != expected[i]) {
      ADD_FAILURE() << "first difference at offset " << i << ": " << int(actual[i])
                    << " instead of " << int(expected[i]);
      return;
    }
  }
}

TEST(RttHeaderTest, AccountFileWithALongNonAsciiName) {
  // 40 characters; the base name "KapitalGesamt-" + name has 54.
  std::string konto = "Depotkonto Müller & Söhne 2024 Frankfurt";
  ExpectedHeader expected =
      Common("Kontoserver Portfolio-Aufzeichnung" + Spaces(216), "Portfolio" + Spaces(3));
  expected.Place(38, "KapitalGesamt-Depotkonto M\xFCller & S\xF6hne 2024 Frank")
      .Place(88, "KapitalGesamt-Depo")
      .Place(358, "KapitalGesamt-Depotkonto M\xFCller & S\xF6hne 2024 Frankfurt" + Spaces(76))
      .Place(488, "KapitalGesamt-Depotkonto M\xFCller & S\xF6hne 2024 Frankfurt" + Spaces(14));
  ExpectSameBytes(ErzeugeRTTHeader(konto, "", "", dKapitalGesamtKapital), expected.bytes());
}

TEST(RttHeaderTest, PositionFileShowsTheSecurityNameButIsNamedAfterItsIdentifier) {
  ExpectedHeader expected =
      Common("Kontoserver Positions-Aufzeichnung" + Spaces(216), "Position" + Spaces(4));
  expected.Place(38, "Depot1-Pos-\xC4pfel AG" + Spaces(31))
      .Place(88, "Depot1-Pos-123456 ")
      .Place(358, "Depot1-Pos-\xC4pfel AG" + Spaces(111))
      .Place(488, "Depot1-Pos-123456" + Spaces(51));
  ExpectSameBytes(ErzeugeRTTHeader("Depot1", "123456", "Äpfel AG", dTitelPos), expected.bytes());
}

TEST(RttHeaderTest, EmptySecurityNameShowsTheBaseName) {
  ExpectedHeader expected =
      Common("Kontoserver Positions-Aufzeichnung" + Spaces(216), "Position" + Spaces(4));
  expected.Place(38, "D-Pos-X" + Spaces(43))
      .Place(88, "D-Pos-X" + Spaces(11))
      .Place(358, "D-Pos-X" + Spaces(123))
      .Place(488, "D-Pos-X" + Spaces(61));
  ExpectSameBytes(ErzeugeRTTHeader("D", "X", "", dTitelPos), expected.bytes());
}

TEST(RttHeaderTest, KindOutsideTheTableIsAPortfolioFileNamedAfterTheIdentifier) {
  ExpectedHeader expected =
      Common("Kontoserver Portfolio-Aufzeichnung" + Spaces(216), "Portfolio" + Spaces(3));
  expected.Place(38, "WKN9" + Spaces(46))
      .Place(88, "WKN9" + Spaces(14))
      .Place(358, "WKN9" + Spaces(126))
      .Place(488, "WKN9" + Spaces(64));
  ExpectSameBytes(ErzeugeRTTHeader("D", "WKN9", "", static_cast<eKontoDatenArt>(52)),
                  expected.bytes());
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
