// Window shapes cut from bitmaps: the key colour, edges, insets, caption frames, holes, clean-up.
#include <cstdint>
#include <functional>
#include <vector>

#include "CBmpRgn.h"
#include "control_test_support.h"
#include "gdi_owners.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0xC02020;

using controltest::MakeBitmap;

// 12 x 8, opaque, with 2 x 2 white blocks in the corners and one white pixel inside at (5, 3).
std::uint32_t CornerSkin(int x, int y) {
  const bool cornerX = x < 2 || x >= 10;
  const bool cornerY = y < 2 || y >= 6;
  if (cornerX && cornerY) return kWhite;
  if (x == 5 && y == 3) return kWhite;
  return kRed;
}

class BmpRgnTest : public test::HostTest {
 protected:
  HWND MakeWindow(DWORD style = WS_POPUP) {
    HWND h = ::CreateWindowExW(0, L"Static", L"", style, 100, 100, 40, 30, nullptr, nullptr,
                               nullptr, nullptr);
    windows_.push_back(h);
    return h;
  }
  void TearDown() override {
    for (HWND h : windows_) ::DestroyWindow(h);
    HostTest::TearDown();
  }
  // Shapes `hwnd` from a fresh bitmap and returns a copy of the window's region (null if none).
  HRGN Shape(HWND hwnd, int w, int h, const std::function<std::uint32_t(int, int)>& colour,
             int insetLeft = 0, int insetRight = 0, POINT* holes = nullptr, int count = 0,
             COLORREF key = RGB(255, 255, 255)) {
    {
      CBmpRgn rgn;
      rgn.m_hTargetWnd = hwnd;
      rgn.m_hBitmap = MakeBitmap(w, h, colour);
      rgn.m_clrKey = key;
      rgn.m_nInsetLeft = insetLeft;
      rgn.m_nInsetRight = insetRight;
      rgn.ShapeWindow(holes, count);
      bitmap_ = rgn.m_hBitmap.get();
      frameX_ = rgn.m_nFrameX;
      frameY_ = rgn.m_nFrameY;
      EXPECT_EQ(nullptr, rgn.m_hRgn.get());  // handed to the window
    }
    EXPECT_EQ(0u, ::GetObjectType(bitmap_));  // freed with the builder
    HRGN copy = ::CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(hwnd, copy) == ERROR) {
      ::DeleteObject(copy);
      return nullptr;
    }
    regions_.push_back(copy);
    return copy;
  }
  ~BmpRgnTest() override {
    for (HRGN r : regions_) ::DeleteObject(r);
  }
  static CRect WindowRect(HWND hwnd) {
    CRect r;
    ::GetWindowRect(hwnd, &r);
    return r;
  }
  // Every point of `in` lies in the region, none of `out`.
  static void ExpectShape(HRGN r, std::initializer_list<POINT> in,
                          std::initializer_list<POINT> out) {
    for (POINT p : in) EXPECT_TRUE(::PtInRegion(r, p.x, p.y)) << p.x << ", " << p.y;
    for (POINT p : out) EXPECT_FALSE(::PtInRegion(r, p.x, p.y)) << p.x << ", " << p.y;
  }

  std::vector<HWND> windows_;
  std::vector<HRGN> regions_;
  HBITMAP bitmap_ = nullptr;
  int frameX_ = -1;
  int frameY_ = -1;
};

TEST_F(BmpRgnTest, WhiteCornersAreCutAndInteriorWhiteIsKept) {
  HWND w = MakeWindow();
  HRGN r = Shape(w, 12, 8, CornerSkin);
  ASSERT_NE(nullptr, r);
  // Corners out, inner white (5, 3) in, a row's last opaque pixel out: its left is the edge.
  ExpectShape(r, {{2, 0}, {0, 2}, {0, 4}, {5, 3}, {10, 3}}, {{0, 0}, {1, 0}, {10, 0}, {11, 3}});
  EXPECT_EQ(CRect(100, 100, 112, 108), WindowRect(w));  // the bitmap's size where it was
  EXPECT_EQ(0, frameX_);
  EXPECT_EQ(0, frameY_);
}

