#pragma once
// Reading and writing the arguments of one sd-bus message. A reader fault (a type that is not
// there, a container that ends early) is AutomationError 13, so a client's malformed value ends
// its own call and nothing else; a value the bus cannot carry (a string that is no UTF-8) is the
// same error on the way out.
#include <systemd/sd-bus.h>

#include <cstdint>
#include <string>
#include <tuple>

namespace vks::dbus {

class BusReader {
 public:
  explicit BusReader(sd_bus_message* message) : m_(message) {}

  std::string String();
  std::string ObjectPath();
  double Double();
  int16_t Int16();
  uint16_t UInt16();
  int32_t Int32();
  int64_t Int64();
  uint8_t Byte();
  bool Bool();

  // The next argument's type ('\0' at the end of the current container) and, for a container,
  // the signature of what it holds.
  char Peek(const char** contents = nullptr);
  void Enter(char type, const char* contents);
  void Exit();
  // Skips the next complete values of the given signature.
  void Skip(const char* signature);

  // The basic arguments of a call in order, for example Read<std::string, double>().
  template <class... T>
  std::tuple<T...> Read() {
    return std::tuple<T...>{One<T>()...};  // braces: read left to right
  }

 private:
  template <class T>
  T One();
  sd_bus_message* m_;
};

template <>
inline std::string BusReader::One<std::string>() {
  return String();
}
template <>
inline double BusReader::One<double>() {
  return Double();
}
template <>
inline int16_t BusReader::One<int16_t>() {
  return Int16();
}
template <>
inline int32_t BusReader::One<int32_t>() {
  return Int32();
}
template <>
inline bool BusReader::One<bool>() {
  return Bool();
}

class BusWriter {
 public:
  explicit BusWriter(sd_bus_message* message) : m_(message) {}

  void String(const std::string& s);
  void ObjectPath(const std::string& path);
  void Double(double d);
  void Int16(int16_t n);
  void UInt16(uint16_t n);
  void Int32(int32_t n);
  void Int64(int64_t n);
  void Byte(uint8_t n);
  void Bool(bool b);
  void Open(char type, const char* contents);
  void Close();

  // Values in order, each in the type of its C++ type (a float as the double of its value).
  template <class... T>
  void Write(const T&... values) {
    (One(values), ...);
  }

 private:
  void One(const std::string& s) { String(s); }
  void One(double d) { Double(d); }
  void One(float f) { Double(static_cast<double>(f)); }
  void One(int16_t n) { Int16(n); }
  void One(int32_t n) { Int32(n); }
  void One(bool b) { Bool(b); }
  sd_bus_message* m_;
};

}  // namespace vks::dbus
