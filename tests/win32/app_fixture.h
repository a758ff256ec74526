// A fresh application over a scratch exe folder, with no settings key at the start and
// none left behind.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/application.h"
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
    return *app_;
  }

  ScratchFolder dir_;
  ScriptedPrompts prompts_;
  std::unique_ptr<Application> app_;
};

}  // namespace mirel::test
