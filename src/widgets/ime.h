#pragma once
// The two input-method routines the windows use: the kana reading of a name
// just typed, and handing a postal code to the input method for conversion
// into an address. Behind an interface so tests can stand in for the input
// method.
#include <QString>

class QWidget;

namespace lum {

class ImeService {
public:
    virtual ~ImeService() = default;
    // The reading (half-width katakana) of the text last converted in the
    // control; empty when the input method reported none.
    virtual QString reading(QWidget* control) = 0;
    // Puts the text into the control for the input method to convert; returns
    // whether the input method's previous conversion status could be read.
    virtual bool convertText(QWidget* control, const QString& text) = 0;
};

// The service in use: the Qt one unless a test set another.
ImeService& imeService();
// Replaces the service (not owned); nullptr restores the Qt one.
void setImeService(ImeService* service);

// The routines under the names the windows call them by.
void GetImeReading(QWidget* control, QString& reading);
bool ImeConvertText(QWidget* control, const QString& text);

}  // namespace lum
