#ifndef DERELICT_SUPPORT_STACK_H_
#define DERELICT_SUPPORT_STACK_H_

#include <cstdint>
#include <string>

#include "support/console.h"

inline constexpr int32_t STACK_CAPACITY = 20;

// A fixed-capacity last-in, first-out stack of item names.
// Misuse (push when full, pop or top when empty) is reported on the console's error stream
// and otherwise ignored; the stack never writes to the output stream.
class Stack {
 public:
  explicit Stack(Console& console);
  Stack(const Stack&) = delete;  // the one inventory is shared by reference, never copied
  Stack& operator=(const Stack&) = delete;

  bool isEmpty() const;  // true when no item is held
  int32_t size() const;  // number of items held, 0 to STACK_CAPACITY
  // Stores a copy of `item` on top; when full, reports it and drops the item.
  void push(const std::string& item);
  // Drops the top item; when empty, reports it and changes nothing.
  void pop();
  // Returns a copy of the top item; when empty, reports it and returns an empty string.
  std::string top() const;

 private:
  Console& console_;
  std::string items[STACK_CAPACITY];  // slots above topIndex may hold stale text
  int32_t topIndex;                   // index of the top item; -1 when empty
};

#endif  // DERELICT_SUPPORT_STACK_H_
