// Every setting Mirel keeps under HKEY_CURRENT_USER\Software\Kalv\Mirel, declared once:
// its value name, its registry type (the C++ type) and its default; and `Settings`, all of
// them in their typed form, which is what the program holds. Only this folder reads and
// writes them: the conversions between the stored and the typed form are in settings.cpp.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/cover_layout.h"
#include "core/ui_text.h"
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
// Triggers: no cover while a mouse button is held (on by default: a cover in the middle
// of a drag drops what the user carries), corners only, and a cover after that many
// minutes without input (0: never; at most 1440).
inline constexpr Setting<bool> kEdgeIgnoreDrag{"EdgeIgnoreDrag", true};
inline constexpr Setting<bool> kEdgeCornersOnly{"EdgeCornersOnly", false};
inline constexpr Setting<std::int32_t> kIdleCoverMinutes{"IdleCoverMinutes", 0};
// The language of the interface from the next start (see UiLanguage in core/ui_text.h;
// 0: the Windows display language's).
inline constexpr Setting<std::int32_t> kUiLanguage{"UiLanguage", 0};

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

// A colour as the settings keep it: 0x00BBGGRR, or 0x80000000 plus a system colour index
// (which follows the user's Windows colours).
struct Color {
  std::uint32_t stored = 0;
  constexpr bool system() const { return (stored & 0x80000000u) != 0; }
  friend constexpr bool operator==(Color, Color) = default;
};

// What ends the cover: a stored 1 is the double click, anything else the single click.
enum class ReturnType : std::int16_t { kSingleClick = 0, kDoubleClick = 1 };

// Every setting in its typed form, read once at start-up (LoadSettings) and held by the
// application. Each field has the stored value's name, and its default is the declaration's.
struct Settings {
  // The main window: place and size in twips, as stored (the place at the system's DPI).
  std::int32_t top = settings::kTop.fallback;
  std::int32_t left = settings::kLeft.fallback;
  std::int32_t height = settings::kHeight.fallback;
  std::int32_t width = settings::kWidth.fallback;
  bool mainVisible = settings::kMainVisible.fallback;
  bool nonTitleBar = settings::kNonTitleBar.fallback;
  bool alwaysTop = settings::kAlwaysTop.fallback;
  bool autoAdjust = settings::kAutoAdjust.fallback;
  std::wstring mainLoadFile{settings::kMainLoadFile.fallback};
  Color mainBackColor{settings::kMainBackColor.fallback};
  // The dummy screen.
  bool viewRandom = settings::kViewRandom.fallback;
  Color viewBackColor{settings::kViewBackColor.fallback};
  DummyFit dummyFit = DummyFit::kNatural;
  bool dummyEveryMonitor = settings::kDummyEveryMonitor.fallback;
  // The watch: on or off, milliseconds between looks (1 to 65535), the edges (bits: top 1,
  // bottom 2, left 4, right 8).
  bool checkMouse = settings::kCheckMouse.fallback;
  std::uint32_t checkMouseInterval = static_cast<std::uint32_t>(settings::kCheckMouseInterval.fallback);
  std::int16_t checkMouseFlag = static_cast<std::int16_t>(settings::kCheckMouseFlag.fallback);
  // The return.
  ReturnType returnType = ReturnType::kSingleClick;
  bool requirePassword = settings::kRequirePassword.fallback;
  std::wstring password{settings::kPassword.fallback};
  // Beyond the first release.
  std::uint32_t panicKey = 0;  // the hot-key control's value: key and HOTKEYF_ modifiers
  bool primaryOnly = settings::kPrimaryOnly.fallback;
  bool instantEdges = settings::kInstantEdges.fallback;
  bool quietCover = settings::kQuietCover.fallback;
  bool fullScreenPause = settings::kFullScreenPause.fallback;
  std::uint32_t dwellTime = 0;  // milliseconds at the edge before the cover comes up
  bool edgeIgnoreDrag = settings::kEdgeIgnoreDrag.fallback;
  bool edgeCornersOnly = settings::kEdgeCornersOnly.fallback;
  std::uint32_t idleCoverMinutes = 0;
  UiLanguage uiLanguage = UiLanguage::kAutomatic;

  bool operator==(const Settings&) const = default;
};

// Every setting from the registry; a value that is missing, of another type or out of its
// range reads as its default.
Settings LoadSettings();

// The stored password, read afresh: what the password prompt compares with.
std::wstring StoredPassword();

// The form in which MainLoadFile keeps the path so that every version of Mirel reads it (the
// ANSI code page, or the file's short name when it exists), or nothing when it has none:
// such a path is stored in Unicode.
std::optional<std::string> StorableMainLoadFile(const std::wstring& path);

// What the options dialog's OK stores, every value of its pages: the main window's picture
// (when the path can be kept), colour, topmost band and fit; the dummy screen's colour,
// order and placement; the watch's interval and edges; the return and the password; the
// extras. The watch's switch and the title bar are stored at exit.
void StoreOptions(const Settings& settings);
// The main window's picture alone (one dropped on it). False when the registry refused it.
bool StoreMainLoadFile(const std::wstring& path);
// What the program stores as it ends: the main window's place and size, whether it shows,
// the watch's switch and the title bar.
void StoreAtExit(const Settings& settings);

}  // namespace mirel
