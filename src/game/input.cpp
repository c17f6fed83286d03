#include "game/input.h"

#include <streambuf>

namespace {

void append(InputLine& line, char c) {
  if (line.text.size() < INPUT_KEPT) line.text.push_back(c);
  ++line.length;
}

}  // namespace

bool readInputLine(std::istream& in, InputLine& line) {
  line.text.clear();
  line.length = 0;
  std::streambuf* buffer = in.rdbuf();
  if (buffer == nullptr || !in.good()) return false;
  using Traits = std::streambuf::traits_type;
  bool readAny = false;
  // A carriage return is held back until the next byte shows whether it ends the line.
  bool pendingReturn = false;
  for (;;) {
    Traits::int_type next = Traits::eof();
    // A file buffer throws when reading fails (standard input is a directory, say); like the
    // stream itself, the game takes that as a bad stream, so that it counts as the end of input.
    try {
      next = buffer->sbumpc();
    } catch (...) {
      in.setstate(std::ios::badbit);
      if (pendingReturn) append(line, '\r');
      return readAny;
    }
    if (Traits::eq_int_type(next, Traits::eof())) {
      in.setstate(std::ios::eofbit);
      if (pendingReturn) append(line, '\r');
      return readAny;
    }
    readAny = true;
    const char c = Traits::to_char_type(next);
    if (c == '\n') return true;
    if (pendingReturn) append(line, '\r');
    pendingReturn = c == '\r';
    if (!pendingReturn) append(line, c);
  }
}
