#include "json_reader.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <limits>
#include <stdexcept>

#include "core/code_page.h"

namespace velmar::testing {

class JsonParser {
 public:
  explicit JsonParser(const std::string& text) : s_(text) {}

  Json parseDocument() {
    Json v = parseValue(0);
    skipBlanks();
    if (pos_ != s_.size()) fail("text after the document");
    return v;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw std::runtime_error("JSON: " + what + " at offset " + std::to_string(pos_));
  }

  void skipBlanks() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\n' || s_[pos_] == '\r' || s_[pos_] == '\t')) ++pos_;
  }

  char peek() {
    skipBlanks();
    if (pos_ >= s_.size()) fail("unexpected end");
    return s_[pos_];
  }

  void expect(char c) {
    if (peek() != c) fail(std::string("expected '") + c + "'");
    ++pos_;
  }

  bool consumeWord(const char* word) {
    std::string w(word);
    if (s_.compare(pos_, w.size(), w) == 0) {
      pos_ += w.size();
      return true;
    }
    return false;
  }

  unsigned hex4() {
    if (pos_ + 4 > s_.size()) fail("short \\u escape");
    unsigned v = static_cast<unsigned>(std::stoul(s_.substr(pos_, 4), nullptr, 16));
    pos_ += 4;
    return v;
  }

  std::string parseString() {
    expect('"');
    std::string out;
    while (true) {
      if (pos_ >= s_.size()) fail("unterminated string");
      char c = s_[pos_++];
      if (c == '"') break;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= s_.size()) fail("unterminated escape");
      char e = s_[pos_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          unsigned cp = hex4();
          if (cp >= 0xD800 && cp < 0xDC00 && consumeWord("\\u")) {
            unsigned lo = hex4();
            cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
          }
          appendUtf8(out, cp);
          break;
        }
        default: fail("bad escape");
      }
    }
    return out;
  }

  Json parseValue(int depth) {
    if (depth > 200) fail("nesting too deep");
    Json v;
    char c = peek();
    if (c == '{') {
      ++pos_;
      v.type_ = Json::Type::Object;
      if (peek() == '}') {
        ++pos_;
        return v;
      }
      while (true) {
        std::string key = parseString();
        expect(':');
        v.object_[key] = parseValue(depth + 1);
        if (peek() == ',') {
          ++pos_;
          continue;
        }
        expect('}');
        return v;
      }
    }
    if (c == '[') {
      ++pos_;
      v.type_ = Json::Type::Array;
      if (peek() == ']') {
        ++pos_;
        return v;
      }
      while (true) {
        v.array_.push_back(parseValue(depth + 1));
        if (peek() == ',') {
          ++pos_;
          continue;
        }
        expect(']');
        return v;
      }
    }
    if (c == '"') {
      v.type_ = Json::Type::String;
      v.string_ = parseString();
      return v;
    }
    if (consumeWord("true")) {
      v.type_ = Json::Type::Bool;
      v.bool_ = true;
      return v;
    }
    if (consumeWord("false")) {
      v.type_ = Json::Type::Bool;
      return v;
    }
    if (consumeWord("null")) return v;
    if (consumeWord("NaN")) {
      v.type_ = Json::Type::Number;
      v.number_ = std::numeric_limits<double>::quiet_NaN();
      return v;
    }
    const char* begin = s_.c_str() + pos_;
    char* end = nullptr;
    double d = std::strtod(begin, &end);
    if (end == begin) fail("unexpected character");
    pos_ += static_cast<std::size_t>(end - begin);
    v.type_ = Json::Type::Number;
    v.number_ = d;
    return v;
  }

  const std::string& s_;
  std::size_t pos_ = 0;
};

double Json::number() const {
  if (type_ != Type::Number) throw std::runtime_error("JSON value is not a number");
  return number_;
}
const std::string& Json::string() const {
  if (type_ != Type::String) throw std::runtime_error("JSON value is not a string");
  return string_;
}
bool Json::boolean() const {
  if (type_ != Type::Bool) throw std::runtime_error("JSON value is not a boolean");
  return bool_;
}
const std::vector<Json>& Json::array() const {
  if (type_ != Type::Array) throw std::runtime_error("JSON value is not an array");
  return array_;
}
const std::map<std::string, Json>& Json::object() const {
  if (type_ != Type::Object) throw std::runtime_error("JSON value is not an object");
  return object_;
}
bool Json::has(const std::string& key) const { return type_ == Type::Object && object_.count(key) > 0; }
const Json& Json::operator[](const std::string& key) const {
  auto it = object().find(key);
  if (it == object_.end()) throw std::runtime_error("JSON object has no key " + key);
  return it->second;
}
const Json& Json::operator[](std::size_t index) const {
  if (index >= array().size()) throw std::runtime_error("JSON index out of range");
  return array_[index];
}
std::size_t Json::size() const { return type_ == Type::Array ? array_.size() : object().size(); }

Json Json::parse(const std::string& text) { return JsonParser(text).parseDocument(); }

Json readReferenceJson(const std::string& name) {
  std::ifstream in(std::string(VELMAR_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  if (!in) throw std::runtime_error("reference file missing: " + name);
  std::stringstream ss;
  ss << in.rdbuf();
  return Json::parse(ss.str());
}

}  // namespace velmar::testing
