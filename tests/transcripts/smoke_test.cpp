#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/story_text.h"

namespace {

TEST(Smoke, ExitAtTheIntroductionPauseEndsAtOnce) {
  Story story = blankStory();
  story.introduction[0] = "Hello there. ";
  const RunResult r = runGame(storyText(story), "exit\n");
  EXPECT_EQ(r.out, "Hello there.\n\n\nPress enter to continue ");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

}  // namespace
