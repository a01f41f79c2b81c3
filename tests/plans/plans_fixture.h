#pragma once
// A facility database with two clients, a fixed today (2024-01-31 10:00)
// and the shared dialogs pointed at it, for the document windows' tests.
#include "clients/person_store.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "support/database_fixture.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

namespace lum::test {

class PlansTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        scope_ = std::make_unique<ScopedFacilityDatabase>(db());
        clock_ = std::make_unique<FixedClock>(QDateTime(QDate(2024, 1, 31), QTime(10, 0)));
        PersonStore store(db());
        TPerson p;
        p.Name = QStringLiteral("山田　花子");
        p.Kana = QStringLiteral("ﾔﾏﾀﾞ ﾊﾅｺ");
        p.Sex = 1;
        p.Birth = TDateTime::fromYmd(1940, 4, 1);
        p.RihaType = 2;
        p.KubunCode = 1 | 8;
        p.Jiritsu_KBN = 3;
        p.Ninchi_KBN = 2;
        p.YOUKAIGO_KBN = 4;
        p.NYUSHOBI_YMD = TDateTime::fromYmd(2023, 10, 1);
        // 26 full-width characters: 52 bytes, kept as 25 (50 bytes) on the plan.
        p.Disease = {QStringLiteral("脳梗塞後遺症"), QStringLiteral("高血圧"), {}, {}, {}, QString(26, QChar(u'糖'))};
        client_ = store.insert(p);
        p.Name = QStringLiteral("佐藤　一郎");
        p.Sex = 0;
        other_ = store.insert(p);
    }
    void TearDown() override {
        clock_.reset();
        scope_.reset();
        DatabaseTest::TearDown();
    }

    // Keys typed into an era-date edit from its first position, then Enter.
    static void typeDate(QLineEdit* edit, const QString& keys) {
        edit->setFocus();
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    int client_ = 0;
    int other_ = 0;

private:
    std::unique_ptr<ScopedFacilityDatabase> scope_;
    std::unique_ptr<FixedClock> clock_;
};

}  // namespace lum::test
