#include "platform/automation/Variant.h"

#include <bit>
#include <cstring>
#include <type_traits>

#include "platform/automation/AutomationError.h"
#include "platform/automation/Dispatch.h"

namespace vks {

Variant::Variant(VariantArray array)
    : value_(ArrayBox(std::make_unique<VariantArray>(std::move(array)))) {}

Variant::ArrayBox::ArrayBox(const ArrayBox& other)
    : array(other.array ? std::make_unique<VariantArray>(*other.array) : nullptr) {}

Variant::ArrayBox& Variant::ArrayBox::operator=(const ArrayBox& other) {
  if (this != &other) array = other.array ? std::make_unique<VariantArray>(*other.array) : nullptr;
  return *this;
}

Variant::ArrayBox::~ArrayBox() = default;

uint16_t Variant::VarTypeCode() const {
  if (IsArray())
    return static_cast<uint16_t>(VarType::Array) | static_cast<uint16_t>(VarType::Variant);
  return static_cast<uint16_t>(Type());
}

void Variant::Replace(Variant v) {
  if (OwnsNothing())
    std::construct_at(&value_, std::move(v.value_));  // the old value needs no destructor
  else
    value_ = std::move(v.value_);
}

bool Variant::IsNumeric() const {
  switch (Type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Byte:
      return true;
    default:
      return false;
  }
}

bool operator==(const Variant& a, const Variant& b) {
  if (a.value_.index() != b.value_.index()) return false;
  switch (a.Type()) {
    case VarType::Single:
      return std::bit_cast<uint32_t>(a.AsSingle()) == std::bit_cast<uint32_t>(b.AsSingle());
    case VarType::Double:
      return std::bit_cast<uint64_t>(a.AsDouble()) == std::bit_cast<uint64_t>(b.AsDouble());
    case VarType::Date:
      return std::bit_cast<uint64_t>(a.AsDate().days) == std::bit_cast<uint64_t>(b.AsDate().days);
    case VarType::Array:
      return a.AsArray() == b.AsArray();
    default:
      return std::visit(
          [&b](const auto& x) -> bool {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, Variant::ArrayBox>) {
              return false;  // handled above
            } else {
              return x == std::get<T>(b.value_);
            }
          },
          a.value_);
  }
}

// ---------------------------------------------------------------------------------------------
// VariantArray

size_t VariantArray::CountElements(const std::vector<ArrayBound>& bounds) {
  int64_t total = bounds.empty() ? 0 : 1;
  for (const ArrayBound& b : bounds) {
    if (b.count < 0) throw AutomationError(error::kSubscriptOutOfRange);
    if (int64_t{b.lower} + b.count - 1 > INT32_MAX) throw AutomationError(error::kOverflow);
    total *= b.count;
    if (total > kMaxElements) throw AutomationError(error::kOutOfMemory);
  }
  return static_cast<size_t>(total);
}

VariantArray::VariantArray(std::vector<ArrayBound> bounds)
    : bounds_(std::move(bounds)), elements_(CountElements(bounds_)) {}

VariantArray VariantArray::Vector(int32_t lower, std::vector<Variant> elements) {
  if (static_cast<int64_t>(elements.size()) > kMaxElements)
    throw AutomationError(error::kOutOfMemory);
  VariantArray array;
  array.bounds_ = {ArrayBound{lower, static_cast<int32_t>(elements.size())}};
  array.elements_ = std::move(elements);
  return array;
}

int32_t VariantArray::LBound(int dimension) const {
  if (dimension < 1 || dimension > Dimensions()) throw AutomationError(error::kSubscriptOutOfRange);
  return bounds_[dimension - 1].lower;
}

int32_t VariantArray::UBound(int dimension) const {
  if (dimension < 1 || dimension > Dimensions()) throw AutomationError(error::kSubscriptOutOfRange);
  return bounds_[dimension - 1].Upper();
}

size_t VariantArray::FlatIndex(std::span<const int32_t> indices) const {
  if (indices.size() != bounds_.size()) throw AutomationError(error::kSubscriptOutOfRange);
  size_t flat = 0;
  size_t stride = 1;
  for (size_t d = 0; d < bounds_.size(); ++d) {
    int64_t offset = int64_t{indices[d]} - bounds_[d].lower;
    if (offset < 0 || offset >= bounds_[d].count)
      throw AutomationError(error::kSubscriptOutOfRange);
    flat += static_cast<size_t>(offset) * stride;
    stride *= static_cast<size_t>(bounds_[d].count);
  }
  return flat;
}

Variant& VariantArray::At(std::span<const int32_t> indices) {
  return elements_[FlatIndex(indices)];
}

const Variant& VariantArray::At(std::span<const int32_t> indices) const {
  return elements_[FlatIndex(indices)];
}

void VariantArray::ReDim(std::vector<ArrayBound> bounds, bool preserve) {
  if (fixed_) throw AutomationError(error::kArrayFixedOrLocked);
  size_t count = CountElements(bounds);
  if (!preserve || bounds_.empty()) {
    elements_.assign(count, Variant());
    bounds_ = std::move(bounds);
    return;
  }
  if (bounds.size() != bounds_.size()) throw AutomationError(error::kSubscriptOutOfRange);
  for (size_t d = 0; d + 1 < bounds.size(); ++d) {
    if (bounds[d] != bounds_[d]) throw AutomationError(error::kSubscriptOutOfRange);
  }
  // With the first index varying fastest, only the tail moves when the last dimension changes.
  // Its lower bound may change too: elements keep their position, as in the platform's arrays.
  elements_.resize(count);
  bounds_ = std::move(bounds);
}

void VariantArray::Erase() {
  if (fixed_) {
    for (Variant& v : elements_) v = Variant();
    return;
  }
  bounds_.clear();
  elements_.clear();
}

}  // namespace vks
