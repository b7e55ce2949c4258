#include <gtest/gtest.h>

#include "support/kt_exception.h"

TEST(ErrorObjects, Placeholder) { SUCCEED(); }
