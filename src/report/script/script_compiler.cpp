#include "report/script/script_compiler.h"

#include "report/expr/tfr_parser.h"
#include "report/script/compiled_line.h"

namespace lum {
namespace {

constexpr int MaxNesting = 200;  // statements and parentheses within each other

bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'.'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QString required(const char* what) { return QStringLiteral("%1 required").arg(QLatin1String(what)); }

}  // namespace

void ScriptCompiler::compile() {
    try {
        if (t_.size() > MaxSourceLength) {
            p_ = MaxSourceLength;
            fail(QStringLiteral("script longer than %1 characters").arg(MaxSourceLength));
        }
        statement();
    } catch (const Fault& f) {
        errors.append(source_.errorLine(f.pos, f.message));
    }
}

void ScriptCompiler::fail(const QString& message) const { throw Fault{p_, message}; }

void ScriptCompiler::skipBlanks() {
    while (!atEnd() && t_.at(p_) == u' ') ++p_;
}

bool ScriptCompiler::startsWith(QStringView word) const {
    return QStringView(t_).mid(p_).startsWith(word, Qt::CaseInsensitive);
}

bool ScriptCompiler::isWord(QStringView word) const {
    return startsWith(word) && !isNameChar(at(p_ + word.size()));
}

bool ScriptCompiler::isEnd() const {
    const QChar next = at(p_ + 3);
    return startsWith(u"END") && !next.isLetterOrNumber() && next != u'_';
}

bool ScriptCompiler::endsStatement() const {
    return atEnd() || at(p_) == u';' || isEnd() || isWord(u"ELSE") || isWord(u"UNTIL");
}

qsizetype ScriptCompiler::variableEnd(qsizetype from) const {
    if (!at(from).isLetter()) return from;
    qsizetype i = from + 1;
    while (i < t_.size() && isNameChar(t_.at(i))) ++i;
    return i;
}

int ScriptCompiler::addLine(const QString& line) {
    if (lines.size() >= compiled::MaxLines) fail(QStringLiteral("script too long"));
    lines.append(line);
    return int(lines.size()) - 1;
}

void ScriptCompiler::patch(int line, int target) { compiled::setTarget(lines[line], target); }

void ScriptCompiler::statement() {
    if (++depth_ > MaxNesting) fail(QStringLiteral("statements nested too deeply"));
    skipBlanks();
    if (isWord(u"BEGIN")) {
        p_ += 5;
        block(QStringLiteral("END"), required("\";\" or \"end\""));
    } else if (isWord(u"IF")) {
        ifStatement();
    } else if (isWord(u"WHILE")) {
        whileStatement();
    } else if (isWord(u"REPEAT")) {
        repeatStatement();
    } else if (isWord(u"GOTO")) {
        gotoStatement();
    } else if (endsStatement()) {
        // an empty statement: the word is left for the enclosing statement
    } else if (isDigit(at(p_))) {
        qsizetype e = p_;
        while (isDigit(at(e))) ++e;
        if (at(e) == u':' && at(e + 1) != u'=') label();
        else addLine(QChar(compiled::Eval) + expression());
    } else if (at(p_).isLetter() && at(variableEnd(p_)) != u'(') {
        variableStatement();
    } else {
        addLine(QChar(compiled::Eval) + expression());
    }
    --depth_;
}

// Statements separated by ";" up to the closing word (END of BEGIN, UNTIL of REPEAT).
void ScriptCompiler::block(const QString& endWord, const QString& message) {
    for (;;) {
        statement();
        skipBlanks();
        if (at(p_) == u';') {
            ++p_;
            continue;
        }
        // END closes a block also when a sign follows at once ("END;", "END."); a
        // name that only begins with it (EndDate) is no END.
        if (endWord == u"END" ? isEnd() : isWord(endWord)) {
            p_ += endWord.size();
            return;
        }
        fail(message);
    }
}

void ScriptCompiler::ifStatement() {
    p_ += 2;
    const QString condition = expression();
    skipBlanks();
    if (!isWord(u"THEN")) fail(required("\"then\""));
    p_ += 4;
    const int test = addLine(QChar(compiled::CondJump) + compiled::targetChars(compiled::NoTarget) + condition);
    statement();
    skipBlanks();
    if (isWord(u"ELSE")) {
        p_ += 4;
        const int skip = addLine(QChar(compiled::Jump) + compiled::targetChars(compiled::NoTarget));
        patch(test, int(lines.size()));
        statement();
        patch(skip, int(lines.size()));
    } else {
        patch(test, int(lines.size()));
    }
}

void ScriptCompiler::whileStatement() {
    p_ += 5;
    const int start = int(lines.size());
    const QString condition = expression();
    skipBlanks();
    if (!isWord(u"DO")) fail(required("\"do\""));
    p_ += 2;
    const int test = addLine(QChar(compiled::CondJump) + compiled::targetChars(compiled::NoTarget) + condition);
    statement();
    addLine(QChar(compiled::Jump) + compiled::targetChars(start));
    patch(test, int(lines.size()));
}

void ScriptCompiler::repeatStatement() {
    p_ += 6;
    const int start = int(lines.size());
    block(QStringLiteral("UNTIL"), required("\";\" or \"until\""));
    const QString condition = expression();
    addLine(QChar(compiled::CondJump) + compiled::targetChars(start) + condition);
}

void ScriptCompiler::gotoStatement() {
    p_ += 4;
    skipBlanks();
    const qsizetype from = p_;
    while (isDigit(at(p_))) ++p_;
    if (p_ == from || isNameChar(at(p_))) {
        p_ = from;
        fail(QStringLiteral("goto label must be a number"));
    }
    const int line = addLine(QChar(compiled::Jump) + compiled::targetChars(compiled::NoTarget) + t_.mid(from, p_ - from));
    gotoPositions.insert(line, from);
}

void ScriptCompiler::label() {
    const qsizetype from = p_;
    while (isDigit(at(p_))) ++p_;
    ++p_;  // the colon
    const QString text = t_.mid(from, p_ - from);
    if (text.size() > MaxLabelLength) {
        p_ = from;
        fail(QStringLiteral("label longer than %1 characters").arg(MaxLabelLength));
    }
    if (labels.contains(text)) {
        p_ = from;
        fail(QStringLiteral("label %1 defined twice").arg(text.chopped(1)));
    }
    if (labels.size() >= MaxLabels) {
        p_ = from;
        fail(QStringLiteral("more than %1 labels").arg(MaxLabels));
    }
    labels.insert(text, int(lines.size()));
    statement();
}

void ScriptCompiler::variableStatement() {
    const qsizetype from = p_;
    p_ = variableEnd(p_);
    const QString name = t_.mid(from, p_ - from);
    QString index;
    if (at(p_) == u'[') {
        const qsizetype close = matchingBracket(t_, p_);
        if (close < 0) fail(required("\"]\""));
        index = t_.mid(p_ + 1, close - p_ - 1).trimmed();
        p_ = close + 1;
    }
    skipBlanks();
    if (startsWith(u":=")) {
        p_ += 2;
        const QString value = expression();
        if (index.isNull()) addLine(name + u' ' + value);
        else addLine(QChar(compiled::Eval) + QStringLiteral("SETARRAY(%1, %2, %3)").arg(name, index, value));
    } else if (index.isNull() && endsStatement()) {
        addLine(QChar(compiled::Eval) + name + QStringLiteral("(0)"));  // a procedure call
    } else {
        fail(required("\":=\""));
    }
}

// ---- Expressions: only where one ends is found here; the parser evaluates them.

QString ScriptCompiler::expression() {
    skipBlanks();
    const qsizetype from = p_;
    exprExpression();
    return t_.mid(from, p_ - from).trimmed();
}

void ScriptCompiler::exprExpression() {
    if (++depth_ > MaxNesting) fail(QStringLiteral("expression nested too deeply"));
    exprSimple();
    skipBlanks();
    if (startsWith(u">=") || startsWith(u"<=") || startsWith(u"<>")) {
        p_ += 2;
        exprSimple();
    } else if (at(p_) == u'>' || at(p_) == u'<' || at(p_) == u'=') {
        ++p_;
        exprSimple();
    }
    --depth_;
}

void ScriptCompiler::exprSimple() {
    for (;;) {
        exprTerm();
        skipBlanks();
        if (at(p_) == u'+' || at(p_) == u'-') ++p_;
        else if (isWord(u"OR")) p_ += 2;
        else return;
    }
}

void ScriptCompiler::exprTerm() {
    for (;;) {
        exprFactor();
        skipBlanks();
        if (at(p_) == u'*' || at(p_) == u'/') ++p_;
        else if (isWord(u"AND") || isWord(u"MOD")) p_ += 3;
        else return;
    }
}

void ScriptCompiler::exprFactor() {
    skipBlanks();
    const QChar c = at(p_);
    if (c == u'(') {
        ++p_;
        exprExpression();
        skipBlanks();
        if (at(p_) != u')') fail(required("\")\""));
        ++p_;
    } else if (c == u'[') {
        const qsizetype close = matchingBracket(t_, p_);
        if (close < 0) fail(required("\"]\""));
        p_ = close + 1;
    } else if (c == u'+' || c == u'-') {
        ++p_;
        exprExpression();
    } else if (isWord(u"NOT")) {
        p_ += 3;
        exprExpression();
    } else if (c == u'\'' || (c == u'%' && at(p_ + 1).isLetter() && at(p_ + 2) == u'\'')) {
        if (c == u'%') p_ += 2;
        for (++p_;; ++p_) {
            if (atEnd()) fail(required("\"'\""));
            if (at(p_) != u'\'') continue;
            if (at(p_ + 1) == u'\'') {
                ++p_;
                continue;
            }
            ++p_;
            break;
        }
    } else if (isDigit(c) || (c == u'.' && isDigit(at(p_ + 1)))) {
        while (isDigit(at(p_)) || at(p_) == u'.') ++p_;
        if ((at(p_) == u'E' || at(p_) == u'e') &&
            (isDigit(at(p_ + 1)) || ((at(p_ + 1) == u'+' || at(p_ + 1) == u'-') && isDigit(at(p_ + 2))))) {
            p_ += 2;
            while (isDigit(at(p_))) ++p_;
        }
    } else if (c.isLetter()) {
        p_ = variableEnd(p_);
        if (at(p_) != u'(') return;
        ++p_;
        skipBlanks();
        if (at(p_) == u')') {
            ++p_;
            return;
        }
        for (;;) {
            exprExpression();
            skipBlanks();
            if (at(p_) == u',') {
                ++p_;
            } else if (at(p_) == u')') {
                ++p_;
                return;
            } else {
                fail(required("\",\" or \")\""));
            }
        }
    } else {
        fail(QStringLiteral("expression expected"));
    }
}

}  // namespace lum
