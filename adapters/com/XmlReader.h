#pragma once
// A small reader for the XML of the interface description: elements and their attributes, with
// comments, the document type, processing instructions and character data skipped. Enough for a
// file that we write ourselves; anything it does not understand is an error with its line.
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vks::com {

struct XmlElement {
  std::string name;
  std::vector<std::pair<std::string, std::string>>
      attributes;                    // in document order, entities resolved
  std::vector<XmlElement> children;  // elements only
  int line = 0;

  // The attribute's value, or null when the element has none of that name.
  const std::string* Attribute(std::string_view attribute_name) const;
};

class XmlError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The document's root element. Throws XmlError ("line N: ...") on malformed input, on nesting
// deeper than 64 and on text after the root.
XmlElement ParseXml(std::string_view text);

}  // namespace vks::com
