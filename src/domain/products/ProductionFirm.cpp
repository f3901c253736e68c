#include "domain/products/ProductionFirm.h"

namespace tanabana::products {

int prepareProductionItems(db::Database& db) {
    db::Transaction tx(db);
    int added = 0;
    const bool listed = db.scalar(QStringLiteral("SELECT count(*) FROM Mst_Process WHERE Mst_Type = 'R' AND IsAct = 1")).toInt() > 0;
    if (!listed) {
        // Every group of every firm, once, in group and firm order.
        const auto groups = db.query(QStringLiteral("SELECT DISTINCT ProdGrp, FirmNO FROM ProdMst WHERE ProdGrp IS NOT NULL AND ProdGrp <> '' "
                                                    "ORDER BY ProdGrp, FirmNO"));
        for (const db::Row& g : groups) {
            const qint64 id = db.nextKey(QStringLiteral("Mst_Process"), QStringLiteral("Pro_Id"));
            db.exec(QStringLiteral("INSERT INTO Mst_Process (Pro_Id, Pro_Name, FirmNo, Mst_Type, IsAct) VALUES (?, ?, ?, 'R', 1)"),
                    {id, g.text(QStringLiteral("ProdGrp")), g.integer(QStringLiteral("FirmNO"))});
            ++added;
        }
        // The item type is derived once, when the firm's items first meet the loom screens; later
        // the operator's own choice on the rapier item master stands.
        db.exec(QStringLiteral("UPDATE ProdMst SET MrpDisc = 0"));
        db.exec(QStringLiteral("UPDATE ProdMst SET MrpDisc = 2 WHERE StkType = 'O'"));
        db.exec(QStringLiteral("UPDATE ProdMst SET MrpDisc = 1 WHERE StkType = 'R' OR StkType = 'Y'"));
    }
    db.exec(QStringLiteral("UPDATE ProdMst SET ProdSubGrp = ProdName WHERE ProdSubGrp = '' OR ProdSubGrp IS NULL"));
    tx.commit();
    return added;
}

}  // namespace tanabana::products
