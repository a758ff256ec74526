// The settings store: named values under HKEY_CURRENT_USER\Software\Kalv\Mirel.
// Every call opens the key, does its one read or write and closes it again. The windows
// use the declared settings (settings/settings.h); this layer takes any name.
// Reads fall back to the caller's default; writes never report a failure to the user.
#pragma once

#include <cstdint>
#include <string>

namespace mirel {

inline constexpr const char* kSettingsKey = "Software\\Kalv\\Mirel";

// REG_DWORD read: the stored 32-bit number (up to 4 bytes of any value type), or the default.
std::int32_t ReadRegistry(const char* name, std::int32_t fallback);

// REG_SZ read: the stored text whatever its length, up to its first zero byte, or the default.
std::wstring ReadRegistry(const char* name, const std::wstring& fallback);

// REG_DWORD write.
bool WriteRegistry(const char* name, std::int32_t value);

// REG_SZ write: the ANSI text and two zero bytes. A text the ANSI code page cannot hold
// exactly is not written (false), so nothing is ever stored corrupted.
bool WriteRegistry(const char* name, const std::wstring& value);

// REG_SZ write of bytes already in the ANSI code page.
bool WriteRegistryAnsi(const char* name, const std::string& ansi);

// REG_SZ read and write in Unicode, for a text the ANSI code page cannot hold: read back
// whole whichever form wrote it (another type reads as the A form reads it). Versions of
// Mirel before these read such a text in the ANSI code page, with "?" where it has no
// character.
std::wstring ReadRegistryUnicode(const char* name, const std::wstring& fallback);
bool WriteRegistryUnicode(const char* name, const std::wstring& value);

// Removes the settings key (its parent stays).
void DeleteSettingsKey();

}  // namespace mirel
