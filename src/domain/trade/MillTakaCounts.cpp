#include "domain/trade/MillTakaCounts.h"

namespace tanabana::trade {

void recountMillTakas(db::Database& db, qint64 purchaseBillId) {
    db.exec(QStringLiteral("UPDATE BillDtl SET Issue_Taka = (SELECT count(*) FROM BillMst_TakaDetail t WHERE t.BillMst_Id = BillDtl.BillMstId "
                           "AND t.BillSrno = BillDtl.Srno AND t.Is_Issued <> 0), "
                           "Issue_Mtrs = (SELECT ROUND(COALESCE(SUM(t.Mtrs), 0) * 1000) / 1000.0 FROM BillMst_TakaDetail t "
                           "WHERE t.BillMst_Id = BillDtl.BillMstId AND t.BillSrno = BillDtl.Srno AND t.Is_Issued <> 0) WHERE BillMstId = ?"),
            {purchaseBillId});
    db.exec(QStringLiteral("UPDATE BillMst SET Is_IssueToMill = CASE WHEN EXISTS (SELECT 1 FROM BillMst_TakaDetail t WHERE t.BillMst_Id = BillMst.Id "
                           "AND t.Is_Issued <> 0) AND NOT EXISTS (SELECT 1 FROM BillMst_TakaDetail t WHERE t.BillMst_Id = BillMst.Id "
                           "AND COALESCE(t.Is_Issued, 0) = 0) THEN 1 ELSE 0 END WHERE Id = ?"),
            {purchaseBillId});
}

}  // namespace tanabana::trade
