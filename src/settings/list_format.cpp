#include "settings/list_format.h"

namespace mirel {

std::vector<std::string> SplitListLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::string current;
  bool pending = false;  // text seen since the last line end
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      pending = false;
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      current.push_back(c);
      pending = true;
    }
  }
  if (pending) lines.push_back(current);
  return lines;
}

std::wstring VolumeRoot(const std::wstring& path) {
  std::wstring rest = path;
  std::wstring prefix;
  for (const wchar_t* extended : {L"\\\\?\\UNC\\", L"\\\\?\\", L"\\\\.\\"}) {
    if (rest.rfind(extended, 0) == 0) {
      prefix = extended;
      rest = rest.substr(prefix.size());
      break;
    }
  }
  const auto isSeparator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  const bool share =
      prefix == L"\\\\?\\UNC\\" || (prefix.empty() && rest.size() > 2 && isSeparator(rest[0]) && isSeparator(rest[1]));
  if (!share) {
    if (rest.size() >= 2 && rest[1] == L':') return prefix + rest.substr(0, 2) + L"\\";
    return {};
  }
  // Server and share name: the first two names after the leading separators.
  std::size_t at = prefix.empty() ? 2 : 0;
  for (int names = 0; names < 2; ++names) {
    const std::size_t start = at;
    while (at < rest.size() && !isSeparator(rest[at])) ++at;
    if (at == start) return {};
    if (names == 0) {
      if (at == rest.size()) return {};
      ++at;
    }
  }
  return prefix + rest.substr(0, at) + L"\\";
}

std::string JoinListLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace mirel
