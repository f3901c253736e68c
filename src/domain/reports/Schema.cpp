#include "domain/reports/Schema.h"

#include <QStringList>

namespace tanabana::reports {

using namespace db;

namespace {

struct FormRow {
    int id;
    const char* name;
    const char* shortName;
};

// Every document type of the journal, with the short code its vouchers carry.
constexpr FormRow kForms[] = {
    {1, "Purchase", "PUR"},           {2, "Purchase Return", "PRT"},    {3, "Sales", "SAL"},
    {4, "Sales Return", "SRT"},       {5, "Cash Payment", "CPV"},       {6, "Cash Receipt", "CRV"},
    {7, "Bank Payment", "BPV"},       {8, "Bank Receipt", "BRV"},       {9, "Journal", "JV"},
    {13, "Year End Transfer", "YET"}, {14, "Job Process Issue", "JPI"}, {15, "Job Process Receive", "JPR"},
    {16, "Mill Issue", "MIS"},        {17, "Mill Receive", "MRC"},      {21, "Credit Note", "CRN"},
    {22, "Debit Note", "DRN"},
};

}  // namespace

TableDef formTable() {
    return TableDef{QStringLiteral("FormMst"),
                    {longCol(QStringLiteral("Id")), withDefault(textCol(QStringLiteral("PName"), 50), QStringLiteral("''")),
                     withDefault(textCol(QStringLiteral("PShort"), 10), QStringLiteral("''")),
                     withDefault(singleCol(QStringLiteral("PrnNO")), QStringLiteral("3"))},
                    {QStringLiteral("Id")},
                    {}};
}

std::vector<TableDef> reportsYearTables() {
    return {formTable()};
}

std::vector<MigrationStep> reportsSteps() {
    return {
        {QStringLiteral("reports/001-forms-and-print-copies"),
         [](Database& db) {
             createTable(db, formTable());
             for (const FormRow& f : kForms)
                 db.exec(QStringLiteral("INSERT INTO FormMst (Id, PName, PShort, PrnNO) VALUES (?, ?, ?, ?)"),
                         {f.id, QString::fromLatin1(f.name), QString::fromLatin1(f.shortName), 3});
             fillMissingCopyNames(db);
         }},
        {QStringLiteral("reports/002-tax-invoice-copy-labels"), [](Database& db) { nameTaxInvoiceCopies(db); }},
    };
}

namespace {

const QStringList& taxInvoiceLabels() {
    static const QStringList labels = {QStringLiteral("ORIGINAL FOR RECIPIENT"), QStringLiteral("DUPLICATE FOR TRANSPORTER"),
                                       QStringLiteral("TRIPLICATE FOR SUPPLIER")};
    return labels;
}

}  // namespace

QString defaultCopyLabel(qint64 formId, int copyNumber) {
    if (formId == kTaxInvoiceForm && copyNumber >= 1 && copyNumber <= taxInvoiceLabels().size()) return taxInvoiceLabels().at(copyNumber - 1);
    return QString::number(copyNumber);
}

void nameTaxInvoiceCopies(db::Database& db) {
    for (int k = 1; k <= taxInvoiceLabels().size(); ++k)
        db.exec(QStringLiteral("UPDATE FormMst_1 SET PrnName = ? WHERE FormId = ? AND SNo = ? AND PrnName = ?"),
                {taxInvoiceLabels().at(k - 1), kTaxInvoiceForm, k, QString::number(k)});
}

void addMissingLabels(db::Database& db, qint64 formId, int copies) {
    for (int k = 1; k <= copies; ++k) {
        const QVariant there = db.scalar(QStringLiteral("SELECT count(*) FROM FormMst_1 WHERE FormId = ? AND SNo = ?"), {formId, k});
        if (there.toInt() == 0)
            db.exec(QStringLiteral("INSERT INTO FormMst_1 (FormId, SNo, PrnName) VALUES (?, ?, ?)"), {formId, k, defaultCopyLabel(formId, k)});
    }
}

void fillMissingCopyNames(db::Database& db) {
    db::Transaction tx(db);
    for (const db::Row& r : db.query(QStringLiteral("SELECT Id, PrnNO FROM FormMst WHERE PrnNO > 0 ORDER BY Id")))
        addMissingLabels(db, r.integer(QStringLiteral("Id")), int(r.number(QStringLiteral("PrnNO"))));
    tx.commit();
}

}  // namespace tanabana::reports
