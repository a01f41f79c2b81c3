#include "plans/document_kinds.h"

#include <stdexcept>

namespace lum {
namespace {

const QString kPlanPrompt = QStringLiteral("作成日を選択して下さい。");
const QString kPlanCaption = QStringLiteral("治療計画確認");
const QString kPlanNotFound = QStringLiteral("該当する利用者の治療計画がありません。\n確認してください。");

OpenDialogSpec dayDialog(const char* className, const QString& dateColumn,
                         const QString& title) {
    return {className,
            kPlanCaption,
            kPlanPrompt,
            {QStringLiteral("CureNo"), dateColumn},
            dateColumn,
            {{dateColumn, title}},
            kPlanNotFound};
}

std::vector<DocumentKind> makeKinds() {
    std::vector<DocumentKind> k;

    DocumentKind cure{DocumentId::CurePlan, "TCurePlanForm", QStringLiteral("リハビリ治療計画書"),
                      QStringLiteral("RihaPlan"), QStringLiteral("PlanRegistDay"), QString(), 3700,
                      DocumentKey::PlanNo, QStringLiteral("CurePlan.frf"),
                      {"TGetCurePlanForm",
                       kPlanCaption,
                       QStringLiteral("計画登録日を選択して下さい。"),
                       {QStringLiteral("PlanNo"), QStringLiteral("PlanRegistDay"), QStringLiteral("PlanEndDay")},
                       QStringLiteral("PlanNo"),
                       {{QStringLiteral("PlanRegistDay"), QStringLiteral("計画登録日")},
                        {QStringLiteral("PlanEndDay"), QStringLiteral("計画終了日")}},
                       QStringLiteral("該当する利用者の治療計画書がありません。\n確認してください。")},
                      {QStringLiteral("で登録しました。"), QString(), QStringLiteral("登録に失敗しました。"), QString(),
                       QStringLiteral("*** System Error : CurePlan Open error "),
                       QStringLiteral("System DB Read Error:治療計画"),
                       QStringLiteral("System DB Read Error:治療計画のデータが見つかりません。"), QString(),
                       QStringLiteral("を削除しますか？"), QStringLiteral("Plan 削除に失敗しました。"), QString(), QString()}};
    k.push_back(cure);

    DocumentKind pract{DocumentId::PracticePlan, "TPracticePlanForm", QStringLiteral("リハビリ計画管理システム"),
                       QStringLiteral("Practice"), QStringLiteral("PrcticeDay"), QStringLiteral("PracticeData"), 21480,
                       DocumentKey::PractNo, QStringLiteral("PracticePlan.frf"),
                       {"TGetPractPlanForm",
                        QStringLiteral("実施計画確認"),
                        QStringLiteral("実施日を選択して下さい。"),
                        {QStringLiteral("PractNo"), QStringLiteral("CureNo"), QStringLiteral("PrcticeDay")},
                        QStringLiteral("PractNo"),
                        {{QStringLiteral("PrcticeDay"), QStringLiteral("実施日")}},
                        QStringLiteral("該当する利用者の実施計画書がありません。\n確認してください。")},
                       {QStringLiteral("実施計画を保存しました。"), QStringLiteral("実施計画書の保存はキャンセルしました。"),
                        QStringLiteral("System DB Error:実施計画の保存に失敗しました。"),
                        QStringLiteral("保存されていませんが\n終了しますか？"),
                        QStringLiteral("System DB Open Error:実施計画"), QStringLiteral("System DB Read Error:実施計画"),
                        QStringLiteral("System DB Read Error:実施計画のデータが見つかりません。"),
                        QStringLiteral("System DB Read Error:実施計画データの形式エラーです。"), QString(), QString(),
                        QStringLiteral("System DB Error:実施計画"), QString()}};
    pract.shownModally = true;
    pract.deleteBeforeStored = true;
    pract.formCloseAsks = false;
    k.push_back(pract);

    DocumentKind urinPlan{DocumentId::UrinPlan, "TURinPlanForm", QStringLiteral("リハビリテーション計画書"),
                          QStringLiteral("UrinKeikaku"), QStringLiteral("UrinDay"), QStringLiteral("KeikakuData"), 1664,
                          DocumentKey::KeyDay, QStringLiteral("UrinPlan.frf"),
                          dayDialog("TGetUrinPlanForm", QStringLiteral("UrinDay"),
                                    QStringLiteral("作成日")),
                          {QStringLiteral("計画書を保存しました。"), QStringLiteral("計画書の保存はキャンセルしました。"),
                           QStringLiteral("System DB Error:計画の保存に失敗しました。"),
                           QStringLiteral("計画書が保存されていませんが\n終了しますか？"),
                           QStringLiteral("System DB Open Error"), QStringLiteral("System DB Read Error:計画"),
                           QStringLiteral("System DB Read Error:計画のデータが見つかりません。"),
                           QStringLiteral("System DB Read Error:計画データの形式エラーです。"),
                           QStringLiteral("この計画のデータを消去しますか？"),
                           QStringLiteral("System DB Error:計画の消去に失敗しました。"),
                           QStringLiteral("System DB Error:計画"), QString()}};
    urinPlan.newResetsModified = false;
    k.push_back(urinPlan);

    DocumentKind urinPract{DocumentId::UrinPract, "TURinPractForm", QStringLiteral("リハビリテーション実施計画書（予防）"),
                           QStringLiteral("UrinYobou"), QStringLiteral("UrinDay"), QStringLiteral("YobouData"), 4552,
                           DocumentKey::KeyDay, QStringLiteral("UrinPract.frf"),
                           dayDialog("TGetUrinPractForm", QStringLiteral("UrinDay"),
                                     QStringLiteral("作成日")),
                           {QStringLiteral("計画書(予防)を保存しました。"), QStringLiteral("計画書の保存はキャンセルしました。"),
                            QStringLiteral("System DB Error:計画(予防)の保存に失敗しました。"),
                            QStringLiteral("計画(予防)が保存されていませんが\n終了しますか？"),
                            QStringLiteral("System DB Open Error"), QStringLiteral("System DB Read Error:計画"),
                            QStringLiteral("System DB Read Error:計画のデータが見つかりません。"),
                            QStringLiteral("System DB Read Error:計画データの形式エラーです。"),
                            QStringLiteral("この計画（予防）のデータを消去しますか？"),
                            QStringLiteral("System DB Error:計画（予防）の消去に失敗しました。"),
                            QStringLiteral("System DB Error:計画（予防）"),
                            QStringLiteral("System DB Read Error:計画（予防）のデータが見つかりません。")}};
    urinPract.newResetsModified = false;
    k.push_back(urinPract);

    DocumentKind before{DocumentId::BeforeConf, "TBeforeConferenceForm", QStringLiteral("カンファレンス調査"),
                        QStringLiteral("BeforeConfer"), QStringLiteral("ConferenceDay"),
                        QStringLiteral("BeforeConferData"), 4200, DocumentKey::KeyDay, QStringLiteral("BeforeConf.frf"),
                        dayDialog("TGetBeforeConfForm", QStringLiteral("ConferenceDay"), QStringLiteral("カンファレンス計画日")),
                        {QStringLiteral("カンファレンスを保存しました。"),
                         QStringLiteral("カンファレンスの保存はキャンセルしました。"),
                         QStringLiteral("*** System DB Error:カンファレンスの保存に失敗しました。"),
                         QStringLiteral("カンファレンス（調査票）が保存されていませんが\n終了しますか？"),
                         QStringLiteral("System DB Open Error"), QStringLiteral("System DB Read Error:カンファレンス"),
                         QStringLiteral("System DB Read Error:カンファレンスのデータが見つかりません。"),
                         QStringLiteral("System DB Read Error:計画データの形式エラーです。"),
                         QStringLiteral("このカンファレンスのデータを消去しますか？"),
                         QStringLiteral("System DB Error:開始時カンファレンスの消去に失敗しました。"),
                         QStringLiteral("System DB Error:カンファレンス"),
                         QStringLiteral("System DB Read Error:開始時カンファレンスのデータが見つかりません。")}};
    before.shownModally = true;
    before.newKeepsBody = true;
    before.printCollect = PrintCollect::LengthsOnly;
    k.push_back(before);

    DocumentKind conf{DocumentId::Conference, "TConferenceForm", QStringLiteral("カンファレンス報告"),
                      QStringLiteral("Conference"), QStringLiteral("PractDay"), QStringLiteral("ConferData"), 5232,
                      DocumentKey::KeyDay, QStringLiteral("conference.frf"),
                      dayDialog("TGetConfForm", QStringLiteral("PractDay"),
                                QStringLiteral("カンファレンス実施日")),
                      {QStringLiteral("カンファレンスを保存しました。"),
                       QStringLiteral("カンファレンスの保存はキャンセルしました。"),
                       QStringLiteral("System DB Error:カンファレンスの保存に失敗しました。"),
                       QStringLiteral("カンファレンスが保存されていませんが\n終了しますか？"),
                       QStringLiteral("System DB Open Error"), QStringLiteral("System DB Read Error:カンファレンス"),
                       QStringLiteral("System DB Read Error:カンファレンスのデータが見つかりません。"),
                       QStringLiteral("System DB Read Error:カンファレンスデータの形式エラーです。"),
                       QStringLiteral("このカンファレンスのデータを消去しますか？"),
                       QStringLiteral("System DB Error:カンファレンスの消去に失敗しました。"),
                       QStringLiteral("System DB Error:カンファレンス"), QString()}};
    conf.shownModally = true;
    conf.newKeepsBody = true;
    k.push_back(conf);

    DocumentKind estimate{DocumentId::Estimate, "TLifeEstimateForm", QStringLiteral("日常生活機能評価表"),
                          QStringLiteral("Estimate"), QStringLiteral("Sakuseibi"), QString(), 0, DocumentKey::KeyDay,
                          QStringLiteral("Estimate.frf"),
                          dayDialog("TGetEstimateForm", QStringLiteral("Sakuseibi"), QStringLiteral("作成日")),
                          {QStringLiteral("で登録しました。"), QString(), QStringLiteral("登録に失敗しました。"), QString(),
                           QStringLiteral("System DB Open Error"), QStringLiteral("System DB Read Error:計画"),
                           QStringLiteral("System DB Read Error:計画のデータが見つかりません。"), QString(),
                           QStringLiteral("この機能評価表のデータを消去しますか？"),
                           QStringLiteral("System DB Error:機能評価表の消去に失敗しました。"),
                           QStringLiteral("System DB Error:機能評価表"),
                           QStringLiteral("System DB Read Error:機能評価表のデータが見つかりません。")}};
    estimate.printCollect = PrintCollect::None;
    k.push_back(estimate);
    return k;
}

const std::vector<DocumentKind>& kinds() {
    static const std::vector<DocumentKind> all = makeKinds();
    return all;
}

}  // namespace

const DocumentKind& documentKind(DocumentId id) {
    for (const DocumentKind& k : kinds())
        if (k.id == id) return k;
    throw std::out_of_range("unknown document");
}

const std::array<DocumentId, 7>& allDocuments() {
    static const std::array<DocumentId, 7> all{DocumentId::CurePlan,   DocumentId::PracticePlan, DocumentId::UrinPlan,
                                               DocumentId::UrinPract,  DocumentId::BeforeConf,   DocumentId::Conference,
                                               DocumentId::Estimate};
    return all;
}

const std::array<DocumentId, 5>& blobDocuments() {
    static const std::array<DocumentId, 5> blobs{DocumentId::PracticePlan, DocumentId::UrinPlan, DocumentId::UrinPract,
                                                 DocumentId::BeforeConf, DocumentId::Conference};
    return blobs;
}

}  // namespace lum
