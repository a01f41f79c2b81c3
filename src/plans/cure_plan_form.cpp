#include "plans/cure_plan_form.h"

#include "app/main_module.h"
#include "common/code_tables.h"
#include "common/cp932.h"
#include "common/era_text.h"
#include "common/kubun.h"
#include "plans/body_chart.h"
#include "plans/blob_document_road.h"
#include "plans/overwrite_question.h"
#include "plans/cure_plan_values.h"
#include "plans/entry_checks.h"
#include "plans/open_document_dialog.h"
#include "plans/plan_store.h"
#include "plans/riha_shape.h"
#include "plans/sheet_scroll_box.h"
#include "platform/clock.h"
#include "platform/db/facility_database.h"
#include "widgets/combo_helpers.h"
#include "widgets/comment_form.h"
#include "widgets/era_date_field.h"
#include "widgets/ui_font.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontMetricsF>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

TCurePlanForm* CurePlanForm = nullptr;

namespace {

using lum::ChartSide;
using lum::Corner;
using lum::MarkKind;
using lum::MsgButton;
using lum::MsgKind;

const QString kProgram = QStringLiteral("CurePlan");
constexpr int kPanelWidth = 820;
constexpr int kPanelHeight = 1506;

const char* const kImpairmentNames[] = {"KansetsuBox", "MahiUpBox",   "MahiDownBox",     "MahiFinBox",      "KinryokuBox",
                                        "ItamiBox",    "ShiryokuBox", "LeftChoryokuBox", "RightChoryokuBox"};
const char* const kImpairmentCaptions[] = {"関節可動域制限", "麻痺・上肢", "麻痺・下肢", "麻痺・手指", "筋力低下",
                                           "痛み",           "視力",       "聴力[左]",   "聴力[右]"};
const char* const kImpairmentComments[] = {"KansetsuComment", "MahiUpComment",   "MahiDownComment",
                                           "MahiFinComment",  "KinryokuComment", "ItamiComment",
                                           "ShiryokuComment", "ChoryokuLComment", "ChoryokuRComment"};
constexpr int kImpairmentCodes[] = {1, 2, 2, 2, 3, 4, 5, 6, 6};
const char* const kDetailNames[] = {"MahiUpDetailBox", "MahiDownDetailBox", "MahiFinDetailBox"};
const char* const kBehaviourNames[] = {"Tukuribanashi", "Gencho", "Mousou", "Haikai",     "Chuuya",   "Bougen", "Teikou", "Fuketsu",
                                       "Ishoku",        "Jihatsusei", "Kanjyo", "Fuann", "Hitorigoto", "Yokuutsu", "Shushuu"};
const char* const kBehaviourCaptions[] = {"作話",     "幻視・幻聴", "妄想",     "徘徊",   "昼夜逆転",
                                          "暴言・暴行", "介護への抵抗", "不潔行為", "異食行動", "自発性低下",
                                          "感情失禁", "不安焦燥",   "独語",     "抑鬱",   "収集癖"};
const char* const kDailyNames[] = {"Negaeri", "Zai", "Tachiagari", "Noriutsuri", "Hokou",
                                   "Haisetsu", "Shokuji", "Nyuyoku", "Kigae", "Ishi"};
const char* const kDailyCaptions[] = {"寝返り", "座位", "立ち上がり", "移乗", "歩行",
                                      "排泄",   "食事", "入浴",       "着脱", "意思疎通"};
const char* const kOverlayNames[2][4] = {{"MRTImage", "MRDImage", "MLDImage", "MLTImage"},
                                         {"BRTImage", "BRDImage", "BLDImage", "BLTImage"}};
const char* const kMarkPrefixes[2][3] = {{"FKAN", "FKIN", "FITA"}, {"BKAN", "BKIN", "BITA"}};
constexpr int kJiritsuX[] = {579, 619, 642, 661, 683, 703, 725, 745, 766};
constexpr int kNinchiX[] = {579, 618, 643, 672, 701, 730, 753, 774};
constexpr int kYoukaigoX[] = {619, 634, 711, 726, 742, 759, 774};

QLabel* label(QWidget* parent, const QString& text, QRect at, const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (name) l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(at);
    return l;
}

QLabel* valueLabel(QWidget* parent, const char* name, QRect at) {
    QLabel* l = label(parent, QString(), at, name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setStyleSheet(QStringLiteral("QLabel { background: white; padding-left: 3px; }"));
    return l;
}

QComboBox* combo(QWidget* parent, const QString& name, QRect at, bool editable) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setGeometry(at);
    box->setEditable(editable);
    if (editable) box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

QComboBox* choiceCombo(QWidget* parent, const char* name, QRect at, const lum::NameTable& names) {
    QComboBox* box = combo(parent, QString::fromLatin1(name), at, false);
    for (const QString& n : names) box->addItem(n);
    return box;
}

QPlainTextEdit* memo(QWidget* parent, const char* name, QRect at) {
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(QString::fromLatin1(name));
    m->setGeometry(at);
    m->setTabChangesFocus(true);
    return m;
}

QString dayText(lum::TDateTime day) { return day.msecsOfDay() == 0 ? day.toDateText() : day.toDateTimeText(); }

// A combo box's index as stored: -1 for none.
int indexOf(const QComboBox* box) { return box->currentIndex(); }
void setIndex(QComboBox* box, int index) { box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1); }

// The ring of a printed scale's word: a "○" whose inside holds the word's
// glyphs whole, however wide the word (a ring through the first stroke of
// ⅢA reads ⅡA), tall rather than wide so that it keeps clear of the
// neighbouring words.
// Its left edge stays on the scale's position; the word is centred under it.
QFont ringFont(const QFont& wordFont, const QString& word) {
    const QString ring = QStringLiteral("○");
    const QRectF ink = QFontMetricsF(wordFont).tightBoundingRect(word);
    // An ellipse 1.2 times the word's width holds its corners when it is
    // 1.81 times its height: narrow enough to keep clear of the neighbours.
    const double needWidth = ink.width() * 1.2 + 1, needHeight = ink.height() * 1.81 + 1;
    QFont f = lum::uiFont(16);
    auto inside = [&](bool across) {
        const QFontMetricsF fm(f);
        const QRectF glyph = fm.tightBoundingRect(ring);
        const double stroke = std::max(1.0, fm.height() / 16);
        return (across ? glyph.width() : glyph.height()) - 2 * stroke;
    };
    for (int px = 8; px < 64 && inside(false) < needHeight; ++px) f.setPixelSize(px);
    f.setStretch(50);
    for (int stretch = 51; stretch <= 400 && inside(true) < needWidth; ++stretch) f.setStretch(stretch);
    return f;
}


}  // namespace

