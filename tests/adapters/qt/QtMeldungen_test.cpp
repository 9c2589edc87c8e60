#include "adapters/qt/QtMeldungen.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <utility>

#include "tests/adapters/qt/QtTestAnwendung.h"

namespace vks {
namespace {

TEST(QtMeldungenTest, StylesGiveButtonsIconsTitleAndAnswers) {
  testing::QtTestAnwendung();
  using B = QMessageBox;
  const struct {
    int32_t style;
    std::vector<B::StandardButton> knoepfe;
    B::Icon icon;
    std::vector<int32_t> antworten;
  } faelle[] = {
      {0, {B::Ok}, B::NoIcon, {msgbox::kOk}},
      {4, {B::Yes, B::No}, B::NoIcon, {msgbox::kYes, msgbox::kNo}},
      {4 + 32, {B::Yes, B::No}, B::Question, {msgbox::kYes, msgbox::kNo}},
      {4096 + 16, {B::Ok}, B::Critical, {msgbox::kOk}},
      {1 + 48, {B::Ok, B::Cancel}, B::Warning, {msgbox::kOk, msgbox::kCancel}},
      {3 + 64,
       {B::Yes, B::No, B::Cancel},
       B::Information,
       {msgbox::kYes, msgbox::kNo, msgbox::kCancel}},
      {2,
       {B::Abort, B::Retry, B::Ignore},
       B::NoIcon,
       {msgbox::kAbort, msgbox::kRetry, msgbox::kIgnore}},
      {5, {B::Retry, B::Cancel}, B::NoIcon, {msgbox::kRetry, msgbox::kCancel}},
  };
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.style);
    auto box = BaueMeldung("Text", fall.style, "");
    EXPECT_EQ(box->windowTitle(), "Tradomir Konto-Server");
    EXPECT_EQ(box->text(), "Text");
    EXPECT_EQ(box->icon(), fall.icon);
    for (size_t i = 0; i < fall.knoepfe.size(); ++i) {
      ASSERT_NE(box->button(fall.knoepfe[i]), nullptr);
      EXPECT_EQ(AntwortCode(fall.knoepfe[i]), fall.antworten[i]);
    }
    EXPECT_EQ(box->defaultButton(), box->button(fall.knoepfe[0]));
    EXPECT_EQ(box->buttons().size(), static_cast<qsizetype>(fall.knoepfe.size()));
  }
  EXPECT_EQ(BaueMeldung("x", 0, "Eigener Titel")->windowTitle(), "Eigener Titel");
}

TEST(QtMeldungenTest, ButtonsSpeakGerman) {
  testing::QtTestAnwendung();
  using B = QMessageBox;
  const struct {
    int32_t style;
    std::vector<std::pair<B::StandardButton, QString>> knoepfe;
  } faelle[] = {
      {3, {{B::Yes, "&Ja"}, {B::No, "&Nein"}, {B::Cancel, "Abbrechen"}}},
      {2, {{B::Abort, "&Abbrechen"}, {B::Retry, "&Wiederholen"}, {B::Ignore, "&Ignorieren"}}},
      {1, {{B::Ok, "OK"}, {B::Cancel, "Abbrechen"}}},
  };
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.style);
    auto box = BaueMeldung("Text", fall.style, "");
    for (const auto& [knopf, text] : fall.knoepfe) {
      ASSERT_NE(box->button(knopf), nullptr);
      EXPECT_EQ(box->button(knopf)->text(), text);
    }
  }
}

}  // namespace
}  // namespace vks
