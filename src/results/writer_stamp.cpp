#include "results/writer_stamp.h"

#include "app/main_module.h"
#include "platform/clock.h"

namespace lum {

WriterStamp RunWriterStamp() {
    WriterStamp stamp;
    stamp.Now = TDateTime::fromDateTime(lum::now());
    if (MainModule) {
        stamp.LoginCD = MainModule->LoginStaffCD.left(LoginColumnWidth);
        stamp.LoginName = MainModule->LoginName.left(LoginColumnWidth);
    }
    return stamp;
}

}  // namespace lum
