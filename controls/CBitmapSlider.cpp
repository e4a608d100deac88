#include "CBitmapSlider.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>

#include "CMemDCC.h"

BEGIN_MESSAGE_MAP(CBitmapSlider, CStatic)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

constexpr UINT kDisabledOverlay = 234;
constexpr LPCWSTR kParentBackgroundProp = L"MPBmpProp";

struct TrackPictures {
  UINT track;
  UINT filled;
};

// By m_nTrackStyle; other styles have no pictures.
constexpr TrackPictures kTrackPictures[] = {{228, 228}, {231, 231}, {232, 232}, {245, 246}};

TrackPictures PicturesOf(int style) {
  if (style < 0 || style >= static_cast<int>(std::size(kTrackPictures))) return {0, 0};
  return kTrackPictures[style];
}

// Truncates toward zero into the int range; a ratio that is not a number (no geometry) gives 0.
int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  value = std::trunc(value);
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(value);
}

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// A bitmap selected into a memory context for the length of one copy.
class Selected {
 public:
  Selected(CDC& dc, HGDIOBJ bitmap) : dc_(dc), old_(::SelectObject(dc, bitmap)) {}
  ~Selected() {
    if (old_ != nullptr) ::SelectObject(dc_, old_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;
  bool ok() const { return old_ != nullptr; }

 private:
  CDC& dc_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

BOOL CBitmapSlider::LoadThumbBitmap(UINT id) {
  CBitmap thumb;
  if (!thumb.LoadBitmap(id)) return FALSE;
  BITMAP bm{};
  if (thumb.GetBitmap(&bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) return FALSE;

  CBitmap mask;
  if (!mask.CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr)) return FALSE;
  {
    CDC thumbDC;
    CDC maskDC;
    thumbDC.CreateCompatibleDC(nullptr);
    maskDC.CreateCompatibleDC(nullptr);
    Selected thumbIn(thumbDC, thumb);
    Selected maskIn(maskDC, mask);
    // The top-left pixel names the colour that lets the track show through.
    thumbDC.SetBkColor(thumbDC.GetPixel(0, 0));
    maskDC.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &thumbDC, 0, 0, SRCCOPY);
    // Black out the transparent pixels so that the thumb can be ORed over the masked track.
    thumbDC.SetTextColor(RGB(255, 255, 255));
    thumbDC.SetBkColor(RGB(0, 0, 0));
    thumbDC.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &maskDC, 0, 0, SRCAND);
  }

  m_bmThumb.DeleteObject();
  m_bmThumbMask.DeleteObject();
  m_bmThumb.Attach(thumb.Detach());
  m_bmThumbMask.Attach(mask.Detach());
  m_nThumbWidth = bm.bmWidth;
  m_nThumbHeight = bm.bmHeight;
  CRect client;
  if (!::GetClientRect(m_hWnd, &client)) client.SetRectEmpty();
  m_rcClient = client;
  m_nWidth = client.Width();
  m_nHeight = client.Height();
  m_bThumb = TRUE;
  return TRUE;
}

void CBitmapSlider::SetRange(int min, int max) {
  m_nMin = min;
  m_nMax = max;
}

void CBitmapSlider::SetPos(int pos) {
  m_nPos = std::max(std::min(pos, m_nMax), m_nMin);
  if (::IsWindow(m_hWnd)) Invalidate(TRUE);
}

int CBitmapSlider::PixelOfValue(int value) const {
  const int half = m_nThumbWidth / 2;
  const double span = static_cast<double>(m_nMax) - static_cast<double>(m_nMin);
  if (span == 0) return half;  // an empty range has no geometry: the thumb rests at the left end
  const double length = static_cast<double>(m_nWidth) - static_cast<double>(m_nThumbWidth);
  const double ratio = (static_cast<double>(value) - static_cast<double>(m_nMin)) / span;
  return TruncToInt(std::trunc(length * ratio) + half);
}

int CBitmapSlider::ValueOfPixel(int x) const {
  const int half = m_nThumbWidth / 2;
  const double length = static_cast<double>(m_nWidth) - static_cast<double>(m_nThumbWidth);
  if (length == 0) return m_nMin;  // a thumb as wide as the slider: no travel
  const double span = static_cast<double>(m_nMax) - static_cast<double>(m_nMin);
  return TruncToInt((static_cast<double>(x) - half) / length * span + m_nMin);
}

void CBitmapSlider::Notify(UINT message) {
  HWND parent = ::GetParent(m_hWnd);
  if (parent == nullptr) return;
  ::PostMessageW(parent, message, static_cast<WPARAM>(static_cast<INT_PTR>(GetDlgCtrlID())),
                 static_cast<LPARAM>(m_nPos));
}

void CBitmapSlider::DragTo(int x) {
  const int half = m_nThumbWidth / 2;
  long long target = static_cast<long long>(x) - m_nClickOffset;
  target = std::max<long long>(target, half);
  target = std::min<long long>(target, static_cast<long long>(m_nWidth) - half);
  // Most pixels map back to the pixel before them, so a drag posts on every move even when the
  // value repeats; only a move that lands on the thumb's own pixel posts nothing.
  if (target == PixelOfValue(m_nPos)) return;
  int value = ValueOfPixel(ClampToInt(target));
  value = std::min(value, m_nMax);
  value = std::max(value, m_nMin);
  m_nPos = value;
  Invalidate(TRUE);
  Notify(WM_SLIDER_TRACK);
}

int CBitmapSlider::OnCreate(LPCREATESTRUCTW cs) {
  return CStatic::OnCreate(cs);
}

void CBitmapSlider::OnDestroy() {
  CStatic::OnDestroy();
  m_bmThumb.DeleteObject();
  m_bmThumbMask.DeleteObject();
  m_bThumb = FALSE;
}

void CBitmapSlider::OnSetFocus(CWnd* oldWnd) {
  CStatic::OnSetFocus(oldWnd);
  Invalidate(TRUE);
}

void CBitmapSlider::OnKillFocus(CWnd* newWnd) {
  CStatic::OnKillFocus(newWnd);
  Invalidate(TRUE);
}

BOOL CBitmapSlider::OnEraseBkgnd(CDC* /*dc*/) {
  return TRUE;  // the paint covers every pixel from the off-screen buffer
}

UINT CBitmapSlider::OnGetDlgCode() {
  // With Tab held the dialog may move the focus on; otherwise every key is the slider's.
  if (::GetKeyState(VK_TAB) < 0) return CStatic::OnGetDlgCode();
  return static_cast<UINT>(DLGC_WANTALLKEYS);
}

void CBitmapSlider::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
  long long pos = m_nPos;
  switch (ch) {
    case VK_PRIOR:
      pos -= m_nPage;
      break;
    case VK_NEXT:
      pos += m_nPage;
      break;
    case VK_END:
      pos = m_nMax;
      break;
    case VK_HOME:
      pos = m_nMin;
      break;
    case VK_LEFT:
    case VK_UP:
      pos -= 1;
      break;
    case VK_RIGHT:
    case VK_DOWN:
      pos += 1;
      break;
    default:
      CStatic::OnKeyDown(ch, repeat, flags);
      return;
  }
  pos = std::min<long long>(pos, m_nMax);
  pos = std::max<long long>(pos, m_nMin);
  m_nPos = static_cast<int>(pos);
  Invalidate(TRUE);
  Notify(WM_SLIDER_SET);
  CStatic::OnKeyDown(ch, repeat, flags);
}

