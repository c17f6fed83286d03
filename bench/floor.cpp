// The floor for process_bench.sh: replays a captured output with one write(2) per recorded
// piece, so that it writes exactly the bytes of the game at exactly the game's write boundaries
// and does nothing else. Then it reads its standard input to the end, so that a pipe feeding it
// behaves as it does for the game.
//
//   derelict_floor OUTPUT LENGTHS [--ostream]
//
// OUTPUT is the captured standard output; LENGTHS holds the size of each write, one decimal
// number a line, in order, adding up to the size of OUTPUT. With --ostream the pieces go through
// std::cout (unsynchronised with stdio, as the game's) with a flush after each piece instead.
//
// Both files are mapped and the lengths parsed before the clock starts. On standard error it
// reports the replay alone, from the first write to the last, as one line:
//   replay wall_s=W user_s=U sys_s=S writes=N bytes=B start_rss_kb=R
// where start_rss_kb is the peak resident size before the files were mapped, the memory of a
// C++ program that has done nothing yet.

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "derelict_floor: %s\n", what.c_str());
  std::exit(2);
}

bool writeAll(const char* data, size_t size) {
  while (size > 0) {
    const ssize_t done = ::write(STDOUT_FILENO, data, size);
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += done;
    size -= static_cast<size_t>(done);
  }
  return true;
}

std::string readFile(const char* path) {
  const int fd = ::open(path, O_RDONLY);
  if (fd < 0) fail(std::string("cannot open ") + path);
  std::string text;
  char buffer[1 << 16];
  ssize_t got = 0;
  while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
    text.append(buffer, static_cast<size_t>(got));
  if (got < 0) fail(std::string("cannot read ") + path);
  ::close(fd);
  return text;
}

long peakRssKb() {
  struct rusage usage {};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

struct Clock {
  double wall;
  double user;
  double sys;
};

Clock now() {
  struct timespec wall {};
  ::clock_gettime(CLOCK_MONOTONIC, &wall);
  struct rusage usage {};
  ::getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const struct timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
  };
  return {static_cast<double>(wall.tv_sec) + wall.tv_nsec / 1e9, seconds(usage.ru_utime),
          seconds(usage.ru_stime)};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4 || (argc == 4 && std::strcmp(argv[3], "--ostream") != 0)) {
    fail("usage: derelict_floor OUTPUT LENGTHS [--ostream]");
  }
  const bool viaOstream = argc == 4;
  const long startRss = peakRssKb();

  const int fd = ::open(argv[1], O_RDONLY);
  if (fd < 0) fail(std::string("cannot open ") + argv[1]);
  struct stat info {};
  if (::fstat(fd, &info) != 0) fail(std::string("cannot stat ") + argv[1]);
  const size_t size = static_cast<size_t>(info.st_size);
  const char* bytes = "";
  if (size > 0) {
    void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (map == MAP_FAILED) fail(std::string("cannot map ") + argv[1]);
    bytes = static_cast<const char*>(map);
  }

  std::vector<size_t> lengths;
  {
    const std::string lengthText = readFile(argv[2]);
    size_t total = 0;
    size_t length = 0;
    bool inNumber = false;
    for (char c : lengthText) {
      if (c >= '0' && c <= '9') {
        length = length * 10 + static_cast<size_t>(c - '0');
        inNumber = true;
      } else if (inNumber) {
        lengths.push_back(length);
        total += length;
        length = 0;
        inNumber = false;
      }
    }
    if (inNumber) {
      lengths.push_back(length);
      total += length;
    }
    if (total != size) fail("the lengths do not add up to the size of the output");
  }

  if (viaOstream) std::ios::sync_with_stdio(false);
  const Clock start = now();
  if (viaOstream) {
    size_t at = 0;
    for (size_t length : lengths) {
      std::cout.write(bytes + at, static_cast<std::streamsize>(length));
      std::cout.flush();
      at += length;
    }
    if (!std::cout) fail("write failed");
  } else {
    size_t at = 0;
    for (size_t length : lengths) {
      if (!writeAll(bytes + at, length)) fail("write failed");
      at += length;
    }
  }

  const Clock stop = now();
  std::fprintf(stderr,
               "replay wall_s=%.6f user_s=%.6f sys_s=%.6f writes=%zu bytes=%zu start_rss_kb=%ld\n",
               stop.wall - start.wall, stop.user - start.user, stop.sys - start.sys, lengths.size(),
               size, startRss);

  static char sink[65536];
  while (::read(STDIN_FILENO, sink, sizeof sink) > 0) {
  }
  return 0;
}
