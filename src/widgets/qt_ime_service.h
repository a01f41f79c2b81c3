#pragma once
// The input-method service on Qt. No Linux input method reports the reading of
// a committed conversion, so the service watches the input-method events of
// every widget: the last all-kana preedit text before a commit (the kana the
// user saw before converting) becomes the reading of that commit. It cannot
// drive a conversion either: with an input method active, a postal code is
// put into the field's composition, for the user to convert or type over;
// without one, nothing is put there (the code is no part of the address).
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

    // Whether an input method is at work: Qt was told to load one that
    // converts (QT_IM_MODULE), or one has composed text during this run.
    bool inputMethodActive() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Track {
        QString kanaPreedit;  // the last all-kana preedit since the last commit
        QString reading;      // the reading of the last commit
    };
    Track& track(QObject* receiver);

    QHash<QObject*, Track> tracks_;
    bool composed_ = false;
    bool fromUs_ = false;  // a composition this service sent itself
};

}  // namespace lum
