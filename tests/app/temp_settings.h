#pragma once
// Points the settings store at a fresh temporary folder for one test.
#include "platform/settings/settings_key.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class TempSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        lum::SettingsKey::setRootFolder(dir_.path());
    }
    void TearDown() override { lum::SettingsKey::setRootFolder(QString()); }

    QTemporaryDir dir_;
};
