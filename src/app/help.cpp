#include "app/help.h"

#include <htmlhelp.h>

#include "app/application.h"
#include "core/ui_text.h"
#include "platform/files.h"

namespace mirel {

namespace {

// Calls the viewer on the help file (or a topic of it); warns when there is no file or
// the viewer refuses it.
void Show(Application& app, HWND owner, const std::wstring& target, UINT command, DWORD_PTR data) {
  const std::wstring& file = app.state.gHelpFile;
  if (!FileExistsNormal(file)) {
    app.prompts().Warn(owner, std::wstring(UiText(Text::kHelpMissing)) + L"\r\n" + file);
    return;
  }
  if (!app.prompts().Help(owner, target, command, data))
    app.prompts().Warn(owner, std::wstring(UiText(Text::kHelpFailed)) + L"\r\n" + file);
}

}  // namespace

void ShowHelpContents(Application& app, HWND owner) {
  Show(app, owner, app.state.gHelpFile, HH_DISPLAY_TOC, 0);
}

void ShowHelpIndex(Application& app, HWND owner) {
  Show(app, owner, app.state.gHelpFile, HH_DISPLAY_INDEX, reinterpret_cast<DWORD_PTR>(L""));
}

void ShowContextHelp(Application& app, HWND owner, const wchar_t* topic) {
  if (!topic) return;  // a control without a topic
  Show(app, owner, app.state.gHelpFile + L"::/" + topic, HH_DISPLAY_TOPIC, 0);
}

void CloseHelp(Application& app) {
  app.prompts().Help(nullptr, std::wstring(), HH_CLOSE_ALL, 0);
}

}  // namespace mirel
