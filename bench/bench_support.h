#ifndef DERELICT_BENCH_BENCH_SUPPORT_H_
#define DERELICT_BENCH_BENCH_SUPPORT_H_

#include <cstddef>
#include <ostream>
#include <streambuf>
#include <string>

// An output buffer that accepts and drops every byte, so that a benchmark measures the routine
// that writes and not a device. It keeps a small buffer of its own, as a file buffer does, so
// that the stream's insertions take their usual buffered path; a flush empties it.
class DiscardBuffer : public std::streambuf {
 public:
  DiscardBuffer() { setp(buffer_, buffer_ + sizeof buffer_); }

  // Bytes accepted so far, the dropped ones included.
  size_t bytes() const { return dropped_ + static_cast<size_t>(pptr() - pbase()); }
  // Number of flushes asked for.
  size_t syncs() const { return syncs_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  char buffer_[8192];
  size_t dropped_ = 0;
  size_t syncs_ = 0;
};

// An input buffer over a text that it does not own.
class TextBuffer : public std::streambuf {
 public:
  explicit TextBuffer(const std::string& text) {
    char* begin = const_cast<char*>(text.data());
    setg(begin, begin, begin + text.size());
  }
};

// The shipped story file's whole text; aborts the benchmark run when it cannot be read.
const std::string& shippedStoryText();

#endif  // DERELICT_BENCH_BENCH_SUPPORT_H_
