#include "adapters/qt/QtMeldungen.h"

#include <QPushButton>

namespace vks {

std::unique_ptr<QMessageBox> BaueMeldung(const std::string& text, int32_t style,
                                         const std::string& title) {
  auto box = std::make_unique<QMessageBox>();
  box->setWindowTitle(QString::fromStdString(title.empty() ? kDefaultMessageTitle : title));
  box->setText(QString::fromStdString(text));
  using B = QMessageBox;
  switch (style & 0xF) {
    case msgbox::kOkCancel:
      box->setStandardButtons(B::Ok | B::Cancel);
      break;
    case msgbox::kAbortRetryIgnore:
      box->setStandardButtons(B::Abort | B::Retry | B::Ignore);
      break;
    case msgbox::kYesNoCancel:
      box->setStandardButtons(B::Yes | B::No | B::Cancel);
      break;
    case msgbox::kYesNo:
      box->setStandardButtons(B::Yes | B::No);
      break;
    case msgbox::kRetryCancel:
      box->setStandardButtons(B::Retry | B::Cancel);
      break;
    default:
      box->setStandardButtons(B::Ok);
      break;
  }
  switch (style & 0x70) {
    case 16:
      box->setIcon(B::Critical);
      break;
    case 32:
      box->setIcon(B::Question);
      break;
    case 48:
      box->setIcon(B::Warning);
      break;
    case 64:
      box->setIcon(B::Information);
      break;
    default:
      break;
  }
  // The user's message boxes speak German whatever translations Qt has installed.
  const std::pair<B::StandardButton, const char*> kTexte[] = {{B::Ok, "OK"},
                                                              {B::Cancel, "Abbrechen"},
                                                              {B::Abort, "&Abbrechen"},
                                                              {B::Retry, "&Wiederholen"},
                                                              {B::Ignore, "&Ignorieren"},
                                                              {B::Yes, "&Ja"},
                                                              {B::No, "&Nein"}};
  for (const auto& [knopf, text] : kTexte) {
    if (QAbstractButton* b = box->button(knopf)) b->setText(QString::fromUtf8(text));
  }
  // The first button is the default one, as the style's default button 1.
  for (B::StandardButton erster : {B::Ok, B::Abort, B::Yes, B::Retry}) {
    if (auto* knopf = qobject_cast<QPushButton*>(box->button(erster))) {
      box->setDefaultButton(knopf);
      break;
    }
  }
  if (style & msgbox::kSystemModal) box->setWindowModality(Qt::ApplicationModal);
  return box;
}

int32_t AntwortCode(QMessageBox::StandardButton knopf) {
  switch (knopf) {
    case QMessageBox::Cancel:
      return msgbox::kCancel;
    case QMessageBox::Abort:
      return msgbox::kAbort;
    case QMessageBox::Retry:
      return msgbox::kRetry;
    case QMessageBox::Ignore:
      return msgbox::kIgnore;
    case QMessageBox::Yes:
      return msgbox::kYes;
    case QMessageBox::No:
      return msgbox::kNo;
    default:
      return msgbox::kOk;
  }
}

int32_t QtMeldungen::ZeigeMeldung(const std::string& text, int32_t style,
                                  const std::string& title) {
  std::unique_ptr<QMessageBox> box = BaueMeldung(text, style, title);
  box->exec();
  QAbstractButton* gedrueckt = box->clickedButton();
  if (!gedrueckt) return DefaultAnswer(style);  // closed without a button: Escape
  return AntwortCode(box->standardButton(gedrueckt));
}

}  // namespace vks
