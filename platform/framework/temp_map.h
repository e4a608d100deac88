// Wrapper objects that the framework hands out for handles nobody wrapped yet (the bitmap that a
// SelectObject replaced, the window that GetParent returns, ...). They borrow the handle and never
// free it; they live until the next idle moment of a message loop.
#pragma once

#include <memory>
#include <unordered_map>

namespace afx_internal {

template <class T, class H>
class TempMap {
 public:
  T* Get(H handle) {
    std::unique_ptr<T, Detacher>& slot = map_[handle];
    if (!slot) {
      slot.reset(new T());  // NOLINT: owned by the map's unique_ptr from here on
      slot->AttachTemporary(handle);
    }
    return slot.get();
  }
  void Remove(H handle) { map_.erase(handle); }
  void Clear() { map_.clear(); }
  bool Contains(H handle) const { return map_.count(handle) != 0; }

 private:
  struct Detacher {
    void operator()(T* p) const {
      p->DetachTemporary();
      delete p;  // NOLINT: the deleter of the owning unique_ptr
    }
  };
  std::unordered_map<H, std::unique_ptr<T, Detacher>> map_;
};

// Drops every temporary graphics and device-context wrapper (called when a message loop idles).
void DeleteTempGdiMaps();

}  // namespace afx_internal
