#pragma once
// Page lists of the print dialog: "1,3,5-12". Blanks are ignored; items are
// separated by ","; an item is a page number or two numbers joined by "-"
// (every page from the first to the second; nothing when the second is
// below the first). An empty list means every page. Ranges are kept as
// ranges, so "1-2000000000" costs no more than "1-2".
#include <QList>
#include <QString>

namespace lum {

class PageList {
public:
    struct Range {
        int first, last;
    };
    // True for the empty list (every page); a list such as "3-1" selects none.
    bool isAll() const { return all_; }
    // Whether page n (1-based) is printed.
    bool contains(int page) const;
    // The first page printed of a document of `count` pages; 0 when the
    // list selects none of them ("4-5" of three pages).
    int firstOf(int count) const;
    const QList<Range>& ranges() const { return ranges_; }
    void add(int first, int last) {
        all_ = false;
        if (first <= last) ranges_.append({first, last});
    }
    void selectNone() { all_ = false; }

private:
    bool all_ = true;
    QList<Range> ranges_;
};

// False with a message naming the item when a number is not an integer.
bool ParsePageList(const QString& text, PageList& out, QString* error = nullptr);

}  // namespace lum
