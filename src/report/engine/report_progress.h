#pragma once
// The progress window's side of preparation, as an interface: the engine runs
// its job "modally" through it, updates its label once per page and lets it
// see the Cancel button. The window itself belongs to the engine's widgets;
// HeadlessProgress runs the job directly (tests, printing without a screen).
#include <QString>
#include <QStringList>
#include <functional>

namespace lum {

class ReportProgress {
public:
    virtual ~ReportProgress() = default;
    // Shows the window with a caption and a label, runs `job` inside it and
    // returns false when the window was closed with Cancel.
    virtual bool runModal(const QString& caption, const QString& label, const std::function<void()>& job) = 0;
    virtual bool isVisible() const = 0;
    virtual void setLabel(const QString& label) = 0;
    // Closes the window with OK (true) or Cancel (false).
    virtual void close(bool ok) = 0;
    // Lets the user interface breathe, so a Cancel is seen.
    virtual void processEvents() {}
    // Called when the user cancels; the report stops its build.
    std::function<void()> OnCancel;
};

class HeadlessProgress : public ReportProgress {
public:
    bool runModal(const QString& caption, const QString& label, const std::function<void()>& job) override;
    bool isVisible() const override { return visible_; }
    void setLabel(const QString& label) override;
    void close(bool ok) override;

    QStringList captions;  // every caption shown
    QStringList labels;    // every label shown
    int runs = 0;
    // Cancels as if the button were pressed when the label is set for the nth
    // time (1-based); 0 never.
    int cancelAtLabel = 0;

private:
    bool visible_ = false;
    bool ok_ = true;
};

}  // namespace lum
