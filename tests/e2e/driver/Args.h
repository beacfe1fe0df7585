// One command's words: the command name, positional words, `--name=value` options and `--flag`s.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A command that cannot be carried out; reported as {"ok":false,"error":...}.
class CommandError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class Args {
public:
  explicit Args(std::vector<std::string> words);

  const std::string& command() const { return command_; }
  std::size_t count() const { return positional_.size(); }
  const std::string& at(std::size_t i) const;
  std::int64_t number(std::size_t i) const;
  std::optional<std::string> option(std::string_view name) const;
  std::int64_t option(std::string_view name, std::int64_t fallback) const;
  bool flag(std::string_view name) const;

  // Decimal, 0x-hex or negative; throws CommandError on anything else.
  static std::int64_t parseNumber(std::string_view word);

private:
  std::string command_;
  std::vector<std::string> positional_;
  std::vector<std::pair<std::string, std::optional<std::string>>> options_;
};
