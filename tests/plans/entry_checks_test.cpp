// Typed texts refused before they reach a record: over the limit in stored
// bytes, holding a NUL, or holding a character code page 932 lacks (named in
// the message).
#include "plans/entry_checks.h"

#include <gtest/gtest.h>

namespace {

TEST(EntryChecks, LimitsCountStoredBytesAndUnstorableCharactersAreNamed) {
    const QString over = QStringLiteral("over");
    struct Case {
        QString text;
        int limit;
        std::optional<QString> refusal;
    } cases[] = {
        {QString(4, QChar(u'あ')), 8, std::nullopt},
        {QString(4, QChar(u'あ')) + "a", 8, over},
        {QString(8, QChar(u'ｱ')), 8, std::nullopt},  // half-width kana count one byte
        {QStringLiteral("abc\ndef"), 8, std::nullopt},  // CR LF: 8 bytes
        {QStringLiteral("abc\ndefg"), 8, over},
        {QStringLiteral("a😀"), 80, QStringLiteral("「😀」は保存できない文字です。\n別の文字に置き換えてください。")},
        {QStringLiteral("𠮷野家"), 80, QStringLiteral("「𠮷」は保存できない文字です。\n別の文字に置き換えてください。")},
        {QString(), 0, std::nullopt},
        // A NUL would end the stored text there: refused before any other check.
        {QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd"), 80, lum::nulCharacterMessage()},
        {QChar(u'\0') + QStringLiteral("😀") + QString(90, QChar(u'a')), 80, lum::nulCharacterMessage()},
    };
    for (const Case& c : cases) EXPECT_EQ(lum::refuseEntry(c.text, c.limit, over), c.refusal) << c.text.toStdString();
}

}  // namespace
