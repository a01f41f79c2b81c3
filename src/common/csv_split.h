#pragma once
// TCsv: the splitter of the CSV files read from other programs. It works on
// the bytes of a code page 932 line, so the second byte of a double-byte
// character is never taken for a delimiter or a quote.
#include <QByteArray>
#include <QList>

#include <limits>

namespace lum {

class TCsv {
public:
    QByteArray Line;             // the line to split, without its line end
    char Delimiter = ',';
    char Quote = '"';
    bool QuoteAware = true;      // a delimiter between an opening and a closing quote does not cut
    bool MergeDelimiters = false;  // a run of delimiters counts as one
    QList<QByteArray> Fields;    // the result

    // Splits Line into Fields, replacing what they held. An empty line gives
    // no field; a delimiter as the last byte adds an empty field. Quotes stay
    // in the fields and a doubled quote stays doubled.
    void Split();
    // How many fields Split would give, without making them: cheap on a huge
    // line. Counting stops once it passes `limit`.
    qsizetype CountFields(qsizetype limit = std::numeric_limits<qsizetype>::max()) const;
    // Whether Line ends inside a quoted value: a quote opened and never
    // closed, as in a line cut short.
    bool QuoteLeftOpen() const;
    // Removes from each field one leading quote, then one trailing quote,
    // where present; but a field that opens a quote it never closes (cut
    // inside its value) is kept as it is, so it never passes for a whole one.
    void StripQuotes();

private:
    // Gives each field to `field` (false stops the walk); true when the
    // whole line was walked and ended inside a quote.
    template <typename Field>
    bool walkFields(Field&& field) const;
};

}  // namespace lum