TCurePlanForm::TCurePlanForm(QWidget* parent) : TDocumentForm(lum::DocumentId::CurePlan, parent) {
    setObjectName(QStringLiteral("CurePlanForm"));
    ScrollBox1 = new TSheetScrollBox(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    setCentralWidget(ScrollBox1);
    CurePlanPanel = new QWidget;
    CurePlanPanel->setObjectName(QStringLiteral("CurePlanPanel"));
    CurePlanPanel->setFixedSize(kPanelWidth, kPanelHeight);
    CurePlanPanel->setAutoFillBackground(true);
    ScrollBox1->setWidget(CurePlanPanel);

    BuildHeader();
    BuildDates();
    BuildImpairments();
    BuildChart();
    BuildSpeechAndBehaviour();
    BuildDailyLife();
    BuildLinesAndMemos();
    WireChanges();
    for (QPlainTextEdit* m : {EtcMemo, Sonota, DrMemo}) trackMemo(m);
    resize(900, 760);
    built_ = true;
}

TCurePlanForm::~TCurePlanForm() = default;

void TCurePlanForm::BuildHeader() {
    QWidget* p = CurePlanPanel;
    QFont title = lum::uiFont(14, QFont::Bold);
    label(p, QStringLiteral("リハビリ治療計画書"), {10, 6, 300, 28})->setFont(title);
    label(p, QStringLiteral("治療番号"), {10, 44, 70, 22});
    CureNoLabel = valueLabel(p, "CureNoLabel", {80, 44, 90, 22});
    label(p, QStringLiteral("氏名"), {182, 44, 36, 22});
    NameLabel = valueLabel(p, "NameLabel", {220, 44, 180, 22});
    label(p, QStringLiteral("性別"), {410, 44, 36, 22});
    SexLabel = valueLabel(p, "SexLabel", {448, 44, 52, 22});
    label(p, QStringLiteral("生年月日"), {10, 72, 70, 22});
    BirthLabel = valueLabel(p, "BirthLabel", {80, 72, 170, 22});
    label(p, QStringLiteral("形態"), {260, 72, 40, 22});
    RihaTypeLabel = valueLabel(p, "RihaTypeLabel", {300, 72, 200, 22});
    label(p, QStringLiteral("区分"), {10, 100, 70, 22});
    KubunLabel = valueLabel(p, "KubunLabel", {80, 100, 420, 22});
    label(p, QStringLiteral("疾患名"), {10, 128, 70, 22});
    for (int i = 0; i < 6; ++i) {
        ShikanLabels[i] = valueLabel(p, QStringLiteral("ShikanLabel%1").arg(i + 1).toLatin1().constData(),
                                     {80 + (i / 3) * 212, 128 + (i % 3) * 26, 206, 22});
    }

    // The three printed scales with their circle marks: each word centred
    // under its ring, the ring's left edge on the scale's position.
    auto scale = [&](int which, const char* caption, int y, const int* xs, int count, QStringList texts) {
        label(p, QString::fromUtf8(caption), {512, y, 110, 20});
        rings_[size_t(which)].clear();
        for (int i = 0; i < count; ++i) {
            QLabel* l = label(p, texts.value(i), {0, y + 20, 26, 20});
            l->setAlignment(Qt::AlignCenter);
            l->setFont(lum::uiFont(8));
            const QFont font = ringFont(l->font(), l->text());
            const QFontMetricsF fm(font);
            const QString ringText = QStringLiteral("○");
            const double advance = fm.horizontalAdvance(ringText);
            const QSize size(int(std::ceil(advance)) + 2, int(std::ceil(fm.height())) + 2);
            // The word's glyphs centred on the ring's, as both labels centre
            // their texts.
            const QPointF ringGlyph = fm.tightBoundingRect(ringText).center();
            const QFontMetricsF wordMetrics(l->font());
            const QPointF wordGlyph = wordMetrics.tightBoundingRect(l->text()).center();
            const double wordMiddleY = y + 20 + (20 - wordMetrics.height()) / 2 + wordMetrics.ascent() + wordGlyph.y();
            const double ringTop = wordMiddleY - ((size.height() - fm.height()) / 2 + fm.ascent() + ringGlyph.y());
            const QRect ring(xs[i], int(std::lround(ringTop)), size.width(), size.height());
            const double ringMiddle = ring.left() + (size.width() - advance) / 2 + ringGlyph.x();
            const double wordOffset = (26 - wordMetrics.horizontalAdvance(l->text())) / 2 + wordGlyph.x();
            l->move(int(std::lround(ringMiddle - wordOffset)), y + 20);
            rings_[size_t(which)].push_back({font, ring});
        }
    };
    scale(0, "日常生活自立度", 40, kJiritsuX, 9,
          {"正常", "J1", "J2", "A1", "A2", "B1", "B2", "C1", "C2"});
    scale(1, "認知度", 84, kNinchiX, 8, {"正常", "Ⅰ", "ⅡA", "ⅡB", "ⅢA", "ⅢB", "Ⅳ", "M"});
    scale(2, "要介護度", 128, kYoukaigoX, 7, {"1", "2", "1", "2", "3", "4", "5"});
    label(p, QStringLiteral("要支援"), {573, 148, 44, 20})->setFont(lum::uiFont(8));
    label(p, QStringLiteral("要介護"), {660, 148, 46, 20})->setFont(lum::uiFont(8));
    auto circle = [&](const char* name, int y) {
        QLabel* c = label(p, QStringLiteral("○"), {0, y, 26, 26}, name);
        c->setAlignment(Qt::AlignCenter);
        c->setAttribute(Qt::WA_TransparentForMouseEvents);
        c->setStyleSheet(QStringLiteral("QLabel { color: #c00000; background: transparent; }"));
        c->hide();
        return c;
    };
    JiritsuCircle = circle("JiritsuCircle", 57);
    NinchiCircle = circle("NinchiCircle", 101);
    YoukaigoCircle = circle("YoukaigoCircle", 145);
}

void TCurePlanForm::BuildDates() {
    QWidget* p = CurePlanPanel;
    const int y = 212;
    label(p, QStringLiteral("計画登録日"), {10, y, 80, 26});
    PlanRegistDay = new QLineEdit(p);
    PlanRegistDay->setObjectName(QStringLiteral("PlanRegistDay"));
    PlanRegistDay->setGeometry(90, y, 170, 26);
    RegistDatePicker = new QDateEdit(p);
    RegistDatePicker->setObjectName(QStringLiteral("RegistDatePicker"));
    RegistDatePicker->setGeometry(264, y, 124, 26);
    label(p, QStringLiteral("計画終了日"), {410, y, 80, 26});
    PlanStopDay = new QLineEdit(p);
    PlanStopDay->setObjectName(QStringLiteral("PlanStopDay"));
    PlanStopDay->setGeometry(490, y, 170, 26);
    EndDatePicker = new QDateEdit(p);
    EndDatePicker->setObjectName(QStringLiteral("EndDatePicker"));
    EndDatePicker->setGeometry(664, y, 124, 26);
    registField_ = new lum::EraDateField(PlanRegistDay, RegistDatePicker, QStringLiteral("計画登録日の日付けが不明です。"));
    endField_ = new lum::EraDateField(PlanStopDay, EndDatePicker, QStringLiteral("計画終了日の日付けが不明です。"));
    auto startChosen = [this](lum::TDateTime start) {
        endField_->setDate(lum::DefaultEndDate(start));
        DocChanged = true;
    };
    connect(registField_, &lum::EraDateField::entered, this, startChosen);
    connect(registField_, &lum::EraDateField::picked, this, [this, startChosen] {
        if (loading_) return;
        startChosen(lum::TDateTime::fromDate(RegistDatePicker->date()));
    });
    connect(endField_, &lum::EraDateField::picked, this, [this] {
        if (!loading_) DocChanged = true;
    });
    for (QLineEdit* e : {PlanRegistDay, PlanStopDay}) {
        connect(e, &QLineEdit::textEdited, this, [this] { DocChanged = true; });
    }
}

void TCurePlanForm::BuildImpairments() {
    QWidget* p = CurePlanPanel;
    label(p, QStringLiteral("障害の状況"), {10, 250, 200, 22})->setFont(lum::uiFont(11, QFont::Bold));
    for (int i = 0; i < 9; ++i) {
        const int y = 276 + 28 * i;
        label(p, QString::fromUtf8(kImpairmentCaptions[i]), {10, y, 110, 24});
        ImpairmentBoxes[i] = choiceCombo(p, kImpairmentNames[i], {120, y, 82, 24}, lum::UmuNames);
        if (i >= 1 && i <= 3) {
            DetailBoxes[i - 1] = choiceCombo(p, kDetailNames[i - 1], {206, y, 56, 24}, lum::GradeNames);
        }
        ImpairmentComments[i] = combo(p, QString::fromLatin1(kImpairmentComments[i]), {266, y, 262, 24}, true);
        const int code = kImpairmentCodes[i];
        lum::onDoubleClick(ImpairmentComments[i], [this, code] { EditPhrases(code); });
    }
    label(p, QStringLiteral("・その他"), {10, 530, 100, 20});
    EtcMemo = memo(p, "EtcMemo", {10, 550, 518, 74});
}

void TCurePlanForm::BuildChart() {
    QWidget* p = CurePlanPanel;
    ZukeiPanel = new QWidget(p);
    ZukeiPanel->setObjectName(QStringLiteral("ZukeiPanel"));
    ZukeiPanel->setGeometry(QRect(QPoint(548, 276), lum::ChartPanelSize));
    ZukeiPanel->setAutoFillBackground(true);
    QPalette white = ZukeiPanel->palette();
    white.setColor(QPalette::Window, Qt::white);
    ZukeiPanel->setPalette(white);
    for (ChartSide side : {ChartSide::Front, ChartSide::Back}) {
        auto* panel = new QWidget(ZukeiPanel);
        panel->setObjectName(side == ChartSide::Front ? QStringLiteral("FrontPanel") : QStringLiteral("BackPanel"));
        panel->setGeometry(lum::sidePanelRect(side));
        auto* picture = new QLabel(panel);
        picture->setObjectName(side == ChartSide::Front ? QStringLiteral("FrontImage") : QStringLiteral("BackImage"));
        picture->setGeometry(QRect(lum::PictureOffset, lum::bodyPictureSize(side)));
        picture->setPixmap(QPixmap::fromImage(lum::bodyPicture(side)));
        picture->installEventFilter(this);
        for (int c = 0; c < 4; ++c) {
            auto* overlay = new QLabel(panel);
            overlay->setObjectName(QString::fromLatin1(kOverlayNames[static_cast<int>(side)][c]));
            overlay->setGeometry(picture->geometry());
            overlay->setPixmap(QPixmap::fromImage(lum::overlayPicture(side, static_cast<Corner>(c))));
            overlay->setAttribute(Qt::WA_TransparentForMouseEvents);
            overlay->hide();
            overlays_[static_cast<int>(side)][c] = overlay;
        }
        (side == ChartSide::Front ? FrontPanel : BackPanel) = panel;
        (side == ChartSide::Front ? FrontImage : BackImage) = picture;
        auto* caption = new QLabel(side == ChartSide::Front ? QStringLiteral("（前）") : QStringLiteral("（後）"), panel);
        caption->setGeometry(8, 214, 105, 18);
        caption->setAlignment(Qt::AlignCenter);
        caption->setFont(lum::uiFont(8));
        caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    FrontImage->setCursor(Qt::CrossCursor);
    BackImage->setCursor(Qt::CrossCursor);

    ShogaiKubun = new QWidget(p);
    ShogaiKubun->setObjectName(QStringLiteral("ShogaiKubun"));
    ShogaiKubun->setGeometry(548, 514, 257, 54);
    const char* const kinds[] = {"関節可動域の制限", "筋力の低下", "痛み", "麻痺"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(kinds[i]), ShogaiKubun);
        b->setObjectName(QStringLiteral("ShogaiKubun%1").arg(i));
        b->setGeometry((i % 2) * 130, (i / 2) * 26, 128, 24);
        ShogaiKubunButtons[i] = b;
    }
    ShogaiKubunButtons[0]->setChecked(true);
    ImClearFBtn = new QPushButton(QStringLiteral("ク リ ア"), p);
    ImClearFBtn->setObjectName(QStringLiteral("ImClearFBtn"));
    ImClearFBtn->setGeometry(560, 572, 104, 26);
    ImClearBBtn = new QPushButton(QStringLiteral("ク リ ア"), p);
    ImClearBBtn->setObjectName(QStringLiteral("ImClearBBtn"));
    ImClearBBtn->setGeometry(690, 572, 104, 26);
    connect(ImClearFBtn, &QPushButton::clicked, this, [this] {
        ClearChart(ChartSide::Front);
        DocChanged = true;
    });
    connect(ImClearBBtn, &QPushButton::clicked, this, [this] {
        ClearChart(ChartSide::Back);
        DocChanged = true;
    });
}

void TCurePlanForm::BuildSpeechAndBehaviour() {
    QWidget* p = CurePlanPanel;
    label(p, QStringLiteral("精神・行動"), {10, 636, 200, 22})->setFont(lum::uiFont(11, QFont::Bold));
    label(p, QStringLiteral("①失語"), {10, 662, 110, 24});
    Shitsugo = choiceCombo(p, "Shitsugo", {120, 662, 82, 24}, lum::UmuNames);
    ShitsugoComment = combo(p, QStringLiteral("ShitsugoComment"), {206, 662, 420, 24}, true);
    label(p, QStringLiteral("②失語・失認"), {10, 690, 110, 24});
    Shitsunin = choiceCombo(p, "Shitsunin", {120, 690, 82, 24}, lum::UmuNames);
    ShitsuninnComment = combo(p, QStringLiteral("ShitsuninnComment"), {206, 690, 420, 24}, true);
    lum::onDoubleClick(ShitsugoComment, [this] { EditPhrases(10); });
    lum::onDoubleClick(ShitsuninnComment, [this] { EditPhrases(11); });
    for (int i = 0; i < 15; ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(kBehaviourCaptions[i]), p);
        box->setObjectName(QString::fromLatin1(kBehaviourNames[i]));
        box->setGeometry(10 + (i % 5) * 160, 722 + (i / 5) * 26, 156, 24);
        BehaviourBoxes[i] = box;
    }
}

