#include "support/wrap.h"

#include <cstddef>

namespace {

void printPiece(std::ostream& out, std::string_view piece) {
  out << piece << "\n\n";
  out.flush();
}

}  // namespace

void printWrapped(std::ostream& out, std::string_view text) {
  const size_t length = text.size();
  size_t start = 0;
  while (start < length) {
    size_t width = WRAP_WIDTH;
    // The first character of a piece is never a break, so width 0 is not tried.
    while (width > 0 && !(start + width < length && text[start + width] == ' ')) --width;
    if (width > 0) {
      printPiece(out, text.substr(start, width));
      start += width + 1;
    } else if (length - start <= WRAP_WIDTH) {
      printPiece(out, text.substr(start));
      start = length;
    } else {
      printPiece(out, text.substr(start, WRAP_WIDTH));
      start += WRAP_WIDTH;
    }
  }
}
