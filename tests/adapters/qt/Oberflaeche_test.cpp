#include "adapters/qt/Oberflaeche.h"

#include <gtest/gtest.h>

namespace vks {
namespace {

// The first language we speak wins, in the order the user wants them; German for all others.
TEST(WaehleSprache, TheFirstOfTheUsersLanguagesThatWeSpeak) {
  const struct {
    QStringList sprachen;
    Sprache gewaehlt;
  } faelle[] = {
      {{"de-DE", "de"}, Sprache::kDeutsch},
      {{"de-AT"}, Sprache::kDeutsch},
      {{"en-US", "en-Latn-US", "en"}, Sprache::kEnglisch},
      {{"en-GB"}, Sprache::kEnglisch},
      {{"fr-FR", "en", "de"}, Sprache::kEnglisch},
      {{"fr", "de-DE", "en"}, Sprache::kDeutsch},
      {{"fr-FR"}, Sprache::kDeutsch},
      {{"C"}, Sprache::kDeutsch},
      {{}, Sprache::kDeutsch},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.sprachen.join(',').toStdString());
    EXPECT_EQ(WaehleSprache(f.sprachen), f.gewaehlt);
  }
}

}  // namespace
}  // namespace vks
