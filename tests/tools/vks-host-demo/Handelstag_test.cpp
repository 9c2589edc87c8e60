#include "tools/vks-host-demo/Handelstag.h"

#include <gtest/gtest.h>

#include "platform/automation/NoValue.h"

namespace vks::demo {
namespace {

constexpr double kTag = 45744.0;  // 28 March 2025

TEST(HandelstagTest, ReadsEveryRecordKind) {
  auto tag = LiesHandelstag(
      "# Kommentar\r\n"
      "T;2025-03-28\n"
      "G;Max;3\n"
      "Z;Future;25;4000;2.5;1;0;0;0;-;0\n"
      "Z;US;0;50;0.1;0;5;0;0;0.92;1\n"
      "K;Regel;Mit Regel;30000;0;1;Ergebnis = 1;#Ergebnis#;\n"
      "K;Ohne;;100;1;0;;;\n"
      "P;09:00:05;Ohne;W1;42.5\n"
      "O;12:30:15;Regel;F-1;IXF;Future Dez;-1;2;1;19026.5;1;Future\n"
      "S;18:00:00;Regel;F-1\n"
      "C;23:59:59;Ohne;W1;40\n");
  ASSERT_TRUE(tag.ok()) << tag.error().Description();
  EXPECT_EQ(tag->datum, kTag);
  ASSERT_EQ(tag->global.size(), 1u);
  EXPECT_EQ(tag->global[0], (std::pair<std::string, int32_t>{"Max", 3}));
  EXPECT_EQ(tag->zusatz.at("Future").PointValue, 25.0f);
  EXPECT_TRUE(tag->zusatz.at("Future").CommissionsArePoints);
  EXPECT_EQ(tag->zusatz.at("Future").AktUmrechnungsWert, NoValue);
  EXPECT_EQ(tag->zusatz.at("US").AktUmrechnungsWert, 0.92f);
  ASSERT_EQ(tag->konten.size(), 2u);
  EXPECT_TRUE(tag->konten[0].HatRegeln());
  EXPECT_FALSE(tag->konten[1].HatRegeln());
  EXPECT_EQ(tag->konten[0].platziere_meldung, "#Ergebnis#");
  EXPECT_TRUE(tag->konten[0].use_umrechnung);
  ASSERT_EQ(tag->ereignisse.size(), 4u);
  const Ereignis& o = tag->ereignisse[1];
  EXPECT_EQ(std::string(1, o.art) + o.konto + o.order_id + o.wkn + o.titel_name + o.zusatz,
            "ORegelF-1IXFFuture DezFuture");
  EXPECT_EQ((std::tuple{o.aktion, o.anzahl, o.filled_anzahl, o.kurs, o.enter}),
            (std::tuple{int16_t{-1}, 2, 1, 19026.5f, true}));
  EXPECT_DOUBLE_EQ(o.zeit, kTag + (12 * 3600 + 30 * 60 + 15) / 86400.0);
  EXPECT_DOUBLE_EQ(tag->ereignisse[3].zeit, kTag + 86399 / 86400.0);
}

TEST(HandelstagTest, NamesTheFaultyLine) {
  struct Case {
    const char* text;
    const char* line;
  } cases[] = {
      {"P;09:00:00;K;W;1\n", "Zeile 1"},                                  // before the day
      {"T;2025-03-28\nP;9:00;K;W;1\n", "Zeile 2"},                        // time without seconds
      {"T;2025-03-28\nP;24:00:00;K;W;1\n", "Zeile 2"},                    // no such hour
      {"T;2025-03-28\nP;09:00:00;K;W;eins\n", "Zeile 2"},                 // price not a number
      {"T;2025-03-28\nP;09:00:00;K;W;1;2\n", "Zeile 2"},                  // one field too many
      {"T;2025-03-28\n\nS;09:00:00;K\n", "Zeile 3"},                      // field missing
      {"T;2025-03-28\nO;09:00:00;K;1;W;N;1;1;1;1;1;Fehlt\n", "Zeile 2"},  // unknown extras
      {"T;2025-03-28\nX;1\n", "Zeile 2"},                                 // unknown record
      {"Z;A;0;1;2;ja;0;0;0;-;0\n", "Zeile 1"},                            // flag not a number
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto tag = LiesHandelstag(c.text);
    ASSERT_FALSE(tag.ok());
    EXPECT_EQ(tag.error().Number(), 5);
    EXPECT_NE(tag.error().Description().find(std::string(c.line) + " ist fehlerhaft"),
              std::string::npos)
        << tag.error().Description();
  }
}

}  // namespace
}  // namespace vks::demo
