#include "plans/conference_form.h"

#include "app/main_module.h"
#include "app/staff_box.h"
#include "common/calendar_helpers.h"
#include "common/code_tables.h"
#include "common/era_text.h"
#include "common/input_limits.h"
#include "plans/conference_values.h"
#include "plans/entry_checks.h"
#include "plans/marker_pair.h"
#include "plans/sheet_builder.h"
#include "plans/sheet_scroll_box.h"
#include "platform/clock.h"
#include "platform/ui/dialogs.h"
#include "widgets/combo_helpers.h"
#include "widgets/key_edit_binding.h"
#include "widgets/ui_font.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TConferenceForm* ConferenceForm = nullptr;

namespace {

using lum::MsgButton;
using lum::MsgKind;
namespace S = lum::sheet;
namespace Limits = lum::conference_limits;

const QString kProgram = QStringLiteral("Conference");
constexpr int kSheetWidth = 760;
constexpr int kSheetHeight = 1090;
constexpr int kLeft = 20;
constexpr int kWidth = 720;

}  // namespace

TConferenceForm::TConferenceForm(QWidget* parent) : TSheetDocumentForm(KindId, parent) {
    setObjectName(QStringLiteral("ConferenceForm"));
    BindRecord(Conf, ConfDate, lum::encodeConference, lum::decodeConference);
    ScrollBox1->ScrollToTopOnResize = true;
    setWindowTitle(QStringLiteral("リハビリテーションカンファレンス"));
    NewToolButton->setText(QStringLiteral("新規"));
    // The close button closes at once (the window's own question still
    // applies); the 閉じる menu entry asks the conference's question first.
    disconnect(CloaeToolButton, &QPushButton::clicked, this, nullptr);
    connect(CloaeToolButton, &QPushButton::clicked, this, &QWidget::close);
    resize(900, 760);
    BuildSheet();
    WireChanges();
}

// A box's line edit loses the focus while the window is taken down and the
// box then reports its typed text as chosen; this object is no longer whole
// by then, so the boxes stop reporting to it first.
TConferenceForm::~TConferenceForm() {
    for (const Attendee& a : attendees_)
        if (a.box) a.box->disconnect(this);
}

