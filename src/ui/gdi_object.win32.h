// Owns one GDI object (pen, brush, font, bitmap) and deletes it when replaced or destroyed.
// Move-only; the owner makes sure the object is not selected into a device context when it
// goes.
#pragma once

#include <windows.h>

#include <utility>

namespace vorlux {

template <class H>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(H handle) : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }

  H Get() const { return handle_; }
  // Deletes the object held, then holds this one.
  void Reset(H handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = nullptr;
};

}  // namespace vorlux
