// The dummy screen: a borderless topmost window over the whole primary screen that shows
// one picture over the background colour until the user clicks (or double clicks) it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/handles.h"
#include "platform/picture.h"
#include "platform/window.h"
#include "settings/settings.h"

namespace mirel {

class Application;

class frmDummy : public Window {
 public:
  explicit frmDummy(Application& app);
  ~frmDummy() override { Destroy(); }

  void Form_Load();
  void Unload();
  void Form_Click();
  void Form_DblClick();

  // Attaches the picture of the given path; an empty path, or one that cannot be
  // loaded, leaves the background colour alone.
  void SetPicture(const std::wstring& path);
  // Decodes ahead of time the picture the next switch will show, so that the switch
  // itself only paints.
  void PreparePicture(const std::wstring& path);
  // Asks for the next picture to be prepared once the queue is idle.
  void PrepareSoon();
  void SetBackColor(std::uint32_t stored);
  // Covers the primary screen and paints at once.
  void ShowCover();

  const std::wstring& picturePath() const { return picturePath_; }
  bool hasPicture() const { return !picture_.empty(); }
  // What the cover covers: every monitor, or the primary one alone.
  RECT CoverArea() const;
  std::uint32_t backColor() const { return backColor_; }
  // When the last paint was complete (performance counter), for measuring the switch.
  std::int64_t lastPaintTicks() const { return lastPaintTicks_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ReturnFromDummyScreen(bool doubleClick);
  void Paint();

  struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t written = 0;
    bool operator==(const FileStamp&) const = default;
  };
  static FileStamp StampOf(const std::wstring& path);
  bool PreparedFor(const std::wstring& path) const;

  Application& app_;
  Picture picture_;
  Picture prepared_;
  std::wstring preparedPath_;
  FileStamp preparedStamp_;
  std::wstring picturePath_;
  std::uint32_t backColor_ = settings::kViewBackColor.fallback;
  UniqueBrush backBrush_;
  HWND previousForeground_ = nullptr;  // where the user was before the cover came up
  std::int64_t lastPaintTicks_ = 0;
  bool pressed_ = false;
  bool returning_ = false;
};

}  // namespace mirel
