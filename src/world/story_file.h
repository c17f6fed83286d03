#ifndef DERELICT_WORLD_STORY_FILE_H_
#define DERELICT_WORLD_STORY_FILE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The text of a story file, read line by line and value by value, as the game reads it: a line
// ends at a line feed, which is consumed and not kept, and a carriage return right before it is
// dropped; numbers skip any whitespace, line ends included, before their digits.
// Like a stream, the reader stays failed after its first failed read: every later read takes and
// stores nothing. The first failure is kept as a message that names the line where it happened.
class StoryFile {
 public:
  // `name` is how messages refer to the file, e.g. "Display.txt".
  StoryFile(std::string name, std::string text);

  // Names what the following reads belong to in messages, e.g. "room [2][3]"; empty for none.
  void setContext(std::string context) { context_ = std::move(context); }

  // Reads the next line into `line`. At the end of the file, fails with a message that `what`
  // (e.g. "lookText", "ending line 1") was expected.
  void readLine(std::string& line, std::string_view what);
  // Extracts a flag: whitespace, an optional sign and decimal digits whose value is 0 or 1.
  void readFlag(bool& flag, std::string_view what);
  // Extracts a signed 32-bit integer: whitespace, an optional sign and decimal digits. The
  // digits end at the first character that is not one, which is left in place.
  void readInt(int32_t& number, std::string_view what);
  // Consumes the rest of the current line, its line end included.
  void skipRestOfLine();

  // Records an error at `line` unless one is recorded already; later reads then do nothing.
  void fail(int line, std::string_view message);

  bool failed() const { return failed_; }
  // The first failure as "NAME:LINE: message"; empty while nothing failed.
  const std::string& error() const { return error_; }
  // Line numbers (from 1) at which each value read so far stood, in the order read.
  const std::vector<int>& valueLines() const { return valueLines_; }
  // The 1-based line at which the next read starts.
  int line() const { return line_; }
  const std::string& name() const { return name_; }

 private:
  void skipWhitespace();
  // Scans an optional sign and decimal digits at the read position into `value` (saturated
  // beyond the 32-bit range) and their end into `end`; false when there are no digits.
  bool scanNumber(size_t& end, int64_t& value) const;
  // The token at the read position, quoted, or "the end of the file".
  std::string foundHere() const;
  std::string subject(std::string_view what) const;
  // The line to name for a failure at the end of the file: the last line the file has.
  int lineOfEnd() const;

  std::string name_;
  std::string text_;
  std::string context_;
  size_t pos_ = 0;
  int line_ = 1;
  bool failed_ = false;
  std::string error_;
  std::vector<int> valueLines_;
};

#endif  // DERELICT_WORLD_STORY_FILE_H_
