#include "Args.h"

#include <charconv>

Args::Args(std::vector<std::string> words) {
  if (words.empty()) throw CommandError("no command");
  command_ = words.front();
  bool literal = false;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (!literal && w == "--") {
      literal = true;
    } else if (!literal && w.size() > 2 && w.starts_with("--")) {
      const auto eq = w.find('=');
      if (eq == std::string::npos)
        options_.emplace_back(w.substr(2), std::nullopt);
      else
        options_.emplace_back(w.substr(2, eq - 2), w.substr(eq + 1));
    } else {
      positional_.push_back(w);
    }
  }
}

const std::string& Args::at(std::size_t i) const {
  if (i >= positional_.size())
    throw CommandError(command_ + ": missing argument " + std::to_string(i + 1));
  return positional_[i];
}

std::int64_t Args::number(std::size_t i) const { return parseNumber(at(i)); }

std::optional<std::string> Args::option(std::string_view name) const {
  for (const auto& [n, v] : options_)
    if (n == name) {
      if (!v) throw CommandError("--" + std::string(name) + " needs =value");
      return v;
    }
  return std::nullopt;
}

std::int64_t Args::option(std::string_view name, std::int64_t fallback) const {
  const auto v = option(name);
  return v ? parseNumber(*v) : fallback;
}

bool Args::flag(std::string_view name) const {
  for (const auto& [n, v] : options_)
    if (n == name) return true;
  return false;
}

std::int64_t Args::parseNumber(std::string_view word) {
  bool negative = false;
  std::string_view digits = word;
  if (digits.starts_with('-')) {
    negative = true;
    digits.remove_prefix(1);
  }
  int base = 10;
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    base = 16;
    digits.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
    throw CommandError("not a number: " + std::string(word));
  const auto v = static_cast<std::int64_t>(magnitude);
  return negative ? -v : v;
}
