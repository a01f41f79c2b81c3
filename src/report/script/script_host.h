#pragma once
// What a script sees of the report being prepared: the run-time objects of the
// page being formed, its free space, the bands the band objects configure, and
// the band being printed (for NEWPAGE and NEWCOLUMN). The page engine
// implements it and hangs it in the engine context (ScriptPage) while it forms
// pages; nothing is kept from one page set-up to the next.
#include <QString>
#include <optional>

namespace lum {

class TfrView;
class TfrBandView;

// The geometry and visibility of a run-time band.
struct ScriptBandBox {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
};

class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    // The run-time object of the page being formed with the name (letter case ignored).
    virtual TfrView* findObject(const QString& name) = 0;
    // The height left on the page being formed (bottom limit less current position).
    virtual int freeSpace() = 0;
    // The run-time band a band object configures; nothing when it configures none.
    virtual std::optional<ScriptBandBox> band(const TfrBandView& view) = 0;
    virtual void setBand(const TfrBandView& view, const ScriptBandBox& box) = 0;
    // NEWPAGE and NEWCOLUMN: the band being printed asks for a new page or column
    // (nothing when no band is being printed).
    virtual void forceNewPage() = 0;
    virtual void forceNewColumn() = 0;
};

}  // namespace lum
