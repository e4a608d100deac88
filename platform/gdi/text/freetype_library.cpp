#include "freetype_library.h"

#include <utility>

namespace gdi::text {

std::shared_ptr<FreeTypeLibrary> FreeTypeLibrary::Create() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return nullptr;
  return std::make_shared<FreeTypeLibrary>(Token{}, library);
}

FreeTypeLibrary::~FreeTypeLibrary() {
  FT_Done_FreeType(library_);
}

FT_Face FreeTypeLibrary::OpenFace(const std::string& file, long index) {
  if (file.empty() || index < 0) return nullptr;
  std::lock_guard lock(mutex_);
  FT_Face face = nullptr;
  if (FT_New_Face(library_, file.c_str(), index, &face) != 0) return nullptr;
  return face;
}

void FreeTypeLibrary::CloseFace(FT_Face face) {
  if (face == nullptr) return;
  std::lock_guard lock(mutex_);
  FT_Done_Face(face);
}

long FreeTypeLibrary::CountFaces(const std::string& file) {
  if (file.empty()) return 0;
  std::lock_guard lock(mutex_);
  FT_Face face = nullptr;
  // Index -1 only probes the file and reports how many faces it holds.
  if (FT_New_Face(library_, file.c_str(), -1, &face) != 0) return 0;
  const long count = face->num_faces;
  FT_Done_Face(face);
  return count;
}

FaceHandle& FaceHandle::operator=(FaceHandle&& other) noexcept {
  if (this != &other) {
    Reset();
    library_ = std::move(other.library_);
    face_ = std::exchange(other.face_, nullptr);
  }
  return *this;
}

void FaceHandle::Reset() {
  if (face_ != nullptr && library_) library_->CloseFace(face_);
  face_ = nullptr;
  library_.reset();
}

}  // namespace gdi::text
