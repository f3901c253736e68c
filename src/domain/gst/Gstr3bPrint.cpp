#include "domain/gst/Gstr3bPrint.h"

#include "domain/gst/ReturnPrints.h"
#include "domain/reports/Register.h"

#include <QFileInfo>
#include <QSaveFile>

namespace tanabana::gst {

namespace {

const QString kOutward = QStringLiteral("3.1 Details of Outward Supplies and inward supplies liable to reverse charge");
const QString kInterState = QStringLiteral("3.2 Of the supplies shown in 3.1 (a), details of inter-State supplies made");
const QString kCredit = QStringLiteral("4. Eligible ITC");
const QString kExempt = QStringLiteral("5. Values of exempt, nil-rated and non-GST inward supplies");

}  // namespace

reports::ReportRequest gstr3bReport(db::Database& db, const Session& session, const Gstr3b& r) {
    reports::ResultSet rows;
    rows.columns = {"Section", "TableNo", "Description", "Taxable", "IGST", "CGST", "SGST", "Cess"};
    auto add = [&](const QString& section, const QString& table, const QString& description, Decimal taxable, Decimal igst, Decimal cgst,
                   Decimal sgst) {
        rows.rows.push_back(QVariantList{section, table, description, taxable.toDouble(), igst.toDouble(), cgst.toDouble(), sgst.toDouble(), 0.0});
    };
    for (const Gstr3bLine& l : r.outward) add(kOutward, l.table, l.description, l.taxable, l.igst, l.cgst, l.sgst);
    for (const StateSupplies& s : r.interState) {
        if (!s.unregisteredTaxable.isZero())
            add(kInterState, QStringLiteral("3.2"), s.placeOfSupply + QStringLiteral(": Supplies made to Unregistered Persons"),
                s.unregisteredTaxable, s.unregisteredIgst, {}, {});
        if (!s.compositionTaxable.isZero())
            add(kInterState, QStringLiteral("3.2"), s.placeOfSupply + QStringLiteral(": Supplies made to Composition Taxable Persons"),
                s.compositionTaxable, s.compositionIgst, {}, {});
    }
    if (r.interState.empty()) add(kInterState, QStringLiteral("3.2"), QStringLiteral("Supplies made to UIN Holders"), {}, {}, {}, {});
    for (const Gstr3bLine& l : r.inputCredit) add(kCredit, l.table, l.description, {}, l.igst, l.cgst, l.sgst);
    for (const ExemptInward& e : r.exemptInward) {
        add(kExempt, QStringLiteral("5"), e.description + QStringLiteral(" (Inter-State)"), e.interState, {}, {}, {});
        add(kExempt, QStringLiteral("5"), e.description + QStringLiteral(" (Intra-State)"), e.intraState, {}, {}, {});
    }
    reports::addFirmColumns(db, session.firmNo, rows);
    reports::ReportRequest request;
    request.layoutName = QStringLiteral("GSTR-3B.rpt");
    request.data = std::move(rows);
    request.parameterValues = {returnTitle(QStringLiteral("GSTR-3B"), r.period),
                               QStringLiteral("From %1 To %2").arg(r.period.from.toString(QStringLiteral("dd-MM-yyyy")),
                                                                  r.period.to.toString(QStringLiteral("dd-MM-yyyy")))};
    return request;
}

void writeGstr3b(db::Database& db, const Session& session, const Gstr3b& r, const QString& installFolder, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const reports::ReportRequest request = gstr3bReport(db, session, r);
    if (suffix == QLatin1String("csv")) {
        QString text = QStringLiteral("Table,Nature of Supplies,Total Taxable Value,Integrated Tax,Central Tax,State/UT Tax,Cess\n");
        for (const QVariantList& row : request.data->rows) {
            QStringList fields{row.at(1).toString(), QLatin1Char('"') + row.at(2).toString() + QLatin1Char('"')};
            for (int c = 3; c <= 7; ++c) fields << Decimal::fromVariant(row.at(c)).toString(2);
            text += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
        }
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
            throw GstError(QStringLiteral("%1 could not be written: %2").arg(path, file.errorString()));
        return;
    }
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("xlsx"))
        throw GstError(QStringLiteral("GSTR-3B is written as .pdf, .xlsx or .csv, not %1").arg(QFileInfo(path).fileName()));
    writeReturnReport(request, installFolder, path);
}

}  // namespace tanabana::gst
