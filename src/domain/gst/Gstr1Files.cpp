#include "domain/gst/Gstr1Files.h"

#include "domain/gst/GstRules.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QFile>
#include <functional>
#include <map>

namespace tanabana::gst {

namespace {

QString money(const Decimal& value) { return value.toString(2); }
QString csvDate(const QDate& date) { return date.isValid() ? date.toString(QStringLiteral("dd-MMM-yyyy")) : QString(); }
QString jsonDate(const QDate& date) { return date.isValid() ? date.toString(QStringLiteral("dd-MM-yyyy")) : QString(); }
double number(const Decimal& value) { return value.roundHalfEven(2).toDouble(); }

// A field as the offline tool reads it; a comma or quote inside a name would split the line, so
// only such a field is quoted.
QString field(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))) return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")).replace(QLatin1Char('\n'), QLatin1Char(' ')) +
           QLatin1Char('"');
}

QString line(const QStringList& fields) {
    QStringList out;
    for (const QString& f : fields) out << field(f);
    return out.join(QLatin1Char(',')) + QLatin1Char('\n');
}

// Written under a temporary name and renamed, so a file is there whole or not at all. Not forced
// to the disk first: the files are made again from the books at will, and waiting for the disk
// once a file costs more than making them.
void writeFile(const QString& path, const QString& text) {
    const QString part = path + QStringLiteral(".part");
    QFile file(part);
    const QByteArray bytes = text.toUtf8();
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush();
    const QString error = file.errorString();
    file.close();
    if (!written || (QFile::exists(path) && !QFile::remove(path)) || !QFile::rename(part, path)) {
        QFile::remove(part);
        throw GstError(QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), written ? QStringLiteral("it could not be renamed") : error));
    }
}

QStringList hsnLine(const HsnRow& h) {
    return {h.hsn, h.description, h.uqc, h.quantity.toString(2), money(h.totalValue), money(h.taxable),
            money(h.igst), money(h.cgst), money(h.sgst), money({})};
}

// The invoice type of a B2B row: supplies to SEZ units with or without integrated tax paid.
QString b2bInvoiceType(const InvoiceRateRow& i) {
    if (!i.sez) return QStringLiteral("Regular B2B");
    return i.igst.isZero() ? QStringLiteral("SEZ supplies without payment") : QStringLiteral("SEZ supplies with payment");
}
QString b2bInvoiceCode(const InvoiceRateRow& i) {
    if (!i.sez) return QStringLiteral("R");
    return i.igst.isZero() ? QStringLiteral("SEWOP") : QStringLiteral("SEWP");
}

QString preGst(const NoteRateRow& n) { return n.preGst ? QStringLiteral("Y") : QStringLiteral("N"); }

QString fileText(const QStringList& header, const std::vector<QStringList>& rows) {
    QString text = line(header);
    for (const QStringList& row : rows) text += line(row);
    return text;
}

QStringList fields(std::initializer_list<const char*> names) {
    QStringList out;
    for (const char* n : names) out << QString::fromUtf8(n);
    return out;
}

QString jsonFileStem() { return QStringLiteral("GSTR1_"); }

QJsonObject itemDetail(const Decimal& rate, const Decimal& taxable, const Decimal& igst, const Decimal& cgst, const Decimal& sgst,
                       bool interState) {
    QJsonObject d{{QStringLiteral("rt"), number(rate)}, {QStringLiteral("txval"), number(taxable)}};
    if (interState) {
        d.insert(QStringLiteral("iamt"), number(igst));
    } else {
        d.insert(QStringLiteral("camt"), number(cgst));
        d.insert(QStringLiteral("samt"), number(sgst));
    }
    d.insert(QStringLiteral("csamt"), 0.0);
    return d;
}

// Item numbers as the portal numbers them: the rate in hundredths plus one (5% -> 501).
int itemNumber(const Decimal& rate) { return int(rate.roundHalfEven(2).units() / (Decimal::Scale / 100)) + 1; }

