#include "support/run_program.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
}

}  // namespace

RunResult runProgram(const std::vector<std::string>& argv, const std::optional<std::string>& story,
                     const std::string& input, int timeoutSeconds) {
  RunResult result;
  char dirTemplate[] = "/tmp/derelict-test-XXXXXX";
  const char* dir = mkdtemp(dirTemplate);
  if (dir == nullptr) {
    ADD_FAILURE() << "mkdtemp failed";
    return result;
  }
  if (story) writeFile(std::filesystem::path(dir) / "Display.txt", *story);

  int inPipe[2], outPipe[2], errPipe[2];
  if (pipe(inPipe) != 0 || pipe(outPipe) != 0 || pipe(errPipe) != 0) {
    ADD_FAILURE() << "pipe failed";
    return result;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(inPipe[0], 0);
    dup2(outPipe[1], 1);
    dup2(errPipe[1], 2);
    for (int fd : {inPipe[0], inPipe[1], outPipe[0], outPipe[1], errPipe[0], errPipe[1]}) close(fd);
    if (chdir(dir) != 0) _exit(126);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  close(inPipe[0]);
  close(outPipe[1]);
  close(errPipe[1]);
  fcntl(inPipe[1], F_SETFL, O_NONBLOCK);
  signal(SIGPIPE, SIG_IGN);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  size_t written = 0;
  int inFd = inPipe[1];
  if (input.empty()) {
    close(inFd);
    inFd = -1;
  }
  int outFd = outPipe[0];
  int errFd = errPipe[0];
  char buffer[65536];
  while (outFd >= 0 || errFd >= 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      result.timedOut = true;
      kill(pid, SIGKILL);
      break;
    }
    pollfd fds[3] = {{inFd, POLLOUT, 0}, {outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    if (poll(fds, 3, static_cast<int>(left.count())) < 0 && errno != EINTR) break;
    if (inFd >= 0 && (fds[0].revents & (POLLOUT | POLLERR | POLLHUP))) {
      const ssize_t n = write(inFd, input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<size_t>(n);
      if (n < 0 && errno != EAGAIN) written = input.size();  // the program stopped reading
      if (written == input.size()) {
        close(inFd);
        inFd = -1;
      }
    }
    for (int i = 1; i < 3; ++i) {
      int& fd = i == 1 ? outFd : errFd;
      if (fd < 0 || !(fds[i].revents & (POLLIN | POLLERR | POLLHUP))) continue;
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n > 0) {
        (i == 1 ? result.out : result.err).append(buffer, static_cast<size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(fd);
        fd = -1;
      }
    }
  }
  for (int fd : {inFd, outFd, errFd}) {
    if (fd >= 0) close(fd);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  std::filesystem::remove_all(dir);
  return result;
}

std::string gameBinary() { return DERELICT_BINARY; }

RunResult runGame(const std::optional<std::string>& story, const std::string& input,
                  int timeoutSeconds) {
  return runProgram({gameBinary()}, story, input, timeoutSeconds);
}

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) ADD_FAILURE() << "cannot read " << path;
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string testDataPath(const std::string& relative) {
  return std::string(DERELICT_TESTS_DIR) + "/" + relative;
}
