#include "domain/gst/YearReconciliation.h"

#include "core/YearLock.h"
#include "domain/gst/Gstr2.h"
#include "domain/gst/Gstr3b.h"

#include <QLocale>

namespace tanabana::gst {

namespace {

struct Figures {
    Decimal taxable, igst, cgst, sgst;
    void add(const Decimal& t, const Decimal& i, const Decimal& c, const Decimal& s) {
        taxable += t;
        igst += i;
        cgst += c;
        sgst += s;
    }
};

ReconciliationRow rowOf(const db::Row& r) {
    ReconciliationRow row;
    row.group = r.flag(QStringLiteral("IsGrp"));
    row.groupNo = int(r.integer(QStringLiteral("GrpNo")));
    row.groupText = r.text(QStringLiteral("GrpText"));
    row.month = int(r.integer(QStringLiteral("MonthNO")));
    row.monthName = r.text(QStringLiteral("MonthName"));
    row.order = int(r.integer(QStringLiteral("DtlSrno")));
    const std::pair<Decimal*, const char*> columns[] = {
        {&row.taxable, "TaxAmt"},   {&row.igst, "IGST"},   {&row.cgst, "CGST"},   {&row.sgst, "SGST"},   {&row.cess, "Cess"},
        {&row.taxableO, "TaxAmtO"}, {&row.igstO, "IGSTO"}, {&row.cgstO, "CGSTO"}, {&row.sgstO, "SGSTO"}, {&row.cessO, "CessO"}};
    for (const auto& [field, column] : columns) *field = Decimal::fromVariant(r.value(QString::fromLatin1(column))).roundHalfEven(2);
    row.ok = r.flag(QStringLiteral("Is_Ok"));
    return row;
}

QVariantList books(const ReconciliationRow& r) {
    return {r.taxable.toDouble(), r.igst.toDouble(), r.cgst.toDouble(), r.sgst.toDouble(), r.cess.toDouble()};
}
QVariantList filed(const ReconciliationRow& r) {
    return {r.taxableO.toDouble(), r.igstO.toDouble(), r.cgstO.toDouble(), r.sgstO.toDouble(), r.cessO.toDouble()};
}

}  // namespace

const QStringList& reconciliationGroups() {
    static const QStringList groups = {"3. Total Output Tax (Sales) [GSTR-3B]", "4. Total Input Tax (Purchase)  [GSTR-3B]",
                                       "5. Total RCM Purchase [GSTR-3B]",        "3. Total Output Tax (Sales) [GSTR-1]",
                                       "4. Total Input Tax (Purchase)",          "5. Total RCM Purchase [GSTR-1]"};
    return groups;
}

int YearReconciliation::yearId() const { return session_.yearStartDate.year(); }

std::vector<ReconciliationRow> YearReconciliation::rows() const {
    std::vector<ReconciliationRow> out;
    db_.forEach(QStringLiteral("SELECT * FROM GSTR_Audit WHERE FirmNo = ? AND YearID = ? ORDER BY GrpNo, IsGrp DESC, DtlSrno"),
                {session_.firmNo, yearId()}, [&](const db::Row& r) { out.push_back(rowOf(r)); });
    return out;
}

// The books' figures of every group for each month of the year, as the monthly returns give them.
std::vector<ReconciliationRow> YearReconciliation::computeBooks() const {
    std::vector<ReconciliationRow> out;
    const QLocale english(QLocale::English);
    int order = 0;
    for (QDate first(session_.yearStartDate.year(), session_.yearStartDate.month(), 1); first <= session_.yearEndDate; first = first.addMonths(1)) {
        ++order;
        const ReturnPeriod period{first, std::min(first.addMonths(1).addDays(-1), session_.yearEndDate)};
        const Gstr3b summary = Gstr3bService(db_, session_).compute(period);
        const Gstr1 outward = Gstr1Service(db_, session_).compute(period);
        const Gstr2 inward = Gstr2Service(db_, session_).compute(period);
        Figures f[6];
        for (const char* table : {"3.1(a)", "3.1(b)"})
            if (const Gstr3bLine* l = summary.line(QString::fromLatin1(table))) f[0].add(l->taxable, l->igst, l->cgst, l->sgst);
        if (const Gstr3bLine* l = summary.line(QStringLiteral("3.1(d)"))) f[2].add(l->taxable, l->igst, l->cgst, l->sgst);
        for (const auto* rows : {&outward.b2b, &outward.b2cl, &outward.exp})
            for (const InvoiceRateRow& i : *rows) f[3].add(i.taxable, i.igst, i.cgst, i.sgst);
        for (const B2csRow& s : outward.b2cs) f[3].add(s.taxable, s.igst, s.cgst, s.sgst);
        // Returns and notes subtract as they do in GSTR-3B (those on small unregistered sales are
        // already netted in B2CS; those at 0% are in neither).
        for (const auto* rows : {&outward.cdnr, &outward.cdnur})
            for (const NoteRateRow& n : *rows)
                if (!n.rate.isZero() || n.againstExport) f[3].add(-n.taxable, -n.igst, -n.cgst, -n.sgst);
        for (const auto* rows : {&inward.b2b, &inward.b2bur})
            for (const InwardInvoiceRow& i : *rows) f[i.reverseCharge ? 5 : 4].add(i.taxable, i.igst, i.cgst, i.sgst);
        for (const auto* rows : {&inward.cdnr, &inward.cdnur})
            for (const InwardNoteRow& n : *rows)
                if (!n.rate.isZero()) f[n.reverseCharge ? 5 : 4].add(-n.taxable, -n.igst, -n.cgst, -n.sgst);
        // GSTR-3B's input credit: its taxes, on the taxable value of the bills that carry it
        f[1] = f[4];
        if (const Gstr3bLine* l = summary.line(QStringLiteral("4(A)(5)"))) f[1] = Figures{f[4].taxable, l->igst, l->cgst, l->sgst};
        for (int g = 0; g < 6; ++g) {
            ReconciliationRow row;
            row.groupNo = g + 1;
            row.groupText = reconciliationGroups().at(g);
            row.month = first.month();
            row.monthName = english.monthName(first.month());
            row.order = order;
            row.taxable = f[g].taxable;
            row.igst = f[g].igst;
            row.cgst = f[g].cgst;
            row.sgst = f[g].sgst;
            out.push_back(row);
        }
    }
    return out;
}

// The group rows: the sums of their months, books and filed, ticked when every month is.
void YearReconciliation::writeGroupTotals() {
    db_.exec(QStringLiteral("DELETE FROM GSTR_Audit WHERE FirmNo = ? AND YearID = ? AND IsGrp <> 0"), {session_.firmNo, yearId()});
    std::map<int, ReconciliationRow> groups;
    for (const ReconciliationRow& r : rows()) {
        ReconciliationRow& g = groups[r.groupNo];
        if (g.groupNo == 0) {
            g.group = g.ok = true;
            g.groupNo = r.groupNo;
            g.groupText = r.groupText;
        }
        for (auto [sum, value] : {std::pair{&g.taxable, r.taxable}, {&g.igst, r.igst}, {&g.cgst, r.cgst}, {&g.sgst, r.sgst}, {&g.cess, r.cess},
                                  {&g.taxableO, r.taxableO}, {&g.igstO, r.igstO}, {&g.cgstO, r.cgstO}, {&g.sgstO, r.sgstO}, {&g.cessO, r.cessO}})
            *sum += value;
        g.ok = g.ok && r.ok;
    }
    for (const auto& [no, g] : groups)
        db_.exec(QStringLiteral("INSERT INTO GSTR_Audit (FirmNo, YearID, IsGrp, GrpNo, GrpText, MonthNO, MonthName, DtlSrno, TaxAmt, IGST, CGST, SGST, "
                                "Cess, TaxAmtO, IGSTO, CGSTO, SGSTO, CessO, Is_Ok) VALUES (?, ?, 1, ?, ?, 0, '', 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 QVariantList{session_.firmNo, yearId(), g.groupNo, g.groupText} + books(g) + filed(g) + QVariantList{g.ok});
}

std::optional<std::vector<ReconciliationRow>> YearReconciliation::refresh() {
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    const std::vector<ReconciliationRow> fresh = computeBooks();
    db::Transaction tx(db_);
    for (const ReconciliationRow& r : fresh) {
        const QVariantList key = {session_.firmNo, yearId(), r.groupNo, r.month};
        const int changed = db_.exec(QStringLiteral("UPDATE GSTR_Audit SET TaxAmt = ?, IGST = ?, CGST = ?, SGST = ?, Cess = ?, GrpText = ?, DtlSrno = ? "
                                                    "WHERE FirmNo = ? AND YearID = ? AND GrpNo = ? AND MonthNO = ? AND IsGrp = 0"),
                                     books(r) + QVariantList{r.groupText, r.order} + key);
        if (changed == 0)
            db_.exec(QStringLiteral("INSERT INTO GSTR_Audit (FirmNo, YearID, IsGrp, GrpNo, GrpText, MonthNO, MonthName, DtlSrno, TaxAmt, IGST, CGST, "
                                    "SGST, Cess, TaxAmtO, IGSTO, CGSTO, SGSTO, CessO, Is_Ok) VALUES (?, ?, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0, 0, 0, 0, 0)"),
                     QVariantList{session_.firmNo, yearId(), r.groupNo, r.groupText, r.month, r.monthName, r.order} + books(r));
    }
    writeGroupTotals();
    tx.commit();
    return rows();
}

bool YearReconciliation::save(const std::vector<ReconciliationRow>& typed) {
    if (yearLockRefuses(session_, messages_)) return false;
    db::Transaction tx(db_);
    for (const ReconciliationRow& r : typed) {
        if (r.group) continue;
        db_.exec(QStringLiteral("UPDATE GSTR_Audit SET TaxAmtO = ?, IGSTO = ?, CGSTO = ?, SGSTO = ?, CessO = ?, Is_Ok = ? "
                                "WHERE FirmNo = ? AND YearID = ? AND GrpNo = ? AND MonthNO = ? AND IsGrp = 0"),
                 filed(r) + QVariantList{r.ok, session_.firmNo, yearId(), r.groupNo, r.month});
    }
    writeGroupTotals();
    tx.commit();
    return true;
}

bool YearReconciliation::deleteYear() {
    if (yearLockRefuses(session_, messages_)) return false;
    if (!messages_.ask(QStringLiteral("Delete"), QStringLiteral("Are you sure to delete this Year Entry ?"))) return false;
    db_.exec(QStringLiteral("DELETE FROM GSTR_Audit WHERE FirmNo = ? AND YearID = ?"), {session_.firmNo, yearId()});
    messages_.information(QStringLiteral("Delete"), QStringLiteral("All Records Are deleted!"));
    return true;
}

const ReturnTemplate& reconciliationTemplate() {
    static const ReturnTemplate t = [] {
        const QStringList figures = {"Taxable Amt", "IGST Rs", "CGST Rs", "SGST Rs", "Cess Rs", "Online Tax Amt", "IGST", "CGST", "SGST",
                                     "Cess", "Difference", "Is Ok"};
        ReturnTemplate r;
        r.file = QStringLiteral("KNVS_GST_RECON.XLSx");
        r.outputStem = QStringLiteral("KNVS_GST_RECON_");
        r.missingText = QStringLiteral("Original GST Reconciliation Document File not found !");
        r.sheets = {{QStringLiteral("Summery"), QStringList{"Particulars"} + figures, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
                    {QStringLiteral("Detail Of GSTR-1"), QStringList{"Particulars", "Month"} + figures, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}};
        r.titles = {"GST Reconciliation: the books against the returns filed", "GST Reconciliation: month by month"};
        return r;
    }();
    return t;
}

std::vector<std::vector<QStringList>> reconciliationWorkbookRows(const std::vector<ReconciliationRow>& rows) {
    std::vector<QStringList> summary, detail;
    for (const ReconciliationRow& r : rows) {
        const Decimal difference = (r.igst + r.cgst + r.sgst + r.cess) - (r.igstO + r.cgstO + r.sgstO + r.cessO);
        QStringList figures;
        for (const Decimal& d : {r.taxable, r.igst, r.cgst, r.sgst, r.cess, r.taxableO, r.igstO, r.cgstO, r.sgstO, r.cessO, difference})
            figures << d.toString(2);
        figures << (r.ok ? QStringLiteral("Yes") : QStringLiteral("No"));
        if (r.group) summary.push_back(QStringList{r.groupText} + figures);
        detail.push_back(QStringList{r.group ? r.groupText : QString(), r.monthName} + figures);
    }
    return {summary, detail};
}

}  // namespace tanabana::gst
