#include "support/stack.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string FULL_MESSAGE =
    "*** Stack is full -- can't add new value ***\n"
    "Must increase value of STACK_CAPACITY in Stack\n";
const std::string POP_EMPTY_MESSAGE = "*** Stack is empty - can't remove a value ***\n";
const std::string TOP_EMPTY_MESSAGE = "*** Stack is empty ***\n";

class StackTest : public testing::Test {
 protected:
  // Pushes "item0", "item1", ... up to "item<count - 1>".
  void pushNumbered(int count) {
    for (int i = 0; i < count; ++i) stack.push("item" + std::to_string(i));
  }

  std::ostringstream out;
  std::ostringstream err;
  Console console{out, err};
  Stack stack{console};
};

TEST_F(StackTest, ANewStackIsEmpty) {
  EXPECT_TRUE(stack.isEmpty());
  EXPECT_EQ(stack.size(), 0);
}

TEST_F(StackTest, HoldsTwentyItemsAndRefusesTheTwentyFirstWithTwoLinesOnTheErrorStream) {
  EXPECT_EQ(STACK_CAPACITY, 20);
  pushNumbered(20);
  EXPECT_EQ(stack.size(), 20);
  EXPECT_EQ(err.str(), "");

  stack.push("one too many");
  EXPECT_EQ(err.str(), FULL_MESSAGE);
  EXPECT_EQ(stack.size(), 20);
  EXPECT_EQ(stack.top(), "item19");

  stack.push("another");
  EXPECT_EQ(err.str(), FULL_MESSAGE + FULL_MESSAGE);
  EXPECT_EQ(out.str(), "");

  // The refused items were never stored: popping goes down through the pushed ones.
  stack.pop();
  EXPECT_EQ(stack.top(), "item18");
}

TEST_F(StackTest, AfterOnePopAFullStackTakesOneMoreItem) {
  pushNumbered(20);
  stack.pop();
  EXPECT_EQ(stack.size(), 19);
  stack.push("last");
  EXPECT_EQ(stack.size(), 20);
  EXPECT_EQ(stack.top(), "last");
  EXPECT_EQ(err.str(), "");
}

TEST_F(StackTest, IsLastInFirstOut) {
  stack.push("first");
  stack.push("second");
  EXPECT_EQ(stack.top(), "second");
  EXPECT_EQ(stack.size(), 2);
  stack.pop();
  EXPECT_EQ(stack.top(), "first");
  EXPECT_EQ(stack.size(), 1);
  EXPECT_FALSE(stack.isEmpty());
  stack.pop();
  EXPECT_TRUE(stack.isEmpty());
  EXPECT_EQ(err.str(), "");
}

TEST_F(StackTest, TopLeavesTheItemInPlace) {
  stack.push("medpac");
  EXPECT_EQ(stack.top(), "medpac");
  EXPECT_EQ(stack.top(), "medpac");
  EXPECT_EQ(stack.size(), 1);
  EXPECT_EQ(err.str(), "");
}

TEST_F(StackTest, PushStoresACopyOfTheItem) {
  std::string item = "medpac";
  stack.push(item);
  item = "changed";
  EXPECT_EQ(stack.top(), "medpac");
}

TEST_F(StackTest, PopOnAnEmptyStackIsReportedAndChangesNothing) {
  stack.pop();
  EXPECT_EQ(err.str(), POP_EMPTY_MESSAGE);
  EXPECT_EQ(stack.size(), 0);
  EXPECT_TRUE(stack.isEmpty());
  // The next push still goes into the first slot.
  stack.push("medpac");
  EXPECT_EQ(stack.size(), 1);
  EXPECT_EQ(stack.top(), "medpac");
  stack.pop();
  stack.pop();
  EXPECT_EQ(err.str(), POP_EMPTY_MESSAGE + POP_EMPTY_MESSAGE);
  EXPECT_EQ(out.str(), "");
}

TEST_F(StackTest, TopOnAnEmptyStackIsReportedAndReturnsAnEmptyText) {
  EXPECT_EQ(stack.top(), "");
  EXPECT_EQ(err.str(), TOP_EMPTY_MESSAGE);
  EXPECT_TRUE(stack.isEmpty());

  // Also once a popped item still lies in its slot.
  stack.push("stale");
  stack.pop();
  EXPECT_EQ(stack.top(), "");
  EXPECT_EQ(err.str(), TOP_EMPTY_MESSAGE + TOP_EMPTY_MESSAGE);
  EXPECT_EQ(out.str(), "");
}

TEST_F(StackTest, APushReplacesTheStaleTextOfAPoppedSlot) {
  stack.push("old bottom");
  stack.push("old top");
  stack.pop();
  stack.pop();
  stack.push("new");
  EXPECT_EQ(stack.size(), 1);
  EXPECT_EQ(stack.top(), "new");
  stack.push("newer");
  EXPECT_EQ(stack.top(), "newer");
  stack.pop();
  EXPECT_EQ(stack.top(), "new");
}

TEST_F(StackTest, EqualNumbersOfPushesAndPopsLeaveItEmpty) {
  pushNumbered(7);
  for (int i = 0; i < 7; ++i) stack.pop();
  EXPECT_TRUE(stack.isEmpty());
  EXPECT_EQ(stack.size(), 0);
  EXPECT_EQ(err.str(), "");
}

// The output stream is flushed before anything reaches the error stream, so that on a shared
// console the stack's messages stand after everything the game printed before them.
class FlushCounter : public std::stringbuf {
 public:
  int syncs = 0;

 protected:
  int sync() override {
    ++syncs;
    return std::stringbuf::sync();
  }
};

// Notes, for each write that reaches it, how often the output stream had been flushed by then.
class ErrorRecorder : public std::stringbuf {
 public:
  explicit ErrorRecorder(const FlushCounter& out) : out_(out) {}
  std::vector<int> flushesBeforeWrite;

 protected:
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    flushesBeforeWrite.push_back(out_.syncs);
    return std::stringbuf::xsputn(text, count);
  }
  int_type overflow(int_type c) override {
    flushesBeforeWrite.push_back(out_.syncs);
    return std::stringbuf::overflow(c);
  }

 private:
  const FlushCounter& out_;
};

TEST(StackMessages, FlushTheOutputStreamBeforeEachMessage) {
  FlushCounter outBuffer;
  ErrorRecorder errBuffer(outBuffer);
  std::ostream out(&outBuffer);
  std::ostream err(&errBuffer);
  Console console(out, err);
  Stack stack(console);

  console.write("before the pop");
  stack.pop();
  ASSERT_FALSE(errBuffer.flushesBeforeWrite.empty());
  EXPECT_GE(errBuffer.flushesBeforeWrite.front(), 1);

  for (int i = 0; i < STACK_CAPACITY; ++i) stack.push("medpac");
  const int flushesBeforePush = outBuffer.syncs;
  const size_t writesBeforePush = errBuffer.flushesBeforeWrite.size();
  console.write("before the push");
  stack.push("medpac");
  ASSERT_GT(errBuffer.flushesBeforeWrite.size(), writesBeforePush);
  EXPECT_GT(errBuffer.flushesBeforeWrite[writesBeforePush], flushesBeforePush);
  EXPECT_EQ(errBuffer.str(), POP_EMPTY_MESSAGE + FULL_MESSAGE);
  EXPECT_EQ(outBuffer.str(), "before the popbefore the push");
}

}  // namespace
