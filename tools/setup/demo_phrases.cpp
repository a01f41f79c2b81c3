#include "demo_phrases.h"

#include "widgets/comment_store.h"

#include <cstring>

namespace lum::setup {

void writeDemoPhrases(db::Database& db, const char* program, int code, std::span<const char16_t* const> texts,
                      TDateTime created) {
    const CommentStore comments(db);
    const QString key = QString::fromLatin1(program);
    for (const char16_t* text : texts) comments.append(key, code, QString::fromUtf16(text), created);
}

void writeDemoPhrases(db::Database& db, std::span<const DemoPhraseList> lists, TDateTime created) {
    for (const DemoPhraseList& list : lists) writeDemoPhrases(db, list.program, list.code, list.texts, created);
}

QString demoPhrase(std::span<const DemoPhraseList> lists, const char* program, int code, int index) {
    for (const DemoPhraseList& list : lists) {
        if (list.code == code && std::strcmp(list.program, program) == 0 && !list.texts.empty())
            return QString::fromUtf16(list.texts[static_cast<size_t>(index) % list.texts.size()]);
    }
    return {};
}

}  // namespace lum::setup
