#pragma once
// A small JSON reader for the tests: the verified coefficient tables in
// tests/reference/*.json are read with it and compared with the constexpr
// tables of the method modules.
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velmar::testing {

class Json {
 public:
  enum class Type { Null, Bool, Number, String, Array, Object };

  Type type() const { return type_; }
  bool isNumber() const { return type_ == Type::Number; }
  bool isString() const { return type_ == Type::String; }
  bool isArray() const { return type_ == Type::Array; }
  bool isObject() const { return type_ == Type::Object; }

  double number() const;              // throws std::runtime_error on another type
  const std::string& string() const;  // the same
  bool boolean() const;
  const std::vector<Json>& array() const;
  const std::map<std::string, Json>& object() const;

  bool has(const std::string& key) const;
  const Json& operator[](const std::string& key) const;  // throws when missing
  const Json& operator[](std::size_t index) const;       // throws when out of range
  std::size_t size() const;                              // array or object size

  static Json parse(const std::string& text);  // throws std::runtime_error with the offset

 private:
  friend class JsonParser;
  Type type_ = Type::Null;
  bool bool_ = false;
  double number_ = 0;
  std::string string_;
  std::vector<Json> array_;
  std::map<std::string, Json> object_;
};

// Reads tests/reference/<name>; throws when it is missing or malformed.
Json readReferenceJson(const std::string& name);

}  // namespace velmar::testing
