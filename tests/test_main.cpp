// Test entry point: runs every test under the numeric environment that the
// command itself sets at start-up.
#include <gtest/gtest.h>

#include "services/number_text.h"

int main(int argc, char** argv) {
  hostlix::SetNumericEnvironment();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
