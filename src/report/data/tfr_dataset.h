#pragma once
// The engine's data sources. A band walks one of them per record:
// TfrUserDataset counts a fixed number of records or lets the window step its
// own data in events; TfrDBDataSet walks a ReportDataSet, optionally only from
// the current record or only the current record.
#include "report/data/report_data_set.h"

#include <QString>
#include <exception>
#include <functional>

namespace lum {

enum TRangeBegin { rbFirst, rbCurrent };
enum TRangeEnd { reLast, reCurrent, reCount };

class TfrDataset {
public:
    explicit TfrDataset(QString name = {}) : Name(std::move(name)) {}
    virtual ~TfrDataset() = default;
    TfrDataset(const TfrDataset&) = delete;
    TfrDataset& operator=(const TfrDataset&) = delete;

    QString Name;
    TRangeBegin RangeBegin = rbFirst;
    TRangeEnd RangeEnd = reLast;
    int RangeEndCount = 0;
    std::function<void(TfrDataset*)> OnFirst;
    std::function<void(TfrDataset*)> OnNext;
    std::function<void(TfrDataset*, bool& eof)> OnCheckEOF;

    // 0 after First, plus 1 after each Next.
    int RecNo() const { return recNo_; }

    virtual void Open() {}
    virtual void Close() {}
    virtual void First();
    virtual void Next();
    virtual bool IsEof();
    // The data set a database data source walks; none for user data sources.
    virtual ReportDataSet* dataSet() { return nullptr; }

protected:
    int recNo_ = 0;
};

class TfrUserDataset : public TfrDataset {
public:
    using TfrDataset::TfrDataset;
};

// Raised when a database data source has no data set.
class EDSError : public std::exception {
public:
    explicit EDSError(QString message) : message_(std::move(message)), bytes_(message_.toUtf8()) {}
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return bytes_.constData(); }

private:
    QString message_;
    QByteArray bytes_;
};

// A window's link to one of its data sets; a database data source may walk
// the data set of such a link instead of naming the data set itself.
class TDataSource {
public:
    explicit TDataSource(ReportDataSet* dataSet = nullptr) : DataSet(dataSet) {}
    ReportDataSet* DataSet = nullptr;  // not owned
};

class TfrDBDataSet : public TfrDataset {
public:
    using TfrDataset::TfrDataset;

    ReportDataSet* DataSet = nullptr;   // not owned
    TDataSource* DataSource = nullptr;  // not owned
    // The two are exclusive: naming a data set drops the link, naming a link
    // drops the data set (an empty link drops nothing).
    void SetDataSet(ReportDataSet* dataSet);
    void SetDataSource(TDataSource* source);
    bool OpenDataSource = true;
    bool CloseDataSource = false;
    std::function<void(TfrDBDataSet*)> OnOpen;
    std::function<void(TfrDBDataSet*)> OnClose;

    // The link's data set when the link has one, else DataSet; or EDSError
    // "Unable to open dataset <name>".
    ReportDataSet& GetDataSet();
    ReportDataSet* dataSet() override;

    void Open() override;
    void Close() override;
    void First() override;
    void Next() override;
    bool IsEof() override;

private:
    QVariant openMark_;
    bool hasMark_ = false;
    bool cameBack_ = false;
};

}  // namespace lum
