// Objects constructed in storage that was cleared to zero bytes first.
//
// Some classes rely on it: members their constructor does not set start as 0 or null. The
// framework library is built, and makes its users build, with -fno-lifetime-dse, so that the
// compiler keeps the clearing although a constructor follows it.
//
//   CZeroFilled<CMyDlg> dlg;   // storage zeroed, CMyDlg() run in it
//   dlg->DoModal();
//                              // ~CMyDlg() at the end of the scope
#pragma once

#include <cstring>
#include <new>
#include <utility>

// Clears `size` bytes at `storage` and constructs a T there. The storage must be suitably aligned
// and at least sizeof(T) bytes.
template <class T, class... Args>
T* ConstructZeroFilled(void* storage, Args&&... args) {
  std::memset(storage, 0, sizeof(T));
  // Keep the clearing: the constructor that follows must not make it look dead.
  asm volatile("" : : "r"(storage) : "memory");
  return ::new (storage) T(std::forward<Args>(args)...);
}

template <class T>
class CZeroFilled {
 public:
  template <class... Args>
  explicit CZeroFilled(Args&&... args)
      : obj_(ConstructZeroFilled<T>(storage_, std::forward<Args>(args)...)) {}
  ~CZeroFilled() { obj_->~T(); }
  CZeroFilled(const CZeroFilled&) = delete;
  CZeroFilled& operator=(const CZeroFilled&) = delete;

  T* get() const { return obj_; }
  T* operator->() const { return obj_; }
  T& operator*() const { return *obj_; }

 private:
  alignas(T) unsigned char storage_[sizeof(T)];
  T* obj_;
};