void TCurePlanForm::BuildDailyLife() {
    QWidget* p = CurePlanPanel;
    label(p, QStringLiteral("日常生活動作"), {10, 806, 200, 22})->setFont(lum::uiFont(11, QFont::Bold));
    for (int i = 0; i < 10; ++i) {
        const int y = 832 + 28 * i;
        label(p, QString::fromUtf8(kDailyCaptions[i]), {10, y, 110, 24});
        DailyBoxes[i] = choiceCombo(p, kDailyNames[i], {120, y, 100, 24}, lum::AssistNames);
        DailyComments[i] =
            combo(p, QString::fromLatin1(kDailyNames[i]) + QStringLiteral("Comment"), {224, y, 580, 24}, true);
        const int code = 20 + i;
        lum::onDoubleClick(DailyComments[i], [this, code] { EditPhrases(code); });
    }
}

void TCurePlanForm::BuildLinesAndMemos() {
    QWidget* p = CurePlanPanel;
    label(p, QStringLiteral("その他"), {10, 1114, 100, 20});
    Sonota = memo(p, "Sonota", {10, 1134, 796, 70});
    const char* const heads[] = {"問題点", "目標", "プログラム"};
    const char* const circled[] = {"①", "②", "③", "④", "⑤", "⑥"};
    for (int c = 0; c < 3; ++c) label(p, QString::fromUtf8(heads[c]), {30 + c * 262, 1212, 200, 20});
    for (int k = 0; k < 6; ++k) {
        const int y = 1234 + 28 * k;
        label(p, QString::fromUtf8(circled[k]), {10, y, 20, 24});
        Mondaiten[k] = combo(p, QStringLiteral("Mondaiten%1").arg(k + 1), {30, y, 256, 24}, true);
        Mokuhyo[k] = combo(p, QStringLiteral("Mokuhyo%1").arg(k + 1), {292, y, 256, 24}, true);
        Program[k] = combo(p, QStringLiteral("Program%1").arg(k + 1), {554, y, 252, 24}, true);
        lum::onDoubleClick(Mondaiten[k], [this] { EditPhrases(50); });
        lum::onDoubleClick(Mokuhyo[k], [this] { EditPhrases(51); });
        lum::onDoubleClick(Program[k], [this] { EditPhrases(52); });
    }
    label(p, QStringLiteral("医師からの特記事項"), {10, 1406, 200, 20});
    DrMemo = memo(p, "DrMemo", {10, 1426, 796, 70});
    CopyMemo = memo(p, "CopyMemo", {0, 0, 10, 10});
    CopyMemo->hide();
    for (QPlainTextEdit* m : {Sonota, EtcMemo, DrMemo}) m->viewport()->installEventFilter(this);
}