// Invoices (or notes) of the rows, in the rows' order, each with its items (one per rate).
template <typename Row>
QJsonArray invoicesOf(const std::vector<const Row*>& rows, const std::function<QJsonObject(const Row&)>& header, bool nestedItems) {
    QJsonArray invoices;
    QJsonObject current;
    QJsonArray items;
    const DocumentRef* currentDocument = nullptr;
    auto flush = [&] {
        if (!currentDocument) return;
        current.insert(QStringLiteral("itms"), items);
        invoices.append(current);
    };
    for (const Row* i : rows) {
        if (!currentDocument || i->document.id != currentDocument->id || i->document.formId != currentDocument->formId) {
            flush();
            current = header(*i);
            items = {};
            currentDocument = &i->document;
        }
        QJsonObject detail = itemDetail(i->rate, i->taxable, i->igst, i->cgst, i->sgst, i->interState);
        if (nestedItems)
            items.append(QJsonObject{{QStringLiteral("num"), itemNumber(i->rate)}, {QStringLiteral("itm_det"), detail}});
        else
            items.append(detail);
    }
    flush();
    return invoices;
}

// Rows grouped under a key in the order the keys first appear.
template <typename Key, typename Row>
std::vector<std::pair<Key, std::vector<const Row*>>> groupedBy(const std::vector<Row>& rows, const std::function<Key(const Row&)>& keyOf) {
    std::vector<std::pair<Key, std::vector<const Row*>>> groups;
    std::map<Key, size_t> index;
    for (const Row& r : rows) {
        const Key k = keyOf(r);
        auto [it, fresh] = index.try_emplace(k, groups.size());
        if (fresh) groups.push_back({k, {}});
        groups[it->second].second.push_back(&r);
    }
    return groups;
}

// A note's own fields in the portal's JSON: type, number, date and value.
QJsonObject noteHeader(const NoteRateRow& n) {
    return QJsonObject{{QStringLiteral("ntty"), n.noteType},
                       {QStringLiteral("nt_num"), n.document.number},
                       {QStringLiteral("nt_dt"), jsonDate(n.document.date)},
                       {QStringLiteral("val"), number(n.noteValue)}};
}

QStringList cdnrLine(const NoteRateRow& n) {
    return {n.gstin, n.document.party, n.original.number, csvDate(n.original.date), n.document.number, csvDate(n.document.date), n.noteType,
            n.reason, n.placeOfSupply, money(n.noteValue), rateText(n.rate), money(n.taxable), QString(), preGst(n)};
}

QStringList cdnurLine(const NoteRateRow& n) {
    return {n.unregisteredType, n.document.number, csvDate(n.document.date), n.noteType, n.original.number, csvDate(n.original.date), n.reason,
            n.placeOfSupply, money(n.noteValue), rateText(n.rate), money(n.taxable), QString(), preGst(n)};
}

QJsonArray hsnArray(const std::vector<HsnRow>& rows) {
    QJsonArray out;
    int n = 0;
    for (const HsnRow& h : rows) {
        const QString unit = h.uqc.section(QLatin1Char('-'), 0, 0).trimmed().toUpper();
        out.append(QJsonObject{{QStringLiteral("num"), ++n},
                               {QStringLiteral("hsn_sc"), h.hsn},
                               {QStringLiteral("desc"), h.description},
                               {QStringLiteral("uqc"), unit.isEmpty() ? QStringLiteral("NA") : unit},
                               {QStringLiteral("qty"), number(h.quantity)},
                               {QStringLiteral("rt"), number(h.rate)},
                               {QStringLiteral("txval"), number(h.taxable)},
                               {QStringLiteral("iamt"), number(h.igst)},
                               {QStringLiteral("camt"), number(h.cgst)},
                               {QStringLiteral("samt"), number(h.sgst)},
                               {QStringLiteral("csamt"), 0.0}});
    }
    return out;
}

}  // namespace

QString rateText(const Decimal& rate) {
    QString text = rate.toString(2);
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    return text;
}

