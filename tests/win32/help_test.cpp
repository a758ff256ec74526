// The help commands, recorded at the viewer's seam, with a real main window and tray.
#include "app/help.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <htmlhelp.h>

#include "app/application.h"
#include "app_fixture.h"
#include "core/ui_text.h"
#include "forms/main/frm_main.h"
#include "forms/option/option_layout.h"
#include "forms/tray/frm_task_tray.h"
#include "settings/registry.h"

namespace mirel {
namespace {

class HelpTest : public test::AppTest {};

TEST_F(HelpTest, EachCommandAsksTheViewerForItsPart) {
  auto& app = Start();
  const std::wstring file = dir_ / L"MIREL.CHM";
  test::WriteBytes(file, "ITSF");
  ASSERT_EQ(app.state.gHelpFile, file);
  HWND main = app.main().hwnd();

  app.main().mnuHelpContents_Click();
  app.main().mnuHelpSearchTopic_Click();
  app.tray().mnuTrayHelp_Click();
  SendMessageW(main, WM_HELP, 0, 0);  // F1
  ShowContextHelp(app, main, OptionHelpTopic(17));
  ShowContextHelp(app, main, OptionHelpTopic(49));
  ShowContextHelp(app, main, OptionHelpTopic(26));  // no control has it: nothing is asked
  const auto& calls = prompts_.helpCalls;
  ASSERT_EQ(calls.size(), 6u);
  const struct {
    HWND owner;
    std::wstring target;
    UINT command;
  } expected[] = {{main, file, HH_DISPLAY_TOC},
                  {main, file, HH_DISPLAY_INDEX},
                  {app.tray().hwnd(), file, HH_DISPLAY_TOC},
                  {main, file, HH_DISPLAY_TOC},
                  {main, file + L"::/opt_dummy_list.htm", HH_DISPLAY_TOPIC},
                  {main, file + L"::/opt_mouse_edges.htm", HH_DISPLAY_TOPIC}};
  for (std::size_t i = 0; i < calls.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(calls[i].owner, expected[i].owner);
    EXPECT_EQ(calls[i].target, expected[i].target);
    EXPECT_EQ(calls[i].command, expected[i].command);
  }
  EXPECT_TRUE(prompts_.messages.empty());

  // Ending the program closes every help window.
  app.main().Unload();
  ASSERT_EQ(calls.size(), 7u);
  EXPECT_EQ(calls.back().command, static_cast<UINT>(HH_CLOSE_ALL));
}

TEST_F(HelpTest, AMissingOrRefusedFileIsNamedInAWarning) {
  auto& app = Start();
  const std::wstring file = dir_ / L"MIREL.CHM";
  app.main().mnuHelpContents_Click();
  EXPECT_TRUE(prompts_.helpCalls.empty());
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, std::wstring(UiText(Text::kHelpMissing)) + L"\r\n" + file);
  EXPECT_EQ(prompts_.messages[0].caption, UiText(Text::kWarningCaption));

  test::WriteBytes(file, "not a help file");
  prompts_.helpAccepts = false;
  app.tray().mnuTrayHelp_Click();
  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[1].text, std::wstring(UiText(Text::kHelpFailed)) + L"\r\n" + file);

  // In English, the English file, and the warning in English.
  app_.reset();
  WriteRegistry("UiLanguage", 2);
  Start().main().mnuHelpContents_Click();
  ASSERT_EQ(prompts_.messages.size(), 3u);
  EXPECT_EQ(prompts_.messages[2].text, L"The help file cannot be found.\r\n" + (dir_ / L"MIREL-EN.CHM"));
  EXPECT_EQ(prompts_.messages[2].caption, L"Warning");
  SetCurrentLanguage(Language::kJapanese);
}

}  // namespace
}  // namespace mirel
