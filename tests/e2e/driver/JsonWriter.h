// Builds one JSON object per command; the harness reads one object per line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
public:
  JsonWriter();
  JsonWriter& key(std::string_view name);
  JsonWriter& value(std::string_view utf8);
  JsonWriter& value(const char* utf8) { return value(std::string_view(utf8)); }
  JsonWriter& value(std::int64_t number);
  JsonWriter& value(int number) { return value(static_cast<std::int64_t>(number)); }
  JsonWriter& value(unsigned number) { return value(static_cast<std::int64_t>(number)); }
  JsonWriter& value(unsigned long number) { return value(static_cast<std::int64_t>(number)); }
  JsonWriter& value(long number) { return value(static_cast<std::int64_t>(number)); }
  JsonWriter& value(bool flag);
  JsonWriter& null();
  JsonWriter& beginObject();
  JsonWriter& endObject();
  JsonWriter& beginArray();
  JsonWriter& endArray();
  template <typename T>
  JsonWriter& field(std::string_view name, const T& v) {
    key(name);
    return value(v);
  }
  // Closes the outer object and returns the finished line (without newline).
  std::string finish();

private:
  void separate();
  void raw(std::string_view s);
  void quote(std::string_view utf8);
  std::string text_;
  std::vector<bool> first_;
  bool afterKey_ = false;
};
