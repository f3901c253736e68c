#include "domain/gst/GstSchema.h"

namespace tanabana::gst {

std::vector<db::MigrationStep> gstSteps() {
    return {{QStringLiteral("gst.firm-turnover-above-5-crore"), [](db::Database& db) {
                 db::ColumnDef column = db::yesNoCol(QStringLiteral("Is_Turnover_5Cr"));
                 column.defaultValue = QStringLiteral("0");
                 db::addColumnIfMissing(db, QStringLiteral("FirmMst"), column);
             }}};
}

}  // namespace tanabana::gst
