#include "support/fd_output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <ostream>
#include <string>

namespace {

// A pipe whose read end can be drained without blocking.
class Pipe {
 public:
  Pipe() {
    EXPECT_EQ(pipe(fds_), 0);
    fcntl(fds_[0], F_SETFL, O_NONBLOCK);
    fcntl(fds_[1], F_SETPIPE_SZ, 1 << 20);
  }
  ~Pipe() {
    close(fds_[0]);
    if (fds_[1] >= 0) close(fds_[1]);
  }
  int writeEnd() const { return fds_[1]; }
  void closeReadEnd() {
    close(fds_[0]);
    fds_[0] = open("/dev/null", O_RDONLY);
  }
  // Everything written so far.
  std::string drain() {
    std::string text;
    char buffer[65536];
    ssize_t n;
    while ((n = read(fds_[0], buffer, sizeof buffer)) > 0) text.append(buffer, n);
    return text;
  }

 private:
  int fds_[2];
};

TEST(FdOutputBuffer, HoldsTextUntilFlushThenWritesItInOrder) {
  Pipe pipe;
  FdOutputBuffer buffer(pipe.writeEnd());
  std::ostream out(&buffer);
  out << "Health: " << 13 << '\n';
  EXPECT_EQ(pipe.drain(), "");
  out.flush();
  EXPECT_EQ(pipe.drain(), "Health: 13\n");
  out << "Press enter ";
  out.flush();
  EXPECT_EQ(pipe.drain(), "Press enter ");
}

TEST(FdOutputBuffer, TextsLargerThanTheBufferKeepTheirOrder) {
  Pipe pipe;
  std::string expected;
  {
    FdOutputBuffer buffer(pipe.writeEnd());
    std::ostream out(&buffer);
    for (const size_t size : {size_t{10}, size_t{8000}, size_t{300}, size_t{50000}, size_t{1}}) {
      const std::string text(size, static_cast<char>('a' + size % 26));
      out << text;
      expected += text;
    }
    out.put('!');
    expected += '!';
  }  // the buffer writes out what is left when it goes
  EXPECT_EQ(pipe.drain(), expected);
}

TEST(FdOutputBuffer, AClosedOutputFailsTheStreamWithoutStoppingTheProgram) {
  signal(SIGPIPE, SIG_IGN);  // a write to the closed pipe then fails with EPIPE
  Pipe pipe;
  pipe.closeReadEnd();
  FdOutputBuffer buffer(pipe.writeEnd());
  std::ostream out(&buffer);
  out << "lost" << std::flush;
  EXPECT_TRUE(out.bad());
}

}  // namespace
