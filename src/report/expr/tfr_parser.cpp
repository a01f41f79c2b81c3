#include "report/expr/tfr_parser.h"

#include "report/expr/date_format.h"

#include <cmath>
#include <vector>

namespace lum {
namespace pf = postfix;

namespace {

constexpr int MaxNesting = 200;      // Calc within Calc (IF, COPY, hooks)
constexpr int MaxReplacements = 10000;  // call results put back into one expression

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool endsPlainToken(QChar c) {
    switch (c.unicode()) {
    case u'(': case u')': case u'*': case u'+': case u'-': case u'/': case u'<': case u'=': case u'>': case u';':
        return true;
    default: return isBlank(c);
    }
}

bool isNumberStart(QChar c) { return (c >= u'0' && c <= u'9') || c == u',' || c == u'.'; }

int priority(char16_t op) {
    switch (op) {
    case pf::Int: case pf::Frac: case pf::Round: case pf::Str: return 0;
    case pf::Not: case u'*': case u'/': case pf::Mod: case pf::And: case pf::Or: return 1;
    case pf::Negate: case pf::Plus: case u'+': case u'-': return 2;
    case u'(': return 5;
    default: return 3;  // comparisons
    }
}

bool isUnary(char16_t op) {
    return op == pf::Int || op == pf::Frac || op == pf::Round || op == pf::Str || op == pf::Not ||
           op == pf::Negate || op == pf::Plus;
}

bool isOperatorChar(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 1 && u <= 14 && u != 8) || u == u'+' || u == u'-' || u == u'*' || u == u'/' || u == u'<' ||
           u == u'=' || u == u'>';
}

char16_t keywordCode(const QString& upper) {
    static const struct { const char16_t* word; char16_t code; } keywords[] = {
        {u"INT", pf::Int}, {u"FRAC", pf::Frac}, {u"ROUND", pf::Round}, {u"OR", pf::Or},
        {u"AND", pf::And}, {u"NOT", pf::Not},   {u"STR", pf::Str},     {u"MOD", pf::Mod}};
    for (const auto& k : keywords)
        if (upper == QStringView(k.word)) return k.code;
    return 0;
}

// End (index after the closing quote) of the literal opening at `open`; -1 when unterminated.
qsizetype literalEnd(QStringView s, qsizetype open) {
    for (qsizetype i = open + 1; i < s.size(); ++i) {
        if (s.at(i) != u'\'') continue;
        if (i + 1 < s.size() && s.at(i + 1) == u'\'') {
            ++i;
            continue;
        }
        return i + 1;
    }
    return -1;
}

QString literalText(QStringView literal) {  // 'it''s' -> it's
    QString t = literal.mid(1, literal.size() - 2).toString();
    t.replace(QStringLiteral("''"), QStringLiteral("'"));
    return t;
}

QString quoted(const QString& text) {
    QString t = text;
    t.replace(u'\'', QStringLiteral("''"));
    return u'\'' + t + u'\'';
}

// A call result written as 'text' or %x'text' without escaping gets its inner quotes doubled.
QString escapeResult(const QString& val) {
    const qsizetype start = val.startsWith(u'%') && val.size() >= 2 ? 2 : 0;
    if (val.size() - start >= 2 && val.at(start) == u'\'' && val.back() == u'\'')
        return val.left(start) + quoted(val.mid(start + 1, val.size() - start - 2));
    return val;
}

// End of a plain token starting at i (stops at blanks and operators outside double
// quotes). A number keeps the sign of its exponent ("1E-5", as numbers print).
qsizetype plainTokenEnd(QStringView s, qsizetype i) {
    const bool number = isNumberStart(s.at(i));
    bool inQuotes = false;
    for (; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == u'"') inQuotes = !inQuotes;
        else if (number && (c == u'+' || c == u'-') && (s.at(i - 1) == u'E' || s.at(i - 1) == u'e') &&
                 i + 1 < s.size() && s.at(i + 1).isDigit())
            continue;
        else if (!inQuotes && endsPlainToken(c)) break;
    }
    return i;
}

// Index of the ")" closing the "(" at `open` (outside single quotes and brackets), or -1.
qsizetype closingParen(QStringView s, qsizetype open) {
    int level = 0;
    for (qsizetype i = open; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == u'\'') {
            const qsizetype end = literalEnd(s, i);
            if (end < 0) return -1;
            i = end - 1;
        } else if (c == u'[') {
            const qsizetype end = matchingBracket(s, i);
            if (end < 0) return -1;
            i = end;
        } else if (c == u'(') {
            ++level;
        } else if (c == u')' && --level == 0) {
            return i;
        }
    }
    return -1;
}

