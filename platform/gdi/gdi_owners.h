// Move-only owners of GDI objects, for code that holds a bitmap or region handle itself rather
// than through the framework's object classes, and the count of objects that exist, so that a
// test can tell a leak.
#pragma once

#include <cstddef>

#include "unique_handle.h"
#include "wingdi.h"

namespace gdi {

template <typename H>
struct ObjectTraits {
  using Handle = H;
  static bool Owns(H object) { return object != nullptr; }
  static void Release(H object) { ::DeleteObject(object); }
};
using UniqueBitmap = base::UniqueHandle<ObjectTraits<HBITMAP>>;
using UniqueRegion = base::UniqueHandle<ObjectTraits<HRGN>>;

// Objects created and not yet deleted (an object deleted while selected counts until it goes);
// stock objects are not counted.
std::size_t ObjectCount();

// The same objects by kind, so that a test can tell which kind leaks.
struct ObjectCounts {
  std::size_t bitmaps = 0;
  std::size_t device_contexts = 0;
  std::size_t regions = 0;
  std::size_t brushes = 0;
  std::size_t pens = 0;
  std::size_t fonts = 0;

  std::size_t Total() const { return bitmaps + device_contexts + regions + brushes + pens + fonts; }
  bool operator==(const ObjectCounts&) const = default;
};
ObjectCounts CountObjects();

}  // namespace gdi
