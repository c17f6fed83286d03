#include "support/fd_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

FdOutputBuffer::FdOutputBuffer(int fd) : fd_(fd) { setp(buffer_, buffer_ + CAPACITY); }

FdOutputBuffer::~FdOutputBuffer() { sync(); }

bool FdOutputBuffer::writeAll(const char* data, std::streamsize n) {
  while (n > 0 && !failed_) {
    const ssize_t written = ::write(fd_, data, static_cast<size_t>(n));
    if (written < 0) {
      if (errno == EINTR) continue;
      failed_ = true;  // a closed or broken output takes nothing more
      break;
    }
    data += written;
    n -= written;
  }
  return !failed_;
}

int FdOutputBuffer::sync() {
  const std::streamsize pending = pptr() - pbase();
  const bool ok = pending == 0 || writeAll(pbase(), pending);
  setp(buffer_, buffer_ + CAPACITY);
  return ok ? 0 : -1;
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type c) {
  if (sync() != 0) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

std::streamsize FdOutputBuffer::xsputn(const char* s, std::streamsize n) {
  const std::streamsize room = epptr() - pptr();
  if (n <= room) {
    std::memcpy(pptr(), s, static_cast<size_t>(n));
    pbump(static_cast<int>(n));
    return n;
  }
  // Too large for what is left: send what is buffered, then the text itself, in order.
  if (sync() != 0) return 0;
  if (n < CAPACITY) {
    std::memcpy(pptr(), s, static_cast<size_t>(n));
    pbump(static_cast<int>(n));
    return n;
  }
  return writeAll(s, n) ? n : 0;
}
