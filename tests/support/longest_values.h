#pragma once
// What the printout layout tests share: texts of an exact code page 932
// length in the widest characters, the client with the longest values the
// registration accepts, and the prepared pages kept as PNG pictures to look
// at ($LUMORIND_PRINT_OUT).
#include "clients/person.h"
#include "facility_admin.h"
#include "common/datetime.h"
#include "report/engine/prepared_pages.h"
#include "report/prepared/page_draw.h"
#include "report/render/painter_canvas.h"
#include "support/short_lines.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>

namespace lum::test {

// With $LUMORIND_PRINT_OUT naming a folder, every page as a PNG picture there
// (at twice the screen's size), named layout-<name>-<page>.png.
inline void keepPages(const TfrEMFPages& pages, const QString& name) {
    const QString folder = qEnvironmentVariable("LUMORIND_PRINT_OUT");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    for (int p = 0; p < pages.Count(); ++p) {
        const TfrPreparedPage& page = pages.GetPage(p);
        const QRect rect = pageDrawRect(page, 0, 0, 2.0);
        QImage image(rect.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QPainterCanvas canvas(painter, 192);
            DrawPage(page, canvas, rect);
        }
        image.save(QStringLiteral("%1/layout-%2-%3.png").arg(folder, name).arg(p + 1));
    }
}

// A text of exactly `bytes` code page 932 bytes of one full-width character.
inline QString fullWidth(int bytes, char16_t c) { return QString(bytes / 2, QChar(c)); }

// The longest facility name the setup tool accepts, in the widest
// characters: 60 full-width characters.
inline QString longestFacilityName() {
    QString name = QStringLiteral("介護老人保健施設　");
    while (name.size() < setup::kFacilityNameWidth) name += QStringLiteral("鷹鷲鳳鵬麟龍鶴鸞鷺");
    return name.left(setup::kFacilityNameWidth - 1) + QStringLiteral("苑");
}

// The first character of the longest staff name, which it has nowhere else
// (nor has the longest client's name): a cell that prints the name from its
// start prints this character.
inline const QChar kStaffNameStart = u'麒';

// The longest staff name the setup tool accepts: 30 full-width characters.
inline QString longestStaffName() {
    QString name = kStaffNameStart;
    while (name.size() < setup::kStaffNameWidth) name += QStringLiteral("鷲鳳鵬麟　龍鶴鸞鷺鷹");
    return name.left(setup::kStaffNameWidth);
}

// The first character of the longest login name, which it has nowhere else
// (nor have the longest staff and client names).
inline const QChar kLoginNameStart = u'鴻';

// The longest login name the setup tool accepts: 20 full-width characters.
inline QString longestLoginName() { return kLoginNameStart + QString(setup::kLoginNameWidth - 1, QChar(u'鷹')); }

// The first character of the longest client's name, which it has nowhere
// else (nor has the longest staff name).
inline const QChar kClientNameStart = u'鴇';

// The client with the longest values the registration accepts: a name and a
// kana of 20 bytes, an age of three digits, six diseases of 50 bytes, a room
// of 40 bytes.
inline TPerson longestClient() {
    TPerson c;
    c.CureNo = 99999999;
    c.Name = kClientNameStart + QStringLiteral("鷲鳳鵬麟　龍鶴鸞鷺");  // 20 bytes, the widest characters
    c.Kana = QStringLiteral("ﾀｶﾜｼﾎｳﾎｳﾘﾝ ﾘｭｳﾂﾙﾗﾝｻ");
    c.Sex = 1;
    c.Birth = TDateTime::fromYmd(1899, 12, 31);  // past 100 on every date of the demo
    for (QString& d : c.Disease) d = fullWidth(50, u'疾');
    c.ROOM_NO = QString(40, QChar(u'W'));
    c.RihaType = 1;
    c.KubunCode = 15;
    c.Jiritsu_KBN = 8;
    c.Ninchi_KBN = 5;
    c.YOUKAIGO_KBN = 6;
    return c;
}

}  // namespace lum::test
