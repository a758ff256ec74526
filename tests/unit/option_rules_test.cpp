#include "core/option_rules.h"

#include <gtest/gtest.h>

namespace mirel {
namespace {

TEST(OptionRules, ListEditorSelectionAndMoves) {
  struct Case {
    int count, selected;
    ListButtons buttons;
  };
  const Case cases[] = {
      {1, 0, {true, false, false}},  // the only entry: Delete alone
      {3, 0, {true, false, true}},   // the first: no Up
      {3, 2, {true, true, false}},   // the last: no Down
      {3, 1, {true, true, true}},    // any other: all three
      {3, -1, {false, false, false}}, {0, 0, {false, false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << "/" << c.selected);
    EXPECT_EQ(SelectionRule(c.count, c.selected), c.buttons);
  }
  // Up on the second entry makes it the first: Up off, Down on.
  EXPECT_EQ(MovedPosition(3, 1, -1), 0);
  EXPECT_EQ(SelectionRule(3, *MovedPosition(3, 1, -1)), (ListButtons{true, false, true}));
  // Down on the next-to-last makes it the last.
  EXPECT_EQ(MovedPosition(3, 1, +1), 2);
  EXPECT_EQ(MovedPosition(3, 0, -1), std::nullopt);
  EXPECT_EQ(MovedPosition(3, 2, +1), std::nullopt);
  EXPECT_EQ(MovedPosition(3, -1, +1), std::nullopt);
}

TEST(OptionRules, IntervalCorrectionAndFilter) {
  struct Case {
    const wchar_t* text;
    std::uint32_t stored;
  };
  const Case cases[] = {
      {L"", 100},
      {L"0", 250},
      {L"65535", 65535},
      {L"65536", 250},
      {L"0050", 50},
      {L"1", 1},
      {L"99999999999999999999", 250},
      {L"12a", 250},
      {L"-5", 250},
      {L" 5", 250},
      {L"\uff15", 250},  // a full-width digit is not a number here
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "\"" << testing::PrintToString(std::wstring(c.text)) << "\"");
    EXPECT_EQ(CorrectedInterval(c.text, 250), c.stored);
  }
  for (wchar_t typed = 0; typed < 0x80; ++typed)
    EXPECT_EQ(DigitKeyAccepted(typed), (typed >= L'0' && typed <= L'9') || typed == 8) << int(typed);
  EXPECT_EQ(DigitsOnly(L" 1,2a3\r\n"), L"123");
  // The dwell's and the idle time's boxes: anything but a short run of digits is none.
  EXPECT_EQ(TypedNumber(L"10000", 5), 10000);
  EXPECT_EQ(TypedNumber(L"007", 4), 7);
  for (const wchar_t* none : {L"", L"123456", L"1 2", L"\uff15", L"-1"}) EXPECT_EQ(TypedNumber(none, 5), 0) << none;
}

TEST(OptionRules, EdgeBoxesReturnOptionAndPages) {
  EXPECT_EQ(EdgeFlagFromBoxes({true, true, true, true}), 15);
  EXPECT_EQ(EdgeFlagFromBoxes({false, false, false, false}), 0);
  EXPECT_EQ(EdgeFlagFromBoxes({false, false, true, false}), 4);
  EXPECT_EQ(EdgeFlagFromBoxes({false, false, false, true}), 8);
  for (std::int16_t flag = 0; flag < 16; ++flag) EXPECT_EQ(EdgeFlagFromBoxes(EdgeBoxesFromFlag(flag)), flag);
  EXPECT_EQ(EdgeBoxesFromFlag(static_cast<std::int16_t>(0x7FF2)), (EdgeBoxes{false, true, false, false}));

  EXPECT_EQ(ReturnOptionIndex(0), 0);
  EXPECT_EQ(ReturnOptionIndex(1), 1);
  EXPECT_EQ(ReturnOptionIndex(2), 0);
  EXPECT_EQ(ReturnOptionIndex(-1), 0);

  EXPECT_FALSE(SwitchPages(2, 2));
  const auto change = SwitchPages(1, 4);
  ASSERT_TRUE(change);
  EXPECT_EQ(change->show, 3);
  EXPECT_EQ(change->hide, 0);
  EXPECT_EQ(NeighbourTab(4, 4, +1), 1);
  EXPECT_EQ(NeighbourTab(1, 4, -1), 4);
  EXPECT_EQ(NeighbourTab(2, 4, +1), 3);
}

TEST(OptionRules, DialogKeptInsideTheWorkArea) {
  const ScreenRect area{0, 0, 1024, 738};
  // Fits: stays at its designed place.
  EXPECT_EQ(KeepInside({338, 248, 724, 578}, area), (ScreenRect{338, 248, 724, 578}));
  // Hangs over the right and bottom edges: moved back by exactly the overhang.
  EXPECT_EQ(KeepInside({700, 600, 1100, 900}, area), (ScreenRect{624, 438, 1024, 738}));
  // Off to the left and top of a monitor at negative coordinates.
  EXPECT_EQ(KeepInside({-50, -30, 350, 270}, {-1280, 0, 0, 1024}), (ScreenRect{-400, 0, 0, 300}));
  // Larger than the area: its top-left corner stays reachable.
  EXPECT_EQ(KeepInside({100, 100, 1300, 900}, area), (ScreenRect{0, 0, 1200, 800}));
  // A stored place far below every screen ("abc" read as a number) comes back.
  EXPECT_EQ(KeepInside({0, 6356992, 300, 6357192}, area), (ScreenRect{0, 538, 300, 738}));
  // A minimised window's normal place is relative to the work area: with the taskbar 40
  // pixels high at the top, the screen place is 40 pixels lower.
  EXPECT_EQ(WorkAreaToScreen({10, 20, 110, 220}, {0, 40, 1024, 768}, {0, 0, 1024, 768}),
            (ScreenRect{10, 60, 110, 260}));
  EXPECT_EQ(WorkAreaToScreen({10, 20, 110, 220}, {1024, 0, 2048, 728}, {1024, 0, 2048, 768}),
            (ScreenRect{10, 20, 110, 220}));
}

TEST(WidenForCaption, ToTheRightUpToTheNextControlOtherwiseALabelTurnsLeft) {
  const RowBox label{300, 100, 400, 120};
  const std::vector<RowBox> row{{500, 95, 600, 125}, {0, 200, 700, 230}, {10, 0, 690, 300, true}};
  EXPECT_FALSE(WidenForCaption(label, 100, row, 700, 4, true));  // fits: nothing shrinks
  const auto right = WidenForCaption(label, 150, row, 700, 4, true);
  ASSERT_TRUE(right);
  EXPECT_EQ(right->left, 300);
  EXPECT_EQ(right->width, 150);
  EXPECT_FALSE(right->rightAligned);
  // The neighbour on the row (not the frame around it, not the row below) stops it at 498.
  const auto left = WidenForCaption(label, 250, row, 700, 4, true);
  ASSERT_TRUE(left);
  EXPECT_EQ(left->left, 150);
  EXPECT_EQ(left->width, 250);
  EXPECT_TRUE(left->rightAligned);
  EXPECT_EQ(WidenForCaption(label, 500, row, 700, 4, true)->left, 4);  // never past the page's edge
  // A check box takes what the right side gives.
  const auto check = WidenForCaption(label, 250, row, 700, 4, false);
  ASSERT_TRUE(check);
  EXPECT_EQ(check->left, 300);
  EXPECT_EQ(check->width, 198);
  EXPECT_EQ(WidenForCaption(label, 250, {}, 700, 4, false)->width, 250);
}

TEST(SwatchFrameFor, HighContrastFramesAndAlwaysShowsTheFocus) {
  // The usual theme: no frame, and the focus shown only where Windows shows keyboard cues.
  for (const bool pressed : {false, true}) {
    EXPECT_FALSE(SwatchFrameFor(false, true, pressed, false).themed);
    EXPECT_TRUE(SwatchFrameFor(false, true, pressed, false).focusRectangle);
    EXPECT_FALSE(SwatchFrameFor(false, true, pressed, true).focusRectangle);
    EXPECT_FALSE(SwatchFrameFor(false, false, pressed, false).focusRectangle);
  }
  // High contrast: framed, in the highlight colour while focused or pressed, the focus
  // rectangle whatever the cues.
  EXPECT_TRUE(SwatchFrameFor(true, false, false, false).themed);
  EXPECT_EQ(SwatchFrameFor(true, false, false, false).line, FrameColor::kWindowText);
  EXPECT_EQ(SwatchFrameFor(true, true, false, true).line, FrameColor::kHighlight);
  EXPECT_EQ(SwatchFrameFor(true, false, true, false).line, FrameColor::kHighlight);
  EXPECT_TRUE(SwatchFrameFor(true, true, false, true).focusRectangle);
  EXPECT_FALSE(SwatchFrameFor(true, false, true, true).focusRectangle);
}

}  // namespace
}  // namespace mirel
