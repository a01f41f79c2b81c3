#pragma once
// Template pages as a template stores them: paper, margins, columns and the
// page's objects in file order. The run-time state of page layout is not
// kept here.
#include "report/objects/view.h"

#include <QHash>
#include <QSet>
#include <vector>

namespace lum {

inline constexpr int kPaperA4 = 9;
inline constexpr int kPaperUserDefined = 256;

class TfrPage {
public:
    TfrPage();
    TfrPage(int paperSize, int paperWidth, int paperHeight, quint8 orientation);
    TfrPage(const TfrPage&) = delete;
    TfrPage& operator=(const TfrPage&) = delete;

    int PaperSize = kPaperA4;
    int PaperWidth = 2100;   // tenths of a millimetre
    int PaperHeight = 2970;  // tenths of a millimetre
    quint8 Orientation = 0;  // 0 portrait, 1 landscape
    int Margins[4] = {0, 0, 0, 0};  // left, top, right, bottom; 0 is the printer's own
    bool UseMargins = true;
    bool PrintToPrevPage = false;
    int ColCount = 1;
    int ColGap = 0;
    std::vector<std::unique_ptr<TfrView>> Objects;

    TfrView* add(std::unique_ptr<TfrView> view);
};

class TfrPages {
public:
    int Count() const { return int(pages_.size()); }
    TfrPage& operator[](int index) { return *pages_.at(size_t(index)); }
    const TfrPage& operator[](int index) const { return *pages_.at(size_t(index)); }
    // Appends an A4 portrait page.
    TfrPage& Add();
    void Clear() { pages_.clear(); }

    // The first object of any page with the name, letter case ignored.
    TfrView* FindObject(const QString& name) const;
    // `baseName` and the smallest number from 1 to 10000 that no object
    // carries as its name (case ignored); empty when all are taken.
    QString MakeUniqueName(const QString& baseName) const;

private:
    std::vector<std::unique_ptr<TfrPage>> pages_;
};

// Hands out unique names while objects are added one by one (the reader of
// old templates, which store no names). Names are only ever added, so the
// smallest free number per base name never goes down.
class UniqueNamer {
public:
    void take(const QString& name);
    QString make(const QString& baseName);

private:
    QSet<QString> taken_;         // folded to lower case
    QHash<QString, int> next_;    // per base name, the first number to try
};

}  // namespace lum
