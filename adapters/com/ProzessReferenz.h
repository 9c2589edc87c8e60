#pragma once
// What keeps the server process alive: every automation object that a host may hold counts as one
// reference while it lives. The server counts them with the platform (CoAddRefServerProcess) and
// ends with the last; objects made inside a test count nowhere.
namespace vks::com {

class ProzessReferenz {
 public:
  virtual ~ProzessReferenz() = default;
  virtual void Hinzu() = 0;
  // The last reference gone ends the process's message loop.
  virtual void Weg() = 0;
};

}  // namespace vks::com
