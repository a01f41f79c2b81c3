// One table of the byte limits of both plans' entries: at the limit a text is
// taken, one byte over it is refused with the entry's message and the focus
// on that entry; full-width characters count two, half-width kana one and a
// line break (stored as CR LF) two. A character code page 932 lacks is
// refused by name, and a NUL is refused.
#include "plans/urin_plan_form.h"
#include "plans/urin_pract_form.h"

#include "plans/entry_checks.h"
#include "plans/urin_fixture.h"

#include <QApplication>
#include <QComboBox>
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
QString goal(const char* what) {
    return QString::fromUtf8(what) +
           QStringLiteral("の入力文字数がオーバーしています。\n半角510文字・全角255文字以内で入力してください。");
}

void setText(QWidget* w, const QString& text) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(text);
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) m->setPlainText(text);
    if (auto* b = qobject_cast<QComboBox*>(w)) b->setEditText(text);
}

struct Limit {
    bool pract;  // which window
    const char* control;
    int bytes;
    QString message;
};

// Texts of exactly n bytes in three forms, and one byte more.
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

class UrinLimitsTest : public lum::test::UrinTest {};

TEST_P(UrinLimitsTest, EveryEntryAtItsLimitAndOneByteOver) {
    TURinPlanForm plan;
    TURinPractForm pract;
    for (TDocumentForm* form : {static_cast<TDocumentForm*>(&plan), static_cast<TDocumentForm*>(&pract)}) {
        form->show();
        form->activateWindow();
        lum::ScriptedDialogs d;
        d.expectModal(form == &plan ? "TGetUrinPlanForm" : "TGetUrinPractForm", typeNumber(client_));
        form->NewToolButton->click();
        ASSERT_TRUE(d.allDone()) << d.report().toStdString();
    }
    const Limit limits[] = {
        {false, "AimBox1", 48, over(48)},     {false, "AimBox2", 48, over(48)},     {false, "AimBox3", 48, over(48)},
        {false, "AimBox4", 48, over(48)},     {false, "HDS_R_Edit", 8, over(8)},    {false, "TokiMemo", 510, over(510)},
        {false, "KinkiMemo", 510, over(510)}, {true, "OccupBox", 28, over(28)},     {true, "KiouMemo", 510, over(510)},
        {true, "GripR", 8, over(8)},          {true, "GripL", 8, over(8)},          {true, "LegR", 8, over(8)},
        {true, "LegL", 8, over(8)},           {true, "TUG1", 8, over(8)},           {true, "TUG2", 8, over(8)},
        {true, "Stand30", 28, over(28)},      {true, "StandNum", 8, over(8)},       {true, "Walk1", 8, over(8)},
        {true, "Walk2", 8, over(8)},          {true, "GoodsBox", 38, over(38)},     {true, "HDSEdit", 8, over(8)},
        {true, "ItamiMemo", 510, over(510)},  {true, "SelfMemo", 510, over(510)},   {true, "AttentMemo", 510, over(510)},
        {true, "ShortMemo", 510, goal("短期目標")}, {true, "AllMemo", 510, goal("全体目標")},
        {true, "ETCEdit", 38, over(38)},      {true, "HyoukaMemo", 510, goal("評価")}, {true, "Num1", 8, over(8)},
        {true, "Num2", 8, over(8)},           {true, "Num3", 8, over(8)},           {true, "Funn", 8, over(8)},
        {true, "Fuka", 28, over(28)},         {true, "FukaHow", 28, over(28)},
    };
    for (const Limit& l : limits) {
        TDocumentForm& form = l.pract ? static_cast<TDocumentForm&>(pract) : plan;
        auto collect = [&] { return l.pract ? pract.CollectRecord() : plan.CollectRecord(); };
        form.activateWindow();
        QWidget* control = form.findChild<QWidget*>(QString::fromLatin1(l.control));
        ASSERT_TRUE(control) << l.control;
        const bool multiline = qobject_cast<QPlainTextEdit*>(control) != nullptr;
        for (const Sample& s : samples(l.bytes, multiline)) {
            SCOPED_TRACE(std::string(l.control) + ", " + s.form);
            setText(control, s.at);
            EXPECT_TRUE(collect());
            lum::ScriptedDialogs d;
            d.expect(MsgKind::Information, l.message, MsgButton::Ok);
            setText(control, s.beyond);
            EXPECT_FALSE(collect());
            EXPECT_TRUE(d.allDone()) << d.report().toStdString();
            QWidget* focus = form.focusWidget();  // the window's focus, active or not
            EXPECT_TRUE(focus == control || (focus && focus->parentWidget() == control)) << l.control;
        }
        // A character code page 932 cannot store is named, and a NUL (the
        // stored text would end there) is refused; nothing is taken.
        for (const auto& [text, refusal] :
             {std::pair{QStringLiteral("a😀"), QStringLiteral("「😀」は保存できない文字です。\n別の文字に置き換えてください。")},
              std::pair{QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b"), lum::nulCharacterMessage()}}) {
            lum::ScriptedDialogs d;
            d.expect(MsgKind::Information, refusal, MsgButton::Ok);
            setText(control, text);
            EXPECT_FALSE(collect());
            EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        }
        setText(control, QString());
    }
    plan.ResetModified();
    pract.ResetModified();
    plan.DocChanged = pract.DocChanged = false;
    delete GetUrinPlanForm;
    delete GetUrinPractForm;
}

LUM_INSTANTIATE_DATABASE_TESTS(UrinLimitsTest);

}  // namespace
