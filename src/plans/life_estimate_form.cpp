#include "plans/life_estimate_form.h"

#include "common/era_text.h"
#include "plans/blob_document_road.h"
#include "plans/overwrite_question.h"
#include "plans/estimate_store.h"
#include "plans/open_document_dialog.h"
#include "plans/sheet_builder.h"
#include "plans/sheet_scroll_box.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "platform/ui/dialogs.h"
#include "widgets/era_date_field.h"
#include "widgets/ui_font.h"
#include "widgets/widget_helpers.h"

#include <QAction>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

TLifeEstimateForm* LifeEstimateForm = nullptr;

namespace {

using lum::MsgButton;
using lum::MsgKind;

constexpr int kSheetWidth = 720;
constexpr int kSheetHeight = 900;
constexpr int kLeft = 50;
constexpr int kItemWidth = 300;
constexpr int kOptionWidth = 107;  // the diagonal's picture and its frame
constexpr int kRowHeight = 43;
constexpr int kTableTop = 160;
const QString kInvalidDate = QStringLiteral("日付けが不明です。");

// The picture of a 2-point cell the item lacks: a diagonal from its lower
// left to its upper right.
QPixmap diagonal() {
    QPixmap p(105, 41);
    p.fill(Qt::white);
    QPainter painter(&p);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(0, 41, 105, 0);
    return p;
}

// The circle over a chosen option: an oval inside its cell, clear elsewhere
// (the design's caption "○", drawn so it rings the option's text).
QPixmap oval(QSize size) {
    QPixmap p(size);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawEllipse(QRectF(4, 3, size.width() - 8, size.height() - 6));
    return p;
}

}  // namespace

TLifeEstimateForm::TLifeEstimateForm(QWidget* parent) : TSheetDocumentForm(KindId, parent) {
    setObjectName(QStringLiteral("LifeEstimateForm"));
    resize(820, 720);
    BuildSheet();
    ShowEmpty();
}

