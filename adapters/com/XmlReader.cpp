#include "adapters/com/XmlReader.h"

namespace vks::com {

const std::string* XmlElement::Attribute(std::string_view attribute_name) const {
  for (const auto& [key, value] : attributes)
    if (key == attribute_name) return &value;
  return nullptr;
}

namespace {

constexpr int kMaxDepth = 64;

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  XmlElement Document() {
    SkipMisc();
    if (AtEnd() || Peek() != '<') Fail("the document has no root element");
    XmlElement root = Element(0);
    SkipMisc();
    if (!AtEnd()) Fail("text after the root element");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw XmlError("line " + std::to_string(line_) + ": " + what);
  }
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return text_[pos_]; }
  bool StartsWith(std::string_view s) const { return text_.substr(pos_).starts_with(s); }
  void Advance(size_t n = 1) {
    for (size_t i = 0; i < n && pos_ < text_.size(); ++i)
      if (text_[pos_++] == '\n') ++line_;
  }
  void SkipSpace() {
    while (!AtEnd() && IsSpace(Peek())) Advance();
  }
  static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
  static bool IsNameChar(char c) {
    return c == '_' || c == ':' || c == '-' || c == '.' || (c >= 'a' && c <= 'z') ||
           (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           static_cast<unsigned char>(c) >= 0x80;
  }
  void SkipPast(std::string_view end, const char* what) {
    size_t found = text_.find(end, pos_);
    if (found == std::string_view::npos) Fail(std::string("unterminated ") + what);
    Advance(found + end.size() - pos_);
  }

  // Comments, processing instructions, the document type and white space between elements.
  void SkipMisc() {
    for (;;) {
      SkipSpace();
      if (StartsWith("<!--")) {
        SkipPast("-->", "comment");
      } else if (StartsWith("<?")) {
        SkipPast("?>", "processing instruction");
      } else if (StartsWith("<!DOCTYPE")) {
        SkipDoctype();
      } else {
        return;
      }
    }
  }
  void SkipDoctype() {
    char quote = 0;
    for (Advance(9); !AtEnd(); Advance()) {
      char c = Peek();
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '[') {
        Fail("a document type with an internal subset");
      } else if (c == '>') {
        Advance();
        return;
      }
    }
    Fail("unterminated document type");
  }

  std::string Name() {
    size_t start = pos_;
    while (!AtEnd() && IsNameChar(Peek())) Advance();
    if (pos_ == start) Fail("a name was expected");
    return std::string(text_.substr(start, pos_ - start));
  }

  // Resolves the five named entities; attribute white space becomes
  // blanks as XML normalises it.
  std::string AttributeValue() {
    char quote = Peek();
    if (quote != '"' && quote != '\'') Fail("an attribute value must be quoted");
    Advance();
    std::string value;
    for (;;) {
      if (AtEnd()) Fail("unterminated attribute value");
      char c = Peek();
      if (c == quote) break;
      if (c == '<') Fail("'<' in an attribute value");
      if (c == '&') {
        value += Entity();
        continue;
      }
      value += IsSpace(c) ? ' ' : c;
      Advance();
    }
    Advance();
    return value;
  }
  std::string Entity() {
    size_t end = text_.find(';', pos_);
    if (end == std::string_view::npos || end - pos_ > 12) Fail("unterminated entity reference");
    std::string_view name = text_.substr(pos_ + 1, end - pos_ - 1);
    Advance(end + 1 - pos_);
    if (name == "amp") return "&";
    if (name == "lt") return "<";
    if (name == "gt") return ">";
    if (name == "quot") return "\"";
    if (name == "apos") return "'";
    // Character references are not needed: the description is UTF-8 throughout.
    Fail("unknown entity &" + std::string(name) + ";");
  }
  XmlElement Element(int depth) {
    if (depth >= kMaxDepth) Fail("elements nested too deep");
    XmlElement element;
    element.line = line_;
    Advance();  // '<'
    element.name = Name();
    for (;;) {
      SkipSpace();
      if (AtEnd()) Fail("unterminated start tag <" + element.name + ">");
      if (StartsWith("/>")) {
        Advance(2);
        return element;
      }
      if (Peek() == '>') {
        Advance();
        break;
      }
      std::string key = Name();
      SkipSpace();
      if (AtEnd() || Peek() != '=') Fail("'=' expected after attribute " + key);
      Advance();
      SkipSpace();
      if (element.Attribute(key)) Fail("attribute " + key + " given twice");
      element.attributes.emplace_back(std::move(key), AttributeValue());
    }
    for (;;) {  // content: character data (skipped), comments and child elements
      if (AtEnd()) Fail("element <" + element.name + "> is not closed");
      if (StartsWith("</")) {
        Advance(2);
        if (Name() != element.name) Fail("end tag does not match <" + element.name + ">");
        SkipSpace();
        if (AtEnd() || Peek() != '>') Fail("'>' expected");
        Advance();
        return element;
      }
      if (StartsWith("<!--")) {
        SkipPast("-->", "comment");
      } else if (StartsWith("<![CDATA[")) {
        SkipPast("]]>", "character data section");
      } else if (StartsWith("<?")) {
        SkipPast("?>", "processing instruction");
      } else if (Peek() == '<') {
        element.children.push_back(Element(depth + 1));
      } else {
        Advance();
      }
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

XmlElement ParseXml(std::string_view text) {
  return Parser(text).Document();
}

}  // namespace vks::com
