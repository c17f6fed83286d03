#include "support/console.h"

void Console::error(std::string_view text) {
  out_.flush();
  err_ << text;
  err_.flush();
}
