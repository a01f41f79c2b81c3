#pragma once
// A data module holding only a staff list, for the dialogs' staff boxes:
// codes 3, 5 and 7.
#include "app/main_module.h"

#include <gtest/gtest.h>

class StaffListTest : public ::testing::Test {
protected:
    void SetUp() override {
        module_.StuffCount = 3;
        module_.StuffCD = {3, 5, 7};
        module_.StuffNames = {QStringLiteral("鈴木　一郎"), QStringLiteral("佐藤　花子"), QStringLiteral("田中　実")};
        module_.StuffKigo = {QStringLiteral("鈴"), QStringLiteral("佐"), QStringLiteral("田")};
        previous_ = MainModule;
        MainModule = &module_;
    }
    void TearDown() override { MainModule = previous_; }

    TMainModule module_;
    TMainModule* previous_ = nullptr;
};
