#pragma once
// A whole store file as a JSON document and back: what `vks-store dump` prints and `vks-store pack`
// reads. The document is the tagged form of the file's one value (StoreJson.h), labelled with the
// records' field names and printed with one value per line, so that it reads and diffs well.
#include <string>
#include <string_view>

namespace vks {

// An empty file gives "null". Throws AutomationError as the store reader does for damaged bytes,
// and 5 when bytes follow the value.
std::string DumpStore(std::string_view bytes);

// The store's bytes for a document; labels are ignored, "null" gives an empty file. Throws
// AutomationError 5 naming the position of a JSON syntax error, or the JSON pointer of a value that
// the store cannot hold.
std::string PackStore(std::string_view document);

}  // namespace vks
