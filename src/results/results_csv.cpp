#include "results/results_csv.h"

#include "common/code_tables.h"
#include "common/cp932.h"
#include "common/csv_split.h"
#include "common/input_limits.h"
#include "common/text_helpers.h"

#include <QBuffer>
#include <QIODevice>
#include <QTime>

#include <algorithm>
#include <new>

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

// Whether the line's last value is missing: a quote left open (every value
// is written quoted, so the line was cut inside one) or, for a last line
// without its line end, nothing after the last comma.
bool cutShort(QByteArrayView line, bool ended) {
    return csvOf(line).QuoteLeftOpen() || (!ended && line.endsWith(','));
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
// only the line being read is held, and of it no more than the longest
// line the file may hold and one byte.
class LineReader {
public:
    LineReader(QIODevice& in, qsizetype longest) : in_(in), longest_(longest) {}

    // The next line without its end, valid until the next call; nothing at
    // the end of the data (or after a read error: failed()). A line longer
    // than the longest comes cut after longest + 1 bytes, and is the last.
    std::optional<QByteArrayView> next() {
        if (cut_) return std::nullopt;
        ended_ = false;
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
                ended_ = true;
                return QByteArrayView(buffer_).sliced(start, end - start);
            }
            if (end - at_ > longest_) {
                cut_ = true;  // the rest of it is never read
                return QByteArrayView(buffer_).sliced(at_, longest_ + 1);
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
    // Whether the line last given had its line end: the file's last line may
    // lack one, and so may a line of a file cut short.
    bool ended() const { return ended_; }

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
    const qsizetype longest_;
    QByteArray buffer_;
    qsizetype at_ = 0;
    bool atEnd_ = false;
    bool cut_ = false;
    bool failed_ = false;
    bool ended_ = false;
};

// A name table's index as the text the export writes for it: the first
// index of that text; -1 for an empty text, as an index outside the table gives.
class ExportedNames {
public:
    explicit ExportedNames(const NameTable& table) {
        for (const QString& name : table) first_.push_back(name.isEmpty() ? -1 : table.indexOf(name));
    }
    int of(int index) const {
        return index >= 0 && index < static_cast<int>(first_.size()) ? first_[static_cast<std::size_t>(index)] : -1;
    }

private:
    std::vector<int> first_;
};

// A character as the file holds it: line breaks are written as blanks, and a
// character code page 932 has in another form as that form.
char16_t exportedChar(QChar c) {
    if (c == u'\r' || c == u'\n') return u' ';
    return cp932::normalizeChar(c.unicode());
}

// The lines of a device that hold enough commas to be read as results,
// counted in a pass over it before the reading, so the rows are held in one
// block allocated once: a vector grown by doubling would leave each of its
// earlier blocks resident in the heap, as it is once an earlier import's
// large blocks were freed (the allocator then stops mapping such blocks on
// their own). 0 for a device that cannot be read again from its start;
// nothing when it could not be taken back there.
std::optional<std::size_t> resultLinesOf(QIODevice& in) {
    if (in.isSequential()) return 0;
    const qint64 start = in.pos();
    std::size_t lines = 0;
    int commas = 0;
    QByteArray block(64 * 1024, Qt::Uninitialized);
    for (qint64 got = 0; (got = in.read(block.data(), block.size())) > 0;) {
        for (const char c : QByteArrayView(block.constData(), got)) {
            if (c == ',') {
                ++commas;
            } else if (c == '\n' || c == '\r') {
                if (commas >= ResultsCsvFieldCount - 1) ++lines;
                commas = 0;
            }
        }
    }
    if (commas >= ResultsCsvFieldCount - 1) ++lines;
    if (!in.seek(start)) return std::nullopt;
    return lines;
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

ResultsCsvKey::ResultsCsvKey(const CureResult& r) {
    static const ExportedNames sex(SexNames), jiritsu(JiritsuNames), ninchi(NinchiNames), youkaigo(YoukaigoNames),
        rihaType(RihaTypeNames);
    numbers_ = {r.CureNo,
                r.Birth.dayNumber(),
                sex.of(r.Sex),
                jiritsu.of(r.Jiritsu_KBN),
                ninchi.of(r.Ninchi_KBN),
                youkaigo.of(r.YOUKAIGO_KBN),
                r.NYUSHOBI_YMD.dayNumber(),
                r.TAISHOBI_YMD.dayNumber(),
                r.CureDate.dayNumber(),
                r.RStartTime.msecsOfDay() / 60000,  // "hh:nn"
                r.RMinute,
                rihaType.of(r.RihaType),
                r.KubunCode};
    const QStringView comment(r.Comment);
    texts_ = {r.Name, r.Kana, comment.left(cp932::leftBytesLength(comment, ResultsCsvCommentBytes)), r.StuffName};
}

bool ResultsCsvKey::operator==(const ResultsCsvKey& other) const {
    if (numbers_ != other.numbers_) return false;
    for (std::size_t t = 0; t < texts_.size(); ++t) {
        const QStringView a = texts_[t], b = other.texts_[t];
        if (a.size() != b.size()) return false;
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (a[i] != b[i] && exportedChar(a[i]) != exportedChar(b[i])) return false;
        }
    }
    return true;
}

std::size_t ResultsCsvKey::hash() const {
    // FNV-1a over the numbers and the texts as written, a text ended by a
    // unit no text holds so that "ab","c" and "a","bc" differ.
    quint64 h = 14695981039346656037ULL;
    const auto mix = [&h](quint64 v) {
        h ^= v;
        h *= 1099511628211ULL;
    };
    for (const int n : numbers_) mix(static_cast<quint32>(n));
    for (const QStringView text : texts_) {
        for (const QChar c : text) mix(exportedChar(c));
        mix(0x10000);
    }
    return static_cast<std::size_t>(h ^ (h >> 29));
}

ResultsCsvMatch::ResultsCsvMatch(const std::vector<CureResult>& rows)
    : rows_(rows), first_(rows.size()), stored_(rows.size()) {
    std::vector<std::pair<std::size_t, std::uint32_t>> byHash;
    byHash.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        byHash.emplace_back(ResultsCsvKey(rows[i]).hash(), static_cast<std::uint32_t>(i));
    }
    std::sort(byHash.begin(), byHash.end());
    // A run of one hash holds equal rows as a rule, in file order: each row
    // joins the set of the first earlier row equal to it, or starts one.
    for (auto run = byHash.begin(); run != byHash.end();) {
        const auto end = std::find_if(run, byHash.end(), [&](const auto& e) { return e.first != run->first; });
        const auto firstOfRun = firsts_.size();
        for (auto e = run; e != end; ++e) {
            const ResultsCsvKey key(rows[e->second]);
            const auto same = std::find_if(firsts_.begin() + static_cast<std::ptrdiff_t>(firstOfRun), firsts_.end(),
                                           [&](const auto& f) { return ResultsCsvKey(rows[f.second]) == key; });
            if (same != firsts_.end()) {
                first_[e->second] = same->second;
            } else {
                first_[e->second] = e->second;
                firsts_.push_back(*e);
            }
        }
        run = end;
    }
    firsts_.shrink_to_fit();
}

void ResultsCsvMatch::countStored(const CureResult& stored) {
    const ResultsCsvKey key(stored);
    const std::size_t h = key.hash();
    auto f = std::lower_bound(firsts_.begin(), firsts_.end(), std::pair<std::size_t, std::uint32_t>(h, 0));
    for (; f != firsts_.end() && f->first == h; ++f) {
        if (ResultsCsvKey(rows_[f->second]) == key) {
            ++stored_[f->second];
            return;
        }
    }
}

std::vector<bool> ResultsCsvMatch::added() const {
    std::vector<int> toSkip = stored_;
    std::vector<bool> added(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        int& skip = toSkip[first_[i]];
        added[i] = skip == 0;
        if (skip > 0) --skip;
    }
    return added;
}

QString ResultsCsvRefusal::text() const { return message + u'\n' + QString::number(line) + QStringLiteral("行目"); }

std::variant<CureResult, QString> ReadResultsCsvLine(QByteArrayView line, const std::vector<StaffMember>& staff,
                                                     const WriterStamp& stamp, bool ended) {
    if (line.size() > ResultsCsvLongestLine) return results_csv_text::LineTooLong;
    if (!holdsEveryField(line) || cutShort(line, ended)) return results_csv_text::FieldCount;
    // No text column takes a NUL on every backend; in code page 932 a zero
    // byte is never half of a character.
    if (line.contains('\0')) return results_csv_text::NulCharacter;
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
    const std::optional<std::size_t> resultLines = resultLinesOf(in);
    if (!resultLines) {
        content.refusal = ResultsCsvRefusal{1, results_csv_text::ReadFailed};
        return content;
    }
    LineReader lines(in, ResultsCsvLongestLine);
    int lineNo = 0;
    while (const std::optional<QByteArrayView> line = lines.next()) {
        ++lineNo;
        if (isBlankLine(*line) && line->size() <= ResultsCsvLongestLine) continue;
        if (lineNo == 1 && holdsEveryField(*line) && cp932::decodeStrict(*line) &&
            splitLine(*line) == ResultsCsvHeader()) {
            continue;
        }
        std::variant<CureResult, QString> read = ReadResultsCsvLine(*line, staff, stamp, lines.ended());
        if (auto* message = std::get_if<QString>(&read)) {
            content.refusal = ResultsCsvRefusal{lineNo, *message};
            return content;
        }
        if (content.rows.empty()) {  // a file refused at its first line reserves nothing
            try {
                content.rows.reserve(*resultLines);
                content.lines.reserve(*resultLines);
            } catch (const std::bad_alloc&) {
                // More lines than can be reserved: the rows grow as they come.
            }
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