std::vector<QStringList> gstr1Rows(const Gstr1& r, const QString& name) {
    std::vector<QStringList> rows;
    if (name == QLatin1String("b2b.csv")) {
        for (const InvoiceRateRow& i : r.b2b)
            rows.push_back(QStringList{i.gstin, i.document.party, i.document.number, csvDate(i.document.date), money(i.invoiceValue), i.placeOfSupply,
                          QStringLiteral("N"), QString(), b2bInvoiceType(i), QString(), rateText(i.rate), money(i.taxable),
                          QString()});
    } else if (name == QLatin1String("b2cl.csv")) {
        for (const InvoiceRateRow& i : r.b2cl)
            rows.push_back(QStringList{i.document.number, csvDate(i.document.date), money(i.invoiceValue), i.placeOfSupply, rateText(i.rate),
                          money(i.taxable), QString(), QString()});
    } else if (name == QLatin1String("b2cs.csv")) {
        for (const B2csRow& s : r.b2cs)
            rows.push_back(QStringList{QStringLiteral("OE"), s.placeOfSupply, rateText(s.rate), money(s.taxable), QString(), QString()});
    } else if (name == QLatin1String("cdnr.csv")) {
        for (const NoteRateRow& n : r.cdnr) rows.push_back(cdnrLine(n));
    } else if (name == QLatin1String("cdnur.csv")) {
        for (const NoteRateRow& n : r.cdnur) rows.push_back(cdnurLine(n));
    } else if (name == QLatin1String("exp.csv")) {
        for (const InvoiceRateRow& i : r.exp)
            rows.push_back(QStringList{i.exportType, i.document.number, csvDate(i.document.date), money(i.invoiceValue), i.portCode, i.shippingBillNo,
                          csvDate(i.shippingBillDate), rateText(i.rate), money(i.taxable)});
    } else if (name == QLatin1String("exemp.csv")) {
        // the four kinds together, and only in a month that has nil-rated supplies
        bool any = false;
        for (const NilRow& n : r.nil) any = any || !n.nilRated.isZero() || !n.exempted.isZero() || !n.nonGst.isZero();
        if (any)
            for (const NilRow& n : r.nil) rows.push_back(QStringList{n.description, money(n.nilRated), money(n.exempted), money(n.nonGst)});
    } else if (name == QLatin1String("hsn.csv")) {
        for (const HsnRow& h : r.hsn) rows.push_back(hsnLine(h));
    } else if (name == QLatin1String("hsn_b2b.csv")) {
        for (const HsnRow& h : r.hsnB2b) rows.push_back(hsnLine(h));
    } else if (name == QLatin1String("hsn_b2c.csv")) {
        for (const HsnRow& h : r.hsnB2c) rows.push_back(hsnLine(h));
    }
    // at.csv and atadj.csv (advances) are not kept by these books and stay header-only.
    return rows;
}

