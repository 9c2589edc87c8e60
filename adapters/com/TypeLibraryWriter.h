#pragma once
// Writes the type library of a description with the platform's type library builder
// (CreateTypeLib2), so that names with umlauts, optional defaults and dispatch identifiers come
// out exactly as described.
#include <windows.h>

#include <oaidl.h>

#include <string>

#include "adapters/com/TypeLibraryDescription.h"

namespace vks::com {

// Writes `library` to the file `path`. Throws std::runtime_error naming the type and member that
// the builder refused, with its HRESULT.
void WriteTypeLibrary(const TypeLibraryDescription& library, const std::wstring& path);

// How a member is invoked: a function, or a property's read, assignment or reference assignment.
INVOKEKIND InvokeKindOf(MemberKind kind);

// The GUID of "{...}" text; throws std::runtime_error when it is not one.
GUID ParseGuid(const std::string& text);

// The scripting runtime's dictionary interface, which Dictionary parameters refer to.
inline constexpr GUID kIID_IDictionary = {
    0x42C642C1, 0x97E1, 0x11CF, {0x97, 0x8F, 0x00, 0xA0, 0x24, 0x63, 0xE0, 0x6F}};

}  // namespace vks::com
