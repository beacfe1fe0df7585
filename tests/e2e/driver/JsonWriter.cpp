#include "JsonWriter.h"

#include <cstdio>

// Appends characters one range at a time (string += literal trips a false -Wrestrict in GCC 12).
void JsonWriter::raw(std::string_view s) { text_.insert(text_.end(), s.begin(), s.end()); }

JsonWriter::JsonWriter() {
  text_.push_back('{');
  first_.push_back(true);
}

void JsonWriter::separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!first_.back()) text_ += ',';
  first_.back() = false;
}

JsonWriter& JsonWriter::key(std::string_view name) {
  separate();
  quote(name);
  text_ += ':';
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::value(std::string_view utf8) {
  separate();
  quote(utf8);
  return *this;
}

void JsonWriter::quote(std::string_view utf8) {
  text_ += '"';
  for (const char c : utf8) {
    switch (c) {
      case '"': raw("\\\""); break;
      case '\\': raw("\\\\"); break;
      case '\n': raw("\\n"); break;
      case '\r': raw("\\r"); break;
      case '\t': raw("\\t"); break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
          raw(buf);
        } else {
          text_ += c;
        }
    }
  }
  text_ += '"';
}

JsonWriter& JsonWriter::value(std::int64_t number) {
  separate();
  raw(std::to_string(number));
  return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
  separate();
  raw(flag ? "true" : "false");
  return *this;
}

JsonWriter& JsonWriter::null() {
  separate();
  raw("null");
  return *this;
}

JsonWriter& JsonWriter::beginObject() {
  separate();
  text_ += '{';
  first_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::endObject() {
  text_ += '}';
  first_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::beginArray() {
  separate();
  text_ += '[';
  first_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::endArray() {
  text_ += ']';
  first_.pop_back();
  return *this;
}

std::string JsonWriter::finish() {
  while (!first_.empty()) {
    text_ += '}';
    first_.pop_back();
  }
  return text_;
}
