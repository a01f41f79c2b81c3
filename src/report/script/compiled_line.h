#pragma once
// The compiled form of a script: one text line per step. The first character
// says what the line does:
//   1, target (two characters, low byte first), condition   jump to target when the condition is 0
//   2, target                                                jump to target
//   3, expression                                            evaluate and discard
//   anything else: a name, one blank, an expression          assign the value to the name
// Expressions are postfix text of the expression parser once compiled.
#include <QString>

namespace lum::compiled {

inline constexpr char16_t CondJump = 1;
inline constexpr char16_t Jump = 2;
inline constexpr char16_t Eval = 3;

// Line indexes fit two bytes; this one is never a line and means "past the end".
inline constexpr int NoTarget = 0xFFFF;
inline constexpr int MaxLines = NoTarget;

inline char16_t kind(const QString& line) { return line.isEmpty() ? 0 : line.front().unicode(); }
inline bool isJump(char16_t k) { return k == CondJump || k == Jump; }

inline QString targetChars(int index) {
    return QString(QChar(char16_t(index & 0xFF))) + QChar(char16_t((index >> 8) & 0xFF));
}
inline int targetOf(const QString& line) {
    return line.size() < 3 ? NoTarget : int(line.at(1).unicode() & 0xFF) | int(line.at(2).unicode() & 0xFF) << 8;
}
inline void setTarget(QString& line, int index) {
    const QString t = targetChars(index);
    line[1] = t[0];
    line[2] = t[1];
}

}  // namespace lum::compiled
