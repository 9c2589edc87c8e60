#include "adapters/dbus/BusMessage.h"

#include "platform/automation/AutomationError.h"

namespace vks::dbus {

namespace {

// sd-bus returns 0 when a container ends before the value asked for, a negative errno on a type
// that does not match.
void Pruefe(int r) {
  if (r <= 0) throw AutomationError(error::kTypeMismatch);
}

template <class T>
T Basic(sd_bus_message* m, char type) {
  T value{};
  Pruefe(sd_bus_message_read_basic(m, type, &value));
  return value;
}

void Append(sd_bus_message* m, char type, const void* value) {
  if (sd_bus_message_append_basic(m, type, value) < 0) {
    throw AutomationError(error::kTypeMismatch, "", "Der Wert lässt sich nicht senden.");
  }
}

}  // namespace

std::string BusReader::String() {
  return Basic<const char*>(m_, 's');
}
std::string BusReader::ObjectPath() {
  return Basic<const char*>(m_, 'o');
}
double BusReader::Double() {
  return Basic<double>(m_, 'd');
}
int16_t BusReader::Int16() {
  return Basic<int16_t>(m_, 'n');
}
uint16_t BusReader::UInt16() {
  return Basic<uint16_t>(m_, 'q');
}
int32_t BusReader::Int32() {
  return Basic<int32_t>(m_, 'i');
}
int64_t BusReader::Int64() {
  return Basic<int64_t>(m_, 'x');
}
uint8_t BusReader::Byte() {
  return Basic<uint8_t>(m_, 'y');
}
bool BusReader::Bool() {
  return Basic<int>(m_, 'b') != 0;
}

char BusReader::Peek(const char** contents) {
  char type = 0;
  const char* inner = nullptr;
  const int r = sd_bus_message_peek_type(m_, &type, &inner);
  if (r < 0) throw AutomationError(error::kTypeMismatch);
  if (contents) *contents = inner;
  return r == 0 ? '\0' : type;
}

void BusReader::Enter(char type, const char* contents) {
  Pruefe(sd_bus_message_enter_container(m_, type, contents));
}

void BusReader::Exit() {
  Pruefe(sd_bus_message_exit_container(m_));
}

void BusReader::Skip(const char* signature) {
  if (sd_bus_message_skip(m_, signature) < 0) throw AutomationError(error::kTypeMismatch);
}

void BusWriter::String(const std::string& s) {
  Append(m_, 's', s.c_str());
}
void BusWriter::ObjectPath(const std::string& path) {
  Append(m_, 'o', path.c_str());
}
void BusWriter::Double(double d) {
  Append(m_, 'd', &d);
}
void BusWriter::Int16(int16_t n) {
  Append(m_, 'n', &n);
}
void BusWriter::UInt16(uint16_t n) {
  Append(m_, 'q', &n);
}
void BusWriter::Int32(int32_t n) {
  Append(m_, 'i', &n);
}
void BusWriter::Int64(int64_t n) {
  Append(m_, 'x', &n);
}
void BusWriter::Byte(uint8_t n) {
  Append(m_, 'y', &n);
}
void BusWriter::Bool(bool b) {
  const int value = b;
  Append(m_, 'b', &value);
}

void BusWriter::Open(char type, const char* contents) {
  if (sd_bus_message_open_container(m_, type, contents) < 0)
    throw AutomationError(error::kTypeMismatch);
}

void BusWriter::Close() {
  if (sd_bus_message_close_container(m_) < 0) throw AutomationError(error::kTypeMismatch);
}

}  // namespace vks::dbus
