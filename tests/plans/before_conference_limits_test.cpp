// The byte limits of the conference survey's entries: at the limit a text is
// taken, one byte over it is refused with the entry's message and the focus
// on that entry, by Save and by Print alike; full-width characters count two,
// half-width kana one and a line break (stored as CR LF) two.
#include "plans/before_conference_form.h"

#include "plans/urin_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using lum::MsgButton;
using lum::MsgKind;

QString over(int limit) {
    return QStringLiteral("入力文字数がオーバーしています。\n半角%1文字・全角%2文字以内で入力してください。")
        .arg(limit)
        .arg(limit / 2);
}

struct Limit {
    const char* control;
    int bytes;
};
const Limit kLimits[] = {
    {"Health", 254},     {"Gatsupai", 254},    {"SelfHope", 254},   {"FarmilyHope", 254}, {"TaishyoYotei", 48},
    {"TaishyoSaki", 48}, {"Tokuyou", 48},      {"Rouken", 48},      {"Ryoyou", 48},       {"Exercise", 254},
    {"Sense", 254},      {"Brain", 254},       {"Koushuku", 254},   {"Arthralgia", 254},  {"Sonota", 254},
    {"nintchi", 254},    {"kentou", 1022},
};

struct Sample {
    const char* form;
    QString at;
    QString beyond;
};
std::vector<Sample> samples(int n, bool multiline) {
    std::vector<Sample> out = {
        {"full-width", QString(n / 2, QChar(u'あ')), QString(n / 2, QChar(u'あ')) + "a"},
        {"half-width kana", QString(n, QChar(u'ｱ')), QString(n + 1, QChar(u'ｱ'))},
    };
    if (multiline) out.push_back({"CR LF", QString(n - 2, QChar(u'a')) + "\n", QString(n - 1, QChar(u'a')) + "\n"});
    return out;
}

void setText(QWidget* w, const QString& text) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(text);
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) m->setPlainText(text);
}

class BeforeConferenceLimitsTest : public lum::test::UrinFormTest<TBeforeConferenceForm> {
protected:
    void TearDown() override {
        delete GetBeforeConfForm;
        lum::test::UrinFormTest<TBeforeConferenceForm>::TearDown();
    }
};

TEST_P(BeforeConferenceLimitsTest, EveryEntryAtItsLimitAndOneByteOver) {
    newPlan(client_);
    // Every box checked, so every text takes the focus.
    for (QCheckBox* box : f().findChildren<QCheckBox*>()) QTest::mouseClick(box, Qt::LeftButton, {}, {5, 5});
    for (const Limit& limit : kLimits) {
        QWidget* control = f().findChild<QWidget*>(QString::fromLatin1(limit.control));
        ASSERT_TRUE(control) << limit.control;
        ASSERT_TRUE(control->isEnabled()) << limit.control;
        for (const Sample& s : samples(limit.bytes, qobject_cast<QPlainTextEdit*>(control) != nullptr)) {
            SCOPED_TRACE(std::string(limit.control) + " " + s.form);
            setText(control, s.at);
            {
                lum::ScriptedDialogs d;
                EXPECT_TRUE(f().CollectRecord());
                EXPECT_TRUE(d.messages().isEmpty());
            }
            setText(control, s.beyond);
            for (bool printing : {false, true}) {
                f().JishiDay->setFocus();
                lum::ScriptedDialogs d;
                d.expect(MsgKind::Information, over(limit.bytes), MsgButton::Ok);
                EXPECT_FALSE(printing ? f().CheckLengths() : f().CollectRecord());
                EXPECT_TRUE(d.allDone()) << d.report().toStdString();
                EXPECT_EQ(QApplication::focusWidget(), control);
            }
            setText(control, QString());
        }
    }
}

TEST_P(BeforeConferenceLimitsTest, ACharacterWithNoStoredFormIsRefusedByName) {
    newPlan(client_);
    f().Health->setPlainText(QStringLiteral("痛み😀"));
    lum::ScriptedDialogs d;
    d.expect(MsgKind::Information, QStringLiteral("「😀」は保存できない文字です。\n別の文字に置き換えてください。"),
             MsgButton::Ok);
    f().SaveToolButton->click();
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
    EXPECT_EQ(QApplication::focusWidget(), f().Health);
    EXPECT_EQ(rowCount(QStringLiteral("BeforeConfer"), client_), 0);
}

LUM_INSTANTIATE_DATABASE_TESTS(BeforeConferenceLimitsTest);

}  // namespace
