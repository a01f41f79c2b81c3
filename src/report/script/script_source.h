#pragma once
// The source text of a script as the compiler reads it: comments cut, each
// source line ending in one blank, tabs made blanks, runs of blanks shrunk to
// one, all lines joined into one text. Error positions in that text are given
// back as line and column of the source.
#include <QString>
#include <QStringList>

namespace lum {

class ScriptSource {
public:
    explicit ScriptSource(const QStringList& lines);

    // The joined text the compiler reads.
    const QString& text() const { return text_; }
    // "Line 3/7: message" for an error at a position of text(): the 1-based source
    // line and column of the character there (found by counting the characters
    // that are no blanks).
    QString errorLine(qsizetype pos, const QString& message) const;

    // A source line without its comments: "//" and "{" each cut the line there
    // ("{" comments never reach past their line).
    static QString withoutComment(const QString& line);

private:
    QStringList lines_;  // comments cut, blanks as written
    QString text_;
};

}  // namespace lum
