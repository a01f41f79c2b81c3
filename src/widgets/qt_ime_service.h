#pragma once
// The input-method service on Qt. No Linux input method reports the reading of
// a committed conversion, so the service watches the input-method events of
// every widget: the last all-kana preedit text before a commit (the kana the
// user saw before converting) becomes the reading of that commit. It cannot
// drive a conversion either, so a postal code is only put into the field.
#include "widgets/ime.h"

#include <QHash>
#include <QObject>

class QInputMethodEvent;

namespace lum {

class QtImeService : public QObject, public ImeService {
    Q_OBJECT
public:
    // Watches the input-method events of the whole application.
    QtImeService();

    QString reading(QWidget* control) override;
    bool convertText(QWidget* control, const QString& text) override;

    // Records one input-method event received by the object (public for tests).
    void observe(QObject* receiver, const QInputMethodEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Track {
        QString kanaPreedit;  // the last all-kana preedit since the last commit
        QString reading;      // the reading of the last commit
    };
    Track& track(QObject* receiver);

    QHash<QObject*, Track> tracks_;
};

}  // namespace lum
