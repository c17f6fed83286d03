#ifndef DERELICT_SUPPORT_CONSOLE_H_
#define DERELICT_SUPPORT_CONSOLE_H_

#include <ostream>
#include <string_view>

// The game's two output streams and the flushing rules between them: an end of line flushes
// the output stream, and the output stream is flushed before anything reaches the error stream.
class Console {
 public:
  Console(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Writes `text` to the output stream as it stands; nothing follows it.
  void write(std::string_view text) { out_ << text; }
  // Writes a number in decimal, with a minus sign when negative and no fill.
  void write(long long number) { out_ << number; }
  // Writes a newline to the output stream and flushes it.
  void endLine() { out_.put('\n').flush(); }
  // Writes `text`, then an end of line.
  void line(std::string_view text) {
    write(text);
    endLine();
  }
  // Flushes the output stream so that a prompt is visible before the game waits for input.
  void flush() { out_.flush(); }
  // Flushes the output stream, then writes `text` to the error stream and flushes that.
  void error(std::string_view text);

  std::ostream& out() { return out_; }

 private:
  std::ostream& out_;
  std::ostream& err_;
};

#endif  // DERELICT_SUPPORT_CONSOLE_H_
