#pragma once
// Message boxes on the display: the style's buttons (0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3
// Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel) and icon (16 critical, 32 question, 48 warning, 64
// information), the default title, the answer as the automation answer code.
#include <QMessageBox>

#include "platform/system/MessageReporter.h"

namespace vks {

class QtMeldungen : public MessageReporter {
 public:
  int32_t ZeigeMeldung(const std::string& text, int32_t style, const std::string& title) override;
};

// The box a style gives, not yet shown (for the pictures of the windows).
std::unique_ptr<QMessageBox> BaueMeldung(const std::string& text, int32_t style,
                                         const std::string& title);
// The answer code of a pressed button.
int32_t AntwortCode(QMessageBox::StandardButton knopf);

}  // namespace vks
