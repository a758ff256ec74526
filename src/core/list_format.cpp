#include "core/list_format.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace mirel {

ListEncoding ListEncodingOf(std::string_view bytes) {
  return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom ? ListEncoding::kUtf8 : ListEncoding::kAnsi;
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    std::uint32_t code = 0, least = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, code = lead & 0x07, least = 0x10000;
    } else {
      return false;
    }
    if (bytes.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

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

namespace {

wchar_t FoldCase(wchar_t c) {
  return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

std::wstring FolderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

bool StartsWithNoCase(const std::wstring& text, std::wstring_view start) {
  return text.size() >= start.size() && std::equal(start.begin(), start.end(), text.begin(),
                                                   [](wchar_t p, wchar_t q) { return FoldCase(p) == FoldCase(q); });
}

}  // namespace

std::wstring VolumeRoot(const std::wstring& path) {
  std::wstring rest = path;
  std::wstring prefix;
  bool extendedShare = false;
  // The system takes "\\?\unc\" as readily as "\\?\UNC\".
  for (const wchar_t* extended : {L"\\\\?\\UNC\\", L"\\\\?\\", L"\\\\.\\"}) {
    if (StartsWithNoCase(rest, extended)) {
      extendedShare = extended[4] == L'U';
      prefix = rest.substr(0, std::wstring_view(extended).size());
      rest = rest.substr(prefix.size());
      break;
    }
  }
  const auto isSeparator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  const bool share =
      extendedShare || (prefix.empty() && rest.size() > 2 && isSeparator(rest[0]) && isSeparator(rest[1]));
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

// One spelling for each place: "\\?\UNC\server\share" is "\\server\share", "\\?\C:" is "C:".
std::wstring VolumeKey(const std::wstring& root) {
  std::wstring key = root;
  for (auto& c : key) c = FoldCase(c == L'/' ? L'\\' : c);
  if (key.rfind(L"\\\\?\\UNC\\", 0) == 0) {
    key.replace(0, 8, L"\\\\");
  } else if (key.rfind(L"\\\\?\\", 0) == 0) {
    key.erase(0, 4);
  }
  while (!key.empty() && key.back() == L'\\') key.pop_back();
  return key;
}

bool SameVolume(const std::wstring& a, const std::wstring& b) {
  return VolumeKey(a) == VolumeKey(b);
}

SortedPaths SortListPaths(const std::vector<std::wstring>& paths, ListFileSystem& files) {
  SortedPaths sorted;
  std::map<std::wstring, bool> answers;         // by VolumeKey
  std::map<std::wstring, std::wstring> mounts;  // a folder's mount point, by VolumeKey
  const auto answer = [&](const std::wstring& root) {
    const auto [at, isNew] = answers.try_emplace(VolumeKey(root), false);
    if (isNew) at->second = files.Answers(root);
    return at->second;
  };
  const auto mountPointOf = [&](const std::wstring& folder) {
    const auto [at, isNew] = mounts.try_emplace(VolumeKey(folder));
    if (isNew && !folder.empty()) at->second = files.MountPointOf(folder);
    return at->second;
  };
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::wstring& path = paths[i];
    if (path.empty()) continue;
    const std::wstring drive = VolumeRoot(path);
    bool there = drive.empty() || answer(drive);
    if (there) {
      // A volume mounted in a folder of the drive, or reached through a junction, comes
      // and goes on its own.
      const std::wstring mount = mountPointOf(FolderOf(path));
      if (!mount.empty() && !SameVolume(mount, drive)) there = answer(mount);
    }
    if (!there) {
      sorted.offline.push_back(i);
    } else if (files.Usable(path)) {
      sorted.usable.push_back(i);
    }
  }
  return sorted;
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
