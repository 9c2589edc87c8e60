#pragma once
// Names in VBScript ignore letter case. Every table of the interpreter keys names by their folded
// spelling; ASCII names (nearly all) fold without leaving this header.
#include <string>
#include <string_view>

#include "platform/automation/KeyedDictionary.h"

namespace vks::vbscript {

inline std::string FoldName(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) >= 0x80) return FoldCase(name);
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return out;
}

}  // namespace vks::vbscript
