#include "startup/warm_up.h"

#include "app/dbseting.h"
#include "platform/db/connection_string.h"
#include "platform/db/database.h"

#include <fontconfig/fontconfig.h>

namespace lum {

std::jthread startWarmUp() {
    return std::jthread([] {
        // Qt's font database reads the same configuration and caches when the
        // splash window first draws its text; read here, it finds them ready.
        FcInit();
        // Only a head start: whatever fails here, the start-up's own read of
        // the settings meets again and reports, so nothing may end the program.
        try {
            if (const auto target = db::parseConnectionString(TDBSeting::StoredConnection())) {
                db::Database::preloadDriver(target->backend);
            }
        } catch (...) {
        }
    });
}

}  // namespace lum
