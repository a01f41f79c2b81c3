#include "results/results_csv.h"

#include "common/code_tables.h"
#include "common/cp932.h"
#include "common/csv_split.h"
#include "common/input_limits.h"
#include "common/text_helpers.h"

#include <QTime>

namespace lum {
namespace {

// The field positions, from 0.
enum Field {
    CureNoField, NameField, KanaField, BirthField, SexField, JiritsuField, NinchiField, YoukaigoField, NyushoField,
    TaishoField, CureDateField, StartField, MinuteField, TypeField, KubunField, CommentField, StaffField,
};

QString withoutLineBreaks(QString value) {
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

// The fields of a line: split on bytes, quotes stripped, the doubled quotes
// of a quoted value undoubled, decoded (the line is code page 932 throughout).
QStringList splitLine(QByteArrayView line) {
    TCsv csv;
    csv.Line = line.toByteArray();
    csv.Split();
    std::vector<bool> quoted;
    for (const QByteArray& f : csv.Fields) quoted.push_back(f.startsWith(csv.Quote));
    csv.StripQuotes();
    QStringList fields;
    for (qsizetype i = 0; i < csv.Fields.size(); ++i) {
        QString value = cp932::decode(csv.Fields[i]);
        if (quoted[static_cast<size_t>(i)]) value.replace(QStringLiteral("\"\""), QStringLiteral("\""));
        fields << value;
    }
    return fields;
}

// A stored degree: its index in the table, -1 for an empty text; nothing
// for any other text.
std::optional<int> degreeIndex(const NameTable& table, const QString& text) {
    if (text.isEmpty()) return -1;
    const int i = table.indexOf(text);
    if (i < 0) return std::nullopt;
    return i;
}

int rihaTypeOf(const QString& text) {
    static const char16_t* const prefixes[] = {u"入所", u"短期", u"通所", u"訪問"};
    for (int t = 0; t < 4; ++t) {
        if (text.startsWith(QString::fromUtf16(prefixes[t]))) return t;
    }
    return -1;
}

bool nameFits(const QString& text) {
    return cp932::byteLength(text) <= ResultsCsvNameBytes && text.size() <= ResultsCsvNameChars;
}

bool isBlankLine(QByteArrayView line) {
    for (const char c : line) {
        if (c != ' ' && c != '\t') return false;
    }
    return true;
}

}  // namespace

const QStringList& ResultsCsvHeader() {
    static const QStringList header = {
        QStringLiteral("利用者番号"), QStringLiteral("氏名"),   QStringLiteral("カナ氏名"), QStringLiteral("生年月日"),
        QStringLiteral("性別"),       QStringLiteral("自立区分"), QStringLiteral("認知区分"), QStringLiteral("要介護区分"),
        QStringLiteral("入所日"),     QStringLiteral("退所日"), QStringLiteral("利用日"),   QStringLiteral("開始時間"),
        QStringLiteral("分"),         QStringLiteral("形態"),   QStringLiteral("区分"),     QStringLiteral("備考"),
        QStringLiteral("担当者")};
    return header;
}

QStringList ResultsCsvValues(const CureResult& r) {
    const QStringList values = {CureNoText(r.CureNo),
                                r.Name,
                                r.Kana,
                                r.Birth.toDateText(),
                                SexNames[r.Sex],
                                JiritsuNames[r.Jiritsu_KBN],
                                NinchiNames[r.Ninchi_KBN],
                                YoukaigoNames[r.YOUKAIGO_KBN],
                                r.NYUSHOBI_YMD.toDateText(),
                                r.TAISHOBI_YMD.toDateText(),
                                r.CureDate.toDateText(),
                                r.RStartTime.time().toString(QStringLiteral("HH:mm")),
                                QString::number(r.RMinute),
                                RihaTypeNames[r.RihaType],
                                QString::number(r.KubunCode),
                                cp932::leftBytes(withoutLineBreaks(r.Comment), ResultsCsvCommentBytes),
                                r.StuffName};
    QStringList out;
    for (const QString& v : values) out << withoutLineBreaks(v);
    return out;
}

QString ResultsCsvRefusal::text() const { return message + u'\n' + QString::number(line) + QStringLiteral("行目"); }

std::variant<CureResult, QString> ReadResultsCsvLine(QByteArrayView line, const std::vector<StaffMember>& staff,
                                                     const WriterStamp& stamp) {
    if (!cp932::decodeStrict(line)) return results_csv_text::BadBytes;
    const QStringList f = splitLine(line);
    if (f.size() != ResultsCsvFieldCount) return results_csv_text::FieldCount;
    const QString day = u'\n' + f[CureDateField];  // shown after most messages

    CureResult r;
    r.ReserveNo = -1;
    const std::optional<int> cureNo = parseWholeNumber(f[CureNoField]);
    if (!cureNo) return QStringLiteral("治療番号の変換に失敗しました。\n") + f[CureNoField];
    r.CureNo = *cureNo;
    if (!nameFits(f[NameField])) return QStringLiteral("氏名の変換に失敗しました。\nサイズエラー");
    r.Name = f[NameField];
    if (!nameFits(f[KanaField])) return QStringLiteral("かな氏名の変換に失敗しました。\nサイズエラー");
    r.Kana = f[KanaField];
    const std::optional<TDateTime> birth = parseDateTimeText(f[BirthField]);
    if (!birth) return QStringLiteral("利用日の変換に失敗しました。") + day;
    r.Birth = birth->dateOnly();
    if (f[SexField].startsWith(u'男')) {
        r.Sex = 0;
    } else if (f[SexField].startsWith(u'女')) {
        r.Sex = 1;
    } else {
        return QStringLiteral("性別の変換に失敗しました。");
    }
    const QString degreeMessage = QStringLiteral("自立区分の変換に失敗しました。");
    const std::optional<int> jiritsu = degreeIndex(JiritsuNames, f[JiritsuField]);
    if (!jiritsu) return degreeMessage;
    const std::optional<int> ninchi = degreeIndex(NinchiNames, f[NinchiField]);
    if (!ninchi) return degreeMessage;
    const std::optional<int> youkaigo = degreeIndex(YoukaigoNames, f[YoukaigoField]);
    if (!youkaigo) return degreeMessage;
    r.Jiritsu_KBN = *jiritsu;
    r.Ninchi_KBN = *ninchi;
    r.YOUKAIGO_KBN = *youkaigo;
    const std::optional<TDateTime> nyusho = parseDateTimeText(f[NyushoField]);
    if (!nyusho) return QStringLiteral("入所日の変換に失敗しました。") + day;
    r.NYUSHOBI_YMD = nyusho->dateOnly();
    const std::optional<TDateTime> taisho = parseDateTimeText(f[TaishoField]);
    if (!taisho) return QStringLiteral("退所日の変換に失敗しました。") + day;
    r.TAISHOBI_YMD = taisho->dateOnly();
    const std::optional<TDateTime> cureDate = parseDateTimeText(f[CureDateField]);
    if (!cureDate) return QStringLiteral("利用日の変換に失敗しました。") + day;
    r.CureDate = cureDate->dateOnly();
    const std::optional<TDateTime> start = parseDateTimeText(f[StartField]);
    if (!start) return QStringLiteral("利用日の変換に失敗しました。") + day;
    // The file holds hours and minutes: a start is stored to the minute.
    const QTime clock = start->time();
    r.RStartTime = TDateTime::fromYmdHms(1899, 12, 30, clock.hour(), clock.minute());
    const std::optional<int> minutes = parseWholeNumber(f[MinuteField]);
    if (!minutes || *minutes < 0) return QStringLiteral("利用日の変換に失敗しました。") + day;
    r.RMinute = *minutes;
    r.RihaType = rihaTypeOf(f[TypeField]);
    if (r.RihaType < 0) return QStringLiteral("リハビリ形態の変換に失敗しました。");
    const std::optional<int> kubun = parseWholeNumber(f[KubunField]);
    if (!kubun) return QStringLiteral("区分の変換に失敗しました。") + day;
    if (*kubun < 0 || *kubun > 15) return QStringLiteral("区分コードにエラーがあります。") + day;
    r.KubunCode = *kubun;
    if (cp932::byteLength(f[CommentField]) > ResultsCsvCommentBytes) {
        return QStringLiteral("コメントの変換に失敗しました。\nサイズエラー");
    }
    r.Comment = f[CommentField].isNull() ? QStringLiteral("") : f[CommentField];
    const QString staffName = asciiTrim(f[StaffField]);
    if (staffName.isEmpty()) {
        r.StuffCode = -1;
        r.StuffName = QStringLiteral("");
        r.StuffKigo = QStringLiteral("");
    } else if (const StaffMember* member = FindStaffByName(staff, staffName)) {
        r.StuffCode = member->code;
        r.StuffName = member->name;
        r.StuffKigo = member->symbol;
    } else {
        return QStringLiteral("未登録スタッフエラーです。\n") + staffName;
    }

    r.PStartTime = StartTimeOnEmptyDate(stamp.Now);
    r.PMinute = 0;
    r.Flags = CategoryFlagsOf(r.RihaType, r.KubunCode);
    r.KubunDate = stamp.Now;
    r.ROOM_NO = QStringLiteral("");
    r.HP_TAISHO_YMD = TDateTime();  // not in the file: none
    r.LoginCD = stamp.LoginCD;
    r.LoginName = stamp.LoginName;
    r.UpdateDate = stamp.Now;
    return r;
}

ResultsCsvContent ReadResultsCsv(QByteArrayView bytes, const std::vector<StaffMember>& staff,
                                 const WriterStamp& stamp) {
    ResultsCsvContent content;
    int lineNo = 0;
    qsizetype at = 0;
    while (at < bytes.size()) {
        qsizetype end = at;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        const QByteArrayView line = bytes.sliced(at, end - at);
        at = end;
        if (at < bytes.size() && bytes[at] == '\r') ++at;  // CR LF, LF or CR ends a line
        if (at < bytes.size() && bytes[at] == '\n') ++at;
        ++lineNo;
        if (isBlankLine(line)) continue;
        if (lineNo == 1 && cp932::decodeStrict(line) && splitLine(line) == ResultsCsvHeader()) continue;
        std::variant<CureResult, QString> read = ReadResultsCsvLine(line, staff, stamp);
        if (auto* message = std::get_if<QString>(&read)) {
            content.refusal = ResultsCsvRefusal{lineNo, *message};
            return content;
        }
        content.rows.push_back(std::move(std::get<CureResult>(read)));
        content.lines.push_back(lineNo);
    }
    return content;
}

}  // namespace lum
