// A fresh application over a scratch exe folder, with no settings key at the start and
// none left behind.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/application.h"
#include "forms/dummy/frm_dummy.h"
#include "forms/main/frm_main.h"
#include "test_support.h"

namespace mirel::test {

class AppTest : public testing::Test {
 protected:
  void SetUp() override { ClearSettings(); }
  void TearDown() override {
    app_.reset();
    Pump();
    ClearSettings();
  }

  Application& Start() {
    app_ = std::make_unique<Application>(prompts_, dir_.path());
    app_->Main();
    Pump();
    // The list and the pictures of the start are read away from the windows: the tests go
    // on once they are there, as a user's next step would.
    PumpUntil(
        [this] { return !app_->ReadingDummyList() && !app_->main().pictureOnItsWay() && !app_->dummy().preparing(); });
    return *app_;
  }

  ScratchFolder dir_;
  ScriptedPrompts prompts_;
  std::unique_ptr<Application> app_;
};

}  // namespace mirel::test
