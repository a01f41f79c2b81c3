// Migration 1: every table of the facility database, with the keys the
// application treats as unique and the indexes of its frequent queries.
// Never change it once released: later changes are new migrations.
#include "platform/db/migration_001_tables.h"

#include "platform/db/schema.h"

namespace lum::db {
namespace {

Column key(const char* name) { return {QString::fromLatin1(name), ColumnType::Key, 0, true, {}}; }
Column integer(const char* name, bool notNull = false) {
    return {QString::fromLatin1(name), ColumnType::Integer, 0, notNull, {}};
}
Column text(const char* name, int width = 0, bool notNull = false) {
    return {QString::fromLatin1(name), ColumnType::Text, width, notNull, {}};
}
Column date(const char* name, bool notNull = false) {
    return {QString::fromLatin1(name), ColumnType::DateTime, 0, notNull, {}};
}
Column blob(const char* name) { return {QString::fromLatin1(name), ColumnType::Blob, 0, false, {}}; }

void numbered(std::vector<Column>& columns, const char* prefix, int from, int to, int digits, ColumnType type,
              int width = 0) {
    for (int i = from; i <= to; ++i) {
        columns.push_back({QString::fromLatin1(prefix) + QStringLiteral("%1").arg(i, digits, 10, QChar(u'0')), type,
                           width, false, {}});
    }
}

Table person() {
    Table t{QStringLiteral("Person"),
            {key("CureNo"), text("Name", 20), text("Kana", 20), integer("Sex"), date("Birth"), text("YoubinNo", 20),
             text("Address", 120), text("TelNo", 20), text("FaxNo", 20), text("EMail", 80), text("distinctive", 200),
             integer("TavelundUserNo"), integer("RihaType"), integer("KubunCode"), date("KubunDate"),
             text("ROOM_NO", 40), integer("Jiritsu_KBN"), integer("Ninchi_KBN"), integer("YOUKAIGO_KBN"),
             date("HP_TAISHO_YMD"), date("NYUSHOBI_YMD", true), date("TAISHOBI_YMD")}};
    numbered(t.columns, "Disease", 1, 6, 1, ColumnType::Text, 50);
    numbered(t.columns, "Reserve", 1, 7, 2, ColumnType::DateTime);
    numbered(t.columns, "Funn", 1, 7, 2, ColumnType::Integer);
    return t;
}

Table rihaPlan() {
    Table t{QStringLiteral("RihaPlan"),
            {key("PlanNo"), integer("CureNo", true), date("PlanRegistDay", true), date("PlanEndDay"), text("Name", 50),
             integer("Sex"), date("Birth"), integer("RihaType"), integer("KubunCode"), integer("Jiritsu_KBN"),
             integer("Ninchi_KBN"), integer("YOUKAIGO_KBN")}};
    numbered(t.columns, "Disease", 1, 6, 1, ColumnType::Text, 50);
    for (Column c : {text("Creator", 30), date("CreateDay"), text("Updator", 30), date("UpdateDay"), blob("PlanData")})
        t.columns.push_back(c);
    return t;
}

// The care documents kept as one record per client and document date.
Table blobDocument(const char* name, const char* dateColumn, const char* blobColumn) {
    return {QString::fromLatin1(name),
            {integer("CureNo", true), date(dateColumn, true), integer("DataFormatVersion"), blob(blobColumn)}};
}

Table estimate() {
    Table t{QStringLiteral("Estimate"),
            {integer("CureNo", true), date("Sakuseibi", true), text("UserName", 50), integer("Sex"), date("Birth"),
             integer("Old"), integer("Kaigodo")}};
    for (const char* item : {"Yukaue", "UdeAge", "Negaeri", "Okiagari", "ZaiHoji", "Ijyou", "Idou", "Kouku", "Shokuji",
                             "Ifuku", "Omoiyari", "Shinryo", "Kikenn", "RihaStuff"}) {
        t.columns.push_back(integer(item));
    }
    return t;
}

Table cureResults() {
    Table t{QStringLiteral("CureResults"),
            {key("ResultNo"), date("CureDate"), integer("ReserveNo"), integer("CureNo"), integer("StuffCode"),
             text("StuffName", 30), text("StuffKigo", 10), date("PStartTime"), integer("PMinute"),
             date("RStartTime"), integer("RMinute"), text("Comment", 255), integer("RihaType"),
             integer("KubunCode")}};
    for (const char* flag : {"NyushoTanki", "NyushoNinchi", "NyushoShudan", "NyushoKobetsu", "TankiNyushoTanki",
                             "TankiNyushoNinchi", "TankiNyushoShudan", "TankiNyushoKobetsu", "TsushoTanki",
                             "TsushoNinchi", "TsushoShudan", "TsushoKobetsu", "HoumonTanki", "HoumonNinchi"}) {
        t.columns.push_back(text(flag, 10));
    }
    for (Column c : {date("KubunDate"), text("Name", 20), text("Kana", 20), integer("Sex"), date("Birth"),
                     text("ROOM_NO", 40), integer("Jiritsu_KBN"), integer("Ninchi_KBN"), integer("YOUKAIGO_KBN"),
                     date("HP_TAISHO_YMD"), date("NYUSHOBI_YMD"), date("TAISHOBI_YMD"), text("LoginCD", 20),
                     text("LoginName", 20), date("UpdateDate")}) {
        t.columns.push_back(c);
    }
    return t;
}

std::vector<Table> tables() {
    Column workingNo = integer("WorkingNo", true);
    workingNo.references = QStringLiteral("TimeTable (ReserveNo) ON DELETE CASCADE");
    return {
        {QStringLiteral("KaigoStuff"),
         {{QStringLiteral("CD"), ColumnType::Integer, 0, true, {}}, text("StuffName", 30), text("KIGO", 4)}},
        {QStringLiteral("LoginUser"), {text("STAFF_CD", 255, true), text("PASS_WORD", 255), text("LoginNAME", 255)}},
        {QStringLiteral("Facilities"), {key("ID"), text("FACILITIES_NAME", 60)}},
        {QStringLiteral("Comment"),
         {key("CommentIDNo"), text("ProgramName", 0, true), integer("CommentCode", true), text("CommentText"),
          integer("Creator"), date("CreateDate"), integer("Updator"), date("UpdateDate")}},
        person(),
        {QStringLiteral("TimeTable"),
         {key("ReserveNo"), date("ReserveDay", true), integer("StuffCode", true), date("StartTime", true),
          integer("WorkingMin", true), integer("Capacity", true)}},
        {QStringLiteral("Schedule"),
         {key("ScheduleNo"), workingNo, integer("CureNo", true), text("Comment", 255), date("CreateDate")}},
        rihaPlan(),
        {QStringLiteral("Figure"),
         {key("AutoNo"), integer("PlanNo", true), integer("Parts"), integer("Side"), integer("Corner"), integer("X"),
          integer("Y")}},
        {QStringLiteral("Practice"),
         {key("PractNo"), integer("CureNo", true), date("PrcticeDay", true), integer("DataFormatVersion"),
          blob("PracticeData")}},
        blobDocument("UrinKeikaku", "UrinDay", "KeikakuData"),
        blobDocument("UrinYobou", "UrinDay", "YobouData"),
        blobDocument("Conference", "PractDay", "ConferData"),
        blobDocument("BeforeConfer", "ConferenceDay", "BeforeConferData"),
        estimate(),
        cureResults(),
    };
}

// Valid on both backends as written.
const char* const kIndexes[] = {
    "CREATE UNIQUE INDEX KaigoStuff_CD ON KaigoStuff (CD)",
    "CREATE UNIQUE INDEX LoginUser_Staff ON LoginUser (STAFF_CD)",
    "CREATE INDEX Comment_List ON Comment (ProgramName, CommentCode, CommentIDNo)",
    "CREATE INDEX Person_Kana ON Person (Kana)",
    "CREATE INDEX TimeTable_Day_Staff ON TimeTable (ReserveDay, StuffCode)",
    "CREATE INDEX TimeTable_Staff_Day ON TimeTable (StuffCode, ReserveDay)",
    "CREATE UNIQUE INDEX Schedule_Frame_Client ON Schedule (WorkingNo, CureNo)",
    "CREATE INDEX Schedule_Client ON Schedule (CureNo)",
    "CREATE INDEX RihaPlan_Client_Day ON RihaPlan (CureNo, PlanRegistDay)",
    "CREATE INDEX Figure_Plan ON Figure (PlanNo, AutoNo)",
    "CREATE UNIQUE INDEX Practice_Client_Day ON Practice (CureNo, PrcticeDay)",
    "CREATE UNIQUE INDEX UrinKeikaku_Client_Day ON UrinKeikaku (CureNo, UrinDay)",
    "CREATE UNIQUE INDEX UrinYobou_Client_Day ON UrinYobou (CureNo, UrinDay)",
    "CREATE UNIQUE INDEX Conference_Client_Day ON Conference (CureNo, PractDay)",
    "CREATE UNIQUE INDEX BeforeConfer_Client_Day ON BeforeConfer (CureNo, ConferenceDay)",
    "CREATE UNIQUE INDEX Estimate_Client_Day ON Estimate (CureNo, Sakuseibi)",
    "CREATE INDEX CureResults_Date ON CureResults (CureDate)",
    "CREATE INDEX CureResults_Client_Date ON CureResults (CureNo, CureDate)",
    "CREATE INDEX CureResults_Frame ON CureResults (ReserveNo, CureNo)",
    "CREATE INDEX CureResults_Staff_Date ON CureResults (StuffCode, CureDate)",
};

}  // namespace

QStringList migration001TableNames() {
    QStringList names;
    for (const Table& t : tables()) names << t.name;
    return names;
}

void applyMigration001(Database& db) {
    for (const Table& t : tables()) db.execute(createTableSql(t, db.backend()));
    for (const char* sql : kIndexes) db.execute(QString::fromLatin1(sql));
}

}  // namespace lum::db
