// One FreeType library shared by every face of the engine. FreeType allows faces of one library
// to be used from different threads only if opening and closing faces is serialised; this class
// does that. Faces keep the library alive through a shared pointer.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <mutex>
#include <string>

namespace gdi::text {

class FreeTypeLibrary {
 public:
  // Null when FreeType cannot be initialised.
  static std::shared_ptr<FreeTypeLibrary> Create();

 private:
  struct Token {};

 public:
  FreeTypeLibrary(Token, FT_Library library) : library_(library) {}
  ~FreeTypeLibrary();
  FreeTypeLibrary(const FreeTypeLibrary&) = delete;
  FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;

  // Null when the file is missing or not a face FreeType reads.
  FT_Face OpenFace(const std::string& file, long index);
  void CloseFace(FT_Face face);
  // Number of faces in a font file (a collection holds several), 0 when it is not a font.
  long CountFaces(const std::string& file);

 private:
  std::mutex mutex_;
  FT_Library library_ = nullptr;
};

// An open face; closes it through its library.
class FaceHandle {
 public:
  FaceHandle() = default;
  FaceHandle(std::shared_ptr<FreeTypeLibrary> library, FT_Face face)
      : library_(std::move(library)), face_(face) {}
  ~FaceHandle() { Reset(); }
  FaceHandle(FaceHandle&& other) noexcept { *this = std::move(other); }
  FaceHandle& operator=(FaceHandle&& other) noexcept;
  FaceHandle(const FaceHandle&) = delete;
  FaceHandle& operator=(const FaceHandle&) = delete;

  FT_Face get() const { return face_; }
  explicit operator bool() const { return face_ != nullptr; }
  void Reset();

 private:
  std::shared_ptr<FreeTypeLibrary> library_;
  FT_Face face_ = nullptr;
};

}  // namespace gdi::text