void CBitmapSlider::OnMouseMove(UINT flags, CPoint point) {
  if (!m_bDragging) return;  // the trackbar underneath never sees a hover
  DragTo(point.x);
  CStatic::OnMouseMove(flags, point);
}

void CBitmapSlider::OnLButtonDown(UINT flags, CPoint point) {
  SetCapture();
  SetFocus();
  m_bDragging = TRUE;
  // A press on the thumb keeps the grab point; a press elsewhere centres the thumb on the pointer.
  const long long offset = static_cast<long long>(point.x) - PixelOfValue(m_nPos);
  m_nClickOffset = std::llabs(offset) <= m_nThumbWidth / 2 ? static_cast<int>(offset) : 0;
  DragTo(point.x);
  Invalidate(TRUE);
  CStatic::OnLButtonDown(flags, point);
}

void CBitmapSlider::OnLButtonUp(UINT flags, CPoint point) {
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  m_bDragging = FALSE;
  Invalidate(TRUE);
  Notify(WM_SLIDER_SET);
  CStatic::OnLButtonUp(flags, point);
}

void CBitmapSlider::OnPaint() {
  CRect update;
  GetUpdateRect(&update, FALSE);
  CPaintDC dc(this);
  CMemDCC buffer(&dc, &m_rcClient);
  CDC scratch;
  scratch.CreateCompatibleDC(&buffer);

  // Where the slider sits on its parent, so that the parent's own background shows through.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(&placement);
  const CRect placed = placement.rcNormalPosition;
  HWND parent = ::GetParent(m_hWnd);
  HGDIOBJ background = parent != nullptr ? ::GetPropW(parent, kParentBackgroundProp) : nullptr;
  if (background != nullptr) {
    Selected in(scratch, background);
    if (in.ok()) {
      buffer.BitBlt(update.left, update.top, update.Width(), update.Height(), &scratch,
                    placed.left + update.left, placed.top + update.top, SRCCOPY);
    }
  }

  // Both track layers are centred vertically on the slider's height.
  const TrackPictures pictures = PicturesOf(m_nTrackStyle);
  const int half = m_nThumbWidth / 2;
  const int thumbLeft = PixelOfValue(m_nPos) - half;
  CBitmap track;
  if (pictures.track != 0 && track.LoadBitmap(pictures.track)) {
    BITMAP bm{};
    track.GetBitmap(&bm);
    const int y = (placed.Height() - bm.bmHeight) / 2;
    Selected in(scratch, track);
    buffer.BitBlt(update.left, y, update.Width(), update.Height(), &scratch, update.left, 0,
                  SRCCOPY);
  }
  CBitmap filled;
  if (pictures.filled != 0 && filled.LoadBitmap(pictures.filled)) {
    BITMAP bm{};
    filled.GetBitmap(&bm);
    const int y = (placed.Height() - bm.bmHeight) / 2;
    Selected in(scratch, filled);
    buffer.BitBlt(0, y, thumbLeft, bm.bmHeight, &scratch, 0, 0, SRCCOPY);
  }

  if (m_bThumb) {
    {
      Selected in(scratch, m_bmThumbMask);
      buffer.BitBlt(thumbLeft, 0, m_nThumbWidth, m_nThumbHeight, &scratch, 0, 0, SRCAND);
    }
    Selected in(scratch, m_bmThumb);
    buffer.BitBlt(thumbLeft, 0, m_nThumbWidth, m_nThumbHeight, &scratch, 0, 0, SRCPAINT);
  }

  if (!IsWindowEnabled()) {
    CBitmap overlay;
    if (overlay.LoadBitmap(kDisabledOverlay)) {
      BITMAP bm{};
      overlay.GetBitmap(&bm);
      Selected in(scratch, overlay);
      buffer.BitBlt(thumbLeft + 1, 1, bm.bmWidth - 1, bm.bmHeight - 1, &scratch, 1, 1, SRCCOPY);
    }
  }
}