void TLifeEstimateForm::BuildSheet() {
    namespace S = lum::sheet;
    P1Panel = S::panel("P1Panel", kSheetWidth, kSheetHeight);
    QWidget* p = P1Panel;

    S::label(p, nullptr, {kLeft, 16, kItemWidth + 3 * kOptionWidth, 36}, QStringLiteral("日常生活機能評価表"),
             Qt::AlignCenter)
        ->setFont(lum::uiFont(18, QFont::Bold));

    S::label(p, nullptr, {kLeft, 70, 44, 26}, QStringLiteral("日付"));
    DateEdit = S::edit(p, "DateEdit", {kLeft + 44, 70, 170, 26});
    RegistDatePicker = new QDateEdit(p);
    RegistDatePicker->setObjectName(QStringLiteral("RegistDatePicker"));
    RegistDatePicker->setGeometry(kLeft + 218, 70, 124, 26);
    S::label(p, nullptr, {kLeft + 400, 70, 70, 26}, QStringLiteral("治療番号"));
    CureNoLbl = S::label(p, "CureNoLbl", {kLeft + 470, 70, 120, 26});
    S::label(p, nullptr, {kLeft, 110, 44, 26}, QStringLiteral("氏名"));
    NameLbl = S::label(p, "NameLbl", {kLeft + 44, 110, 200, 26});
    NameLbl->setFont(lum::uiFont(12));
    S::label(p, nullptr, {kLeft + 248, 110, 24, 26}, QStringLiteral("様"));

    S::heading(p, {kLeft, kTableTop, kItemWidth, 52}, QStringLiteral("患者の状況"));
    S::heading(p, {kLeft + kItemWidth, kTableTop, 3 * kOptionWidth, 26}, QStringLiteral("得　点"));
    const QString pointCaptions[3] = {QStringLiteral("0点"), QStringLiteral("１点"), QStringLiteral("２点")};
    for (int points = 0; points < 3; ++points)
        S::heading(p, {kLeft + kItemWidth + points * kOptionWidth, kTableTop + 26, kOptionWidth, 26},
                   pointCaptions[points]);

    const QPixmap line = diagonal();
    const QPixmap ring = oval({kOptionWidth + 1, kRowHeight + 1});
    const QFont optionFont = lum::uiFont(9);
    QList<QWidget*> chain = {DateEdit};
    for (int i = 0; i < lum::EstimateItemCount; ++i) {
        const lum::EstimateItem& item = lum::estimateItems()[i];
        const int y = kTableTop + 52 + i * kRowHeight;
        S::cell(p, {kLeft, y, kItemWidth, kRowHeight + 1});
        S::label(p, nullptr, {kLeft + 8, y + 1, kItemWidth - 12, kRowHeight - 1}, item.text);
        for (int points = 0; points < 3; ++points) {
            const QRect r(kLeft + kItemWidth + points * kOptionWidth, y, kOptionWidth + 1, kRowHeight + 1);
            const QString name = lum::estimateOptionName(i, points);
            S::cell(p, r);
            if (points > item.maxPoints()) {
                auto* image = S::label(p, nullptr, {r.x() + 1, r.y() + 1, 105, 41});
                image->setObjectName(name + QStringLiteral("Image"));
                image->setPixmap(line);
                continue;
            }
            QLabel* option = S::label(p, nullptr, r.adjusted(1, 1, -1, -1), item.options[points], Qt::AlignCenter);
            option->setObjectName(name + QStringLiteral("Label"));
            option->setFont(optionFont);
            option->setFocusPolicy(Qt::StrongFocus);
            option->setStyleSheet(QStringLiteral("QLabel:focus { background: #DDEEFF; }"));
            option->installEventFilter(this);
            option->setProperty("item", i);
            option->setProperty("points", points);
            OptionLabels[i][points] = option;
            chain << option;
            QLabel* circle = S::label(p, nullptr, r, {}, Qt::AlignCenter);
            circle->setObjectName(name + QStringLiteral("Cir"));
            circle->setPixmap(ring);
            circle->setAccessibleName(QStringLiteral("○"));
            circle->setAttribute(Qt::WA_TransparentForMouseEvents);
            circle->hide();
            Circles[i][points] = circle;
        }
    }

    const int foot = kTableTop + 52 + lum::EstimateItemCount * kRowHeight + 16;
    S::heading(p, {kLeft + kItemWidth, foot, kOptionWidth, 36}, QStringLiteral("合計得点"));
    S::cell(p, {kLeft + kItemWidth + kOptionWidth, foot, 2 * kOptionWidth + 1, 36});
    TotalLabel = S::label(p, "TotalLabel", {kLeft + kItemWidth + kOptionWidth + 4, foot + 1, 150, 34}, {},
                          Qt::AlignRight | Qt::AlignVCenter);
    TotalLabel->setFont(lum::uiFont(14, QFont::Bold));
    S::label(p, nullptr, {kLeft + kItemWidth + kOptionWidth + 160, foot + 1, 40, 34}, QStringLiteral("点"));
    S::label(p, nullptr, {kLeft, foot + 48, 500, 22}, QStringLiteral("※　得点：０～１９点"));
    S::label(p, nullptr, {kLeft, foot + 70, 500, 22}, QStringLiteral("※　得点が低いほど、生活自立度が高い。"));
    PlaceSheet(P1Panel, DateEdit);
    lum::setTabChain(chain);

    dateField_ = new lum::EraDateField(DateEdit, RegistDatePicker, kInvalidDate);
    connect(dateField_, &lum::EraDateField::entered, this, [this](lum::TDateTime date) {
        Estimate.Sakuseibi = date.dateOnly();
        DocChanged = true;
    });
    connect(dateField_, &lum::EraDateField::picked, this, [this] {
        if (loading_) return;
        Estimate.Sakuseibi = lum::TDateTime::fromDate(RegistDatePicker->date());
        DocChanged = true;
    });
    connect(DateEdit, &QLineEdit::textEdited, this, [this] {
        if (!loading_) DocChanged = true;
    });
}

bool TLifeEstimateForm::eventFilter(QObject* watched, QEvent* event) {
    auto* option = qobject_cast<QLabel*>(watched);
    if (option && option->property("item").isValid()) {
        const int item = option->property("item").toInt();
        const int points = option->property("points").toInt();
        if (event->type() == QEvent::MouseButtonRelease) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) OptionClick(item, points);
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
                OptionClick(item, points);
                return true;
            }
        }
    }
    return TDocumentForm::eventFilter(watched, event);
}

void TLifeEstimateForm::OptionClick(int item, int points) {
    if (item < 0 || item >= lum::EstimateItemCount || points > lum::estimateItems()[item].maxPoints()) return;
    Estimate.Scores[item] = lum::clickedScore(lum::offeredScore(item, Estimate.Scores[item]), points);
    ShowScores();
    DocChanged = true;
}

void TLifeEstimateForm::ShowScores() {
    for (int i = 0; i < lum::EstimateItemCount; ++i) {
        const int score = lum::offeredScore(i, Estimate.Scores[i]);
        for (int points = 0; points < 3; ++points)
            if (QLabel* circle = Circles[i][points]) circle->setVisible(score == points);
    }
    CalcTotal();
}

void TLifeEstimateForm::CalcTotal() {
    Estimate.Scores = lum::offeredScores(Estimate.Scores);
    TotalLabel->setText(lum::estimateTotalText(Estimate.Scores));
}

