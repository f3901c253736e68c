#include "domain/trade/SalesLines.h"

namespace tanabana::trade {

namespace {

const QString kSalesItemColumns = QStringLiteral("Id, RAteR, CalcOn, Pack, Vat, AddTax, VatCalc");

SalesLine lineFromItemRow(const db::Row& r) {
    SalesLine line;
    line.qualityId = r.integer(QStringLiteral("Id"));
    InvoiceLineInput& in = line.input;
    in.listRate = Decimal::fromVariant(r.value(QStringLiteral("RAteR")));
    in.rateOn = r.integer(QStringLiteral("CalcOn")) == 2 ? QStringLiteral("P") : QStringLiteral("M");
    in.cut = Decimal::fromVariant(r.value(QStringLiteral("Pack")));
    in.sgstPercent = Decimal::fromVariant(r.value(QStringLiteral("Vat")));
    in.cgstPercent = Decimal::fromVariant(r.value(QStringLiteral("AddTax")));
    const int calc = int(r.integer(QStringLiteral("VatCalc")));
    in.gstCalc = calc == 0 ? 1 : calc;
    return line;
}

}  // namespace

std::optional<SalesLine> lineForItem(db::Database& db, qint64 firmNo, qint64 itemId) {
    const auto r = db.queryOne(QStringLiteral("SELECT ") + kSalesItemColumns + QStringLiteral(" FROM ProdMst WHERE Id = ? AND FirmNO = ?"),
                               {itemId, firmNo});
    if (!r) return std::nullopt;
    return lineFromItemRow(*r);
}

std::vector<SalesLine> salesLinesFromChallan(db::Database& db, qint64 challanId, bool summed) {
    struct Group {
        SalesLine line;
        int count = 0;
        Decimal cutSum;
    };
    std::vector<Group> groups;
    db.forEach(QStringLiteral("SELECT d.*, p.Vat, p.AddTax FROM ChalanDtl d LEFT JOIN ProdMst p ON p.Id = d.PCode "
                              "WHERE d.BillMstId = ? ORDER BY d.Srno"),
               {challanId}, [&](const db::Row& r) {
        SalesLine line;
        line.qualityId = r.integer(QStringLiteral("PCode"));
        line.description = r.text(QStringLiteral("RC3"));
        line.remark1 = r.text(QStringLiteral("RC1"));
        line.remark2 = r.text(QStringLiteral("RC2"));
        line.challanId = challanId;
        line.challanSrno = r.integer(QStringLiteral("Srno"));
        InvoiceLineInput& in = line.input;
        in.pieces = Decimal::fromVariant(r.value(QStringLiteral("Nos")));
        in.cut = Decimal::fromVariant(r.value(QStringLiteral("APack")));
        in.metres = Decimal::fromVariant(r.value(QStringLiteral("Qty")));
        in.rateOn = r.text(QStringLiteral("RateOn")).trimmed().toUpper() == QStringLiteral("P") ? QStringLiteral("P") : QStringLiteral("M");
        in.listRate = Decimal::fromVariant(r.value(QStringLiteral("Rate")));
        in.sgstPercent = Decimal::fromVariant(r.value(QStringLiteral("Vat")));
        in.cgstPercent = Decimal::fromVariant(r.value(QStringLiteral("AddTax")));
        in.gstCalc = 1;  // a challan's rate is the rate before tax
        if (summed) {
            // Rate belongs to the group too, so the summed line's amount is the challan's amount.
            for (Group& g : groups) {
                const InvoiceLineInput& gi = g.line.input;
                if (g.line.qualityId == line.qualityId && gi.rateOn == in.rateOn && gi.listRate == in.listRate &&
                    gi.sgstPercent == in.sgstPercent && gi.cgstPercent == in.cgstPercent) {
                    g.line.input.pieces += in.pieces;
                    g.line.input.metres += in.metres;
                    g.cutSum += in.cut;
                    ++g.count;
                    return;
                }
            }
        }
        groups.push_back({line, 1, in.cut});
    });
    std::vector<SalesLine> lines;
    for (Group& g : groups) {
        if (g.count > 1) {
            g.line.input.cut = (g.cutSum / Decimal(g.count)).roundHalfEven(3);
            g.line.description.clear();  // one taka's number does not describe the sum
        }
        lines.push_back(g.line);
    }
    return lines;
}

db::Rows designColours(db::Database& db, qint64 firmNo, const QString& designNo, const QString& colourPrefix) {
    return db.query(QStringLiteral("SELECT P1 AS \"Colour\", ProdGrp AS \"Qlty Type\", RAteR AS \"Rate\", "
                                   "CASE WHEN CalcOn = 2 THEN 'P' ELSE 'M' END AS \"Rate On\", Pack AS \"Cut\", Vat AS \"SGST\", "
                                   "AddTax AS \"CGST\", Id FROM ProdMst WHERE FirmNO = ? AND IsActive = 1 AND COALESCE(IsNewPro, 0) = 0 "
                                   "AND ProdSubGrp = ? AND ") +
                        db.dialect().likeInsensitive(QStringLiteral("COALESCE(P1, '')")) + QStringLiteral(" ORDER BY P1, Id"),
                    {firmNo, designNo.trimmed(), colourPrefix.trimmed() + QLatin1Char('%')});
}

ItemLabel itemLabel(db::Database& db, qint64 itemId) {
    const auto r = db.queryOne(QStringLiteral("SELECT ProdName, ProdSubGrp, P1, ProdGrp FROM ProdMst WHERE Id = ?"), {itemId});
    if (!r) return {};
    return {r->text(QStringLiteral("ProdName")), r->text(QStringLiteral("ProdSubGrp")), r->text(QStringLiteral("P1")),
            r->text(QStringLiteral("ProdGrp"))};
}

std::optional<std::vector<SalesLine>> colourLines(db::Database& db, qint64 firmNo, Messages& messages,
                                                  const std::vector<qint64>& itemIds, const QString& quantity,
                                                  const QString& rate) {
    const auto qty = Decimal::parse(quantity.trimmed());
    if (!qty || *qty <= Decimal()) {
        messages.critical(QStringLiteral("No Qnty Entered"), QStringLiteral("Please Enter Qnty "));
        return std::nullopt;
    }
    const auto price = Decimal::parse(rate.trimmed());
    if (!price || *price <= Decimal()) {
        messages.critical(QStringLiteral("No Rate Entered"), QStringLiteral("Please Enter Sales Rate"));
        return std::nullopt;
    }
    std::vector<SalesLine> lines;
    for (qint64 id : itemIds) {
        auto line = lineForItem(db, firmNo, id);
        if (!line) continue;
        InvoiceLineInput& in = line->input;
        in.listRate = *price;
        if (in.rateOn == QStringLiteral("P")) {
            in.pieces = *qty;
            in.metres = (*qty * in.cut).roundHalfEven(3);
        } else {
            in.metres = *qty;
        }
        lines.push_back(*line);
    }
    return lines;
}

}  // namespace tanabana::trade
