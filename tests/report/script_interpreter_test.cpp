#include "report/objects/report_template.h"
#include "report/script/script_check.h"
#include "report/script/script_error.h"
#include "report/values/tfr_variables.h"
#include "script_fixture.h"

#include <gtest/gtest.h>

using namespace lum;
using lum::test::ScriptFixture;

namespace {

QStringList linesOf(std::initializer_list<const char*> lines) {
    QStringList out;
    for (const char* l : lines) out << QString::fromUtf8(l);
    return out;
}

}  // namespace

TEST(TfrVariables, NamesIgnoreCaseAndOccurOnce) {
    TfrVariables v;
    v.SetVariable(QStringLiteral("Total"), ExprValue(1));
    v.SetVariable(QStringLiteral("name"), ExprValue(QStringLiteral("山田")));
    v.SetVariable(QStringLiteral("TOTAL"), ExprValue(5));
    EXPECT_EQ(v.Count(), 2);
    EXPECT_EQ(v.IndexOf(QStringLiteral("total")), 0);
    EXPECT_EQ(v.Name(0), QStringLiteral("Total"));  // the first spelling stays
    EXPECT_EQ(v.GetVariable(QStringLiteral("Total")), ExprValue(5));
    EXPECT_TRUE(v.GetVariable(QStringLiteral("absent")).isEmpty());
    EXPECT_EQ(v.IndexOf(QStringLiteral("absent")), -1);
    v.Delete(7);
    v.Delete(-1);
    EXPECT_EQ(v.Count(), 2);
    v.Delete(0);
    EXPECT_EQ(v.IndexOf(QStringLiteral("NAME")), 0);
    v.Clear();
    EXPECT_EQ(v.Count(), 0);
}

// What small scripts leave in the script variables.
TEST(ScriptInterpreter, StatementsTable) {
    struct Row {
        std::initializer_list<const char*> script;
        const char* name;
        const char* value;  // nullptr: the name is not set
    };
    const Row rows[] = {
        {{"BEGIN x := 1; y := x + 1 END"}, "y", "2"},
        {{"begin X := 3; Y := x * 2 end"}, "y", "6"},                           // keywords and names in any case
        {{"x := 1; y := 2"}, "y", nullptr},                                     // only the first statement
        {{"BEGIN i := 0; WHILE i < 3 DO i := i + 1 END"}, "i", "3"},            // condition read afresh
        {{"BEGIN i := 0; WHILE i < 0 DO i := 9 END"}, "i", "0"},
        {{"BEGIN i := 0; s := 0; WHILE i < 4 DO BEGIN i := i + 1; s := s + i END END"}, "s", "10"},
        {{"BEGIN i := 0; REPEAT i := i + 2 UNTIL i >= 5 END"}, "i", "6"},
        {{"BEGIN i := 7; REPEAT i := i + 1; i := i * 2; UNTIL i > 0 END"}, "i", "16"},  // runs at least once
        {{"BEGIN i := 5; IF i > 3 THEN r := 'big' ELSE r := 'small' END"}, "r", "big"},
        {{"BEGIN i := 1; IF i > 3 THEN r := 'big' ELSE r := 'small' END"}, "r", "small"},
        {{"BEGIN r := 'a'; IF 1 > 2 THEN r := 'b' END"}, "r", "a"},
        {{"BEGIN IF 1 < 2 THEN IF 2 < 1 THEN r := 1 ELSE r := 2 END"}, "r", "2"},  // ELSE of the inner IF
        {{"BEGIN i := 0; 10: i := i + 1; IF i < 4 THEN GOTO 10 END"}, "i", "4"},
        {{"BEGIN GOTO 20; x := 1; 20: y := 2 END"}, "x", nullptr},
        {{"BEGIN GOTO 20; x := 1; 20: y := 2 END"}, "y", "2"},
        {{"BEGIN", "  x := 1; { a note", "  y := x + 1 // another", "END"}, "y", "2"},
        {{"BEGIN { the first line only", "x := 4 END"}, "x", "4"},  // "{" never reaches past its line
        {{"BEGIN", "\ty\t:=   'a''b'  +  'c'", "END"}, "y", "a'bc"},
        {{"BEGIN x := 2; x := x MOD 2 = 0 AND (x > 1) END"}, "x", "1"},
        {{"BEGIN x := NOT 0 END"}, "x", "1"},
        {{"BEGIN x := -3 + 1 END"}, "x", "-2"},
        {{"BEGIN x := [Age] + 1 END"}, "x", "81"},  // bracketed names from the report's lookup
        {{"BEGIN x := 1; END"}, "x", "1"},          // an empty statement before END
        {{"BEGIN ; x := 1 END"}, "x", "1"},
        {{"BEGIN x := clRed END"}, "x", "255"},
        {{"BEGIN x := True END"}, "x", "True"},
        {{"BEGIN EndDate := 5; x := EndDate + 1 END."}, "x", "6"},  // a name that begins with END
        {{"BEGIN BEGIN x := 1 END; y := 2 END;"}, "y", "2"},
    };
    for (const Row& row : rows) {
        ScriptFixture f;
        f.window.insert(QStringLiteral("Age"), ExprValue(80));
        const QStringList script = linesOf(row.script);
        SCOPED_TRACE(script.join(u'|').toStdString());
        f.run(script);
        if (!row.value) {
            EXPECT_FALSE(f.has(QString::fromUtf8(row.name)));
        } else {
            ASSERT_TRUE(f.has(QString::fromUtf8(row.name)));
            EXPECT_EQ(f.var(QString::fromUtf8(row.name)).toString(), QString::fromUtf8(row.value));
        }
    }
}

