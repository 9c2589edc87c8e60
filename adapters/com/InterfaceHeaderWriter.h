#pragma once
// The C++ declarations of a description's interfaces: GUID constants, the enumerations as types,
// each dual interface as an abstract class in function-table order, and for each a function that
// visits its members (name, invocation kind, member pointer) so that tests can hold the declared
// function table against the type library's.
#include <string>

#include "adapters/com/TypeLibraryDescription.h"

namespace vks::com {

std::string WriteInterfaceHeader(const TypeLibraryDescription& library);

}  // namespace vks::com