std::vector<QString> splitArguments(QStringView s) {
    std::vector<QString> args;
    int level = 0;
    qsizetype from = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == u'\'') {
            const qsizetype end = literalEnd(s, i);
            i = end < 0 ? s.size() : end - 1;
        } else if (c == u'[') {
            const qsizetype end = matchingBracket(s, i);
            i = end < 0 ? s.size() : end;
        } else if (c == u'(') {
            ++level;
        } else if (c == u')') {
            --level;
        } else if (c == u',' && level == 0) {
            args.push_back(s.mid(from, i - from).toString());
            from = i + 1;
        }
    }
    args.push_back(s.mid(from).toString());
    return args;
}

// An operator without its operands, a value left over, an unmatched parenthesis.
// Calc names the expression in the message.
class IllFormed : public EParserError {
public:
    IllFormed() : EParserError(QStringLiteral("Invalid expression")) {}
};
IllFormed illFormed() { return IllFormed(); }

// Substring by characters (a surrogate pair is one character), 1-based like the templates.
QString copyChars(const QString& text, std::int64_t start, std::int64_t count) {
    const QList<uint> cps = text.toUcs4();
    if (start < 1) start = 1;
    if (count <= 0 || start > cps.size()) return {};
    const qsizetype from = static_cast<qsizetype>(start - 1);
    const qsizetype n = static_cast<qsizetype>(std::min<std::int64_t>(count, cps.size() - from));
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(cps.constData() + from), n);
}

std::int64_t wholeNumber(const ExprValue& v) {
    const double d = v.toDouble();
    if (d != std::trunc(d) || std::fabs(d) > 1e15)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(v.toString()));
    return static_cast<std::int64_t>(d);
}

struct DepthGuard {
    int& depth;
    explicit DepthGuard(int& d) : depth(d) {
        if (++depth > MaxNesting) {
            --depth;
            throw EParserError(QStringLiteral("Expression nested too deeply"));
        }
    }
    ~DepthGuard() { --depth; }
};

}  // namespace

qsizetype matchingBracket(QStringView text, qsizetype open) {
    int level = 0;
    bool single = false, dbl = false;
    for (qsizetype i = open; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"' && !single) dbl = !dbl;
        else if (c == u'\'' && !dbl) single = !single;
        else if (!single && !dbl) {
            if (c == u'[') ++level;
            else if (c == u']' && --level == 0) return i;
        }
    }
    return -1;
}

QString ExtractBracketed(const QString& text, int& startPos, int& endPos) {
    bool single = false, dbl = false;
    endPos = 0;
    for (qsizetype i = std::max(startPos, 1) - 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"' && !single) dbl = !dbl;
        else if (c == u'\'' && !dbl) single = !single;
        else if (c == u'[' && !single && !dbl) {
            startPos = static_cast<int>(i) + 1;
            const qsizetype close = matchingBracket(text, i);
            if (close < 0) return {};
            endPos = static_cast<int>(close) + 1;
            return text.mid(i + 1, close - i - 1);
        }
    }
    startPos = 0;
    return {};
}

ExprValue TfrParser::Calc(const QString& expression) {
    DepthGuard guard(depth_);
    try {
        return EvaluatePostfix(ToPostfix(expression));
    } catch (const IllFormed&) {
        throw EParserError(QStringLiteral("Invalid expression \"%1\"").arg(expression));
    }
}

ExprValue TfrParser::valueOf(const QString& name) {
    ExprValue v;
    if (OnGetValue) OnGetValue(name, v);
    return v;
}

QString TfrParser::callFunction(const QString& name, const QString (&args)[3]) {
    if (name == u"IF") {
        const ExprValue cond = Calc(args[0]);
        const bool yes = cond.type() == ExprValue::Type::Boolean ? cond.boolValue()
                                                                 : std::trunc(cond.toDouble()) > 0;
        return yes ? args[1] : args[2];  // already expression text: put back as written
    }
    if (name == u"COPY") {
        const std::int64_t start = wholeNumber(Calc(args[1]));
        const std::int64_t count = wholeNumber(Calc(args[2]));
        return quoted(copyChars(Calc(args[0]).toString(), start, count));
    }
    QString val = QStringLiteral("0");
    if (OnFunction) OnFunction(name, ExprValue(args[0]), ExprValue(args[1]), ExprValue(args[2]), val);
    return escapeResult(val);
}

