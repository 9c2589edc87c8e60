#pragma once
// The fixed header that tells the host what an RTT series is.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "recording/RttFormat.h"
#include "recording/eKontoDatenArt.h"

namespace vks {

using RttHeaderBytes = std::array<uint8_t, rtt::kHeaderSize>;

// The header for a series. Display name: KontoName + "-Pos-" + TitelName when TitelName is given,
// else the file base name. Texts are cut to their fields after conversion to Windows-1252; a
// character the code page cannot hold becomes '?', as the platform's ANSI conversion writes it (the
// full name lives in the file name).
RttHeaderBytes ErzeugeRTTHeader(std::string_view KontoName, std::string_view TitelWKN,
                                std::string_view TitelName, eKontoDatenArt Datenart);

// UTF-8 to Windows-1252, '?' for each character (or invalid byte) the code page cannot hold.
std::string ToHeaderText(std::string_view utf8);

}  // namespace vks
