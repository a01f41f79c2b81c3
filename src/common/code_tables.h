#pragma once
// The constant name tables that turn the small integers stored for a client
// into the texts shown, printed and written to CSV files, and the lookups that
// turn such texts back into integers.
#include <QString>
#include <QStringView>
#include <initializer_list>
#include <vector>

namespace lum {

// A read-only table of names indexed from 0 by a stored integer. An index
// outside the table gives an empty text: stored values are not trusted.
class NameTable {
public:
    NameTable(std::initializer_list<const char16_t*> names);

    int size() const { return static_cast<int>(names_.size()); }
    QString operator[](int index) const { return at(index); }
    QString at(int index) const;
    // The index of the first entry equal to the text (exact, case and width
    // included); -1 when none is.
    int indexOf(QStringView text) const;

    auto begin() const { return names_.begin(); }
    auto end() const { return names_.end(); }

private:
    std::vector<QString> names_;
};

extern const NameTable SexNames;           // Person.Sex
extern const NameTable JiritsuNames;       // Jiritsu_KBN, the bedridden degree
extern const NameTable NinchiNames;        // Ninchi_KBN, the dementia degree
extern const NameTable YoukaigoNames;      // YOUKAIGO_KBN, the care level
extern const NameTable UmuNames;           // presence items of the treatment plan
extern const NameTable GradeNames;         // grade items of the treatment plan
extern const NameTable AssistNames;        // assistance items of the treatment plan
extern const NameTable SeverityNames;
extern const NameTable WeekdayNames;       // Monday = 0
extern const NameTable WeekdayShortNames;  // Monday = 0
extern const NameTable RihaTypeNames;      // RihaType: 0 residents, 1 short stay, 2 day care, 3 home visits

int JiritsuIndex(QStringView text);
int NinchiIndex(QStringView text);
int YoukaigoIndex(QStringView text);

// The login loop runs for tries 0 to LoginRetry, that is three tries.
inline constexpr int LoginRetry = 2;

}  // namespace lum
