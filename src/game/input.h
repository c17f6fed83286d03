#ifndef DERELICT_GAME_INPUT_H_
#define DERELICT_GAME_INPUT_H_

#include <cstdint>
#include <istream>
#include <string>

// Of a line of input the game keeps at most this many bytes. Commands look only at a line's
// first characters and its length, and no item word comes near this size, so a longer line
// is answered exactly as if it had been kept whole.
inline constexpr size_t INPUT_KEPT = 256;

// One line of input: its first INPUT_KEPT bytes and its full length in bytes.
struct InputLine {
  std::string text;
  uint64_t length = 0;
};

// Reads one line from `in` up to its line feed, which is consumed and not kept; a carriage
// return right before the line feed is dropped, and a last line without a line feed counts
// whole. Returns false, leaving `line` empty, when the input has ended before any byte. A read
// that fails (the stream buffer throws) ends the input in the same way and leaves `in` bad.
bool readInputLine(std::istream& in, InputLine& line);

#endif  // DERELICT_GAME_INPUT_H_
