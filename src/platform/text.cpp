#include "platform/text.h"

#include <windows.h>

#include <vector>

namespace mirel {

namespace {

std::wstring ToWide(UINT codePage, const std::string& bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
  return wide;
}

}  // namespace

std::wstring AnsiToWide(const std::string& ansi) {
  return ToWide(GetACP(), ansi);
}
std::wstring Utf8ToWide(const std::string& text) {
  return ToWide(CP_UTF8, text);
}

std::optional<std::string> WideToCodePageExact(const std::wstring& text, unsigned codePage) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  // UTF-8 (the system code page when Windows' "Use Unicode UTF-8" option is on) refuses
  // the no-best-fit flag and the used-default report; it has a form for every character
  // but a lone surrogate, which the invalid-characters flag reports instead.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* used = utf8 ? nullptr : &usedDefault;
  const int length = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, used);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  if (WideCharToMultiByte(codePage, flags, text.data(), size, bytes.data(), length, nullptr, used) != length ||
      usedDefault)
    return std::nullopt;
  // Round trip as a last guard: what is stored must read back as the same text.
  if (ToWide(codePage, bytes) != text) return std::nullopt;
  return bytes;
}

std::optional<std::string> WideToAnsiExact(const std::wstring& text) {
  return WideToCodePageExact(text, GetACP());
}

std::optional<std::string> StorablePath(const std::wstring& path) {
  if (auto exact = WideToAnsiExact(path)) return exact;
  const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::vector<wchar_t> buffer(needed + 1, L'\0');
  const DWORD written = GetShortPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (written == 0 || written >= buffer.size()) return std::nullopt;
  return WideToAnsiExact(std::wstring(buffer.data(), written));
}

std::string WideToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace mirel
