#ifndef DERELICT_SUPPORT_WRAP_H_
#define DERELICT_SUPPORT_WRAP_H_

#include <ostream>
#include <string_view>

// The most characters one printed line of a story text holds.
inline constexpr int WRAP_WIDTH = 79;

// Prints `text` to `out` in pieces of at most WRAP_WIDTH characters, breaking at the rightmost
// space within reach and dropping that one space. Each piece is followed by "\n", a newline and
// a flush, so an empty line stands after it. An empty text prints nothing. From a point where
// no space is within reach, the rest is printed whole if it fits in a line, else the next
// WRAP_WIDTH characters are; the routine never reads past the text.
void printWrapped(std::ostream& out, std::string_view text);

#endif  // DERELICT_SUPPORT_WRAP_H_
