#pragma once
// The suppliers' invoices as the portal shows them to the firm (GSTR-2A, and GSTR-2B, which is
// what decides the input credit), read from the portal's workbook (sheet "B2B") or its JSON
// download, one row per invoice and GST rate:
//
//   24AADFS5678K1Z6, Sachin Weaving Works, invoice SW-42 of 15-07-2024, value 10,920.00,
//   rate 5, taxable 10,400.00, CGST 260.00, SGST 260.00
//
// A file that is not the portal's (no sheet "B2B", a column missing, a bad number or date) is
// refused as a whole with a message naming the sheet, row and column (or the JSON path).
#include "core/Decimal.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace tanabana::gst {

// Which of the portal's statements of inward supplies a file or an import is.
enum class PortalReturn { Gstr2A, Gstr2B };
QString portalReturnName(PortalReturn kind);  // "GSTR-2A"
QString portalReturnCode(PortalReturn kind);  // "2A", as kept in GSTR2_A.Source

struct PortalInvoiceLine {
    QString gstin, supplier, invoiceNo, invoiceType;
    QDate date;
    Decimal invoiceValue;
    QString placeOfSupply, reverseCharge;  // "Y" / "N"
    Decimal rate, taxable, igst, cgst, sgst, cess;
    QString status;  // the supplier's filing status (2A) or the credit's availability (2B)
};

struct PortalFile {
    std::vector<PortalInvoiceLine> lines;
    QString period;  // the return period the file names ("072024"), empty when it names none
};

// Reads a workbook (.xlsx) or a JSON download; GstError with the place of the first fault.
PortalFile readPortalFile(const QString& path);
PortalFile readPortalWorkbook(const QString& path);
PortalFile readPortalJson(const QString& path);

// Whether two invoice numbers differ only in a prefix (or an added suffix), leading zeros or
// separators: "SW/0042", "SW-42", "2024-25/42", "42" and "42/2024-25" are near; "42" and "420",
// "SW/42" and "SW/43" are not.
bool nearInvoiceNumbers(const QString& a, const QString& b);

}  // namespace tanabana::gst