void TCurePlanForm::WireChanges() {
    auto changed = [this] {
        if (!loading_) DocChanged = true;
    };
    std::vector<QComboBox*> boxes;
    for (auto* list : {&ImpairmentBoxes, &ImpairmentComments}) boxes.insert(boxes.end(), list->begin(), list->end());
    boxes.insert(boxes.end(), DetailBoxes.begin(), DetailBoxes.end());
    boxes.insert(boxes.end(), DailyBoxes.begin(), DailyBoxes.end());
    boxes.insert(boxes.end(), DailyComments.begin(), DailyComments.end());
    for (auto* list : {&Mondaiten, &Mokuhyo, &Program}) boxes.insert(boxes.end(), list->begin(), list->end());
    for (QComboBox* b : {Shitsugo, Shitsunin, ShitsugoComment, ShitsuninnComment}) boxes.push_back(b);
    for (QComboBox* box : boxes) {
        connect(box, &QComboBox::activated, this, changed);
        // A remark typed counts too: closing must not lose it unasked.
        if (box->isEditable()) connect(box->lineEdit(), &QLineEdit::textEdited, this, changed);
    }
    for (QCheckBox* box : BehaviourBoxes) connect(box, &QCheckBox::clicked, this, changed);
}

// ---- the body chart

QWidget* TCurePlanForm::SidePanel(ChartSide side) const { return side == ChartSide::Front ? FrontPanel : BackPanel; }

