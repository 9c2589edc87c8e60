#pragma once
// How long a server that the bus started waits for its first object before it ends: long enough
// for a host that starts it and then loads its charts, short enough that a stray activation does
// not linger. VKS_KONTOSERVER_FRIST_MS shortens it for the tests.
#include <chrono>
#include <cstdlib>
#include <string>

namespace vks::dbus {

inline constexpr std::chrono::milliseconds kFristOhneObjekt{60'000};

inline std::chrono::milliseconds FristOhneObjekt() {
  const char* text = std::getenv("VKS_KONTOSERVER_FRIST_MS");
  if (!text || !*text) return kFristOhneObjekt;
  char* end = nullptr;
  const long long ms = std::strtoll(text, &end, 10);
  if (*end != '\0' || ms <= 0) return kFristOhneObjekt;
  return std::chrono::milliseconds(ms);
}

}  // namespace vks::dbus
