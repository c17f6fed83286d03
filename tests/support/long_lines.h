#ifndef DERELICT_TESTS_SUPPORT_LONG_LINES_H_
#define DERELICT_TESTS_SUPPORT_LONG_LINES_H_

#include <cstddef>
#include <string>

// `input` with every line longer than 40 bytes cut to its first 25. The game answers both alike:
// it looks at a line's first 3 to 5 bytes, compares whole lines only with "exit", lengths only
// with 3 and 4, and item texts (from byte 4 or 5 on) only with words of at most 8 bytes, which
// neither a 20-byte nor a longer item text matches. The cut keeps each line's end as it was, and
// a cut that would end in a carriage return ends in '.' instead.
inline std::string cutLongLines(const std::string& input) {
  std::string result;
  size_t start = 0;
  while (start < input.size()) {
    size_t end = input.find('\n', start);
    const bool hasLineFeed = end != std::string::npos;
    if (!hasLineFeed) end = input.size();
    size_t contentEnd = end;
    if (hasLineFeed && contentEnd > start && input[contentEnd - 1] == '\r') --contentEnd;
    if (contentEnd - start > 40) {
      std::string head = input.substr(start, 25);
      if (head.back() == '\r') head.back() = '.';
      result += head;
      result.append(input, contentEnd, end - contentEnd);
    } else {
      result.append(input, start, end - start);
    }
    if (hasLineFeed) result += '\n';
    start = end + 1;
  }
  return result;
}

#endif  // DERELICT_TESTS_SUPPORT_LONG_LINES_H_
