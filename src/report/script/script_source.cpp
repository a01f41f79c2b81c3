#include "report/script/script_source.h"

namespace lum {
namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

}  // namespace

QString ScriptSource::withoutComment(const QString& line) {
    QString l = line;
    if (const qsizetype slash = l.indexOf(QStringLiteral("//")); slash >= 0) l.truncate(slash);
    if (const qsizetype brace = l.indexOf(u'{'); brace >= 0) l.truncate(brace);
    return l;
}

ScriptSource::ScriptSource(const QStringList& lines) {
    lines_.reserve(lines.size());
    QString joined;
    for (const QString& line : lines) {
        // The blank that ends the line stays when a comment is cut, so code before
        // a comment never runs into the next line.
        lines_.append(withoutComment(line));
        joined += lines_.last();
        joined += u' ';
    }
    text_.reserve(joined.size());
    for (QChar c : joined) {
        if (isBlank(c)) {
            if (!text_.isEmpty() && text_.back() == u' ') continue;
            text_ += u' ';
        } else {
            text_ += c;
        }
    }
}

QString ScriptSource::errorLine(qsizetype pos, const QString& message) const {
    qsizetype before = 0;  // characters that are no blanks before pos
    for (qsizetype i = 0; i < pos && i < text_.size(); ++i)
        if (text_.at(i) != u' ') ++before;

    int line = 1, column = 1;
    qsizetype count = 0;
    bool found = false;
    for (int l = 0; l < lines_.size() && !found; ++l) {
        const QString& s = lines_.at(l);
        for (qsizetype i = 0; i < s.size(); ++i) {
            if (isBlank(s.at(i))) continue;
            line = l + 1;
            column = int(i) + 1;
            if (count == before) {
                found = true;
                break;
            }
            ++count;
            ++column;  // just after the last character, when the error lies at the end
        }
    }
    return QStringLiteral("Line %1/%2: %3").arg(line).arg(column).arg(message);
}

}  // namespace lum
