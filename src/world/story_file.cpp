#include "world/story_file.h"

#include <cstdio>

namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// At most this many bytes of an offending token are quoted in a message.
constexpr size_t QUOTE_LIMIT = 40;

}  // namespace

StoryFile::StoryFile(std::string name, std::string text)
    : name_(std::move(name)), text_(std::move(text)) {}

void StoryFile::fail(int line, std::string_view message) {
  if (failed_) return;
  failed_ = true;
  error_ = name_ + ":" + std::to_string(line) + ": " + std::string(message);
}

std::string StoryFile::subject(std::string_view what) const {
  std::string s(what);
  if (!context_.empty()) s += " of " + context_;
  return s;
}

int StoryFile::lineOfEnd() const {
  if (!text_.empty() && text_.back() == '\n' && line_ > 1) return line_ - 1;
  return line_;
}

void StoryFile::readLine(std::string& line, std::string_view what) {
  if (failed_) return;
  if (pos_ >= text_.size()) {
    fail(lineOfEnd(), "expected the " + subject(what) + ", found the end of the file");
    return;
  }
  size_t end = text_.find('\n', pos_);
  const bool hasLineFeed = end != std::string::npos;
  if (!hasLineFeed) end = text_.size();
  size_t stop = end;
  if (hasLineFeed && stop > pos_ && text_[stop - 1] == '\r') --stop;
  line.assign(text_, pos_, stop - pos_);
  valueLines_.push_back(line_);
  pos_ = hasLineFeed ? end + 1 : end;
  if (hasLineFeed) ++line_;
}

void StoryFile::skipRestOfLine() {
  if (failed_) return;
  size_t end = text_.find('\n', pos_);
  if (end == std::string::npos) {
    pos_ = text_.size();
  } else {
    pos_ = end + 1;
    ++line_;
  }
}

void StoryFile::skipWhitespace() {
  while (pos_ < text_.size() && isSpace(text_[pos_])) {
    if (text_[pos_] == '\n') ++line_;
    ++pos_;
  }
}

std::string StoryFile::foundHere() const {
  if (pos_ >= text_.size()) return "the end of the file";
  size_t end = pos_;
  while (end < text_.size() && !isSpace(text_[end]) && end - pos_ < QUOTE_LIMIT) ++end;
  std::string quoted = "\"";
  for (size_t i = pos_; i < end; ++i) {
    const unsigned char c = static_cast<unsigned char>(text_[i]);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7f) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      quoted += buf;
    } else {
      quoted += static_cast<char>(c);
    }
  }
  quoted += '"';
  if (end < text_.size() && !isSpace(text_[end])) quoted += "...";
  return quoted;
}

bool StoryFile::scanNumber(size_t& end, int64_t& value) const {
  size_t p = pos_;
  bool negative = false;
  if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) {
    negative = text_[p] == '-';
    ++p;
  }
  const size_t digitsStart = p;
  // The magnitude saturates just past the 32-bit range, so any run of digits is safe to read.
  int64_t magnitude = 0;
  while (p < text_.size() && isDigit(text_[p])) {
    if (magnitude <= INT64_C(0x100000000)) magnitude = magnitude * 10 + (text_[p] - '0');
    ++p;
  }
  end = p;
  value = negative ? -magnitude : magnitude;
  return p != digitsStart;
}

void StoryFile::readInt(int32_t& number, std::string_view what) {
  if (failed_) return;
  skipWhitespace();
  const int line = pos_ < text_.size() ? line_ : lineOfEnd();
  size_t end = 0;
  int64_t value = 0;
  if (!scanNumber(end, value) || value < INT32_MIN || value > INT32_MAX) {
    fail(line, "expected a whole number from -2147483648 to 2147483647 for " + subject(what) +
                   ", found " + foundHere());
    return;
  }
  pos_ = end;
  number = static_cast<int32_t>(value);
  valueLines_.push_back(line);
}

void StoryFile::readFlag(bool& flag, std::string_view what) {
  if (failed_) return;
  skipWhitespace();
  const int line = pos_ < text_.size() ? line_ : lineOfEnd();
  size_t end = 0;
  int64_t value = 0;
  if (!scanNumber(end, value) || (value != 0 && value != 1)) {
    fail(line, "expected a flag (0 or 1) for " + subject(what) + ", found " + foundHere());
    return;
  }
  pos_ = end;
  flag = value == 1;
  valueLines_.push_back(line);
}