const std::vector<TRihaShape*>& TCurePlanForm::Marks(ChartSide side, MarkKind kind) const {
    return marks_[static_cast<int>(side)][static_cast<int>(kind)];
}

QLabel* TCurePlanForm::Overlay(ChartSide side, Corner corner) const {
    return overlays_[static_cast<int>(side)][static_cast<int>(corner)];
}

TRihaShape* TCurePlanForm::AddMark(ChartSide side, MarkKind kind, QPoint at) {
    const int s = static_cast<int>(side);
    const int k = static_cast<int>(kind);
    TRihaShape* mark = lum::makeMark(kind, SidePanel(side), at);
    mark->setObjectName(QString::fromLatin1(kMarkPrefixes[s][k]) + QString::number(counters_[s][k]++));
    mark->setProperty("side", s);
    mark->setProperty("kind", k);
    mark->installEventFilter(this);
    marks_[s][k].push_back(mark);
    return mark;
}

void TCurePlanForm::RemoveMark(TRihaShape* mark) {
    auto& list = marks_[mark->property("side").toInt()][mark->property("kind").toInt()];
    list.erase(std::remove(list.begin(), list.end(), mark), list.end());
    if (dragged_ == mark) dragged_ = nullptr;
    mark->hide();
    mark->deleteLater();
}

lum::BodyChart TCurePlanForm::Chart() const {
    lum::BodyChart chart;
    for (int s = 0; s < 2; ++s) {
        for (int k = 0; k < 3; ++k)
            for (const TRihaShape* m : marks_[s][k]) chart.sides[s].marks[k].push_back(m->pos());
        for (int c = 0; c < 4; ++c) chart.sides[s].overlays[c] = !overlays_[s][c]->isHidden();
    }
    return chart;
}

void TCurePlanForm::ClearChart(ChartSide side) {
    const int s = static_cast<int>(side);
    for (QLabel* o : overlays_[s]) o->hide();
    for (auto& list : marks_[s]) {
        for (TRihaShape* m : list) {
            if (dragged_ == m) dragged_ = nullptr;
            m->hide();
            m->deleteLater();
        }
        list.clear();
    }
    counters_[s] = {0, 0, 0};
    if (side == ChartSide::Front) {
        // The front button empties the first three disease labels as well.
        for (int i = 0; i < 3; ++i) ShikanLabels[i]->clear();
    }
}

void TCurePlanForm::LoadChart(const lum::BodyChart& chart) {
    for (ChartSide side : {ChartSide::Front, ChartSide::Back}) {
        const int s = static_cast<int>(side);
        for (QLabel* o : overlays_[s]) o->hide();
        for (auto& list : marks_[s]) {
            for (TRihaShape* m : list) m->deleteLater();
            list.clear();
        }
        counters_[s] = {0, 0, 0};
        for (int k = 0; k < 3; ++k)
            for (const QPoint& at : chart.sides[s].marks[k]) AddMark(side, static_cast<MarkKind>(k), at);
        for (int c = 0; c < 4; ++c) overlays_[s][c]->setVisible(chart.sides[s].overlays[c]);
    }
}

void TCurePlanForm::ChartLeftUp(ChartSide side, QPoint at, TRihaShape* onMark, Qt::KeyboardModifiers modifiers) {
    if (onMark && modifiers == Qt::ShiftModifier) {
        RemoveMark(onMark);
        DocChanged = true;
    } else if (!dragging_) {
        int kind = 0;
        for (int i = 0; i < 4; ++i)
            if (ShogaiKubunButtons[i]->isChecked()) kind = i;
        if (kind < 3) {
            AddMark(side, static_cast<MarkKind>(kind), at);
            DocChanged = true;
        } else if (const std::optional<Corner> corner = lum::overlayCornerAt(at.x(), at.y())) {
            QLabel* overlay = Overlay(side, *corner);
            overlay->setVisible(overlay->isHidden());
            DocChanged = true;
        }
    }
    dragging_ = false;
}

void TCurePlanForm::ChartRightDown(TRihaShape* mark, QPoint at) {
    if (!mark) return;
    dragged_ = mark;
    QPen pen = mark->Pen();
    pen.setColor(QColor(0, 255, 0));
    mark->setPen(pen);
    reference_ = at;
    dragging_ = true;
}

void TCurePlanForm::ChartMove(TRihaShape* mark, QPoint at) {
    if (!dragging_ || !mark) return;
    dragged_ = mark;
    const QPoint d = reference_ - at;
    mark->move(mark->pos() - d);
    reference_ = mark->pos();
    DocChanged = true;
}

void TCurePlanForm::ChartRightUp() {
    if (dragged_) {
        QPen pen = dragged_->Pen();
        pen.setColor(Qt::black);
        dragged_->setPen(pen);
    }
    dragged_ = nullptr;
    dragging_ = false;
}

