// TTextForm "記入": its list on showing, an empty unselected box, the list
// edited by a double click, and the text the caller takes after 確定.
#include "plans/text_form.h"

#include "platform/db/facility_database.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/database_fixture.h"
#include "widgets/comment_store.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TextFormTest : public lum::test::DatabaseTest {};

TEST_P(TextFormTest, ShowsItsListEditsItAndHandsBackTheText) {
    lum::ScopedFacilityDatabase scope(db());
    const lum::CommentStore phrases(db());
    phrases.append("UrinYobou", 7, QStringLiteral("散歩"), lum::TDateTime::fromYmd(2024, 1, 1));
    phrases.append("UrinYobou", 7, QStringLiteral("体操"), lum::TDateTime::fromYmd(2024, 1, 1));
    phrases.append("UrinYobou", 6, QStringLiteral("別の一覧"), lum::TDateTime::fromYmd(2024, 1, 1));

    TTextForm form;
    form.ProgramName = QStringLiteral("UrinYobou");
    form.CommentCode = 7;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("記入"));
    form.show();
    EXPECT_EQ(form.TextBox->count(), 2);
    EXPECT_EQ(form.TextBox->currentIndex(), -1);
    EXPECT_EQ(form.TextBox->currentText(), QString());
    EXPECT_EQ(form.Comments, QStringList({QStringLiteral("散歩"), QStringLiteral("体操")}));

    // A double click edits the list; what was typed stays.
    form.TextBox->setEditText(QStringLiteral("打ちかけ"));
    lum::ScriptedDialogs d;
    d.expectModal("TCommentForm", [&](QDialog&) {
        phrases.append("UrinYobou", 7, QStringLiteral("買い物"), lum::TDateTime::fromYmd(2024, 1, 2));
        return int(QDialog::Rejected);
    });
    QTest::mouseDClick(form.TextBox->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(form.TextBox->count(), 3);
    EXPECT_EQ(form.TextBox->currentText(), QStringLiteral("打ちかけ"));

    form.TextBox->setCurrentIndex(2);
    form.DecideButton->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.TextBox->currentText(), QStringLiteral("買い物"));
}

LUM_INSTANTIATE_DATABASE_TESTS(TextFormTest);

}  // namespace
