#include "core/bitmap_name.h"

#include "core/ui_text.h"

namespace mirel {

bool HasBitmapExtension(const std::wstring& path) {
  if (path.size() < 4) return false;
  std::wstring tail = path.substr(path.size() - 4);
  for (auto& c : tail)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return tail == L".bmp";
}

std::wstring BitmapFilter() {
  std::wstring filter = UiText(Text::kBitmapFilter);
  filter.push_back(L'\0');
  filter += L"*.bmp";
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  return filter;
}

}  // namespace mirel
