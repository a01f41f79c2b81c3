#pragma once
// The engine's script interpreter over a fake page: named run-time objects, a
// free space, bands for band objects, and a count of the new pages and columns
// asked for. The report's value lookup (ExprFixture) answers every other name.
#include "expr_fixture.h"
#include "report/objects/band_view.h"
#include "report/objects/memo_view.h"
#include "report/objects/picture_view.h"
#include "report/script/report_interpreter.h"
#include "report/script/script_host.h"

#include <gtest/gtest.h>

#include <QHash>
#include <memory>
#include <vector>

namespace lum::test {

class FakeScriptPage : public ScriptHost {
public:
    std::vector<std::unique_ptr<TfrView>> objects;
    QHash<const TfrBandView*, ScriptBandBox> bands;
    int free = 0;
    int newPages = 0;
    int newColumns = 0;

    template <class T>
    T& add(const QString& name) {
        auto v = std::make_unique<T>();
        v->Name = name;
        T& ref = *v;
        objects.push_back(std::move(v));
        return ref;
    }

    TfrView* findObject(const QString& name) override {
        for (auto& o : objects)
            if (o->Name.compare(name, Qt::CaseInsensitive) == 0) return o.get();
        return nullptr;
    }
    int freeSpace() override { return free; }
    std::optional<ScriptBandBox> band(const TfrBandView& view) override {
        const auto it = bands.constFind(&view);
        return it == bands.cend() ? std::nullopt : std::optional<ScriptBandBox>(*it);
    }
    void setBand(const TfrBandView& view, const ScriptBandBox& box) override { bands[&view] = box; }
    void forceNewPage() override { ++newPages; }
    void forceNewColumn() override { ++newColumns; }
};

struct ScriptFixture : ExprFixture {
    FakeScriptPage page;
    TfrMemoView& memo = page.add<TfrMemoView>(QStringLiteral("Memo1"));

    ScriptFixture() {
        engine().ScriptPage = &page;
        engine().CurrentView = &memo;
    }
    ~ScriptFixture() { ScriptInterpreter().MaxSteps = TfrInterpretator::DefaultMaxSteps; }

    // Compiles the lines in place on the object (as page set-up does) and returns
    // the compile errors.
    QStringList compile(TfrView& view, const QStringList& lines) {
        view.Script = lines;
        CompileViewScript(view);
        return ScriptInterpreter().Errors;
    }
    // Compiles and runs on the memo; the compile errors must be none.
    void run(const QStringList& lines) {
        const QStringList errors = compile(memo, lines);
        ASSERT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
        RunViewScript(memo);
    }
    ExprValue var(const QString& name) const { return engine().ScriptVariables.GetVariable(name); }
    bool has(const QString& name) const { return engine().ScriptVariables.IndexOf(name) >= 0; }
};

}  // namespace lum::test
