// Construction in zero-filled storage: members the constructor leaves alone read as zero, even
// when the memory held something else before.
#include <cstring>

#include "zero_filled.h"

#include <gtest/gtest.h>

namespace {

struct Base {
  virtual ~Base() = default;
  int baseUnset;
};

struct Record : Base {
  Record() : set(5) {}
  explicit Record(int v) : set(v) {}
  ~Record() override { ++destroyed; }
  int set;
  int unset;
  void* pointer;
  double real;
  unsigned char bytes[16];
  static int destroyed;
};
int Record::destroyed = 0;

// Builds in memory that previously held a pattern, so that any byte the helper forgets shows.
template <class F>
void InDirtyStorage(F f) {
  alignas(Record) unsigned char storage[sizeof(Record)];
  std::memset(storage, 0xA5, sizeof(storage));
  f(storage);
}

TEST(ZeroFilledTest, UnsetMembersStartAtZeroAndSetOnesKeepTheirValue) {
  InDirtyStorage([](unsigned char* storage) {
    Record* r = ConstructZeroFilled<Record>(storage, 7);
    EXPECT_EQ(7, r->set);
    EXPECT_EQ(0, r->unset);
    EXPECT_EQ(0, r->baseUnset);
    EXPECT_EQ(nullptr, r->pointer);
    EXPECT_EQ(0.0, r->real);
    for (unsigned char b : r->bytes) EXPECT_EQ(0, b);
    r->~Record();
  });
}

TEST(ZeroFilledTest, TheScopedHolderDestroysAtScopeEnd) {
  Record::destroyed = 0;
  {
    CZeroFilled<Record> r;
    EXPECT_EQ(5, r->set);
    EXPECT_EQ(0, (*r).unset);
    EXPECT_EQ(r.get(), &*r);
    EXPECT_EQ(0, Record::destroyed);
  }
  EXPECT_EQ(1, Record::destroyed);
}

}  // namespace