bool TCurePlanForm::eventFilter(QObject* watched, QEvent* event) {
    if (!built_) return TDocumentForm::eventFilter(watched, event);
    for (QPlainTextEdit* m : {Sonota, EtcMemo, DrMemo}) {
        if (watched == m->viewport() && event->type() == QEvent::MouseButtonDblClick) {
            PickPhrases(m == Sonota ? 7 : m == EtcMemo ? 40 : 60);
            return true;
        }
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* mark = qobject_cast<TRihaShape*>(watched);
    const bool picture = watched == FrontImage || watched == BackImage;
    if (widget && (picture || mark)) {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove) {
            return TDocumentForm::eventFilter(watched, event);
        }
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const ChartSide side = widget->parentWidget() == FrontPanel ? ChartSide::Front : ChartSide::Back;
        const QPoint at = widget->mapTo(SidePanel(side), mouse->position().toPoint()) - lum::PictureOffset;
        if (type == QEvent::MouseButtonPress) {
            if (mouse->button() == Qt::LeftButton) dragging_ = false;
            if (mouse->button() == Qt::RightButton) ChartRightDown(mark, at);
        } else if (type == QEvent::MouseMove) {
            if (mark && (mouse->buttons() & Qt::RightButton)) ChartMove(mark, at);
        } else if (mouse->button() == Qt::RightButton) {
            ChartRightUp();
        } else if (mouse->button() == Qt::LeftButton) {
            ChartLeftUp(side, at, mark, mouse->modifiers());
        }
        return true;
    }
    return TDocumentForm::eventFilter(watched, event);
}

// ---- stock phrases

void TCurePlanForm::EditPhrases(int code) {
    TCommentForm& form = lum::commentForm();
    form.ProgramName = kProgram;
    form.CommentCode = code;
    lum::runModal(form);
    FillLists();
}

void TCurePlanForm::PickPhrases(int code) {
    TStringsForm& form = lum::stringsForm();
    form.ProgramName = kProgram;
    form.CommentCode = code;
    if (lum::runModal(form) == QDialog::Rejected) return;
    CopyMemo->setPlainText(form.ChosenTexts().mid(0, 6).join(u'\n'));
    CopyMemo->selectAll();
    QGuiApplication::clipboard()->setText(CopyMemo->toPlainText());
}

void TCurePlanForm::FillLists() {
    const bool was = loading_;
    loading_ = true;
    auto fill = [](std::initializer_list<QComboBox*> boxes, int code) {
        std::vector<QString> keep;
        for (QComboBox* b : boxes) keep.push_back(b->currentText());
        lum::LoadCommentsInto(boxes, kProgram, code);
        int i = 0;
        for (QComboBox* b : boxes) b->setEditText(keep[i++]);
    };
    fill({ImpairmentComments[0]}, 1);
    fill({ImpairmentComments[1], ImpairmentComments[2], ImpairmentComments[3]}, 2);
    fill({ImpairmentComments[4]}, 3);
    fill({ImpairmentComments[5]}, 4);
    fill({ImpairmentComments[6]}, 5);
    fill({ImpairmentComments[7], ImpairmentComments[8]}, 6);
    fill({ShitsugoComment}, 10);
    fill({ShitsuninnComment}, 11);
    for (int i = 0; i < 10; ++i) fill({DailyComments[i]}, 20 + i);
    fill({Mondaiten[0], Mondaiten[1], Mondaiten[2], Mondaiten[3], Mondaiten[4], Mondaiten[5]}, 50);
    fill({Mokuhyo[0], Mokuhyo[1], Mokuhyo[2], Mokuhyo[3], Mokuhyo[4], Mokuhyo[5]}, 51);
    fill({Program[0], Program[1], Program[2], Program[3], Program[4], Program[5]}, 52);
    loading_ = was;
}

// ---- the document road

QWidget* TCurePlanForm::WorkArea() const { return CurePlanPanel; }
QWidget* TCurePlanForm::DateField() const { return PlanRegistDay; }

bool TCurePlanForm::IsModified() const { return TDocumentForm::IsModified(); }

void TCurePlanForm::ClearDocument() {
    loading_ = true;
    registField_->clear();
    endField_->clear();
    ClearChart(ChartSide::Front);
    ClearChart(ChartSide::Back);
    for (int i = 0; i < 9; ++i) ImpairmentBoxes[i]->setCurrentIndex(i >= 6 ? 2 : 0);
    for (QComboBox* b : DetailBoxes) b->setCurrentIndex(0);
    for (QComboBox* b : ImpairmentComments) b->setEditText(QString());
    for (QComboBox* b : {ShitsugoComment, ShitsuninnComment}) b->setEditText(QString());
    for (QComboBox* b : DailyComments) b->setEditText(QString());
    for (auto* list : {&Mondaiten, &Mokuhyo, &Program})
        for (QComboBox* b : *list) b->setEditText(QString());
    for (QPlainTextEdit* m : {EtcMemo, Sonota, DrMemo}) m->clear();
    Shitsugo->setCurrentIndex(0);
    Shitsunin->setCurrentIndex(0);
    for (QCheckBox* b : BehaviourBoxes) b->setChecked(false);
    for (QComboBox* b : DailyBoxes) b->setCurrentIndex(0);
    for (QLabel* l : {CureNoLabel, NameLabel, SexLabel, BirthLabel, RihaTypeLabel, KubunLabel}) l->clear();
    for (QLabel* l : ShikanLabels) l->clear();
    for (QLabel* c : {JiritsuCircle, NinchiCircle, YoukaigoCircle}) c->hide();
    dragging_ = false;
    dragged_ = nullptr;
    Plan.PlanNo = 0;
    loading_ = false;
}

void TCurePlanForm::TakeHeader(const TPerson& person) {
    Plan = lum::newPlanOf(person);
}

void TCurePlanForm::ShowHeader() {
    CureNoLabel->setText(QString::number(Plan.CureNo));
    NameLabel->setText(Plan.Name);
    SexLabel->setText(lum::SexNames.at(Plan.Sex));
    BirthLabel->setText(lum::DateToEraText(Plan.Birth));
    RihaTypeLabel->setText(lum::RihaTypeNames.at(Plan.RihaType));
    lum::TKubun kubun;
    kubun.SetCode(Plan.KubunCode);
    KubunLabel->setText(kubun.LongText());
    for (int i = 0; i < 6; ++i) ShikanLabels[i]->setText(Plan.Disease[i]);
    auto placeCircle = [](QLabel* circle, const std::vector<RingPlace>& places, int index) {
        if (index < 0 || index >= int(places.size())) {
            circle->hide();
            return;
        }
        circle->setFont(places[size_t(index)].font);
        circle->setGeometry(places[size_t(index)].geometry);
        circle->show();
    };
    placeCircle(JiritsuCircle, rings_[0], Plan.Jiritsu_KBN);
    placeCircle(NinchiCircle, rings_[1], Plan.Ninchi_KBN);
    placeCircle(YoukaigoCircle, rings_[2], Plan.YOUKAIGO_KBN);
}

