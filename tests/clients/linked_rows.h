#pragma once
// The rows every linked-source test stores, and what the application must
// read back from them: names with a full-width blank, kana with voicing
// marks, quotes, every kind of stored Sex and Birth.
#include "clients/linked_client.h"
#include "support/linked_source_fixture.h"

#include <vector>

namespace linked_rows {

inline QVariant text(const char* s) { return QString::fromUtf8(s); }
const QVariant kNull;

inline std::vector<lum::test::StoredLinkedRow> stored() {
    using R = lum::test::StoredLinkedRow;
    return {
        R{3, "山田　太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", false, text("1940-04-01 00:00:00"), "123-4567", "011", "0203",
          "東京都千代田区千代田1-1", "03-1234-5678", "03-1234-5679"},
        R{12, "佐藤　花子", "ｻﾄｳ ﾊﾅｺ", true, text("1935-12-31 00:00:00"), "330-0061", "021", "0101",
          "さいたま市浦和区常盤9-9 'みどり'荘", "048-111-2222", ""},
        R{5, "佐藤　華子", "ｻﾄｳ ﾊﾅｺ", 1, text("1931-06-15 00:00:00"), "", "", "", "", "", ""},
        R{7, "半田　ぱん子", "ﾊﾟﾝﾀﾞ ﾊﾟﾝｺ", -1, kNull, "", "", "", "", "", ""},
        R{25, "O'Brien　ジョン", "ｵﾌﾞﾗｲｴﾝ ｼﾞｮﾝ", kNull, text("notadate"), "", "", "", "", "", ""},
        R{40, "鈴木　一郎", "ｽｽﾞｷ ｲﾁﾛｳ", 0, text("1950-01-02 10:30:00"), "", "", "", "", "", ""},
        R{8, "渡辺　トミ", "ﾜﾀﾅﾍﾞ ﾄﾐ", true, text("1929-02-28 00:00:00"), "", "", "", "", "", ""},
        R{9, "小川　ヲン", "ｦｶﾞﾜ ｦﾝ", false, text("1945-05-05 00:00:00"), "", "", "", "", "", ""},
        R{10, "我妻　栄", "ｶﾞﾂﾏ ｻｶｴ", false, text("1938-10-10 00:00:00"), "", "", "", "", "", ""},
    };
}

// What is read back, in kana order (the two ｻﾄｳ ﾊﾅｺ by number). A Birth that
// is no date reaches the program through a date column as no value at all;
// through a text column its text is kept for showing.
inline std::vector<lum::LinkedClient> expected(bool birthAsText = false) {
    using lum::TDateTime;
    auto c = [](int sid, const char* jname, const char* kname, std::optional<bool> sex, TDateTime birth) {
        lum::LinkedClient client;
        client.Sid = sid;
        client.Jname = QString::fromUtf8(jname);
        client.Kname = QString::fromUtf8(kname);
        client.Sex = sex;
        client.Birth = birth;
        return client;
    };
    std::vector<lum::LinkedClient> rows = {
        c(9, "小川　ヲン", "ｦｶﾞﾜ ｦﾝ", false, TDateTime::fromYmd(1945, 5, 5)),
        c(25, "O'Brien　ジョン", "ｵﾌﾞﾗｲｴﾝ ｼﾞｮﾝ", std::nullopt, TDateTime()),
        c(10, "我妻　栄", "ｶﾞﾂﾏ ｻｶｴ", false, TDateTime::fromYmd(1938, 10, 10)),
        c(5, "佐藤　華子", "ｻﾄｳ ﾊﾅｺ", true, TDateTime::fromYmd(1931, 6, 15)),
        c(12, "佐藤　花子", "ｻﾄｳ ﾊﾅｺ", true, TDateTime::fromYmd(1935, 12, 31)),
        c(40, "鈴木　一郎", "ｽｽﾞｷ ｲﾁﾛｳ", false, TDateTime::fromYmdHms(1950, 1, 2, 10, 30)),
        c(7, "半田　ぱん子", "ﾊﾟﾝﾀﾞ ﾊﾟﾝｺ", true, TDateTime()),
        c(3, "山田　太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", false, TDateTime::fromYmd(1940, 4, 1)),
        c(8, "渡辺　トミ", "ﾜﾀﾅﾍﾞ ﾄﾐ", true, TDateTime::fromYmd(1929, 2, 28)),
    };
    lum::LinkedClient& sato = rows[4];
    sato.Mail = "330-0061";
    sato.ChikuCode = "021";
    sato.MatiCode = "0101";
    sato.Add = QString::fromUtf8("さいたま市浦和区常盤9-9 'みどり'荘");
    sato.Tel = "048-111-2222";
    lum::LinkedClient& yamada = rows[7];
    yamada.Mail = "123-4567";
    yamada.ChikuCode = "011";
    yamada.MatiCode = "0203";
    yamada.Add = QString::fromUtf8("東京都千代田区千代田1-1");
    yamada.Tel = "03-1234-5678";
    yamada.Fax = "03-1234-5679";
    if (birthAsText) rows[1].BirthText = QStringLiteral("notadate");
    return rows;
}

}  // namespace linked_rows
