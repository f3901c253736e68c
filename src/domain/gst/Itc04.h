#pragma once
// ITC-04 of a quarter: the fabric the firm sent to job workers (mills, embroidery and dyeing
// units) and what came back, from the mill challans (taka-wise, form ids 16 and 17) and the
// job-process challans (quality-wise, form ids 14 and 15, numbered "JWI-" + challan number), one
// row per challan and quality:
//
//   challan 12 of 05-07-2024 to Sagar Dyeing Mills (24AAKCS7788M1Z4): 2 takas of Rapier 60 Red,
//   210.50 m at 105.00 = 22,102.50, CGST 2.5 %, SGST 2.5 %, quarter "Jul-Sep".
#include "domain/gst/Gstr1.h"
#include "domain/gst/ReturnWorkbook.h"

namespace tanabana::gst {

struct Itc04Row {
    qint64 challanId = 0;
    int formId = 0;
    QString jobWorkerGstin, jobWorker, state;  // state of the job worker (for an unregistered one)
    QString jobWorkerType = QStringLiteral("Non SEZ");
    QString challanNo;
    QDate challanDate;
    QString originalChallanNo;  // received goods: the challan they were sent on
    QDate originalChallanDate;
    QString natureOfWork;       // received goods: the process
    QString goodsType = QStringLiteral("Inputs");
    QString description;        // the quality's name
    QString uqc;                // "METERS", or "PIECES" for a quality not sold by the metre
    Decimal quantity, taxable, igstRate, cgstRate, sgstRate, cess;
};

struct Itc04 {
    ReturnPeriod period;
    QString quarter;              // "Apr-Jun", "Jul-Sep", "Oct-Dec", "Jan-Mar"
    std::vector<Itc04Row> sent;   // goods sent to job workers (table 4)
    std::vector<Itc04Row> received;  // goods received back (table 5A)
};

// The quarter label of a date: "Jul-Sep" for 15-08-2024.
QString quarterLabel(const QDate& date);

class Itc04Service {
public:
    Itc04Service(db::Database& db, const Session& session) : db_(db), session_(session) {}
    Itc04 compute(const ReturnPeriod& period) const;

private:
    db::Database& db_;
    const Session& session_;
};

const ReturnTemplate& itc04Template();
std::vector<std::vector<QStringList>> itc04WorkbookRows(const Itc04& itc04);

}  // namespace tanabana::gst