void TCurePlanForm::ShowRecord() {
    loading_ = true;
    registField_->setDate(Plan.PlanRegistDay);
    endField_->setDate(Plan.PlanEndDay);
    const lum::PlanBody& b = Plan.Body;
    const int ratings[9] = {b.Kansetsu, b.MahiUp,   b.MahiDown,     b.MahiFin,      b.Kinryoku,
                            b.Itami,    b.Shiryoku, b.LeftChoryoku, b.RightChoryoku};
    for (int i = 0; i < 9; ++i) {
        setIndex(ImpairmentBoxes[i], ratings[i]);
        ImpairmentComments[i]->setEditText(b.ImpairmentComments[i]);
    }
    setIndex(DetailBoxes[0], b.MahiUpDetail);
    setIndex(DetailBoxes[1], b.MahiDownDetail);
    setIndex(DetailBoxes[2], b.MahiFinDetail);
    EtcMemo->setPlainText(b.EtcMemo);
    setIndex(Shitsugo, b.Shitsugo);
    setIndex(Shitsunin, b.Shitsunin);
    for (int i = 0; i < 15; ++i) BehaviourBoxes[i]->setChecked(b.Behaviours[i]);
    ShitsugoComment->setEditText(b.ShitsugoComment);
    ShitsuninnComment->setEditText(b.ShitsuninnComment);
    for (int i = 0; i < 10; ++i) {
        setIndex(DailyBoxes[i], b.DailyLife[i]);
        DailyComments[i]->setEditText(b.DailyLifeComments[i]);
    }
    Sonota->setPlainText(b.Sonota);
    for (int k = 0; k < 6; ++k) {
        Mondaiten[k]->setEditText(b.Mondaiten[k]);
        Mokuhyo[k]->setEditText(b.Mokuhyo[k]);
        Program[k]->setEditText(b.Program[k]);
    }
    DrMemo->setPlainText(b.DrMemo);
    LoadChart(openedChart_);
    loading_ = false;
}

bool TCurePlanForm::refuse(const QString& text, QWidget* focus, MsgKind kind) {
    lum::message(kind, text, kind == MsgKind::Information ? MsgButton::Ok : MsgButton::Abort, this);
    if (focus) focus->setFocus();
    return false;
}

bool TCurePlanForm::CollectRecord() {
    const lum::TDateTime today = lum::TDateTime::fromDate(lum::today());
    const std::optional<lum::TDateTime> start = registField_->value();
    if (!start) {
        registField_->setDate(today);
        lum::message(MsgKind::Error, QStringLiteral("計画登録日エラーです。\n日付を今日に設定しました。"), MsgButton::Yes,
                     this);
        PlanRegistDay->setFocus();
        return false;
    }
    const std::optional<lum::TDateTime> end = endField_->value();
    if (!end) {
        endField_->setDate(lum::DefaultEndDate(today));
        lum::message(MsgKind::Error, QStringLiteral("計画終了日エラーです。\n日付を３ヶ月後に設定しました。"), MsgButton::Yes,
                     this);
        PlanStopDay->setFocus();
        return false;
    }
    if (start->dateOnly() > end->dateOnly()) return refuse(QStringLiteral("計画終了日->計画登録日 Error"), PlanStopDay, MsgKind::Error);

    lum::PlanBody& b = Plan.Body;
    int* ratings[9] = {&b.Kansetsu, &b.MahiUp,   &b.MahiDown,     &b.MahiFin,      &b.Kinryoku,
                       &b.Itami,    &b.Shiryoku, &b.LeftChoryoku, &b.RightChoryoku};
    for (int i = 0; i < 9; ++i) *ratings[i] = indexOf(ImpairmentBoxes[i]);
    b.MahiUpDetail = indexOf(DetailBoxes[0]);
    b.MahiDownDetail = indexOf(DetailBoxes[1]);
    b.MahiFinDetail = indexOf(DetailBoxes[2]);

    // Each text in order: a character with no stored form, then the limit.
    auto take = [this](const QString& text, int limit, const QString& over, QWidget* field, QString& into) {
        if (const std::optional<QString> refusal = lum::refuseEntry(text, limit, over)) return refuse(*refusal, field);
        into = text;
        return true;
    };
    const QString over40 = QStringLiteral("入力文字数がオーバーしています。\n半角40文字・全角20文字以内で入力してください。");
    const QString over50 = QStringLiteral("入力文字数がオーバーしています。\n半角50文字・全角25文字以内で入力してください。");
    const QString over78 = QStringLiteral("入力文字数がオーバーしています。\n半角78文字・全角39文字以内で入力してください。");
    const QString over340 = QStringLiteral("行の文字数がオーバーしています。\n半角340文字・全角170文字以内で入力してください。");
    const QString over540 = QStringLiteral("行の文字数がオーバーしています。\n半角540文字・全角270文字以内で入力してください。");
    const QString over36 = QStringLiteral("行の文字数がオーバーしています。\n半角36文字・全角18文字以内で入力してください。");
    // A memo taken must print whole in its box of the printout: its lines
    // as the printout puts them into the template's object of that name.
    auto printsWhole = [this](const QString& object, const QString& caption, QWidget* field) {
        const QString printed = lum::curePlanMemo(Plan, QStringLiteral("[%1]").arg(object)).value_or(QString());
        if (const std::optional<QString> refusal = RefuseUnprinted(object, caption, printed))
            return refuse(*refusal, field);
        return true;
    };
    for (int i = 0; i < 9; ++i) {
        if (!take(ImpairmentComments[i]->currentText(), 40, over40, ImpairmentComments[i], b.ImpairmentComments[i]))
            return false;
    }
    if (!take(EtcMemo->toPlainText(), 340, over340, EtcMemo, b.EtcMemo)) return false;
    if (!printsWhole(QStringLiteral("EtcMemo"), QStringLiteral("・その他"), EtcMemo)) return false;
    b.Shitsugo = indexOf(Shitsugo);
    b.Shitsunin = indexOf(Shitsunin);
    for (int i = 0; i < 15; ++i) b.Behaviours[i] = BehaviourBoxes[i]->isChecked();
    if (!take(ShitsugoComment->currentText(), 50, over50, ShitsugoComment, b.ShitsugoComment)) return false;
    if (!take(ShitsuninnComment->currentText(), 50, over50, ShitsuninnComment, b.ShitsuninnComment)) return false;
    for (int i = 0; i < 10; ++i) b.DailyLife[i] = indexOf(DailyBoxes[i]);
    for (int i = 0; i < 10; ++i) {
        if (!take(DailyComments[i]->currentText(), 78, over78, DailyComments[i], b.DailyLifeComments[i])) return false;
    }
    if (!take(Sonota->toPlainText(), 540, over540, Sonota, b.Sonota)) return false;
    if (!printsWhole(QStringLiteral("Sonota"), QStringLiteral("その他"), Sonota)) return false;
    for (auto [boxes, texts] : {std::pair{&Mondaiten, &b.Mondaiten}, std::pair{&Mokuhyo, &b.Mokuhyo},
                                std::pair{&Program, &b.Program}}) {
        for (int k = 0; k < 6; ++k) {
            if (!take((*boxes)[k]->currentText(), 36, over36, (*boxes)[k], (*texts)[k])) return false;
        }
    }
    if (!take(DrMemo->toPlainText(), 540, over540, DrMemo, b.DrMemo)) return false;
    if (!printsWhole(QStringLiteral("DrMemo"), QStringLiteral("医師からの特記事項"), DrMemo)) return false;
    Plan.PlanRegistDay = start->dateOnly();
    Plan.PlanEndDay = end->dateOnly();
    return true;
}