const std::vector<std::pair<QString, QStringList>>& gstr1CsvFiles() {
    static const std::vector<std::pair<QString, QStringList>> files = {
        {QStringLiteral("b2b.csv"),
         fields({"GSTIN/UIN of Recipient", "Receiver Name", "Invoice Number", "Invoice date", "Invoice Value", "Place Of Supply",
                 "Reverse Charge", "Applicable % of Tax Rate", "Invoice Type", "E-Commerce GSTIN", "Rate", "Taxable Value", "Cess Amount"})},
        {QStringLiteral("b2cl.csv"),
         fields({"Invoice Number", "Invoice date", "Invoice Value", "Place Of Supply", "Rate", "Taxable Value", "Cess Amount",
                 "E-Commerce GSTIN"})},
        {QStringLiteral("b2cs.csv"), fields({"Type", "Place Of Supply", "Rate", "Taxable Value", "Cess Amount", "E-Commerce GSTIN"})},
        {QStringLiteral("cdnr.csv"),
         fields({"GSTIN/UIN of Recipient", "Receiver Name", "Invoice/Advance Receipt Number", "Invoice/Advance Receipt date",
                 "Note/Refund Voucher Number", "Note/Refund Voucher date", "Document Type", "Reason For Issuing document", "Place Of Supply",
                 "Note/Refund Voucher Value", "Rate", "Taxable Value", "Cess Amount", "Pre GST"})},
        {QStringLiteral("cdnur.csv"),
         fields({"UR Type", "Note/Refund Voucher Number", "Note/Refund Voucher date", "Document Type", "Invoice/Advance Receipt Number",
                 "Invoice/Advance Receipt date", "Reason For Issuing document", "Place Of Supply", "Note/Refund Voucher Value", "Rate",
                 "Taxable Value", "Cess Amount", "Pre GST"})},
        {QStringLiteral("exp.csv"),
         fields({"Export Type", "Invoice Number", "Invoice date", "Invoice Value", "Port Code", "Shipping Bill Number",
                 "Shipping Bill Date", "Rate", "Taxable Value"})},
        {QStringLiteral("at.csv"), fields({"Place Of Supply", "Rate", "Gross Advance Received", "Cess Amount"})},
        {QStringLiteral("atadj.csv"), fields({"Place Of Supply", "Rate", "Gross Advance Adjusted", "Cess Amount"})},
        {QStringLiteral("exemp.csv"),
         fields({"Description", "Nil Rated Supplies", "Exempted (Other than nil rated/non GST Supply)", "Non-GST Supplies"})},
        {QStringLiteral("hsn.csv"),
         fields({"HSN", "Description", "UQC", "Total Quantity", "Total Value", "Taxable Value", "Integrated Tax Amount", "Central Tax Amount",
                 "State/UT Tax Amount", "Cess Amount"})},
    };
    return files;
}

const QStringList& gstr1HsnSplitFiles() {
    static const QStringList names = {QStringLiteral("hsn_b2b.csv"), QStringLiteral("hsn_b2c.csv")};
    return names;
}

QStringList writeGstr1Csv(const Gstr1& gstr1, const QString& folder) {
    if (!QDir().mkpath(folder)) throw GstError(QStringLiteral("The folder %1 could not be made.").arg(QDir::toNativeSeparators(folder)));
    QDir dir(folder);
    // Files of an earlier run go first, so none of them is left beside the new ones.
    QStringList names;
    for (const auto& [name, header] : gstr1CsvFiles()) names << name;
    names << gstr1HsnSplitFiles();
    for (const QString& name : names)
        if (dir.exists(name) && !dir.remove(name))
            throw GstError(QStringLiteral("%1 of an earlier run could not be replaced.").arg(QDir::toNativeSeparators(dir.filePath(name))));

    QStringList written;
    const QStringList* hsnHeader = nullptr;
    for (const auto& [name, header] : gstr1CsvFiles()) {
        writeFile(dir.filePath(name), fileText(header, gstr1Rows(gstr1, name)));
        written << dir.filePath(name);
        if (name == QLatin1String("hsn.csv")) hsnHeader = &header;
    }
    if (gstr1.hsnSplit)
        for (const QString& name : gstr1HsnSplitFiles()) {
            writeFile(dir.filePath(name), fileText(*hsnHeader, gstr1Rows(gstr1, name)));
            written << dir.filePath(name);
        }
    return written;
}

