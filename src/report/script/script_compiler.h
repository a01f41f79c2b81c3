#pragma once
// The first pass of the script compiler: one statement (normally a BEGIN ... END
// block) read from the start of the joined source text into compiled lines whose
// expressions are still written as in the source. Jumps to statements are
// resolved here; jumps to labels (GOTO) hold the label and are resolved by the
// second pass with the labels found here.
#include "report/script/script_source.h"

#include <QHash>
#include <QStringList>

namespace lum {

class ScriptCompiler {
public:
    static constexpr int MaxLabels = 101;
    static constexpr int MaxLabelLength = 15;  // with its colon
    static constexpr int MaxSourceLength = 32000;

    explicit ScriptCompiler(const ScriptSource& source) : source_(source), t_(source.text()) {}

    // Compiles the first statement. Stops at the first error (its error line is
    // appended to errors); the lines compiled until then are kept, and a jump
    // that was never given its target leads past the end.
    void compile();

    QStringList lines;
    QStringList errors;
    // Label text with its colon -> index of the line it stands before.
    QHash<QString, int> labels;
    // Line index of each GOTO -> the position of its label in the text.
    QHash<int, qsizetype> gotoPositions;

private:
    struct Fault {
        qsizetype pos;
        QString message;
    };

    void statement();
    void block(const QString& endWord, const QString& message);
    void ifStatement();
    void whileStatement();
    void repeatStatement();
    void gotoStatement();
    void label();
    void variableStatement();
    QString expression();

    void exprExpression();
    void exprSimple();
    void exprTerm();
    void exprFactor();

    int addLine(const QString& line);
    void patch(int line, int target);
    [[noreturn]] void fail(const QString& message) const;

    void skipBlanks();
    bool atEnd() const { return p_ >= t_.size(); }
    QChar at(qsizetype i) const { return i < t_.size() ? t_.at(i) : QChar(); }
    // The keyword stands at the current position, not followed by a letter,
    // digit, "_" or "." (so ORDER is no OR).
    bool isWord(QStringView word) const;
    bool startsWith(QStringView word) const;
    bool isEnd() const;          // END, not followed by a letter, digit or "_"
    bool endsStatement() const;  // ";", END, ELSE, UNTIL or the end of the text
    qsizetype variableEnd(qsizetype from) const;

    const ScriptSource& source_;
    const QString& t_;
    qsizetype p_ = 0;
    int depth_ = 0;
};

}  // namespace lum