bool TCurePlanForm::OpenDocument(TGetDocumentForm& dialog) {
    const QString readError = Kind().messages.readError;
    try {
        const lum::PlanStore store(lum::requireFacilityDatabase());
        std::optional<lum::TPlan> plan = store.LoadPlanRow(dialog.PlanNo);
        if (!plan) return refuse(Kind().messages.notFound, nullptr, MsgKind::Error);
        // The marks are part of the plan: without them the plan is not opened,
        // so a later save can never drop the stored marks.
        openedChart_ = lum::chartFromRows(store.LoadFigures(plan->PlanNo));
        Plan = *plan;
    } catch (const lum::db::DbError&) {
        openedChart_ = {};
        return refuse(readError, nullptr, MsgKind::Error);
    }
    DocCureNo = Plan.CureNo;
    StoredDate = Plan.PlanRegistDay;
    return true;
}

bool TCurePlanForm::SaveDocument() {
    const QString login = MainModule ? MainModule->LoginName : QString();
    const lum::TDateTime today = lum::TDateTime::fromDate(lum::today());
    const std::vector<lum::FigureRow> rows = lum::figureRows(Chart());
    // Unasked, a save replaces only the plan on screen as opened or saved
    // here; another plan of that day (one saved elsewhere meanwhile too) only
    // once the user agreed to replace it.
    // A plan is never rewritten in place (a save appends a new one), so its
    // number tells it from any plan stored since.
    const int onScreen = Plan.PlanNo;
    std::optional<int> saved;
    try {
        const lum::PlanStore store(lum::requireFacilityDatabase());
        const auto attempt = [&](const std::function<bool(const int&)>& mayReplace) {
            const lum::PlanStore::SaveOutcome outcome =
                store.SavePlan(Plan, rows, login, today, [&](int planNo) { return mayReplace(planNo); });
            saved = outcome.planNo;
            return saved ? std::vector<int>() : outcome.stored;
        };
        const auto mine = [onScreen](const int& planNo) { return onScreen != 0 && planNo == onScreen; };
        if (!lum::writeAskingOverwrite<int>(Kind(), attempt, mine, this)) return false;
        Plan.PlanNo = *saved;
    } catch (const lum::db::TransactionStartError&) {
        return refuse(QStringLiteral("SystemError : 治療計画の確認に失敗しました。"), nullptr, MsgKind::Error);
    } catch (const lum::db::DbError&) {
        lum::message(MsgKind::Error, Kind().messages.saveFailure, MsgButton::Ok, this);
        return false;
    }
    StoredDate = Plan.PlanRegistDay;
    lum::message(MsgKind::Information,
                 QStringLiteral("利用者番号 = %1\n計画登録日 = %2\nで登録しました。")
                     .arg(Plan.CureNo)
                     .arg(dayText(Plan.PlanRegistDay)),
                 MsgButton::Ok, this);
    return true;
}

bool TCurePlanForm::DeleteDocument() {
    if (Plan.PlanNo == 0 || !StoredDate) {
        // Nothing stored is on screen (a new plan not yet saved).
        return refuse(Kind().messages.notFound, nullptr, MsgKind::Error);
    }
    if (lum::message(MsgKind::Confirm,
                     QStringLiteral("利用者番号 = %1\n計画登録日 = %2\nを削除しますか？").arg(Plan.CureNo).arg(dayText(*StoredDate)),
                     MsgButton::Ok | MsgButton::Cancel, this) != MsgButton::Ok) {
        return false;
    }
    try {
        lum::PlanStore(lum::requireFacilityDatabase()).DeletePlan(Plan.PlanNo);
    } catch (const lum::db::TransactionStartError& e) {
        return refuse(lum::transactionStartText(e.level()), nullptr, MsgKind::Error);
    } catch (const lum::db::NoRowTouched&) {
        return refuse(Kind().messages.notFound, nullptr, MsgKind::Error);
    } catch (const lum::db::DbError&) {
        lum::message(MsgKind::Error, Kind().messages.deleteFailure, MsgButton::Ok, this);
        return false;
    }
    return true;
}

bool TCurePlanForm::BeforePrint() {
    chartImage_ = lum::renderBodyChart(Chart());
    return true;
}

void TCurePlanForm::GetValue(const QString& name, lum::ExprValue& value) {
    const QString facility = MainModule ? MainModule->FacilityName : QString();
    if (std::optional<lum::ExprValue> v = lum::curePlanValue(Plan, facility, name)) value = *v;
}

void TCurePlanForm::EnterRect(QStringList& memo, lum::TfrView* view) {
    lum::enterCurePlanObject(Plan, chartImage_, memo, view);
}
