// The settings between their stored form (REG_DWORDs, REG_SZs in the ANSI code page) and
// their typed form: each conversion written once, here.
#include "settings/settings.h"

#include "core/edge_watch.h"
#include "core/picker.h"
#include "core/registry_value.h"
#include "platform/files.h"
#include "platform/text.h"

namespace mirel {

namespace {

std::int16_t ReadInt16(const Setting<std::int32_t>& s) {
  return ToInt16OrDefault(Read(s), static_cast<std::int16_t>(s.fallback));
}

}  // namespace

Settings LoadSettings() {
  Settings s;
  s.top = Read(settings::kTop);
  s.left = Read(settings::kLeft);
  s.height = Read(settings::kHeight);
  s.width = Read(settings::kWidth);
  s.mainVisible = Read(settings::kMainVisible);
  s.nonTitleBar = Read(settings::kNonTitleBar);
  s.alwaysTop = Read(settings::kAlwaysTop);
  s.autoAdjust = Read(settings::kAutoAdjust);
  s.mainLoadFile = ReadRegistryUnicode(settings::kMainLoadFile.name, std::wstring(settings::kMainLoadFile.fallback));
  s.mainBackColor = Color{Read(settings::kMainBackColor)};
  s.viewRandom = Read(settings::kViewRandom);
  s.viewBackColor = Color{Read(settings::kViewBackColor)};
  s.dummyFit = DummyFitFromStored(Read(settings::kDummyFit));
  s.dummyEveryMonitor = Read(settings::kDummyEveryMonitor);
  s.checkMouse = Read(settings::kCheckMouse);
  s.checkMouseInterval = EffectiveCheckInterval(Read(settings::kCheckMouseInterval));
  s.checkMouseFlag = ReadInt16(settings::kCheckMouseFlag);
  s.returnType =
      ReturnsOnDoubleClick(ReadInt16(settings::kReturnType)) ? ReturnType::kDoubleClick : ReturnType::kSingleClick;
  s.requirePassword = Read(settings::kRequirePassword);
  s.password = Read(settings::kPassword);
  s.panicKey = static_cast<std::uint32_t>(Read(settings::kPanicKey)) & 0xFFFF;
  s.primaryOnly = Read(settings::kPrimaryOnly);
  s.instantEdges = Read(settings::kInstantEdges);
  s.quietCover = Read(settings::kQuietCover);
  s.fullScreenPause = Read(settings::kFullScreenPause);
  s.dwellTime = EffectiveDwellTime(Read(settings::kDwellTime));
  s.edgeIgnoreDrag = Read(settings::kEdgeIgnoreDrag);
  s.edgeCornersOnly = Read(settings::kEdgeCornersOnly);
  s.idleCoverMinutes = EffectiveIdleMinutes(Read(settings::kIdleCoverMinutes));
  s.uiLanguage = UiLanguageFromStored(Read(settings::kUiLanguage));
  return s;
}

std::wstring StoredPassword() {
  return Read(settings::kPassword);
}

std::optional<std::string> StorableMainLoadFile(const std::wstring& path) {
  if (path.empty()) return std::string();
  return FileExistsNormal(path) ? StorablePath(path) : WideToAnsiExact(path);
}

bool StoreMainLoadFile(const std::wstring& path) {
  // In the code page where it can be, as every version of Mirel reads it; else in Unicode.
  if (const auto ansi = StorableMainLoadFile(path)) return WriteAnsi(settings::kMainLoadFile, *ansi);
  return WriteRegistryUnicode(settings::kMainLoadFile.name, path);
}

void StoreOptions(const Settings& s) {
  StoreMainLoadFile(s.mainLoadFile);
  Write(settings::kMainBackColor, s.mainBackColor.stored);
  Write(settings::kAlwaysTop, s.alwaysTop);
  Write(settings::kAutoAdjust, s.autoAdjust);
  Write(settings::kViewBackColor, s.viewBackColor.stored);
  Write(settings::kViewRandom, s.viewRandom);
  Write(settings::kDummyFit, static_cast<std::int32_t>(s.dummyFit));
  Write(settings::kDummyEveryMonitor, s.dummyEveryMonitor);
  Write(settings::kCheckMouseInterval, static_cast<std::int32_t>(s.checkMouseInterval));
  Write(settings::kCheckMouseFlag, s.checkMouseFlag);
  Write(settings::kReturnType, static_cast<std::int32_t>(s.returnType));
  Write(settings::kRequirePassword, s.requirePassword);
  // A password the code page cannot hold is never stored: the old one stays in force.
  Write(settings::kPassword, s.password);
  Write(settings::kPrimaryOnly, s.primaryOnly);
  Write(settings::kInstantEdges, s.instantEdges);
  Write(settings::kFullScreenPause, s.fullScreenPause);
  Write(settings::kQuietCover, s.quietCover);
  Write(settings::kDwellTime, static_cast<std::int32_t>(s.dwellTime));
  Write(settings::kPanicKey, static_cast<std::int32_t>(s.panicKey));
  Write(settings::kEdgeIgnoreDrag, s.edgeIgnoreDrag);
  Write(settings::kEdgeCornersOnly, s.edgeCornersOnly);
  Write(settings::kIdleCoverMinutes, static_cast<std::int32_t>(s.idleCoverMinutes));
  Write(settings::kUiLanguage, static_cast<std::int32_t>(s.uiLanguage));
}

void StoreAtExit(const Settings& s) {
  Write(settings::kTop, s.top);
  Write(settings::kLeft, s.left);
  Write(settings::kHeight, s.height);
  Write(settings::kWidth, s.width);
  Write(settings::kMainVisible, s.mainVisible);
  Write(settings::kCheckMouse, s.checkMouse);
  Write(settings::kNonTitleBar, s.nonTitleBar);
}

}  // namespace mirel
