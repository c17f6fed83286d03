#ifndef DERELICT_SUPPORT_FD_OUTPUT_H_
#define DERELICT_SUPPORT_FD_OUTPUT_H_

#include <streambuf>

// An output stream buffer that collects what is written and hands it to a file descriptor in
// one write(2) at each flush (or when its buffer fills), and never otherwise. It is the lean
// path the game's standard output takes: the game flushes at every end of line and before every
// read, so each flush point costs exactly one system call.
class FdOutputBuffer : public std::streambuf {
 public:
  explicit FdOutputBuffer(int fd);
  ~FdOutputBuffer() override;
  FdOutputBuffer(const FdOutputBuffer&) = delete;
  FdOutputBuffer& operator=(const FdOutputBuffer&) = delete;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  // Writes out everything buffered; -1 when the descriptor refuses it.
  int sync() override;

 private:
  // Writes `n` bytes at `data` whole, retrying short writes; false on an error.
  bool writeAll(const char* data, std::streamsize n);

  static constexpr int CAPACITY = 8192;
  int fd_;
  bool failed_ = false;
  char buffer_[CAPACITY];
};

#endif  // DERELICT_SUPPORT_FD_OUTPUT_H_