QString TfrParser::ToPostfix(const QString& expression) {
    DepthGuard guard(depth_);
    QString s = expression;
    QString out;
    std::vector<char16_t> ops;
    bool operandBefore = false;
    int replacements = 0;

    const auto pushOp = [&](char16_t op) {
        while (!ops.empty() && priority(op) >= priority(ops.back())) {
            out += QChar(ops.back());
            ops.pop_back();
        }
        ops.push_back(op);
        operandBefore = false;
    };

    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s.at(i);
        if (isBlank(c)) {
            ++i;
        } else if (c == u';') {
            break;
        } else if (c == u'(') {
            ops.push_back(u'(');
            operandBefore = false;
            ++i;
        } else if (c == u')') {
            while (!ops.empty() && ops.back() != u'(') {
                out += QChar(ops.back());
                ops.pop_back();
            }
            if (ops.empty()) throw illFormed();
            ops.pop_back();
            operandBefore = true;
            ++i;
        } else if (c == u'+' || c == u'-' || c == u'*' || c == u'/' || c == u'<' || c == u'=' || c == u'>') {
            const QChar next = i + 1 < s.size() ? s.at(i + 1) : QChar();
            char16_t op = c.unicode();
            if (c == u'>' && next == u'=') op = pf::GreaterEqual;
            else if (c == u'<' && next == u'=') op = pf::LessEqual;
            else if (c == u'<' && next == u'>') op = pf::NotEqual;
            else if ((c == u'-' || c == u'+') && !operandBefore) op = c == u'-' ? pf::Negate : pf::Plus;
            i += (op == pf::GreaterEqual || op == pf::LessEqual || op == pf::NotEqual) ? 2 : 1;
            pushOp(op);
        } else {
            QString prefix;
            if (c == u'%') {
                if (i + 2 > s.size()) throw illFormed();
                prefix = s.mid(i, 2);
                i += 2;
                if (i >= s.size()) throw illFormed();
            }
            const QChar first = s.at(i);
            if (first == u'\'') {
                const qsizetype end = literalEnd(s, i);
                if (end < 0) throw EParserError(QStringLiteral("Unterminated string in \"%1\"").arg(expression));
                out += prefix;
                out += QStringView(s).mid(i, end - i);
                out += u' ';
                i = end;
                operandBefore = true;
            } else if (first == u'[') {
                const qsizetype close = matchingBracket(s, i);
                if (close < 0) throw EParserError(QStringLiteral("Missing ] in \"%1\"").arg(expression));
                out += prefix;
                out += QStringView(s).mid(i, close + 1 - i);
                out += u' ';
                i = close + 1;
                operandBefore = true;
            } else {
                const qsizetype end = plainTokenEnd(s, i);
                if (end == i) throw illFormed();  // a lone "%"
                const QString token = s.mid(i, end - i);
                const QString upper = token.toUpper();
                const char16_t kw = prefix.isEmpty() && !isNumberStart(first) ? keywordCode(upper) : 0;
                if (kw) {
                    i = end;
                    pushOp(kw);
                } else if (prefix.isEmpty() && !isNumberStart(first) && end < s.size() && s.at(end) == u'(') {
                    const qsizetype close = closingParen(s, end);
                    if (close < 0) throw EParserError(QStringLiteral("Missing ) in \"%1\"").arg(expression));
                    const std::vector<QString> parts = splitArguments(QStringView(s).mid(end + 1, close - end - 1));
                    QString args[3];
                    for (size_t a = 0; a < 3 && a < parts.size(); ++a) args[a] = parts[a].trimmed();
                    if (++replacements > MaxReplacements)
                        throw EParserError(QStringLiteral("Function results do not end in \"%1\"").arg(expression));
                    const QString result = callFunction(upper, args);
                    s = s.left(i) + u'(' + result + u')' + s.mid(close + 1);
                    // go on at the replaced text
                } else {
                    out += prefix + token + u' ';
                    i = end;
                    operandBefore = true;
                }
            }
        }
    }
    while (!ops.empty()) {
        if (ops.back() == u'(') throw illFormed();
        out += QChar(ops.back());
        ops.pop_back();
    }
    return out;
}

