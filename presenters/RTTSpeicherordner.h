#pragma once
// The storage folder dialog without its widgets: the checks of its confirmation, in order, and the
// setting written only when all of them passed. The Qt dialog hands over its folder field.
#include <string>

#include "platform/files/FileSystem.h"
#include "platform/settings/SettingsStore.h"
#include "platform/system/MessageReporter.h"

namespace vks {

struct SpeicherordnerUmfeld {
  MessageReporter& melder;
  SettingsStore& settings;
  FileSystem& ordner;
  // The folder the server uses now; empty at the very first start.
  std::string aktueller_ordner;
};

// The OK button: true when the folder (trimmed, otherwise as typed) is stored and the dialog may
// hide; false keeps the dialog open after the message that says why.
bool BestaetigeSpeicherordner(const std::string& txtOrdner, SpeicherordnerUmfeld& umfeld);

}  // namespace vks