TEST(ScriptInterpreter, VariablesReadAsBracketedNamesInMemosOfLaterReports) {
    ScriptFixture f;
    f.run({QStringLiteral("BEGIN x := 1; y := x + 1 END")});
    EXPECT_EQ(f.text(QStringLiteral("y")), QStringLiteral("2"));
    engine().forgetReport(nullptr);  // the report is done; the next one reads the same variables
    ReportValueLookup next;
    next.bindParser();
    EXPECT_EQ(next.ExpandExpression(QStringLiteral("y"), 0, {}), QStringLiteral("2"));
}

TEST(ScriptInterpreter, PropertiesByName) {
    ScriptFixture f;
    auto& memo2 = f.page.add<TfrMemoView>(QStringLiteral("Memo2"));
    auto& picture = f.page.add<TfrPictureView>(QStringLiteral("Picture1"));
    f.window.insert(QStringLiteral("FONTSIZE"), ExprValue(99));
    f.window.insert(QStringLiteral("PICTURE1.FONTSIZE"), ExprValue(98));

    f.run(linesOf({"BEGIN",
                   "  Left := 10; Top := Left + 5; Width := 200; Height := 30;",  // the object whose script runs
                   "  memo2.left := 7; MEMO2.FontName := 'ＭＳ 明朝'; Memo2.FontSize := 14;",
                   "  Memo2.FontStyle := 2 + 4; Memo2.FontColor := clRed; Memo2.Adjust := 2;",
                   "  Memo2.FillColor := clTransparent; Memo2.FrameColor := clBlue; Memo2.FrameTyp := 15;",
                   "  Memo2.FrameWidth := 1.5; Memo2.Flags := 3; Memo2.Text := 'a' + 'b';",
                   "  Picture1.FontSize := 20;",  // font properties of a picture are ignored
                   "  Picture1.Visible := False;",
                   "  l := Memo2.Left; s := FontSize; p := Picture1.FontSize; t := Memo2.Text;",
                   "  c := Memo2.FontColor; st := Memo2.FontStyle; v := Picture1.Visible",
                   "END"}));
    EXPECT_EQ(f.memo.Left, 10);
    EXPECT_EQ(f.memo.Top, 15);
    EXPECT_EQ(f.memo.Width, 200);
    EXPECT_EQ(f.memo.Height, 30);
    EXPECT_EQ(memo2.Left, 7);
    EXPECT_EQ(memo2.Font.Name, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(memo2.Font.Size, 14);
    EXPECT_EQ(memo2.Font.Style, fsBold | fsUnderline);
    EXPECT_EQ(memo2.Font.Color, 0x0000FF);
    EXPECT_EQ(memo2.Adjust, 2);
    EXPECT_EQ(memo2.FillColor, clNone);  // no fill
    EXPECT_EQ(memo2.FrameColor, 0xFF0000);
    EXPECT_EQ(memo2.FrameTyp, 15);
    EXPECT_FLOAT_EQ(memo2.FrameWidth, 1.5f);
    EXPECT_EQ(memo2.Flags, 3);
    EXPECT_EQ(memo2.Memo, QStringList{QStringLiteral("ab")});
    EXPECT_FALSE(picture.Visible);
    EXPECT_EQ(f.var(QStringLiteral("l")), ExprValue(7));
    EXPECT_EQ(f.var(QStringLiteral("s")), ExprValue(10));           // the memo's own font size
    EXPECT_EQ(f.var(QStringLiteral("p")).toString(), QStringLiteral("98"));  // through the report's lookup
    EXPECT_EQ(f.var(QStringLiteral("t")), ExprValue(QStringLiteral("ab")));
    EXPECT_EQ(f.var(QStringLiteral("c")), ExprValue(0x0000FF));
    EXPECT_EQ(f.var(QStringLiteral("st")), ExprValue(6));
    EXPECT_EQ(f.var(QStringLiteral("v")), ExprValue(false));
}

TEST(ScriptInterpreter, NamesThatAreNoProperty) {
    ScriptFixture f;
    f.run(linesOf({"BEGIN Memo1.Tag := 3; Nowhere.Left := 5; Total := 4 END"}));
    EXPECT_EQ(f.var(QStringLiteral("Memo1.Tag")), ExprValue(3.0));  // stored under the whole name
    EXPECT_FALSE(f.has(QStringLiteral("Nowhere.Left")));              // no such object: nothing changes
    EXPECT_EQ(f.var(QStringLiteral("total")), ExprValue(4.0));
}

TEST(ScriptInterpreter, TextPropertyKeepsLines) {
    ScriptFixture f;
    f.memo.Memo = QStringList{QStringLiteral("one"), QStringLiteral("two")};
    f.run({QStringLiteral("BEGIN t := Text; Text := t + ' more' END")});
    EXPECT_EQ(f.memo.Memo, (QStringList{QStringLiteral("one"), QStringLiteral("two more")}));
}

TEST(ScriptInterpreter, BandObjectsReachTheirRunTimeBand) {
    ScriptFixture f;
    auto& band = f.page.add<TfrBandView>(QStringLiteral("Band1"));
    f.page.bands[&band] = ScriptBandBox{0, 100, 500, 40, true};
    engine().CurrentView = &band;
    const QStringList errors =
        f.compile(band, linesOf({"BEGIN h := Height; t := Top; Visible := False; Height := h + 20; "
                                 "Text := 'x'; f := FillColor END"}));
    ASSERT_TRUE(errors.isEmpty());
    RunViewScript(band);
    EXPECT_EQ(f.var(QStringLiteral("h")), ExprValue(40));
    EXPECT_EQ(f.var(QStringLiteral("t")), ExprValue(100));
    EXPECT_EQ(f.var(QStringLiteral("f")), ExprValue(0));  // other properties of a band read 0
    EXPECT_FALSE(f.page.bands[&band].Visible);
    EXPECT_EQ(f.page.bands[&band].Height, 60);
    EXPECT_TRUE(band.Memo.isEmpty());  // and are not written
    EXPECT_TRUE(band.Visible);          // the band object itself stays as it is
}

TEST(ScriptInterpreter, FreeSpaceDecidesANewPageWhenTheScriptRuns) {
    ScriptFixture f;
    const QStringList errors = f.compile(f.memo, {QStringLiteral("IF FREESPACE < 200 THEN NEWPAGE ELSE NEWCOLUMN")});
    ASSERT_TRUE(errors.isEmpty());
    EXPECT_EQ(f.page.newPages + f.page.newColumns, 0);  // nothing happens while compiling
    f.page.free = 120;
    RunViewScript(f.memo);
    EXPECT_EQ(f.page.newPages, 1);
    f.page.free = 300;
    RunViewScript(f.memo);
    EXPECT_EQ(f.page.newPages, 1);
    EXPECT_EQ(f.page.newColumns, 1);
    f.run({QStringLiteral("x := FREESPACE")});
    EXPECT_EQ(f.var(QStringLiteral("x")), ExprValue(QStringLiteral("300")));
}

TEST(ScriptInterpreter, NewPageActsOnlyOnTheBandOfTheCurrentBuild) {
    ScriptFixture f;
    f.compile(f.memo, {QStringLiteral("BEGIN NEWPAGE; NewColumn END")});
    engine().forgetRuntimeObjects();  // the build that owned the bands is over
    EXPECT_EQ(engine().ScriptPage, nullptr);
    RunViewScript(f.memo);  // nothing to act on, nothing touched
    EXPECT_EQ(f.page.newPages, 0);
    engine().ScriptPage = &f.page;  // the next build
    RunViewScript(f.memo);
    EXPECT_EQ(f.page.newPages, 1);
    EXPECT_EQ(f.page.newColumns, 1);
}

TEST(ScriptInterpreter, CallsAreDecidedWhenCompiled) {
    ScriptFixture f;
    engine().ScriptVariables.SetVariable(QStringLiteral("v"), ExprValue(2));
    f.compile(f.memo, {QStringLiteral("x := IF(v > 1, 'big', 'small')")});
    engine().ScriptVariables.SetVariable(QStringLiteral("v"), ExprValue(0));
    RunViewScript(f.memo);
    EXPECT_EQ(f.var(QStringLiteral("x")), ExprValue(QStringLiteral("big")));
}

TEST(ScriptInterpreter, IndexedAssignmentCallsSetArray) {
    ScriptFixture f;
    QStringList calls;
    f.lookup.OnUserFunction = [&](const QString& name, const ExprValue& p1, const ExprValue& p2,
                                  const ExprValue& p3, QString&) {
        calls << name + u'(' + p1.toString() + u'|' + p2.toString() + u'|' + p3.toString() + u')';
    };
    f.run({QStringLiteral("a[i + 1] := 5 * 2")});
    EXPECT_EQ(calls, QStringList{QStringLiteral("SETARRAY(a|i + 1|5 * 2)")});
}

TEST(ScriptInterpreter, EvaluationErrorsPassToTheCaller) {
    ScriptFixture f;
    f.compile(f.memo, {QStringLiteral("BEGIN x := 1; y := Undefined + 1 END")});
    EXPECT_THROW(RunViewScript(f.memo), EParserError);
    EXPECT_EQ(f.var(QStringLiteral("x")), ExprValue(1.0));
    f.compile(f.memo, {QStringLiteral("Left := 'wide'")});
    EXPECT_THROW(RunViewScript(f.memo), EConvertError);
}

// A loop that never ends is stopped, so preparation always finishes.
TEST(ScriptInterpreter, StepLimitStopsEndlessLoops) {
    for (const char* script : {"BEGIN WHILE 1 = 1 DO x := 1 END", "BEGIN REPEAT x := 1 UNTIL 0 END",
                               "BEGIN 10: GOTO 10 END", "WHILE 1 DO"}) {
        ScriptFixture f;
        SCOPED_TRACE(script);
        ScriptInterpreter().MaxSteps = 500;
        f.compile(f.memo, {QString::fromUtf8(script)});
        EXPECT_THROW(RunViewScript(f.memo), EScriptError);
    }
    ScriptFixture f;
    ScriptInterpreter().MaxSteps = 500;
    f.run({QStringLiteral("BEGIN i := 0; WHILE i < 100 DO i := i + 1 END")});  // 202 steps
    EXPECT_EQ(f.var(QStringLiteral("i")).toInt(), 100);
}

TEST(ScriptInterpreter, CommentDirectlyAfterCodeKeepsTheLineBreak) {
    ScriptFixture f;
    f.run(linesOf({"BEGIN", "x := 4;", "y := x// note", "END"}));
    EXPECT_EQ(f.var(QStringLiteral("y")), ExprValue(4.0));
    EXPECT_FALSE(f.has(QStringLiteral("xEND")));
    f.run(linesOf({"BEGIN", "z := 5{ note", "END"}));
    EXPECT_EQ(f.var(QStringLiteral("z")), ExprValue(5.0));
}

TEST(ScriptInterpreter, UndefinedLabelIsACompileErrorAndJumpsNowhere) {
    ScriptFixture f;
    const QStringList errors = f.compile(f.memo, linesOf({"BEGIN", "  GOTO 99;", "  x := 1", "END"}));
    EXPECT_EQ(errors, QStringList{QStringLiteral("Line 2/8: label 99 is not defined")});
    RunViewScript(f.memo);
    EXPECT_EQ(f.var(QStringLiteral("x")), ExprValue(1.0));
}

TEST(ScriptInterpreter, CompileErrors) {
    struct Row {
        std::initializer_list<const char*> script;
        const char* error;
    };
    const Row rows[] = {
        {{"BEGIN x := 1 y := 2 END"}, "Line 1/14: \";\" or \"end\" required"},
        {{"BEGIN x := 1"}, "Line 1/13: \";\" or \"end\" required"},
        {{"IF x > 1 x := 1"}, "Line 1/10: \"then\" required"},
        {{"WHILE x < 1 x := 1"}, "Line 1/13: \"do\" required"},
        {{"REPEAT x := 1 x := 2"}, "Line 1/15: \";\" or \"until\" required"},
        {{"GOTO abc"}, "Line 1/6: goto label must be a number"},
        {{"GOTO 1a"}, "Line 1/6: goto label must be a number"},
        {{"x 1"}, "Line 1/3: \":=\" required"},
        {{"x := (1 + 2"}, "Line 1/12: \")\" required"},
        {{"x := F(1 2)"}, "Line 1/10: \",\" or \")\" required"},
        {{"x := [a"}, "Line 1/6: \"]\" required"},
        {{"x := 'open"}, "Line 1/11: \"'\" required"},
        {{"x := * 2"}, "Line 1/6: expression expected"},
        {{"BEGIN 1: x := 1; 1: y := 2 END"}, "Line 1/18: label 1 defined twice"},
        {{"BEGIN", "\tx := 1;", "  y = 2", "END"}, "Line 3/5: \":=\" required"},
        {{"BEGIN", "  x := 1 // note", "  y := 2", "END"}, "Line 3/3: \";\" or \"end\" required"},
    };
    for (const Row& row : rows) {
        ScriptFixture f;
        const QStringList script = linesOf(row.script);
        SCOPED_TRACE(script.join(u'|').toStdString());
        EXPECT_EQ(f.compile(f.memo, script), QStringList{QString::fromUtf8(row.error)});
    }
}

TEST(ScriptInterpreter, WhatCompiledBeforeAnErrorStillRuns) {
    ScriptFixture f;
    EXPECT_EQ(f.compile(f.memo, {QStringLiteral("BEGIN x := 1; WHILE x < 5 DO BEGIN x := x + 1 y := 0 END END")})
                  .size(),
              1);
    RunViewScript(f.memo);  // the loop body never got its jump back: running ends after one pass
    EXPECT_EQ(f.var(QStringLiteral("x")), ExprValue(2.0));
    EXPECT_FALSE(f.has(QStringLiteral("y")));
}

TEST(ScriptInterpreter, TooManyLabelsAndTooLongScripts) {
    ScriptFixture f;
    QString many = QStringLiteral("BEGIN ");
    for (int i = 0; i < 102; ++i) many += QStringLiteral("%1: x := %1; ").arg(i);
    many += QStringLiteral("END");
    const QStringList errors = f.compile(f.memo, {many});
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().endsWith(QStringLiteral("more than 101 labels")));

    const QStringList longScript{QStringLiteral("BEGIN x := '") + QString(32000, u'a') + QStringLiteral("' END")};
    const QStringList longErrors = f.compile(f.memo, longScript);
    ASSERT_EQ(longErrors.size(), 1);
    EXPECT_TRUE(longErrors.first().endsWith(QStringLiteral("script longer than 32000 characters")));
}

