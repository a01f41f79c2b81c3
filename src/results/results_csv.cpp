#include "results/results_csv.h"

#include "common/code_tables.h"
#include "common/cp932.h"
#include "common/csv_file.h"
#include "common/csv_split.h"
#include "common/input_limits.h"
#include "common/text_helpers.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QIODevice>
#include <QTime>

#include <algorithm>
#include <cstring>

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
// A TCsv over the line's bytes, without copying them.
TCsv csvOf(QByteArrayView line) {
    TCsv csv;
    csv.Line = QByteArray::fromRawData(line.data(), line.size());
    return csv;
}

// Whether the line holds the file's number of fields: counted on its bytes,
// so a huge line is refused before anything is made of it.
bool holdsEveryField(QByteArrayView line) {
    return csvOf(line).CountFields(ResultsCsvFieldCount) == ResultsCsvFieldCount;
}

QStringList splitLine(QByteArrayView line) {
    TCsv csv = csvOf(line);
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

// The lines of a device, ended by CR LF, LF or CR, read a block at a time:
// only the line being read is held.
class LineReader {
public:
    explicit LineReader(QIODevice& in) : in_(in) {}

    // The next line without its end, valid until the next call; nothing at
    // the end of the data (or after a read error: failed()).
    std::optional<QByteArrayView> next() {
        qsizetype scan = at_;
        for (;;) {
            qsizetype end = scan;
            while (end < buffer_.size() && buffer_[end] != '\r' && buffer_[end] != '\n') ++end;
            // A CR as the last byte read may be the first half of CR LF.
            const bool crAtEdge = end + 1 == buffer_.size() && buffer_[end] == '\r' && !atEnd_;
            if (end < buffer_.size() && !crAtEdge) {
                const qsizetype start = at_;
                at_ = end + 1;
                if (buffer_[end] == '\r' && at_ < buffer_.size() && buffer_[at_] == '\n') ++at_;
                return QByteArrayView(buffer_).sliced(start, end - start);
            }
            if (atEnd_) {
                if (at_ >= buffer_.size()) return std::nullopt;
                const qsizetype start = at_;
                at_ = buffer_.size();
                return QByteArrayView(buffer_).sliced(start);
            }
            // Lines already given go (once a line: at_ stays 0 while it grows).
            buffer_.remove(0, at_);
            scan = end - at_;
            at_ = 0;
            readBlock();
        }
    }
    bool failed() const { return failed_; }

private:
    void readBlock() {
        constexpr qsizetype kBlock = 64 * 1024;
        const qsizetype held = buffer_.size();
        if (buffer_.capacity() < held + kBlock) buffer_.reserve(std::max(2 * buffer_.capacity(), held + kBlock));
        buffer_.resize(held + kBlock);
        qint64 got = in_.read(buffer_.data() + held, kBlock);
        if (got < 0) failed_ = true;
        if (got <= 0) {
            atEnd_ = true;
            got = 0;
        }
        buffer_.resize(held + got);
    }

    QIODevice& in_;
    QByteArray buffer_;
    qsizetype at_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
};

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

ResultsCsvKey ResultsCsvKeyOf(const CureResult& row) {
    const QString line = csvLineText(ResultsCsvValues(row), CsvQuoting::EveryValue);
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char*>(line.utf16()), line.size() * qsizetype(sizeof(char16_t))),
        QCryptographicHash::Sha256);
    ResultsCsvKey key;
    std::memcpy(&key.high, digest.constData(), sizeof key.high);
    std::memcpy(&key.low, digest.constData() + sizeof key.high, sizeof key.low);
    return key;
}

QString ResultsCsvRefusal::text() const { return message + u'\n' + QString::number(line) + QStringLiteral("行目"); }

std::variant<CureResult, QString> ReadResultsCsvLine(QByteArrayView line, const std::vector<StaffMember>& staff,
                                                     const WriterStamp& stamp) {
    if (!holdsEveryField(line)) return results_csv_text::FieldCount;
    if (!cp932::decodeStrict(line)) return results_csv_text::BadBytes;
    const QStringList f = splitLine(line);
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

ResultsCsvContent ReadResultsCsv(QIODevice& in, const std::vector<StaffMember>& staff, const WriterStamp& stamp) {
    ResultsCsvContent content;
    LineReader lines(in);
    int lineNo = 0;
    while (const std::optional<QByteArrayView> line = lines.next()) {
        ++lineNo;
        if (isBlankLine(*line)) continue;
        if (lineNo == 1 && holdsEveryField(*line) && cp932::decodeStrict(*line) &&
            splitLine(*line) == ResultsCsvHeader()) {
            continue;
        }
        std::variant<CureResult, QString> read = ReadResultsCsvLine(*line, staff, stamp);
        if (auto* message = std::get_if<QString>(&read)) {
            content.refusal = ResultsCsvRefusal{lineNo, *message};
            return content;
        }
        content.rows.push_back(std::move(std::get<CureResult>(read)));
        content.lines.push_back(lineNo);
    }
    if (lines.failed()) content.refusal = ResultsCsvRefusal{lineNo + 1, results_csv_text::ReadFailed};
    return content;
}

ResultsCsvContent ReadResultsCsv(QByteArrayView bytes, const std::vector<StaffMember>& staff,
                                 const WriterStamp& stamp) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    return ReadResultsCsv(in, staff, stamp);
}

}  // namespace lum
