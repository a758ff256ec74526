// Every setting Mirel keeps under HKEY_CURRENT_USER\Software\Kalv\Mirel, declared once:
// its value name, its registry type (the C++ type) and its default. The windows read and
// write them through these declarations, at the moments their own code says.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/registry.h"

namespace mirel {

// A named value of the settings key. Numbers, colours and switches are REG_DWORDs (a
// switch stored 1 or 0, read as on when not 0); texts are REG_SZ in the ANSI code page.
template <typename T>
struct Setting {
  const char* name;
  T fallback;
};

namespace settings {

// The main window: place and size in twips, whether it shows, its picture and colour.
inline constexpr Setting<std::int32_t> kTop{"Top", 0};
inline constexpr Setting<std::int32_t> kLeft{"Left", 0};
inline constexpr Setting<std::int32_t> kHeight{"Height", 3000};
inline constexpr Setting<std::int32_t> kWidth{"Width", 5000};
inline constexpr Setting<bool> kMainVisible{"MainVisible", true};
inline constexpr Setting<bool> kNonTitleBar{"NonTitleBar", false};
inline constexpr Setting<bool> kAlwaysTop{"AlwaysTop", false};
inline constexpr Setting<bool> kAutoAdjust{"AutoAdjust", false};
inline constexpr Setting<std::wstring_view> kMainLoadFile{"MainLoadFile", L""};
// Colours: 0x00BBGGRR, or 0x80000000 plus a system colour (the window colour here).
inline constexpr Setting<std::uint32_t> kMainBackColor{"MainBackColor", 0x80000005u};

// The dummy screen.
inline constexpr Setting<bool> kViewRandom{"ViewRandom", false};
inline constexpr Setting<std::uint32_t> kViewBackColor{"ViewBackColor", 0x80000001u};  // the desktop colour

// The mouse-edge watch.
inline constexpr Setting<bool> kCheckMouse{"CheckMouse", false};
inline constexpr Setting<std::int32_t> kCheckMouseInterval{"CheckMouseInterval", 100};
inline constexpr Setting<std::int32_t> kCheckMouseFlag{"CheckMouseFlag", 15};  // all four edges

// The return.
inline constexpr Setting<std::int32_t> kReturnType{"ReturnType", 0};  // single click
inline constexpr Setting<bool> kRequirePassword{"RequirePassword", false};
inline constexpr Setting<std::wstring_view> kPassword{"Password", L""};

// Beyond the first release: each default keeps the first release's behaviour.
inline constexpr Setting<std::int32_t> kPanicKey{"PanicKey", 0};  // the hot-key control's value
inline constexpr Setting<bool> kPrimaryOnly{"PrimaryOnly", false};
inline constexpr Setting<bool> kInstantEdges{"InstantEdges", false};
inline constexpr Setting<bool> kQuietCover{"QuietCover", false};
inline constexpr Setting<bool> kFullScreenPause{"FullScreenPause", false};
inline constexpr Setting<std::int32_t> kDwellTime{"DwellTime", 0};  // milliseconds
// How the cover places its picture (see DummyFit in core/cover_layout.h; 0: natural
// size at the top-left) and whether every monitor shows it (or the primary alone).
inline constexpr Setting<std::int32_t> kDummyFit{"DummyFit", 0};
inline constexpr std::int32_t kDummyFitCount = 5;  // values 0 to 4; any other reads as 0
inline constexpr Setting<bool> kDummyEveryMonitor{"DummyEveryMonitor", false};

}  // namespace settings

inline std::int32_t Read(const Setting<std::int32_t>& s) {
  return ReadRegistry(s.name, s.fallback);
}
inline std::uint32_t Read(const Setting<std::uint32_t>& s) {
  return static_cast<std::uint32_t>(ReadRegistry(s.name, static_cast<std::int32_t>(s.fallback)));
}
inline bool Read(const Setting<bool>& s) {
  return ReadRegistry(s.name, s.fallback ? 1 : 0) != 0;
}
inline std::wstring Read(const Setting<std::wstring_view>& s) {
  return ReadRegistry(s.name, std::wstring(s.fallback));
}

inline bool Write(const Setting<std::int32_t>& s, std::int32_t value) {
  return WriteRegistry(s.name, value);
}
inline bool Write(const Setting<std::uint32_t>& s, std::uint32_t value) {
  return WriteRegistry(s.name, static_cast<std::int32_t>(value));
}
inline bool Write(const Setting<bool>& s, bool value) {
  return WriteRegistry(s.name, value ? 1 : 0);
}
// False when the ANSI code page cannot hold the text exactly: nothing is stored then.
inline bool Write(const Setting<std::wstring_view>& s, const std::wstring& value) {
  return WriteRegistry(s.name, value);
}
// Text already in the ANSI code page (a path made storable by its short form).
inline bool WriteAnsi(const Setting<std::wstring_view>& s, const std::string& ansi) {
  return WriteRegistryAnsi(s.name, ansi);
}

}  // namespace mirel
