#include "adapters/qt/QtMeldungen.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <utility>

#include "tests/adapters/qt/QtTestAnwendung.h"

namespace vks {
namespace {

TEST(QtMeldungenTest, StylesGiveGermanButtonsIconsTitleAndAnswers) {
  testing::QtTestAnwendung();
  using B = QMessageBox;
  const auto ja = std::pair{B::Yes, QString("&Ja")}, nein = std::pair{B::No, QString("&Nein")},
             ok = std::pair{B::Ok, QString("OK")},
             abbrechen = std::pair{B::Cancel, QString("Abbrechen")};
  const struct {
    int32_t style;
    std::vector<std::pair<B::StandardButton, QString>> knoepfe;
    B::Icon icon;
    std::vector<int32_t> antworten;
  } faelle[] = {
      {0, {ok}, B::NoIcon, {msgbox::kOk}},
      {4, {ja, nein}, B::NoIcon, {msgbox::kYes, msgbox::kNo}},
      {4 + 32, {ja, nein}, B::Question, {msgbox::kYes, msgbox::kNo}},
      {4096 + 16, {ok}, B::Critical, {msgbox::kOk}},
      {1 + 48, {ok, abbrechen}, B::Warning, {msgbox::kOk, msgbox::kCancel}},
      {3 + 64, {ja, nein, abbrechen}, B::Information, {msgbox::kYes, msgbox::kNo, msgbox::kCancel}},
      {2,
       {{B::Abort, "&Abbrechen"}, {B::Retry, "&Wiederholen"}, {B::Ignore, "&Ignorieren"}},
       B::NoIcon,
       {msgbox::kAbort, msgbox::kRetry, msgbox::kIgnore}},
      {5, {{B::Retry, "&Wiederholen"}, abbrechen}, B::NoIcon, {msgbox::kRetry, msgbox::kCancel}},
  };
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.style);
    auto box = BaueMeldung("Text", fall.style, "");
    EXPECT_EQ(box->windowTitle(), "Tradomir Konto-Server");
    EXPECT_EQ(box->text(), "Text");
    EXPECT_EQ(box->icon(), fall.icon);
    for (size_t i = 0; i < fall.knoepfe.size(); ++i) {
      ASSERT_NE(box->button(fall.knoepfe[i].first), nullptr);
      EXPECT_EQ(box->button(fall.knoepfe[i].first)->text(), fall.knoepfe[i].second);
      EXPECT_EQ(AntwortCode(fall.knoepfe[i].first), fall.antworten[i]);
    }
    EXPECT_EQ(box->defaultButton(), box->button(fall.knoepfe[0].first));
    EXPECT_EQ(box->buttons().size(), static_cast<qsizetype>(fall.knoepfe.size()));
  }
  EXPECT_EQ(BaueMeldung("x", 0, "Eigener Titel")->windowTitle(), "Eigener Titel");
}

}  // namespace
}  // namespace vks
