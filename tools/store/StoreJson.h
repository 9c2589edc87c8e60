#pragma once
// The tagged JSON form of store values, for reading and editing a store by hand. Every value is an
// object that names its subtype, so that Integer and Long, Single and Double, Date and Double, and
// Empty and Null stay apart and a packed store comes out byte for byte as it was dumped:
//
//   {"type": "Empty"}            {"type": "Null"}
//   {"type": "Integer", "value": -3}        {"type": "Long", "value": 100000}
//   {"type": "Byte", "value": 255}          {"type": "Boolean", "value": true}
//   {"type": "String", "value": "Müller-Depot"}
//   {"type": "Single", "value": 101.5}      {"type": "Double", "value": -0.0}
//   {"type": "Double", "bits": "0x7FF8000000000001"}       (NaN and infinities: the raw bits)
//   {"type": "Date", "value": 45293.5, "text": "2024-01-02T12:00:00"}
//   {"type": "Currency", "scaled": 1234567, "text": "123.4567"}
//   {"type": "Array", "bounds": [{"lower": 1, "count": 2}], "elements": [ ... ]}
//
// Numbers are written so that they read back to the same bits. "value" (or "bits") is what counts;
// "text" is for people and must agree with it when present. Arrays list their elements in storage
// order, the first index varying fastest. The keys "record" and "field" only label values and are
// ignored when packing.
#include <nlohmann/json.hpp>

#include "platform/automation/Variant.h"

namespace vks {

using StoreJson = nlohmann::ordered_json;

// Throws AutomationError 13 for subtypes the store cannot hold (objects, errors).
StoreJson VariantToJson(const Variant& value);

// Throws AutomationError 5 whose description names the JSON pointer of the fault and what is
// wrong with it. Arrays are refused where the store reader would refuse them (no dimension, more
// than 60, an upper bound beyond the Long range, nesting deeper than the reader takes).
Variant JsonToVariant(const StoreJson& json);

}  // namespace vks