ExprValue TfrParser::EvaluatePostfix(const QString& pfx) {
    std::vector<ExprValue> stack;
    stack.reserve(16);
    QChar convert;
    const auto pop = [&]() {
        if (stack.empty()) throw illFormed();
        ExprValue v = std::move(stack.back());
        stack.pop_back();
        return v;
    };
    const auto push = [&](ExprValue v) {
        stack.push_back(std::move(v));
        convert = QChar();
    };

    const qsizetype n = pfx.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = pfx.at(i);
        if (c == u' ') {  // codes 9, 10 and 13 are operators here, not blanks
            ++i;
        } else if (c == u'%') {
            convert = i + 1 < n ? pfx.at(i + 1).toLower() : QChar();
            i += 2;
        } else if (c == u'\'') {
            qsizetype end = literalEnd(pfx, i);
            if (end < 0) end = n;
            const QString text = literalText(QStringView(pfx).mid(i, end - i));
            i = end;
            if (convert == u'd') {
                const auto d = strToDate(text);
                if (!d) throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
                push(ExprValue(*d));
            } else if (convert == u't') {
                const auto t = strToTime(text);
                if (!t) throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(text));
                push(ExprValue(*t));
            } else {
                push(ExprValue(text));
            }
        } else if (c == u'[') {
            qsizetype close = matchingBracket(pfx, i);
            if (close < 0) close = n;
            push(valueOf(pfx.mid(i + 1, close - i - 1)));
            i = close + 1;
        } else if (isOperatorChar(c)) {
            const char16_t op = c.unicode();
            ++i;
            if (op == pf::Plus) {
                if (stack.empty()) throw illFormed();
                continue;
            }
            if (isUnary(op)) {
                const ExprValue a = pop();
                switch (op) {
                case pf::Negate: push(exprNegate(a)); break;
                case pf::Int: push(ExprValue(std::trunc(a.toDouble()))); break;
                case pf::Frac: {
                    const double d = a.toDouble();
                    push(ExprValue(d - std::trunc(d)));
                    break;
                }
                case pf::Round: {
                    const double r = roundHalfEven(a.toDouble());
                    if (std::fabs(r) < 9.0e18) push(ExprValue(static_cast<std::int64_t>(r)));
                    else push(ExprValue(r));
                    break;
                }
                case pf::Str: push(ExprValue(a.toString())); break;
                case pf::Not: push(ExprValue(std::int64_t{exprCompare(a, ExprValue(std::int64_t{0})) == 0}));
                    break;
                }
                continue;
            }
            const ExprValue b = pop();
            const ExprValue a = pop();
            switch (op) {
            case u'+': case pf::Or: push(exprAdd(a, b)); break;
            case u'-': push(exprSubtract(a, b)); break;
            case u'*': case pf::And: push(exprMultiply(a, b)); break;
            case u'/': push(exprDivide(a, b)); break;
            case pf::Mod: push(exprMod(a, b)); break;
            default: {
                const int cmp = exprCompare(a, b);
                bool r = false;
                switch (op) {
                case u'<': r = cmp < 0; break;
                case u'=': r = cmp == 0; break;
                case u'>': r = cmp > 0; break;
                case pf::GreaterEqual: r = cmp >= 0; break;
                case pf::LessEqual: r = cmp <= 0; break;
                case pf::NotEqual: r = cmp != 0; break;
                default: throw illFormed();
                }
                push(ExprValue(std::int64_t{r ? 1 : 0}));
            }
            }
        } else {
            qsizetype end = i;
            bool inQuotes = false;
            while (end < n && (inQuotes || pfx.at(end) != u' ')) {
                if (pfx.at(end) == u'"') inQuotes = !inQuotes;
                ++end;
            }
            const QString token = pfx.mid(i, end - i);
            i = end;
            if (isNumberStart(token.front())) {
                double d = 0;
                bool ok = false;
                d = QString(token).replace(u',', u'.').toDouble(&ok);
                if (!ok) throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(token));
                push(ExprValue(d));
            } else {
                push(valueOf(token.toUpper()));
            }
        }
    }
    if (stack.empty()) return {};
    if (stack.size() != 1) throw illFormed();
    return std::move(stack.back());
}

}  // namespace lum
