// The dialog service's button rules and its process-wide installation.
#include "platform/ui/dialogs.h"
#include "platform/ui/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace lum {
namespace {

using B = MsgButton;

struct ButtonCase {
    MsgButtons buttons;
    MsgButton negative;
    MsgButton preferred;
};

TEST(MessageButtons, EscapeAndDefaultAnswers) {
    const ButtonCase cases[] = {
        {B::Yes | B::No, B::No, B::Yes},
        {B::Ok | B::Cancel, B::Cancel, B::Ok},
        {B::Yes | B::No | B::Cancel, B::Cancel, B::Yes},
        {B::No | B::Ok, B::No, B::Ok},  // goes on unless the answer is いいえ
        {B::Abort, B::Abort, B::Abort},
        {B::Ok | B::Abort, B::Abort, B::Ok},
        {B::Ok, B::Ok, B::Ok},
        {B::Yes, B::Yes, B::Yes},  // a single はい is all there is
        {MsgButtons{}, B::Ok, B::Ok},
    };
    for (const ButtonCase& c : cases) {
        SCOPED_TRACE(describe(Message{MsgKind::Confirm, "x", c.buttons, {}}).toStdString());
        EXPECT_EQ(negativeAnswer(c.buttons), c.negative);
        EXPECT_EQ(defaultAnswer(c.buttons), c.preferred);
    }
}

TEST(MessageButtons, TitlesTextsAndOrder) {
    EXPECT_EQ(kindTitle(MsgKind::Warning), "警告");
    EXPECT_EQ(kindTitle(MsgKind::Error), "エラー");
    EXPECT_EQ(kindTitle(MsgKind::Information), "情報");
    EXPECT_EQ(kindTitle(MsgKind::Confirm), "確認");
    const Message all{MsgKind::Warning, "本文", B::Abort | B::Cancel | B::Ok | B::No | B::Yes, {}};
    EXPECT_EQ(describe(all), "警告「本文」[はい/いいえ/OK/キャンセル/中止]");
    const Message titled{MsgKind::Error, "壊れました", B::Ok, "Lumorind"};
    EXPECT_EQ(titled.caption(), "Lumorind");
    EXPECT_EQ(describe(titled), "Lumorind「壊れました」[OK]");
}

TEST(DialogService, ScopedReplacementsNestAndRestore) {
    Dialogs* outer = &dialogs();
    {
        ScriptedDialogs first;
        EXPECT_EQ(&dialogs(), &first);
        {
            ScriptedDialogs second(ScriptedDialogs::Install::No);
            EXPECT_EQ(&dialogs(), &first);
            ScopedDialogs guard(second);
            EXPECT_EQ(&dialogs(), &second);
        }
        EXPECT_EQ(&dialogs(), &first);
    }
    EXPECT_EQ(&dialogs(), outer);
}

TEST(DialogService, ShorthandsGoThroughTheInstalledService) {
    ScriptedDialogs d;
    d.expect(MsgKind::Confirm, "登録しますか？", B::Yes)
        .expectFile(FileMode::Save, "/tmp/a.csv")
        .expectInput(QString("入力"));
    EXPECT_EQ(message(MsgKind::Confirm, "登録しますか？", B::Yes | B::No), B::Yes);
    EXPECT_EQ(chooseFile({FileMode::Save, "保存", "", "CSV|*.csv", nullptr}), "/tmp/a.csv");
    EXPECT_EQ(inputText({"", "値", "", nullptr}), QString("入力"));
    EXPECT_TRUE(d.allDone()) << d.report().toStdString();
}

}  // namespace
}  // namespace lum