TEST_F(BmpRgnTest, TheKeyMatchesThePixelsStoredBytesWithinTwoPerByte) {
  // Stored bytes are blue, green, red; the key's are red, green, blue.
  const COLORREF white = RGB(255, 255, 255);
  const COLORREF key = RGB(200, 100, 50);
  const struct {
    std::uint32_t edge;
    COLORREF key;
    bool kept;
  } cases[] = {
      {0xFDFEFF, white, false},  // 253, 254, 255: within two
      {0xFCFFFF, white, true},   // 252: three off
      {0x3264C8, key, false},    // stored bytes equal the key's bytes
      {0xC86432, key, true},     // the key's colour, whose stored bytes run the other way
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.edge);
    HRGN r = Shape(
        MakeWindow(), 6, 4, [&](int x, int) { return x == 0 ? c.edge : kRed; }, 0, 0, nullptr, 0,
        c.key);
    ASSERT_NE(nullptr, r);
    EXPECT_EQ(c.kept, ::PtInRegion(r, 0, 1) != FALSE);
    EXPECT_TRUE(::PtInRegion(r, 1, 1));
  }
}

TEST_F(BmpRgnTest, InsetsMoveEveryRowsEdges) {
  auto solid = [](int, int) { return kRed; };
  HRGN plain = Shape(MakeWindow(), 10, 5, solid);
  HRGN left = Shape(MakeWindow(), 10, 5, solid, 1, 0);
  HRGN right = Shape(MakeWindow(), 10, 5, solid, 0, 2);
  ASSERT_TRUE(plain && left && right);
  for (int y = 0; y < 4; ++y) {
    EXPECT_TRUE(::PtInRegion(plain, 0, y));
    EXPECT_FALSE(::PtInRegion(left, 0, y));
    EXPECT_TRUE(::PtInRegion(left, 1, y));
    EXPECT_TRUE(::PtInRegion(plain, 8, y));
    EXPECT_TRUE(::PtInRegion(right, 6, y));
    EXPECT_FALSE(::PtInRegion(right, 7, y));
  }
}

TEST_F(BmpRgnTest, ACaptionAddsFrameOffsetsToSizeAndShape) {
  HWND w = MakeWindow(WS_POPUP | WS_CAPTION);
  HRGN r = Shape(w, 12, 8, CornerSkin);
  ASSERT_NE(nullptr, r);
  const int fx = ::GetSystemMetrics(SM_CXDLGFRAME);
  const int fy = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYDLGFRAME);
  EXPECT_EQ(fx, frameX_);
  EXPECT_EQ(fy, frameY_);
  ASSERT_GT(fy, 0);
  EXPECT_EQ(CRect(100, 100, 112 + fx, 108 + fy + fx), WindowRect(w));
  // The outline moved by the frame: the top-left opaque pixel of the bitmap sits at (fx+2, fy).
  ExpectShape(r, {{fx + 2, fy}, {fx + 5, fy + 3}}, {{fx + 1, fy}, {fx + 2, fy - 1}});
}

TEST_F(BmpRgnTest, HoleGroupsAreCutAndRewrittenInPlace) {
  auto solid = [](int, int) { return kRed; };
  // Two groups, each ended by (0, 0); the trailing point has no terminator and is ignored.
  POINT holes[] = {{2, 1}, {2, 0}, {5, 0}, {5, 0}, {0, 0},  // rows 1..2, x 2..4
                   {7, 3}, {9, 0}, {0, 0},                  // one row (3), x 7..8
                   {1, 1}};
  HRGN r = Shape(MakeWindow(), 12, 6, solid, 0, 0, holes, 9);
  ASSERT_NE(nullptr, r);
  // The first group became the rows 1 and 2 (left edges down, right edges back up).
  EXPECT_EQ(1, holes[0].y);
  EXPECT_EQ(2, holes[1].y);
  EXPECT_EQ(2, holes[2].y);
  EXPECT_EQ(1, holes[3].y);
  // A polygon's bottom row is outside it; a two-point group is a degenerate row that cuts nothing.
  ExpectShape(r, {{3, 2}, {1, 1}, {5, 1}, {3, 0}, {7, 3}}, {{3, 1}});
  // The ignored point stays as it was.
  EXPECT_EQ(1, holes[8].x);
  EXPECT_EQ(1, holes[8].y);
}