void TConferenceForm::BuildSheet() {
    CanfPanel = S::panel("CanfPanel", kSheetWidth, kSheetHeight);
    QWidget* p = CanfPanel;

    S::label(p, nullptr, {kLeft, 14, kWidth, 34}, QStringLiteral("リハビリテーションカンフアレンス"), Qt::AlignCenter)
        ->setFont(lum::uiFont(16, QFont::Bold));

    // 実施日
    int y = 58;
    S::heading(p, {kLeft + 470, y, 70, 32}, QStringLiteral("実施日"));
    S::cell(p, {kLeft + 540, y, 180, 32});
    Hizuke = S::edit(p, "Hizuke", {kLeft + 545, y + 3, 170, 26});

    // 利用者氏名 性別 (年齢) 要介護度
    y += 44;
    S::heading(p, {kLeft, y, 90, 32}, QStringLiteral("利用者氏名"));
    S::cell(p, {kLeft + 90, y, 230, 32});
    Shimai = S::label(p, "Shimai", {kLeft + 96, y + 1, 220, 30});
    S::heading(p, {kLeft + 320, y, 50, 32}, QStringLiteral("性別"));
    S::cell(p, {kLeft + 370, y, 110, 32});
    Seibetsu = S::label(p, "Seibetsu", {kLeft + 372, y + 1, 40, 30}, {}, Qt::AlignCenter);
    S::label(p, nullptr, {kLeft + 414, y + 1, 10, 30}, QStringLiteral("("));
    NenreiLabel = S::label(p, "NenreiLabel", {kLeft + 424, y + 1, 26, 30}, {}, Qt::AlignRight | Qt::AlignVCenter);
    S::label(p, nullptr, {kLeft + 450, y + 1, 28, 30}, QStringLiteral("歳)"));
    S::heading(p, {kLeft + 480, y, 80, 32}, QStringLiteral("要介護度"));
    S::cell(p, {kLeft + 560, y, 160, 32});
    Youkaigo = S::label(p, "Youkaigo", {kLeft + 561, y + 1, 158, 30}, {}, Qt::AlignCenter);

    // （期間 .. ～ .. ）
    y += 40;
    S::label(p, nullptr, {kLeft + 260, y, 60, 30}, QStringLiteral("（期間"), Qt::AlignRight | Qt::AlignVCenter);
    FromDate = S::edit(p, "FromDate", {kLeft + 324, y + 2, 170, 26});
    S::label(p, nullptr, {kLeft + 496, y, 24, 30}, QStringLiteral("～"), Qt::AlignCenter);
    ToDate = S::edit(p, "ToDate", {kLeft + 522, y + 2, 170, 26});
    S::label(p, nullptr, {kLeft + 694, y, 24, 30}, QStringLiteral("）"));

    // 評価及び経過
    y += 40;
    S::heading(p, {kLeft, y, kWidth, 26}, QStringLiteral("評価及び経過"));
    S::cell(p, {kLeft, y + 26, kWidth, 330});
    Hyouka = S::memo(p, "Hyouka", {kLeft + 4, y + 30, kWidth - 8, 322});

    // 検討内容: three rows, each 変更 （有・無） and its memos
    y += 356 + 12;
    S::heading(p, {kLeft, y, kWidth, 26}, QStringLiteral("検討内容"));
    y += 26;
    auto changeCell = [&](int top, int height, const TMarkerPair::Names& names, TMarkerPair*& pair) {
        S::cell(p, {kLeft + 110, top, 170, height});
        S::label(p, nullptr, {kLeft + 116, top + (height - 30) / 2, 50, 30}, QStringLiteral("変更 （"));
        pair = new TMarkerPair(names, QStringLiteral("有"), QStringLiteral("無"), p);
        pair->move(kLeft + 166, top + (height - pair->height()) / 2);
        S::label(p, nullptr, {kLeft + 166 + pair->width(), top + (height - 30) / 2, 16, 30}, QStringLiteral("）"));
    };
    // 目標 and 到達時期
    S::heading(p, {kLeft, y, 110, 150}, QStringLiteral("目　　　標"));
    changeCell(y, 150, {"MokuAri", "MokuNasi", "TargetAri", "TargetNasi"}, TargetPair);
    S::cell(p, {kLeft + 280, y, 440, 96});
    target = S::memo(p, "target", {kLeft + 284, y + 4, 432, 88});
    S::heading(p, {kLeft + 280, y + 96, 80, 54}, QStringLiteral("到達時期"));
    S::cell(p, {kLeft + 360, y + 96, 360, 54});
    DeadLine = S::memo(p, "DeadLine", {kLeft + 364, y + 100, 352, 46});
    // 看介護 アプローチ
    y += 150;
    S::heading(p, {kLeft, y, 110, 110}, QStringLiteral("看介護\nアプローチ"));
    changeCell(y, 110, {"KanKaiAri", "KankaiNasi", "KangoAri", "KangoNasi"}, KangoPair);
    S::cell(p, {kLeft + 280, y, 440, 110});
    KanKaigo = S::memo(p, "KanKaigo", {kLeft + 284, y + 4, 432, 102});
    // リハビリ プログラム
    y += 110;
    S::heading(p, {kLeft, y, 110, 110}, QStringLiteral("リハビリ\nプログラム"));
    changeCell(y, 110, {"RihabiriAri", "RihabiriNasi", "RahaAri", "RahaNasi"}, RihaPair);
    S::cell(p, {kLeft + 280, y, 440, 110});
    RihaProgram = S::memo(p, "RihaProgram", {kLeft + 284, y + 4, 432, 102});

    // 出席者
    y += 110 + 12;
    S::heading(p, {kLeft, y, kWidth, 26}, QStringLiteral("出席者"));
    y += 26;
    S::cell(p, {kLeft, y, kWidth, 84});
    size_t next = 0;
    auto attendee = [&](int x, int top, const QString& caption, const char* name, int lum::TConference::*code) {
        S::label(p, nullptr, {x, top, 90, 30}, caption, Qt::AlignRight | Qt::AlignVCenter);
        QComboBox* box = S::combo(p, name, {x + 96, top + 2, 130, 26}, true);
        attendees_[next++] = {box, caption, code};
        return box;
    };
    using C = lum::TConference;
    DRCombo = attendee(kLeft + 4, y + 6, QStringLiteral("医師"), "DRCombo", &C::Dr);
    CareCombo = attendee(kLeft + 240, y + 6, QStringLiteral("ケアマネ"), "CareCombo", &C::Care);
    EiyouComb = attendee(kLeft + 476, y + 6, QStringLiteral("管理栄養士"), "EiyouComb", &C::Eiyou);
    KangoCombo = attendee(kLeft + 4, y + 46, QStringLiteral("看介護"), "KangoCombo", &C::KanKai);
    RihaCombo = attendee(kLeft + 240, y + 46, QStringLiteral("リハビリ"), "RihaCombo", &C::Rihabiri);

    PlaceSheet(CanfPanel, Hizuke, kProgram);

    rows_ = {Row{TargetPair, target}, Row{KangoPair, KanKaigo}, Row{RihaPair, RihaProgram}};
    hizukeKeys_ = BindEraDate(Hizuke);
    fromKeys_ = BindEraDate(FromDate);
    toKeys_ = BindEraDate(ToDate);
    for (QPlainTextEdit* m : {Hyouka, target, DeadLine, KanKaigo, RihaProgram}) trackMemo(m);
}

