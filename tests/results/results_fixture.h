#pragma once
// Clients and results for the tests of the results store and windows.
#include "clients/person.h"
#include "clients/person_store.h"
#include "results/cure_result.h"
#include "results/cure_results_store.h"
#include "common/input_limits.h"
#include "plans/entry_checks.h"
#include "platform/ui/scripted_dialogs.h"
#include "support/database_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <functional>

namespace lum::test {

// Types remarks a results grid must refuse into its remark box, as a paste
// puts them: a NUL (stored, the text would end there), a character code page
// 932 lacks (the month's CSV export could not write it) and 256 bytes (past
// the column). Each gives the entry check's message, keeps the stored remark
// (stored()) and shows it again with the focus in the box; then the longest
// remark, 255 bytes, is stored whole.
inline void expectRemarkEntryChecked(QComboBox& box, const std::function<QString()>& stored) {
    const QString kept = stored();
    struct Case {
        const char* what;
        QString typed;
        QString message;
    } cases[] = {
        {"a NUL", QStringLiteral("歩行") + QChar(u'\0') + QStringLiteral("訓練"), nulCharacterMessage()},
        {"a character with no code page 932 form", QStringLiteral("歩行😀"),
         QStringLiteral("「😀」は保存できない文字です。\n別の文字に置き換えてください。")},
        {"256 bytes", QString(128, QChar(u'あ')), overLimitMessage(255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedDialogs d;
        d.expect(MsgKind::Warning, c.message, MsgButton::Ok);
        box.lineEdit()->selectAll();
        box.lineEdit()->insert(c.typed);
        EXPECT_TRUE(d.allDone()) << d.report().toStdString();
        EXPECT_EQ(stored(), kept);
        EXPECT_EQ(box.currentText(), kept);
        const QWidget* focus = box.window()->focusWidget();
        EXPECT_TRUE(focus == &box || focus == box.lineEdit());
    }
    const QString longest = QString(127, QChar(u'あ')) + u'a';
    box.lineEdit()->selectAll();
    box.lineEdit()->insert(longest);
    EXPECT_EQ(stored(), longest);
}

inline TPerson makeClient(const QString& name, int type, int kubun) {
    TPerson p;
    p.Name = name;
    p.Kana = QStringLiteral("ﾃｽﾄ ﾀﾛｳ");
    p.Sex = 1;
    p.Birth = TDateTime::fromYmd(1935, 4, 1);
    p.RihaType = type;
    p.KubunCode = kubun;
    p.KubunDate = TDateTime::fromYmd(2024, 4, 1);
    p.ROOM_NO = QStringLiteral("201号室");
    p.Jiritsu_KBN = 2;
    p.Ninchi_KBN = 3;
    p.YOUKAIGO_KBN = 4;
    p.HP_TAISHO_YMD = TDateTime::fromYmd(2024, 3, 20);
    p.NYUSHOBI_YMD = TDateTime::fromYmd(2024, 3, 25);
    return p;
}

// A result of the client on a day with a type, as a hand-entered row.
inline CureResult resultOn(const TPerson& client, TDateTime day, int type = -2) {
    CureResult r = NewHandEnteredResult(client, day, TDateTime::fromYmdHms(2024, 5, 1, 9, 30));
    if (type != -2) {
        r.RihaType = type;
        r.Flags = CategoryFlagsOf(type, r.KubunCode);
    }
    return r;
}

// The fourteen flags as a text, one letter per flag grouped by type:
// "T--T ---- ---- --".
inline QString flagsOf(const CureResult& row) {
    QString t;
    for (int i = 0; i < CategoryFlagCount; ++i) {
        if (i > 0 && i % 4 == 0) t += u' ';
        t += row.Flags[i] ? u'T' : u'-';
    }
    return t;
}

class ResultsDatabaseTest : public DatabaseTest {
protected:
    CureResultsStore store() { return CureResultsStore(db()); }
    // Registers the client and gives the record with its CureNo.
    TPerson registered(TPerson p) {
        p.CureNo = PersonStore(db()).insert(p);
        return p;
    }
    int countRows() {
        QSqlQuery q = db().prepare(QStringLiteral("SELECT COUNT(*) FROM CureResults"));
        db().exec(q);
        return q.next() ? q.value(0).toInt() : -1;
    }
};

}  // namespace lum::test
