#include "support/stack.h"

#include <gtest/gtest.h>
