// Text at the storage boundaries: UTF-16 inside, the ANSI code page in the registry and MIREL.DAT.
#pragma once

#include <optional>
#include <string>

namespace mirel {

std::wstring AnsiToWide(const std::string& ansi);

// The ANSI form of a text, or nothing when some character has no exact ANSI form.
std::optional<std::string> WideToAnsiExact(const std::wstring& text);
// The same for a given code page (the system's is GetACP()).
std::optional<std::string> WideToCodePageExact(const std::wstring& text, unsigned codePage);

// The ANSI form under which a path can be stored: the path itself, or else its short
// (8.3) form when that exists and is representable; nothing when neither is.
std::optional<std::string> StorablePath(const std::wstring& path);

std::string WideToUtf8(const std::wstring& text);
std::wstring Utf8ToWide(const std::string& text);

}  // namespace mirel
