// Helpers for the Win32 tests: scripted answers where a person would answer, a scratch
// folder, bitmap files and a message pump.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/prompts.h"

namespace mirel::test {

struct ShownMessage {
  std::wstring text;
  std::wstring caption;
  UINT type;
};

class ScriptedPrompts : public UserPrompts {
 public:
  int Message(HWND, const std::wstring& text, const std::wstring& caption, UINT type) override {
    messages.push_back({text, caption, type});
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::wstring OpenFile(HWND, const std::wstring&, const std::wstring&) override { return nextPath; }
  std::wstring SaveFile(HWND, const std::wstring&, const std::wstring&) override { return nextPath; }
  // The next scripted colour; the initial one (a cancel) when none is left.
  std::uint32_t Color(HWND, std::uint32_t initial) override {
    if (colors.empty()) return initial;
    const std::uint32_t color = colors.front();
    colors.pop_front();
    return color;
  }
  bool WaitForPassword(HWND) override {
    ++passwordPrompts;
    return passwordTyped;
  }
  bool Help(HWND owner, const std::wstring& target, UINT command, DWORD_PTR data) override {
    helpCalls.push_back({owner, target, command, data});
    return helpAccepts;
  }

  std::vector<ShownMessage> messages;
  std::deque<int> answers;
  std::wstring nextPath;
  std::deque<std::uint32_t> colors;
  int passwordPrompts = 0;
  bool passwordTyped = true;  // false: the prompt could not be shown
  struct HelpCall {
    HWND owner;
    std::wstring target;
    UINT command;
    DWORD_PTR data;
  };
  std::vector<HelpCall> helpCalls;
  bool helpAccepts = true;
};

// A new empty folder under the temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::wstring& path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// Writes a 24-bit BMP of one colour.
void WriteBitmap(const std::wstring& path, int width, int height, COLORREF color);
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);

// Runs the window messages waiting now; a quit request is swallowed (it belongs to the
// program under test, not to the test runner).
void Pump();
// Runs the window messages until `done` holds, for at most `milliseconds`; true when it held.
bool PumpUntil(const std::function<bool()>& done, unsigned milliseconds = 10000);

// Sends WM_DROPFILES with these files to the window, as the shell does.
void DropFiles(HWND target, const std::vector<std::wstring>& files);

// Starts from no settings key at all.
void ClearSettings();

// The raw stored value: its registry type and bytes.
bool QueryRaw(const char* name, DWORD& type, std::vector<std::uint8_t>& data);

// Text in code page 932 spelled with escapes, as wide text.
std::wstring Cp932(const std::string& bytes);

// What Windows sends a window dragged onto a monitor of `dpi`: WM_DPICHANGED with a
// suggested place as much larger as the DPI is (from the window's top-left corner). The
// suggested place is returned.
RECT SendDpiChanged(HWND window, unsigned dpi, unsigned from);
// The height of the font a control draws its text in (the absolute lfHeight), 0 for none.
int FontHeight(HWND control);
// A window's size, width and height.
SIZE SizeOf(HWND window);
// The name a screen reader reads for a window: oleacc's accessible object of its client
// area, asked for its own name. Nothing when oleacc gives no object or no name.
std::optional<std::wstring> AccessibleName(HWND window);

}  // namespace mirel::test
