// Move-only owners for Win32 handles: each handle has an owner from the line it exists.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>

namespace mirel {

// What owns a handle or a registration is never copied: the copy would undo it twice.
class NonCopyable {
 public:
  NonCopyable(const NonCopyable&) = delete;
  NonCopyable& operator=(const NonCopyable&) = delete;

 protected:
  NonCopyable() = default;
  ~NonCopyable() = default;
};

struct RegKeyCloser {
  using pointer = HKEY;
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueRegKey = std::unique_ptr<HKEY, RegKeyCloser>;

struct KernelHandleCloser {
  using pointer = HANDLE;
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<HANDLE, KernelHandleCloser>;

// CreateFile reports failure as INVALID_HANDLE_VALUE; the owner holds null instead.
inline UniqueHandle AdoptFileHandle(HANDLE handle) {
  return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

struct BitmapDeleter {
  using pointer = HBITMAP;
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using UniqueBitmap = std::unique_ptr<HBITMAP, BitmapDeleter>;

struct BrushDeleter {
  using pointer = HBRUSH;
  void operator()(HBRUSH brush) const { DeleteObject(brush); }
};
using UniqueBrush = std::unique_ptr<HBRUSH, BrushDeleter>;

struct FontDeleter {
  using pointer = HFONT;
  void operator()(HFONT font) const { DeleteObject(font); }
};
using UniqueFont = std::unique_ptr<HFONT, FontDeleter>;

struct MemoryDcDeleter {
  using pointer = HDC;
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using UniqueMemoryDc = std::unique_ptr<HDC, MemoryDcDeleter>;

struct IconDestroyer {
  using pointer = HICON;
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<HICON, IconDestroyer>;

struct MenuDestroyer {
  using pointer = HMENU;
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<HMENU, MenuDestroyer>;

struct AcceleratorDestroyer {
  using pointer = HACCEL;
  void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
};
using UniqueAccelerators = std::unique_ptr<HACCEL, AcceleratorDestroyer>;

struct GlobalFreer {
  using pointer = HGLOBAL;
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
using UniqueGlobal = std::unique_ptr<HGLOBAL, GlobalFreer>;

// A global memory block locked for the scope: its bytes, or null when it cannot be locked.
template <typename T>
class GlobalLocked : NonCopyable {
 public:
  explicit GlobalLocked(HGLOBAL memory)
      : memory_(memory), data_(memory ? static_cast<T*>(GlobalLock(memory)) : nullptr) {}
  ~GlobalLocked() {
    if (data_) GlobalUnlock(memory_);
  }
  T* get() const { return data_; }

 private:
  HGLOBAL memory_;
  T* data_;
};

// The clipboard, open for the scope. Another program may hold it for a moment: the open
// is tried a few times first.
class ClipboardOpen : NonCopyable {
 public:
  explicit ClipboardOpen(HWND owner) {
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_) Sleep(20);
    }
  }
  ~ClipboardOpen() {
    if (open_) CloseClipboard();
  }
  bool open() const { return open_; }

 private:
  bool open_ = false;
};

// A window's paint DC between BeginPaint and EndPaint.
class PaintDc : NonCopyable {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDc() { EndPaint(window_, &paint_); }
  HDC get() const { return dc_; }
  const RECT& dirty() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A window DC, released to its window (the screen's for a null window).
class WindowDc : NonCopyable {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a DC, put back when the scope ends.
class SelectedObject : NonCopyable {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A COM interface pointer, released once.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      ptr_ = std::exchange(other.ptr_, nullptr);
    }
    return *this;
  }
  T* get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  T** put() {
    reset();
    return &ptr_;
  }
  void reset() {
    if (ptr_) std::exchange(ptr_, nullptr)->Release();
  }
  explicit operator bool() const { return ptr_ != nullptr; }

 private:
  T* ptr_ = nullptr;
};

}  // namespace mirel
