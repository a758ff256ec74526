// The preview of a capture: the snapshot at full size in a scrollable view, saved as a
// BMP file or added to the dummy image list. Modal; a fresh one for every capture.
#pragma once

#include <string>

#include "core/preview_layout.h"
#include "platform/handles.h"
#include "platform/picture.h"
#include "platform/window.h"

namespace mirel {

class Application;

enum PreviewMenuId : UINT {
  kMnuPreviewDummy = 300,
  kMnuPreviewSave,
  kMnuPreviewExit,
};

class frmPreview : public Window {
 public:
  // Shows the snapshot modally and returns when the preview has closed.
  static void ShowModal(Application& app, Picture snapshot);

  frmPreview(Application& app, Picture snapshot);
  ~frmPreview() override;

  void Form_Load();
  void Form_Resize();
  // Moved to a monitor of another scaling: the status bar's font and the bars' width at
  // that DPI, the window at the place Windows suggests.
  void Form_DpiChanged(unsigned dpi, LPARAM suggested);
  void Form_Unload();
  void vsbPreview_Change(int value);
  void hsbPreview_Change(int value);
  void mnuFileDummy_Click();
  void mnuFileSave_Click();
  void mnuFileExit_Click();

  bool closed() const { return closed_; }
  const Picture& picture() const { return picture_; }
  POINT scrollPosition() const { return {left_, top_}; }
  const PreviewLayout& layout() const { return layout_; }
  HWND verticalBar() const { return vsbPreview_; }
  HWND horizontalBar() const { return hsbPreview_; }
  HWND statusBar() const { return stbPreview_; }
  HWND pictureBox() const { return picPreview_.hwnd(); }
  // Runs the modal loop until the preview closes (tests drive the window meanwhile).
  void RunModalLoop();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildMenu();
  // A scroll-bar request (SB_LINEUP ...) on one of the bars; kScrollBy moves by `pixels`.
  void Scroll(HWND bar, int request, int pixels = 0);
  void Form_KeyDown(UINT key);
  void Wheel(bool sideways, int delta);
  void UpdateBars();
  void Paint(HWND target);

  Application& app_;
  Picture picture_;
  OwnerDrawnChild picPreview_;  // the picture, drawn from the scroll position
  HWND vsbPreview_ = nullptr;
  HWND hsbPreview_ = nullptr;
  HWND stbPreview_ = nullptr;
  UniqueFont statusFont_;  // the status bar's own, at the window's DPI
  UniqueMenu menuBar_;
  PreviewLayout layout_;
  int left_ = 0;
  int top_ = 0;
  int wheelRemainder_[2] = {0, 0};  // vertical, sideways
  bool closed_ = false;
  bool unloaded_ = false;
};

// The names screen readers say for the picture and its bars.

}  // namespace mirel
