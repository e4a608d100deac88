#include "user_test_support.h"

namespace usertest {
Journal& J() {
  static Journal journal;
  return journal;
}
}  // namespace usertest