void TConferenceForm::WireChanges() {
    const auto changed = [this] {
        if (!loading_) DocChanged = true;
    };
    for (const Attendee& a : attendees_) {
        connect(a.box, &QComboBox::activated, this, changed);
        connect(a.box->lineEdit(), &QLineEdit::textEdited, this, changed);
    }
    // A row switched is a change of the document: closing then asks.
    for (const Row& row : rows_) {
        connect(row.pair, &TMarkerPair::clicked, this, [this, row](bool yes) {
            ShowRow(row, yes);
            DocChanged = true;
        });
    }
    connect(hizukeKeys_, &lum::KeyEditBinding::rejected, this, [this] { CheckHizukeDate(); });
    connect(fromKeys_, &lum::KeyEditBinding::rejected, this, [this] { CheckFromDate(); });
    connect(toKeys_, &lum::KeyEditBinding::rejected, this, [this] { CheckToDate(); });
    connect(hizukeKeys_, &lum::KeyEditBinding::accepted, this, [this] {
        if (CheckHizukeDate()) focusNextChild();
    });
    connect(fromKeys_, &lum::KeyEditBinding::accepted, this, [this] {
        if (CheckFromDate()) focusNextChild();
    });
    connect(toKeys_, &lum::KeyEditBinding::accepted, this, [this] {
        if (CheckToDate()) focusNextChild();
    });
    const std::array<QPlainTextEdit*, 5> phraseMemos{Hyouka, target, DeadLine, KanKaigo, RihaProgram};
    for (int code = 0; code < 5; ++code) PickPhrasesOn(phraseMemos[code], code);
}

void TConferenceForm::ShowRow(const Row& row, bool changed) {
    row.pair->setYes(changed);
    row.memo->setEnabled(changed);
}

void TConferenceForm::ShowAge() { NenreiLabel->setText(QString::number(Conf.Old)); }

void TConferenceForm::ShowPeriodDate(QLineEdit* edit, lum::TDateTime date) {
    edit->setText(date.isEmpty() ? BlankDate : lum::DateToEraText(date));
}

bool TConferenceForm::CheckDate(QLineEdit* edit, const QString& error, lum::TDateTime& into) {
    lum::TDateTime day;
    if (!lum::EraTextToDate(edit->text(), day)) return refuse(error, edit);
    into = day;
    // Shown again in era form; the edit stays marked as the user's change.
    const bool modified = edit->isModified();
    edit->setText(lum::DateToEraText(day));
    edit->setModified(modified);
    return true;
}

bool TConferenceForm::CheckHizukeDate() {
    if (!CheckDate(Hizuke, QStringLiteral("日付エラーです。"), ConfDate)) return false;
    Conf.Old = lum::AgeInYears(Conf.Birth, ConfDate);
    ShowAge();
    return true;
}

bool TConferenceForm::CheckFromDate() {
    return CheckDate(FromDate, QStringLiteral("期間　開始日エラーです。"), Conf.FromDay);
}

bool TConferenceForm::CheckToDate() {
    return CheckDate(ToDate, QStringLiteral("期間　終了日エラーです。"), Conf.ToDay);
}

void TConferenceForm::ShowAttendee(QComboBox* box, int code) {
    const int index = MainModule && code >= 0 ? MainModule->IndexOfStuff(code) : -1;
    box->setCurrentIndex(index < box->count() ? index : -1);
    if (box->currentIndex() < 0) box->setEditText(QString());
}

void TConferenceForm::FillLists() {
    const bool was = loading_;
    loading_ = true;
    for (const Attendee& a : attendees_) lum::fillComboBox(a.box, MainModule ? MainModule->StuffNames : QStringList());
    loading_ = was;
}

void TConferenceForm::ClearDocument() {
    loading_ = true;
    for (QLineEdit* date : {Hizuke, FromDate, ToDate}) date->setText(BlankDate);
    for (QLabel* l : {Shimai, Seibetsu, NenreiLabel, Youkaigo}) l->clear();
    for (QPlainTextEdit* m : {Hyouka, target, DeadLine, KanKaigo, RihaProgram}) m->clear();
    for (const Row& row : rows_) ShowRow(row, true);
    loading_ = false;
}

