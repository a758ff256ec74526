#include "app/help.h"

#include <htmlhelp.h>

#include "app/application.h"
#include "platform/files.h"

namespace mirel {

namespace {

struct ContextTopic {
  std::uint32_t number;
  const wchar_t* topic;
};

// The options dialog's context-help numbers and their topics in MIREL.CHM. The help
// build checks that every topic named here is in the file.
constexpr ContextTopic kContextTopics[] = {
    {12, L"opt_main_picture.htm"},
    {13, L"opt_main_browse.htm"},
    {14, L"opt_main_backcolor.htm"},
    {15, L"opt_main_backcolor_change.htm"},
    {16, L"opt_always_top.htm"},
    {17, L"opt_dummy_list.htm"},
    {18, L"opt_dummy_add.htm"},
    {19, L"opt_dummy_delete.htm"},
    {20, L"opt_dummy_up.htm"},
    {21, L"opt_dummy_down.htm"},
    {22, L"opt_dummy_backcolor.htm"},
    {23, L"opt_dummy_random.htm"},
    {24, L"opt_return_type.htm"},
    {25, L"opt_password.htm"},
    {28, L"opt_hide_titlebar.htm"},
    {29, L"opt_fit_window.htm"},
    {30, L"opt_mouse_watch.htm"},
    {31, L"opt_mouse_interval.htm"},
    {32, L"opt_dummy_clear.htm"},
    {49, L"opt_mouse_edges.htm"},
    {50, L"opt_primary_only.htm"},
    {51, L"opt_panic_key.htm"},
    {52, L"opt_instant_edges.htm"},
    {53, L"opt_dwell_time.htm"},
    {54, L"opt_quiet_cover.htm"},
    {55, L"opt_full_screen_pause.htm"},
    {56, L"opt_start_with_windows.htm"},
};

// Calls the viewer on the help file (or a topic of it); warns when there is no file or
// the viewer refuses it.
void Show(Application& app, HWND owner, const std::wstring& target, UINT command, DWORD_PTR data) {
  const std::wstring& file = app.state.gHelpFile;
  if (!FileExistsNormal(file)) {
    app.prompts().Warn(owner, std::wstring(kHelpMissingText) + L"\r\n" + file);
    return;
  }
  if (!app.prompts().Help(owner, target, command, data))
    app.prompts().Warn(owner, std::wstring(kHelpFailedText) + L"\r\n" + file);
}

}  // namespace

std::optional<std::wstring> ContextHelpTopic(std::uint32_t number) {
  for (const auto& entry : kContextTopics)
    if (entry.number == number) return std::wstring(entry.topic);
  return std::nullopt;
}

void ShowHelpContents(Application& app, HWND owner) {
  Show(app, owner, app.state.gHelpFile, HH_DISPLAY_TOC, 0);
}

void ShowHelpIndex(Application& app, HWND owner) {
  Show(app, owner, app.state.gHelpFile, HH_DISPLAY_INDEX, reinterpret_cast<DWORD_PTR>(L""));
}

void ShowContextHelp(Application& app, HWND owner, std::uint32_t number) {
  const auto topic = ContextHelpTopic(number);
  if (!topic) return;  // a control without a topic
  Show(app, owner, app.state.gHelpFile + L"::/" + *topic, HH_DISPLAY_TOPIC, 0);
}

void CloseHelp(Application& app) { app.prompts().Help(nullptr, std::wstring(), HH_CLOSE_ALL, 0); }

}  // namespace mirel
