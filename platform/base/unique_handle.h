// A move-only owner of one handle: it releases what it holds when it is destroyed, reset or given
// another handle, and hands ownership on only by moving. Each layer names the owners of its own
// handle kinds with a Traits type:
//
//   struct Traits {
//     using Handle = ...;                  // a pointer-sized handle type; null means none
//     static bool Owns(Handle handle);     // whether `handle` is something to release
//     static void Release(Handle handle);  // called once for every handle that Owns
//   };
//
// The owner keeps the exact value it was given, so a kind whose failure value is not null (a
// kernel handle's INVALID_HANDLE_VALUE) still reads back as that value; Owns decides what counts
// as empty, and that is the only meaning of empty an owner has.
#pragma once

#include <utility>

namespace base {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  // Takes a freshly created handle: `m_hBitmap = ::LoadBitmapW(...)`.
  UniqueHandle& operator=(Handle handle) noexcept {
    reset(handle);
    return *this;
  }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return Traits::Owns(handle_); }

  // Gives up ownership without releasing; the owner is left holding null.
  Handle release() noexcept { return std::exchange(handle_, Handle{}); }

  // Releases what is held (unless it is `handle` itself) and holds `handle` instead.
  void reset(Handle handle = Handle{}) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old != handle && Traits::Owns(old)) Traits::Release(old);
  }

  // For calls that return a new handle through a pointer: releases what is held and lends the
  // empty slot to be written.
  Handle* put() noexcept {
    reset();
    return &handle_;
  }

 private:
  Handle handle_{};
};

}  // namespace base