void TConferenceForm::TakeHeader(const TPerson& person) {
    // The body on the sheet stays: only the header and the dates are new.
    ConfDate = lum::TDateTime::fromDateTime(lum::now());
    Conf = lum::withNewHeader(Conf, person, ConfDate);
    ShowPeriodDate(FromDate, Conf.FromDay);
    ShowPeriodDate(ToDate, Conf.ToDay);
}

void TConferenceForm::ShowHeader() {
    loading_ = true;
    Shimai->setText(Conf.Shimei);
    Seibetsu->setText(lum::SexNames.at(Conf.Sex));
    ShowAge();
    Youkaigo->setText(lum::YoukaigoNames.at(Conf.Kaigodo));
    Hizuke->setText(lum::DateToEraText(ConfDate));
    loading_ = false;
}

void TConferenceForm::ShowRecord() {
    loading_ = true;
    ShowPeriodDate(FromDate, Conf.FromDay);
    ShowPeriodDate(ToDate, Conf.ToDay);
    Hyouka->setPlainText(Conf.Hyouka);
    ShowRow(rows_[0], Conf.Target);
    target->setPlainText(Conf.Mokuhyou);
    DeadLine->setPlainText(Conf.Toutatsu);
    ShowRow(rows_[1], Conf.KankaiAriNasi);
    KanKaigo->setPlainText(Conf.KanKaigo);
    ShowRow(rows_[2], Conf.RihabiAriNasi);
    RihaProgram->setPlainText(Conf.Rihabi);
    for (const Attendee& a : attendees_) ShowAttendee(a.box, Conf.*a.code);
    loading_ = false;
}

bool TConferenceForm::Collect(bool saving) {
    // Collected into a copy: the record on screen changes only when every check passed.
    lum::TConference c = Conf;
    lum::TDateTime day;
    if (!lum::EraTextToDate(Hizuke->text(), day)) return refuse(QStringLiteral("日付エラーです。"), Hizuke);
    if (!lum::EraTextToDate(FromDate->text(), c.FromDay))
        return refuse(QStringLiteral("期間　開始日エラーです。"), FromDate);
    if (!lum::EraTextToDate(ToDate->text(), c.ToDay)) return refuse(QStringLiteral("期間　終了日エラーです。"), ToDate);
    // The age always follows the date collected, with or without Enter.
    c.Old = lum::AgeInYears(c.Birth, day);

    // A row's text is printed in a box of fixed size (the printout's memo
    // `box`): saving refuses one the box cannot hold whole. 評価及び経過 runs
    // on over further pages.
    auto take = [&](QPlainTextEdit* memo, int limit, QString& into, const QString& box = {},
                    const QString& caption = {}) {
        const QString text = memo->toPlainText();
        std::optional<QString> refusal = lum::refuseEntry(text, limit);
        if (!refusal && saving && !box.isEmpty()) refusal = RefuseUnprinted(box, caption, text);
        if (refusal) return refuse(*refusal, memo);
        into = text;
        return true;
    };
    if (!take(Hyouka, Limits::Hyouka, c.Hyouka)) return false;
    c.Target = TargetPair->isYes();
    if (!take(target, Limits::RowMemo, c.Mokuhyou, QStringLiteral("Mokuhyou"), QStringLiteral("目標"))) return false;
    if (!take(DeadLine, Limits::RowMemo, c.Toutatsu, QStringLiteral("Toutatsu"), QStringLiteral("到達時期")))
        return false;
    c.KankaiAriNasi = KangoPair->isYes();
    if (!take(KanKaigo, Limits::RowMemo, c.KanKaigo, QStringLiteral("KanKaigo"), QStringLiteral("看介護アプローチ")))
        return false;
    c.RihabiAriNasi = RihaPair->isYes();
    if (!take(RihaProgram, Limits::RowMemo, c.Rihabi, QStringLiteral("Rihabi"), QStringLiteral("リハビリプログラム")))
        return false;
    for (const Attendee& a : attendees_) {
        if (const std::optional<QString> refusal = lum::refuseAttendee(a.box, a.caption, c.*a.code)) {
            if (saving) return refuse(*refusal, a.box);
            c.*a.code = -1;
        }
    }
    Conf = c;
    ConfDate = day;
    ShowAge();
    return true;
}

void TConferenceForm::GetValue(const QString& name, lum::ExprValue& value) {
    const lum::ConferencePrint print{Conf, ConfDate,
                                     lum::staffName};
    if (std::optional<lum::ExprValue> v = lum::conferenceValue(print, name)) value = *v;
}