TEST_F(BmpRgnTest, HolePointsAtTheEndOfTheRangeWrapAndCutNothing) {
  // Rows past the largest coordinate, moved further still by a caption's frame.
  POINT holes[] = {{INT32_MAX - 1, INT32_MAX - 1}, {INT32_MAX, 5}, {3, 5}, {4, 5}, {0, 0}};
  HRGN cut = Shape(MakeWindow(WS_POPUP | WS_CAPTION), 12, 8, CornerSkin, 0, 0, holes, 5);
  HRGN plain = Shape(MakeWindow(WS_POPUP | WS_CAPTION), 12, 8, CornerSkin);
  ASSERT_TRUE(cut && plain);
  EXPECT_TRUE(::EqualRgn(cut, plain));
  EXPECT_EQ(INT32_MIN + frameX_ - 2, holes[0].x);  // wrapped round
  EXPECT_EQ(INT32_MIN + frameY_ - 1, holes[1].y);
}

TEST_F(BmpRgnTest, ATerminatorOnlyHoleListChangesNothing) {
  POINT terminator[] = {{0, 0}};
  HRGN withList = Shape(MakeWindow(), 12, 8, CornerSkin, 1, 0, terminator, 1);
  HRGN without = Shape(MakeWindow(), 12, 8, CornerSkin, 1, 0, nullptr, 0);
  ASSERT_TRUE(withList && without);
  EXPECT_TRUE(::EqualRgn(withList, without));
}

TEST_F(BmpRgnTest, ARowWithoutOpaquePixelsIsCutWhole) {
  HRGN r = Shape(MakeWindow(), 8, 6, [](int, int y) { return y == 2 ? kWhite : kRed; });
  ASSERT_NE(nullptr, r);
  ExpectShape(r, {{3, 1}, {3, 3}}, {{3, 2}, {0, 2}});
}

TEST_F(BmpRgnTest, NothingHappensWithoutWindowOrBitmap) {
  HWND w = MakeWindow();
  {
    CBmpRgn noBitmap;
    noBitmap.m_hTargetWnd = w;
    noBitmap.ShapeWindow(nullptr, 0);
  }
  HBITMAP orphan = MakeBitmap(4, 4, [](int, int) { return kRed; });
  {
    CBmpRgn noWindow;
    noWindow.m_hBitmap = orphan;
    noWindow.ShapeWindow(nullptr, 0);
  }
  EXPECT_EQ(0u, ::GetObjectType(orphan));  // still freed
  EXPECT_EQ(CRect(100, 100, 140, 130), WindowRect(w));
  HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(ERROR, ::GetWindowRgn(w, probe));
  ::DeleteObject(probe);
}

TEST_F(BmpRgnTest, ShapingLeavesNoObjectBehindButTheWindowsRegion) {
  HWND w = MakeWindow(WS_POPUP | WS_CAPTION);
  auto shape = [w] {
    CBmpRgn rgn;
    rgn.m_hTargetWnd = w;
    rgn.m_hBitmap = MakeBitmap(12, 8, CornerSkin);
    rgn.m_clrKey = RGB(255, 255, 255);
    POINT holes[] = {{3, 2}, {3, 0}, {6, 0}, {6, 0}, {0, 0}};
    rgn.ShapeWindow(holes, 5);
  };
  shape();  // the window settles: its frame buffer and regions now exist
  const std::size_t settled = gdi::ObjectCount();
  // The window swaps regions; bitmap, outline and hole polygons go with the builder.
  shape();
  EXPECT_EQ(settled, gdi::ObjectCount());
}

TEST_F(BmpRgnTest, ARegionTheWindowNeverTookIsFreedWithTheBuilder) {
  HWND gone = MakeWindow();
  ::DestroyWindow(gone);  // SetWindowRgn refuses a window that no longer exists
  const std::size_t before = gdi::ObjectCount();
  HRGN built = nullptr;
  {
    CBmpRgn rgn;
    rgn.m_hTargetWnd = gone;
    rgn.m_hBitmap = MakeBitmap(12, 8, CornerSkin);
    rgn.ShapeWindow(nullptr, 0);
    built = rgn.m_hRgn.get();
    EXPECT_EQ(OBJ_REGION, ::GetObjectType(built)) << "still the builder's";
  }
  EXPECT_EQ(0u, ::GetObjectType(built));
  EXPECT_EQ(before, gdi::ObjectCount());

  // Nor does a region set by hand and never shaped outlive the builder.
  {
    CBmpRgn rgn;
    rgn.m_hRgn = ::CreateRectRgn(0, 0, 4, 4);
    built = rgn.m_hRgn.get();
  }
  EXPECT_EQ(0u, ::GetObjectType(built));
  EXPECT_EQ(before, gdi::ObjectCount());
}

}  // namespace
