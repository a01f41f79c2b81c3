#pragma once
// The Comment table: ordered phrase lists, each named by a program key and a
// list code, that fill combo boxes throughout the application. The order of
// a list is the order of CommentIDNo, that is the order of appending.
#include "common/datetime.h"
#include "platform/db/database.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lum {

struct CommentRow {
    qint64 id = -1;  // CommentIDNo
    QString text;    // CommentText
};

class CommentStore {
public:
    explicit CommentStore(db::Database& database) : db_(database) {}

    // The phrases of one list in order. Throws db::DbError.
    QStringList texts(const QString& programName, int commentCode) const;
    std::vector<CommentRow> rows(const QString& programName, int commentCode) const;
    // Appends a phrase (Creator and Updator 0, both dates `now`); gives its CommentIDNo.
    qint64 append(const QString& programName, int commentCode, const QString& text, TDateTime now) const;
    // Deletes one phrase; throws db::NoRowTouched when it is gone already.
    void remove(qint64 id) const;

private:
    db::Database& db_;
};

// The longest phrase, in code page 932 bytes.
inline constexpr int CommentBytes = 254;

}  // namespace lum