TEST(ScriptInterpreter, AScriptWithCommentsOfBothKinds) {
    ScriptFixture f;
    auto& memo2 = f.page.add<TfrMemoView>(QStringLiteral("Memo2"));
    f.window.insert(QStringLiteral("Fee"), ExprValue(100));
    f.host.counters.insert(svLine, 2);
    engine().ScriptVariables.SetVariable(QStringLiteral("total"), ExprValue(5));
    f.page.free = 30;
    f.run(linesOf({"BEGIN",
                   "  IF FREESPACE < 40 THEN NEWPAGE;        { too little room left on the page }",
                   "  total := total + [Fee];                // read back as [total] in later memos",
                   "  Memo2.FontColor := clRed; Visible := [LINE#] <> 2",
                   "END"}));
    EXPECT_EQ(f.page.newPages, 1);
    EXPECT_EQ(f.text(QStringLiteral("total")), QStringLiteral("105"));
    EXPECT_EQ(memo2.Font.Color, 0x0000FF);
    EXPECT_FALSE(f.memo.Visible);
}

TEST(ScriptCheck, ListsTheErrorsOfEveryScriptedObjectByPageAndName) {
    engine().reset();
    ReportTemplate t;
    auto memo = std::make_unique<TfrMemoView>();
    memo->Name = QStringLiteral("Memo1");
    memo->Script = QStringList{QStringLiteral("BEGIN x := 1 END")};
    t.Pages[0].add(std::move(memo));
    auto band = std::make_unique<TfrBandView>();
    band->Name = QStringLiteral("MasterData1");
    band->Script = QStringList{QStringLiteral("BEGIN"), QStringLiteral("  IF x THEN GOTO 5"), QStringLiteral("END")};
    t.Pages.Add().add(std::move(band));
    auto copy = std::make_unique<TfrMemoView>();
    copy->Name = QStringLiteral("Memo2");
    copy->Script = QStringList{QStringLiteral("x := COPY('abc', 'one', 2)")};  // raises while compiling
    t.Pages[1].add(std::move(copy));

    const QStringList errors = checkTemplateScripts(t);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors[0], QStringLiteral("Page 2, MasterData1: Line 2/18: label 5 is not defined"));
    EXPECT_TRUE(errors[1].startsWith(QStringLiteral("Page 2, Memo2: "))) << errors[1].toStdString();
    EXPECT_EQ(t.Pages[0].Objects[0]->Script, QStringList{QStringLiteral("BEGIN x := 1 END")});  // left as written
    engine().reset();
}
