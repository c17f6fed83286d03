#ifndef DERELICT_TESTS_SUPPORT_STORY_TEXT_H_
#define DERELICT_TESTS_SUPPORT_STORY_TEXT_H_

#include <string>

#include "world/story.h"

// Writes `story` as a story file in the usual five-line form: two introduction lines, 20
// records in file order, two ending lines, each line ended by a line feed.
std::string storyText(const Story& story);

// A story for tests: empty texts, no items, no aliens, every exit closed and key value 0.
// Tests set what they need on top of it.
Story blankStory();

// Opens every passage between neighbouring rooms, both ways, with key value 0.
void openAllPassages(Story& story);

#endif  // DERELICT_TESTS_SUPPORT_STORY_TEXT_H_
