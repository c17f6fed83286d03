#include "support/stack.h"

Stack::Stack(Console& console) : console_(console), topIndex(-1) {}

bool Stack::isEmpty() const { return topIndex == -1; }

int32_t Stack::size() const { return topIndex + 1; }

void Stack::push(const std::string& item) {
  if (topIndex >= STACK_CAPACITY - 1) {
    console_.error("*** Stack is full -- can't add new value ***\n");
    console_.error("Must increase value of STACK_CAPACITY in Stack\n");
    return;
  }
  ++topIndex;
  items[topIndex] = item;
}

void Stack::pop() {
  if (topIndex < 0) {
    console_.error("*** Stack is empty - can't remove a value ***\n");
    return;
  }
  --topIndex;
}

std::string Stack::top() const {
  if (topIndex < 0) {
    console_.error("*** Stack is empty ***\n");
    return std::string();
  }
  return items[topIndex];
}
