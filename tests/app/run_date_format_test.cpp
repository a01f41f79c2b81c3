// The run's date format: "yyyy/MM/dd" whatever the workstation's locale, and
// the workstation's format back after the run.
#include "app/run_date_format.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

class RunDateFormatTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(RunDateFormatTest, HoldsTheRunFormatAndRestoresTheWorkstations) {
    const QDate day(2002, 5, 1);
    const QString before = QLocale().toString(day, QLocale::ShortFormat);
    ASSERT_NE(before, "2002/05/01");

    lum::RunDateFormat format;
    format.hold();
    EXPECT_EQ(QLocale().toString(day, QLocale::ShortFormat), "2002/05/01");
    EXPECT_EQ(QLocale().dateFormat(QLocale::ShortFormat), lum::RunDateFormat::kShortFormat);
    EXPECT_EQ(format.savedSeparator(), QChar(u'.'));
    EXPECT_EQ(QLocale().toDate(QStringLiteral("2002/05/01"), QLocale::ShortFormat), day);

    format.restore();
    EXPECT_EQ(QLocale().toString(day, QLocale::ShortFormat), before);
    format.restore();  // a second restore changes nothing
    EXPECT_EQ(QLocale().toString(day, QLocale::ShortFormat), before);
}

}  // namespace
