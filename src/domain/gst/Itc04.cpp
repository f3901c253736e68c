#include "domain/gst/Itc04.h"

#include "domain/gst/GstRules.h"
#include "domain/gst/Gstr1Files.h"

#include <algorithm>

namespace tanabana::gst {

namespace {

QString uqcOf(const QString& uqm) { return uqm.trimmed().toUpper() == QLatin1String("MTR-METERS") ? QStringLiteral("METERS") : QStringLiteral("PIECES"); }

// The challans of the period of one kind, one row per challan, quality (and, for goods received,
// the challan they were sent on). `lines` names the line table, `issues` the header table an
// issue line points back to, `quantity` the line's metres.
struct ChallanQuery {
    const char* headers;
    const char* lines;
    int form;
    const char* quality;   // the line's or header's quality column
    const char* quantity;
    bool received;
    bool jobProcess;       // numbered "JWI-" + challan number
};

QString challanSql(const ChallanQuery& q) {
    QString sql = QStringLiteral(
        "SELECT m.Id, m.ChNo, COALESCE(m.BillNO, '') AS BillNO, m.BillDate, COALESCE(m.ProcessName, '') AS Process, "
        "COALESCE(a.AcName, '') AS Party, COALESCE(a.TinNo, '') AS Gstin, COALESCE(a.CSTNo, '') AS State, COALESCE(a.IsOgs, 0) AS OtherState, "
        "COALESCE(p.ProdName, '') AS Quality, COALESCE(p.UQM, '') AS Uqm, COALESCE(p.RAteR, 0) AS Rate, COALESCE(p.Vat, 0) AS Sgst, "
        "COALESCE(p.AddTax, 0) AS Cgst, %1 AS OriginalNo, %2 AS OriginalDate, SUM(%3) AS Qty "
        "FROM %4 m INNER JOIN %5 d ON d.BillMstId = m.Id %6 LEFT JOIN AccMst a ON a.Id = m.PartyID LEFT JOIN ProdMst p ON p.Id = %7 "
        "WHERE m.FirmNO = ? AND m.FormId = %8 AND m.BillDate BETWEEN ? AND ? "
        "GROUP BY m.Id, m.ChNo, m.BillNO, m.BillDate, m.ProcessName, a.AcName, a.TinNo, a.CSTNo, a.IsOgs, p.ProdName, p.UQM, p.RAteR, p.Vat, "
        "p.AddTax%9 ORDER BY m.BillDate, m.ChNo, m.Id, p.ProdName");
    const bool back = q.received;
    sql.replace(QStringLiteral("%9"), back ? QStringLiteral(", o.ChNo, o.BillDate") : QString());
    return sql.arg(back ? QStringLiteral("o.ChNo") : QStringLiteral("0"), back ? QStringLiteral("o.BillDate") : QStringLiteral("m.BillDate"),
                   QString::fromLatin1(q.quantity), QString::fromLatin1(q.headers), QString::fromLatin1(q.lines),
                   back ? QStringLiteral("LEFT JOIN %1 o ON o.Id = d.IssueChId").arg(QString::fromLatin1(q.headers)) : QString(),
                   QString::fromLatin1(q.quality))
        .arg(q.form);
}

}  // namespace

QString quarterLabel(const QDate& date) {
    static const char* labels[] = {"Jan-Mar", "Apr-Jun", "Jul-Sep", "Oct-Dec"};
    return QString::fromLatin1(labels[(date.month() - 1) / 3]);
}

Itc04 Itc04Service::compute(const ReturnPeriod& period) const {
    const Gstr1Service sales(db_, session_);
    sales.checkPeriod(period);
    const QString firmCode = sales.firm().stateCode();
    Itc04 r;
    r.period = period;
    r.quarter = quarterLabel(period.from);
    const ChallanQuery queries[] = {
        {"JobWork_IssueMst_1", "JobWork_IssueDtl_1", 16, "m.QId", "d.Mtrs", false, false},
        {"JobWork_IssueMst", "JobWork_IssueDtl", 14, "d.PCode", "d.PQty", false, true},
        {"JobWork_IssueMst_1", "JobWork_IssueDtl_1", 17, "m.QId", "d.Mtrs", true, false},
        {"JobWork_IssueMst", "JobWork_IssueDtl", 15, "d.PCode", "d.PQty", true, true},
    };
    for (const ChallanQuery& q : queries) {
        db_.forEach(challanSql(q), {session_.firmNo, period.from, period.to}, [&](const db::Row& row) {
            Itc04Row i;
            i.challanId = row.integer(QStringLiteral("Id"));
            i.formId = q.form;
            i.jobWorkerGstin = row.text(QStringLiteral("Gstin")).trimmed().toUpper();
            i.jobWorker = row.text(QStringLiteral("Party"));
            i.state = row.text(QStringLiteral("State")).trimmed();
            const QString number = QString::number(row.integer(QStringLiteral("ChNo")));
            const QString prefix = q.jobProcess ? QStringLiteral("JWI-") : QString();
            i.challanDate = row.date(QStringLiteral("BillDate"));
            if (q.received) {
                // the job worker's own challan number when typed, else ours
                const QString theirs = row.text(QStringLiteral("BillNO")).trimmed();
                i.challanNo = theirs.isEmpty() ? number : theirs;
                i.originalChallanNo = prefix + QString::number(row.integer(QStringLiteral("OriginalNo")));
                i.originalChallanDate = row.date(QStringLiteral("OriginalDate"));
                i.natureOfWork = row.text(QStringLiteral("Process")).trimmed();
            } else {
                i.challanNo = prefix + number;
            }
            i.description = row.text(QStringLiteral("Quality"));
            i.uqc = uqcOf(row.text(QStringLiteral("Uqm")));
            i.quantity = Decimal::fromVariant(row.value(QStringLiteral("Qty"))).roundHalfEven(3);
            i.taxable = (i.quantity * Decimal::fromVariant(row.value(QStringLiteral("Rate")))).roundHalfEven(2);
            const Decimal sgst = Decimal::fromVariant(row.value(QStringLiteral("Sgst"))).roundHalfEven(2);
            const Decimal cgst = Decimal::fromVariant(row.value(QStringLiteral("Cgst"))).roundHalfEven(2);
            const QString code = stateCodeOf(i.state);
            const bool inter = row.flag(QStringLiteral("OtherState")) || (!code.isEmpty() && !firmCode.isEmpty() && code != firmCode);
            if (inter) i.igstRate = sgst + cgst;
            else i.cgstRate = cgst, i.sgstRate = sgst;
            (q.received ? r.received : r.sent).push_back(i);
        });
    }
    for (auto* rows : {&r.sent, &r.received})
        std::stable_sort(rows->begin(), rows->end(), [](const Itc04Row& a, const Itc04Row& b) { return a.challanDate < b.challanDate; });
    return r;
}

const ReturnTemplate& itc04Template() {
    static const ReturnTemplate t = [] {
        ReturnTemplate r;
        r.file = QStringLiteral("KNVS_ITC_04.XLSX");
        r.outputStem = QStringLiteral("KNVS_ITC_04_");
        r.missingText = QStringLiteral("Original ITC-04 Document File not found !");
        r.sheets = {
            {QStringLiteral("4"),
             {"GSTIN of Job Worker (JW)", "State (in case of unregistered JW)", "Job Worker's Type", "Challan Number", "Challan Date",
              "Types of Goods", "Description of Goods", "Unique Quantity Code (UQC)", "Quantity", "Taxable Value", "Integrated Tax Rate in (%)",
              "Central Tax Rate in (%)", "State/UT Tax Rate in (%)", "Cess", "Quarter"},
             {8, 9, 10, 11, 12, 13}},
            {QStringLiteral("5A"),
             {"GSTIN of Job Worker (JW)", "State (in case of unregistered JW)", "Original Challan Number issued by Principal",
              "Original Challan Date issued by Principal", "Challan Number issued by job worker", "Challan Date issued by job worker",
              "Nature of Job Work done by Job Worker", "Description of Goods", "Unique Quantity Code (UQC)", "Quantity", "Quarter"},
             {9}},
        };
        r.titles = {"ITC-04: Details of inputs/capital goods sent for job work (4)",
                    "ITC-04: Details of inputs/capital goods received back from job worker (5A)"};
        return r;
    }();
    return t;
}

std::vector<std::vector<QStringList>> itc04WorkbookRows(const Itc04& r) {
    const QString form = QStringLiteral("dd-MM-yyyy");
    std::vector<QStringList> sent, received;
    for (const Itc04Row& i : r.sent)
        sent.push_back({i.jobWorkerGstin, i.jobWorkerGstin.isEmpty() ? i.state : QString(), i.jobWorkerType, i.challanNo, i.challanDate.toString(form),
                        i.goodsType, i.description, i.uqc, i.quantity.toString(3), i.taxable.toString(2), rateText(i.igstRate),
                        rateText(i.cgstRate), rateText(i.sgstRate), i.cess.toString(2), r.quarter});
    for (const Itc04Row& i : r.received)
        received.push_back({i.jobWorkerGstin, i.jobWorkerGstin.isEmpty() ? i.state : QString(), i.originalChallanNo,
                            i.originalChallanDate.toString(form), i.challanNo, i.challanDate.toString(form), i.natureOfWork, i.description, i.uqc,
                            i.quantity.toString(3), r.quarter});
    return {sent, received};
}

}  // namespace tanabana::gst