void TLifeEstimateForm::ClearDocument() {
    loading_ = true;
    dateField_->clear();
    loading_ = false;
    Estimate = lum::TLifeEstimate();
    storedRow_.reset();
    CureNoLbl->clear();
    NameLbl->clear();
    ShowScores();
    DocChanged = false;
}

void TLifeEstimateForm::TakeHeader(const TPerson& person) { Estimate = lum::newLifeEstimate(person, lum::TDateTime::fromDate(lum::today())); }

void TLifeEstimateForm::ShowHeader() {
    CureNoLbl->setText(QString::number(Estimate.CureNo));
    NameLbl->setText(Estimate.UserName);
    loading_ = true;
    dateField_->setDate(Estimate.Sakuseibi);
    loading_ = false;
    ShowScores();
}

void TLifeEstimateForm::ShowRecord() { ShowScores(); }

bool TLifeEstimateForm::CollectRecord() {
    // A date typed without Enter is the date of making too: Save never
    // writes under a date other than the one on screen.
    const std::optional<lum::TDateTime> date = dateField_->value();
    if (!date) {
        lum::message(MsgKind::Information, kInvalidDate, MsgButton::Ok, this);
        DateEdit->setFocus();
        return false;
    }
    Estimate.Sakuseibi = date->dateOnly();
    return true;
}

bool TLifeEstimateForm::OpenDocument(TGetDocumentForm& dialog) {
    std::optional<lum::TLifeEstimate> loaded;
    try {
        loaded = lum::EstimateStore(lum::requireFacilityDatabase()).load(dialog.CureNo, dialog.KeyDay);
    } catch (const lum::db::DbError&) {
        lum::message(MsgKind::Error, Kind().messages.openError, MsgButton::Abort, this);
        return false;
    }
    if (!loaded) {
        lum::message(MsgKind::Error, Kind().messages.notFound, MsgButton::Abort, this);
        return false;
    }
    Estimate = *loaded;
    storedRow_ = *loaded;
    DocCureNo = Estimate.CureNo;
    StoredDate = Estimate.Sakuseibi;
    Estimate.Sakuseibi = Estimate.Sakuseibi.dateOnly();
    return true;
}

bool TLifeEstimateForm::SaveDocument() {
    P1Panel->setEnabled(false);
    bool saved = false;
    try {
        const lum::EstimateStore store(lum::requireFacilityDatabase());
        // A row is rewritten in place: only the whole row tells the one asked
        // about from one another workstation stored since.
        using Row = lum::TLifeEstimate;
        const auto attempt = [&](const std::function<bool(const Row&)>& mayReplace) {
            const lum::EstimateStore::SaveOutcome outcome = store.save(Estimate, mayReplace);
            if (outcome.result == lum::EstimateStore::SaveResult::Refused) return std::vector<Row>{*outcome.row};
            storedRow_ = outcome.row;
            return std::vector<Row>();
        };
        const auto onScreen = [&](const Row& stored) { return stored == storedRow_; };
        saved = lum::writeAskingOverwrite<Row>(Kind(), attempt, onScreen, this);
    } catch (const lum::db::TransactionStartError&) {
        lum::message(MsgKind::Error, QStringLiteral("SystemError : 日常生活機能の確認に失敗しました。"), MsgButton::Abort,
                     this);
    } catch (const lum::db::DbError&) {
        lum::message(MsgKind::Error, Kind().messages.saveFailure, MsgButton::Ok, this);
    }
    P1Panel->setEnabled(true);
    if (!saved) return false;
    StoredDate = Estimate.Sakuseibi;
    DeleteMenu->setEnabled(true);
    lum::message(MsgKind::Information,
                 QStringLiteral("利用者番号 = %1\n日付 = %2\n").arg(Estimate.CureNo).arg(Estimate.Sakuseibi.toDateText()) +
                     Kind().messages.saved,
                 MsgButton::Ok, this);
    return true;
}

bool TLifeEstimateForm::DeleteDocument() {
    if (!StoredDate) {
        lum::message(MsgKind::Error, Kind().messages.deleteNotFound, MsgButton::Abort, this);
        return false;
    }
    const lum::EstimateStore store(lum::requireFacilityDatabase());
    const int cureNo = DocCureNo;
    const lum::TDateTime day = *StoredDate;
    return lum::deleteStoredDocument(
        Kind(), [&] { return store.exists(cureNo, day); }, [&] { store.remove(cureNo, day); }, this);
}

void TLifeEstimateForm::GetValue(const QString& name, lum::ExprValue& value) {
    if (std::optional<QString> text = lum::estimateValue(Estimate, name)) value = lum::ExprValue(*text);
}