QJsonObject gstr1Json(const Gstr1& r) {
    QJsonObject root{{QStringLiteral("gstin"), r.firmGstin},
                     {QStringLiteral("fp"), r.period.portalPeriod()},
                     {QStringLiteral("version"), QStringLiteral("GST3.1.6")},
                     {QStringLiteral("hash"), QStringLiteral("hash")}};

    QJsonArray b2b;
    for (const auto& [gstin, rows] : groupedBy<QString, InvoiceRateRow>(r.b2b, [](const InvoiceRateRow& i) { return i.gstin; }))
        b2b.append(QJsonObject{{QStringLiteral("ctin"), gstin},
                               {QStringLiteral("inv"), invoicesOf<InvoiceRateRow>(rows,
                                                                  [](const InvoiceRateRow& i) {
                                                                      return QJsonObject{{QStringLiteral("inum"), i.document.number},
                                                                                         {QStringLiteral("idt"), jsonDate(i.document.date)},
                                                                                         {QStringLiteral("val"), number(i.invoiceValue)},
                                                                                         {QStringLiteral("pos"), stateCodeOf(i.placeOfSupply)},
                                                                                         {QStringLiteral("rchrg"), QStringLiteral("N")},
                                                                                         {QStringLiteral("inv_typ"), b2bInvoiceCode(i)}};
                                                                  },
                                                                  true)}});
    if (!b2b.isEmpty()) root.insert(QStringLiteral("b2b"), b2b);

    QJsonArray b2cl;
    for (const auto& [state, rows] : groupedBy<QString, InvoiceRateRow>(r.b2cl, [](const InvoiceRateRow& i) { return stateCodeOf(i.placeOfSupply); }))
        b2cl.append(QJsonObject{{QStringLiteral("pos"), state},
                                {QStringLiteral("inv"), invoicesOf<InvoiceRateRow>(rows,
                                                                   [](const InvoiceRateRow& i) {
                                                                       return QJsonObject{{QStringLiteral("inum"), i.document.number},
                                                                                          {QStringLiteral("idt"), jsonDate(i.document.date)},
                                                                                          {QStringLiteral("val"), number(i.invoiceValue)}};
                                                                   },
                                                                   true)}});
    if (!b2cl.isEmpty()) root.insert(QStringLiteral("b2cl"), b2cl);

    QJsonArray b2cs;
    for (const B2csRow& s : r.b2cs) {
        QJsonObject o = itemDetail(s.rate, s.taxable, s.igst, s.cgst, s.sgst, s.interState);
        o.insert(QStringLiteral("sply_ty"), s.interState ? QStringLiteral("INTER") : QStringLiteral("INTRA"));
        o.insert(QStringLiteral("pos"), stateCodeOf(s.placeOfSupply));
        o.insert(QStringLiteral("typ"), QStringLiteral("OE"));
        b2cs.append(o);
    }
    if (!b2cs.isEmpty()) root.insert(QStringLiteral("b2cs"), b2cs);

    QJsonArray exp;
    for (const auto& [type, rows] : groupedBy<QString, InvoiceRateRow>(r.exp, [](const InvoiceRateRow& i) { return i.exportType; }))
        exp.append(QJsonObject{{QStringLiteral("exp_typ"), type},
                               {QStringLiteral("inv"), invoicesOf<InvoiceRateRow>(rows,
                                                                  [](const InvoiceRateRow& i) {
                                                                      QJsonObject o{{QStringLiteral("inum"), i.document.number},
                                                                                    {QStringLiteral("idt"), jsonDate(i.document.date)},
                                                                                    {QStringLiteral("val"), number(i.invoiceValue)}};
                                                                      if (!i.portCode.isEmpty()) o.insert(QStringLiteral("sbpcode"), i.portCode);
                                                                      if (!i.shippingBillNo.isEmpty()) o.insert(QStringLiteral("sbnum"), i.shippingBillNo);
                                                                      if (i.shippingBillDate.isValid())
                                                                          o.insert(QStringLiteral("sbdt"), jsonDate(i.shippingBillDate));
                                                                      return o;
                                                                  },
                                                                  false)}});
    if (!exp.isEmpty()) root.insert(QStringLiteral("exp"), exp);

    // Notes to registered buyers per GSTIN; the others' per kind, with the place of supply of B2CL ones.
    QJsonArray cdnr;
    for (const auto& [gstin, rows] : groupedBy<QString, NoteRateRow>(r.cdnr, [](const NoteRateRow& n) { return n.gstin; }))
        cdnr.append(QJsonObject{{QStringLiteral("ctin"), gstin},
                                {QStringLiteral("nt"), invoicesOf<NoteRateRow>(rows,
                                                                               [](const NoteRateRow& n) {
                                                                                   QJsonObject o = noteHeader(n);
                                                                                   o.insert(QStringLiteral("pos"), stateCodeOf(n.placeOfSupply));
                                                                                   o.insert(QStringLiteral("rchrg"), QStringLiteral("N"));
                                                                                   o.insert(QStringLiteral("inv_typ"), QStringLiteral("R"));
                                                                                   return o;
                                                                               },
                                                                               true)}});
    if (!cdnr.isEmpty()) root.insert(QStringLiteral("cdnr"), cdnr);
    std::vector<const NoteRateRow*> unregistered;
    for (const NoteRateRow& n : r.cdnur) unregistered.push_back(&n);
    const QJsonArray cdnur = invoicesOf<NoteRateRow>(unregistered,
                                                     [](const NoteRateRow& n) {
                                                         QJsonObject o = noteHeader(n);
                                                         o.insert(QStringLiteral("typ"), n.unregisteredType);
                                                         if (n.unregisteredType == QLatin1String("B2CL"))
                                                             o.insert(QStringLiteral("pos"), stateCodeOf(n.placeOfSupply));
                                                         return o;
                                                     },
                                                     true);
    if (!cdnur.isEmpty()) root.insert(QStringLiteral("cdnur"), cdnur);

    if (r.hsnSplit) {
        QJsonObject hsn;
        if (!r.hsnB2b.empty()) hsn.insert(QStringLiteral("hsn_b2b"), hsnArray(r.hsnB2b));
        if (!r.hsnB2c.empty()) hsn.insert(QStringLiteral("hsn_b2c"), hsnArray(r.hsnB2c));
        if (!hsn.isEmpty()) root.insert(QStringLiteral("hsn"), hsn);
    } else if (!r.hsn.empty()) {
        root.insert(QStringLiteral("hsn"), QJsonObject{{QStringLiteral("data"), hsnArray(r.hsn)}});
    }

    QJsonArray nil;
    for (const NilRow& n : r.nil)
        if (!n.nilRated.isZero() || !n.exempted.isZero() || !n.nonGst.isZero())
            nil.append(QJsonObject{{QStringLiteral("sply_ty"), n.supplyType},
                                   {QStringLiteral("nil_amt"), number(n.nilRated)},
                                   {QStringLiteral("expt_amt"), number(n.exempted)},
                                   {QStringLiteral("ngsup_amt"), number(n.nonGst)}});
    if (!nil.isEmpty()) root.insert(QStringLiteral("nil"), QJsonObject{{QStringLiteral("inv"), nil}});

    QJsonArray docDetails;
    std::map<int, QJsonArray> byNature;
    for (const DocumentSeries& s : r.documents) {
        QJsonArray& docs = byNature[s.natureNo];
        docs.append(QJsonObject{{QStringLiteral("num"), int(docs.size()) + 1},
                                {QStringLiteral("from"), s.from},
                                {QStringLiteral("to"), s.to},
                                {QStringLiteral("totnum"), s.total},
                                {QStringLiteral("cancel"), s.cancelled},
                                {QStringLiteral("net_issue"), s.total - s.cancelled}});
    }
    for (const auto& [nature, docs] : byNature)
        docDetails.append(QJsonObject{{QStringLiteral("doc_num"), nature}, {QStringLiteral("docs"), docs}});
    if (!docDetails.isEmpty()) root.insert(QStringLiteral("doc_issue"), QJsonObject{{QStringLiteral("doc_det"), docDetails}});
    return root;
}

QString gstr1JsonFileName(const Gstr1& gstr1) {
    return jsonFileStem() + (gstr1.firmGstin.isEmpty() ? QString() : gstr1.firmGstin + QLatin1Char('_')) + gstr1.period.portalPeriod() +
           QStringLiteral(".json");
}

QString writeGstr1Json(const Gstr1& gstr1, const QString& folder) {
    if (!QDir().mkpath(folder)) throw GstError(QStringLiteral("The folder %1 could not be made.").arg(QDir::toNativeSeparators(folder)));
    const QString path = QDir(folder).filePath(gstr1JsonFileName(gstr1));
    writeFile(path, QString::fromUtf8(QJsonDocument(gstr1Json(gstr1)).toJson(QJsonDocument::Indented)));
    return path;
}

}  // namespace tanabana::gst
