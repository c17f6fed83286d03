// The real game on a pseudo-terminal, played by a test that acts like a person: it types a line
// only once the prompt for it has shown on the screen. A prompt that stayed in the game's
// output buffer while the game waited for input would stall the game and fail the test on its
// deadline.

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/run_program.h"
#include "support/story_text.h"

namespace {

using Clock = std::chrono::steady_clock;

// How long the player waits for any one answer of the game.
constexpr std::chrono::seconds ANSWER_DEADLINE(10);

// The game running on the master side of a pseudo-terminal in raw mode (no echo, no
// translation of line ends), in a temporary directory that holds the story file.
class PtyGame {
 public:
  explicit PtyGame(const std::string& story) {
    char name[] = "derelict-pty-XXXXXX";
    const std::filesystem::path pattern = std::filesystem::temp_directory_path() / name;
    std::string dirTemplate = pattern.string();
    if (mkdtemp(dirTemplate.data()) == nullptr) {
      ADD_FAILURE() << "mkdtemp failed";
      return;
    }
    dir_ = dirTemplate;
    std::ofstream(dir_ / "Display.txt", std::ios::binary) << story;

    const std::string binary = gameBinary();
    pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      termios mode;
      if (tcgetattr(STDIN_FILENO, &mode) != 0) _exit(125);
      cfmakeraw(&mode);
      if (tcsetattr(STDIN_FILENO, TCSANOW, &mode) != 0) _exit(125);
      if (chdir(dir_.c_str()) != 0) _exit(126);
      execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    if (pid_ < 0) ADD_FAILURE() << "forkpty failed";
  }

  ~PtyGame() {
    if (pid_ > 0 && !reaped_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }

  bool started() const { return pid_ > 0 && master_ >= 0; }

  // Reads the screen until `text` shows after what earlier waits consumed; false when the
  // deadline passes or the game closes the terminal first.
  bool waitFor(const std::string& text) {
    const auto deadline = Clock::now() + ANSWER_DEADLINE;
    for (;;) {
      const size_t found = screen_.find(text, consumed_);
      if (found != std::string::npos) {
        consumed_ = found + text.size();
        return true;
      }
      if (!readSome(deadline)) return false;
    }
  }

  // Types `text` on the keyboard.
  bool type(const std::string& text) {
    return write(master_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  }

  // Reads the screen until the game closes the terminal, then waits for it to end; returns its
  // exit status, or -1 when it did not exit normally within the deadline.
  int waitForExit() {
    const auto deadline = Clock::now() + ANSWER_DEADLINE;
    while (readSome(deadline)) {
    }
    while (Clock::now() < deadline) {
      int status = 0;
      const pid_t done = waitpid(pid_, &status, WNOHANG);
      if (done == pid_) {
        reaped_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      usleep(10000);
    }
    return -1;
  }

  // Everything the game has shown so far.
  const std::string& screen() const { return screen_; }

 private:
  // Appends what the game writes next to the screen; false at the deadline or when the
  // terminal is closed.
  bool readSome(Clock::time_point deadline) {
    for (;;) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return false;
      pollfd fd = {master_, POLLIN, 0};
      const int ready = poll(&fd, 1, static_cast<int>(left));
      if (ready < 0 && errno == EINTR) continue;
      if (ready <= 0) return false;
      char buffer[4096];
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;  // EIO once the game has closed its side
      screen_.append(buffer, static_cast<size_t>(n));
      return true;
    }
  }

  std::filesystem::path dir_;
  int master_ = -1;
  pid_t pid_ = -1;
  bool reaped_ = false;
  std::string screen_;
  size_t consumed_ = 0;
};

TEST(Terminal, EveryPromptShowsBeforeTheGameWaitsForTheAnswer) {
  Story story = blankStory();
  story.introduction[0] = "Welcome aboard. ";
  story.introduction[1] = "The ship is dark. ";
  story.rooms[2][3].description = "Start room. ";
  story.rooms[2][3].lookText = "Start look. ";
  PtyGame game(storyText(story));
  ASSERT_TRUE(game.started());

  ASSERT_TRUE(game.waitFor("Welcome aboard.\n\n\nPress enter to continue ")) << game.screen();
  ASSERT_TRUE(game.type("\n"));
  ASSERT_TRUE(game.waitFor("\n\nThe ship is dark.\n\n\n\nStart room.\n\n")) << game.screen();
  ASSERT_TRUE(game.type("look\n"));
  ASSERT_TRUE(game.waitFor("\nStart look.\n\n")) << game.screen();
  ASSERT_TRUE(game.type("exit\n"));
  ASSERT_TRUE(game.waitFor("\n\nThanks for playing!\n\n\nPress enter to exit ")) << game.screen();
  ASSERT_TRUE(game.type("\n"));
  EXPECT_EQ(game.waitForExit(), 0);

  EXPECT_EQ(game.screen(),
            "Welcome aboard.\n\n\nPress enter to continue \n\nThe ship is dark.\n\n\n\n"
            "Start room.\n\n\nStart look.\n\n\n\nThanks for playing!\n\n\nPress enter to exit ");
}

}  // namespace
