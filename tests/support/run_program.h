#ifndef DERELICT_TESTS_SUPPORT_RUN_PROGRAM_H_
#define DERELICT_TESTS_SUPPORT_RUN_PROGRAM_H_

#include <optional>
#include <string>
#include <vector>

// What one run of a program produced.
struct RunResult {
  std::string out;
  std::string err;
  int status = -1;        // the exit status, or -1 when the program did not exit normally
  int signal = 0;         // the signal that ended it, if one did
  bool timedOut = false;  // true when it was killed for running past its time
};

// Runs `argv` (argv[0] is the program's path) in a new temporary directory that holds `story` as
// "Display.txt" (no such file when `story` is empty), writes `input` to its standard input and
// then closes it, and collects both output streams. The program is killed after
// `timeoutSeconds`; the directory is removed afterwards.
RunResult runProgram(const std::vector<std::string>& argv, const std::optional<std::string>& story,
                     const std::string& input, int timeoutSeconds = 30);

// Runs the game binary under test in the same way.
RunResult runGame(const std::optional<std::string>& story, const std::string& input,
                  int timeoutSeconds = 30);

// The path of the game binary under test.
std::string gameBinary();

// The contents of the file at `path`; fails the calling test when it cannot be read.
std::string readFile(const std::string& path);

// The path of a file below the tests folder of the source tree, e.g. "fixtures/tiny.txt".
std::string testDataPath(const std::string& relative);

#endif  // DERELICT_TESTS_SUPPORT_RUN_PROGRAM_H_
