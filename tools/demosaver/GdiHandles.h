#pragma once
// Owned GDI objects and a memory DC for the demo savers' drawing; move-only.
#include <windows.h>

#include <utility>

template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }

  void Reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }
  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_ = nullptr;
};

// Puts the previous object back into the DC when the scope ends.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() { SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// An off-screen bitmap of a fixed size selected into its own DC.
class BackBuffer {
 public:
  BackBuffer() = default;
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;
  ~BackBuffer() { Release(); }

  // Keeps the current bitmap when the size has not changed.
  HDC Prepare(HDC screen, int width, int height) {
    if (dc_ && width == width_ && height == height_) return dc_;
    Release();
    dc_ = CreateCompatibleDC(screen);
    bitmap_.Reset(CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1));
    previous_ = SelectObject(dc_, bitmap_.Get());
    width_ = width;
    height_ = height;
    return dc_;
  }

 private:
  void Release() {
    if (!dc_) return;
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_.Reset();
  }

  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  GdiObject<HBITMAP> bitmap_;
  int width_ = 0;
  int height_ = 0;
};
