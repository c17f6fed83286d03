// The story that ships with the game, played from the start room by whole walkthroughs: to the
// bridge and either ending, and to a death in the cargo hold. Each expected transcript was
// composed from the story's own texts and the game's messages.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/run_program.h"

namespace {

struct Walkthrough {
  const char* name;  // the script's base name under walkthroughs/, also the test's name
  const char* what;  // what the walkthrough shows
};

std::ostream& operator<<(std::ostream& os, const Walkthrough& w) { return os << w.name; }

class ShippedStory : public testing::TestWithParam<Walkthrough> {};

TEST_P(ShippedStory, WalkthroughPrintsItsTranscript) {
  const Walkthrough& w = GetParam();
  const std::string story = readFile(testDataPath("../data/Display.txt"));
  const std::string input = readFile(testDataPath(std::string("walkthroughs/") + w.name + ".in"));
  const std::string expected =
      readFile(testDataPath(std::string("walkthroughs/") + w.name + ".out"));
  ASSERT_FALSE(story.empty());
  ASSERT_FALSE(input.empty());
  ASSERT_FALSE(expected.empty());

  const RunResult r = runGame(story, input);

  EXPECT_FALSE(r.timedOut) << w.what;
  EXPECT_EQ(r.out, expected) << w.what;
  EXPECT_EQ(r.err, "") << w.what;
  EXPECT_EQ(r.status, 0) << w.what;
}

const Walkthrough WALKTHROUGHS[] = {
    {"win_look",
     "every room visited and searched, every item and CommStation tried, then look on the "
     "bridge"},
    {"win_shoot", "the shortest way to the bridge, then shoot there"},
    {"death", "the cargo hold entered with the pistol and 6 health, where the mother kills"},
};

INSTANTIATE_TEST_SUITE_P(Walkthroughs, ShippedStory, testing::ValuesIn(WALKTHROUGHS),
                         [](const testing::TestParamInfo<Walkthrough>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
