#include "domain/gst/PortalInvoices.h"

#include "domain/gst/GstRules.h"
#include "domain/gst/Gstr1.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/Xlsx.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <map>

namespace tanabana::gst {

namespace {

const QString kSheet = QStringLiteral("B2B");

// The fields of a row and the captions that name their column, lower case without the rupee
// and percent signs; a caption is recognised by its start ("taxable value (₹)").
enum Field { Gstin, Supplier, Number, Type, Date, Value, Place, ReverseCharge, Rate, Taxable, Igst, Cgst, Sgst, Cess, Status, FieldCount };
struct FieldCaption {
    Field field;
    const char* shown;  // how the portal heads it, for messages
    std::vector<const char*> starts;
    bool required;
};
const std::vector<FieldCaption>& fieldCaptions() {
    static const std::vector<FieldCaption> captions = {
        {Gstin, "GSTIN of supplier", {"gstin of supplier", "gstin"}, true},
        {Supplier, "Trade/Legal name of the Supplier", {"trade/legal name", "trade name", "legal name", "name of supplier", "supplier name"}, false},
        {Number, "Invoice number", {"invoice number", "invoice no"}, true},
        {Type, "Invoice type", {"invoice type"}, false},
        {Date, "Invoice Date", {"invoice date"}, true},
        {Value, "Invoice Value", {"invoice value"}, true},
        {Place, "Place of supply", {"place of supply"}, false},
        {ReverseCharge, "Supply Attract Reverse Charge", {"supply attract reverse charge", "reverse charge"}, false},
        {Rate, "Rate (%)", {"rate"}, false},
        {Taxable, "Taxable Value", {"taxable value"}, true},
        {Igst, "Integrated Tax", {"integrated tax"}, true},
        {Cgst, "Central Tax", {"central tax"}, true},
        {Sgst, "State/UT tax", {"state/ut tax", "state tax"}, true},
        {Cess, "Cess", {"cess"}, false},
        {Status, "GSTR-1/5 Filing Status", {"gstr-1/5 filing status", "gstr-1/iff/gstr-5 filing status", "filing status", "itc availability"}, false},
    };
    return captions;
}

QString normalised(const QString& caption) {
    QString text = caption.toLower();
    text.remove(QChar(0x20B9));  // rupee sign
    text.remove(QStringLiteral("(%)"));
    text.remove(QStringLiteral("()"));
    return text.simplified();
}

QString columnLetters(int column) {
    QString letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26) letters.prepend(QChar('A' + (c - 1) % 26));
    return letters;
}

// A number cell as text without a trailing ".0" (an invoice number typed as a number).
QString cellText(const QVariant& value) {
    if (value.typeId() == QMetaType::Double) {
        const double d = value.toDouble();
        if (d == double(qint64(d))) return QString::number(qint64(d));
        return QString::number(d, 'f', 2);
    }
    return value.toString().trimmed();
}

std::optional<QDate> dateOf(const QVariant& value) {
    if (value.typeId() == QMetaType::Double) {
        // a date cell: days since 30-12-1899
        const double serial = value.toDouble();
        if (serial < 1 || serial > 2958465) return std::nullopt;
        return QDate(1899, 12, 30).addDays(qint64(serial));
    }
    const QString text = value.toString().trimmed();
    const QLocale english(QLocale::English);
    for (const char* form : {"dd-MM-yyyy", "dd/MM/yyyy", "dd-MMM-yyyy", "dd-MMM-yy", "yyyy-MM-dd", "d-M-yyyy", "d/M/yyyy", "dd.MM.yyyy"}) {
        const QDate d = english.toDate(text, QString::fromLatin1(form));
        if (d.isValid()) return d.year() < 100 ? d.addYears(2000) : d;
    }
    return std::nullopt;
}

std::optional<Decimal> amountOf(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return Decimal();
    if (value.typeId() == QMetaType::Double) return Decimal::fromDouble(value.toDouble()).roundHalfEven(2);
    const QString text = value.toString().trimmed();
    if (text.isEmpty()) return Decimal();
    const auto parsed = Decimal::parse(text);
    if (!parsed) return std::nullopt;
    return parsed->roundHalfEven(2);
}

class SheetReader {
public:
    SheetReader(const reports::XlsxSheet& sheet) : sheet_(sheet) {
        for (const reports::XlsxCell& c : sheet.cells) cells_[c.row][c.column] = c.value;
    }

    PortalFile read() {
        findHeader();
        PortalFile file;
        const int last = sheet_.rowCount();
        for (int row = firstData_; row < last; ++row) {
            const auto found = cells_.find(row);
            if (found == cells_.end() || allEmpty(found->second)) continue;
            file.lines.push_back(line(row));
        }
        return file;
    }

private:
    [[noreturn]] void fail(int row, const QString& what) const {
        throw GstError(QStringLiteral("Sheet %1, row %2: %3").arg(sheet_.name).arg(row + 1).arg(what));
    }
    [[noreturn]] void failCell(int row, Field field, const QString& what) const {
        throw GstError(QStringLiteral("Sheet %1, row %2, column %3 (%4): %5")
                           .arg(sheet_.name)
                           .arg(row + 1)
                           .arg(columnLetters(columns_[field]), captions_[field], what));
    }

    static bool allEmpty(const std::map<int, QVariant>& row) {
        for (const auto& [column, value] : row)
            if (!cellText(value).isEmpty()) return false;
        return true;
    }
    QVariant at(int row, int column) const {
        const auto r = cells_.find(row);
        if (r == cells_.end()) return {};
        const auto c = r->second.find(column);
        return c == r->second.end() ? QVariant() : c->second;
    }

    // The row that heads the columns (its first column "GSTIN of supplier") and, under it, the
    // row of sub-captions the portal puts below "Invoice details" and "Tax Amount".
    void findHeader() {
        int header = -1, gstinColumn = -1;
        for (const auto& [row, cells] : cells_) {
            if (row > 30) break;
            for (const auto& [column, value] : cells)
                if (normalised(cellText(value)).startsWith(QLatin1String("gstin"))) {
                    header = row;
                    gstinColumn = column;
                    break;
                }
            if (header >= 0) break;
        }
        if (header < 0) fail(0, QStringLiteral("no row heads the columns with \"GSTIN of supplier\" in the first 30 rows"));
        int lastHeader = header;
        const auto next = cells_.find(header + 1);
        if (next != cells_.end() && !allEmpty(next->second) && cellText(at(header + 1, gstinColumn)).isEmpty()) lastHeader = header + 1;
        firstData_ = lastHeader + 1;
        // each column's caption: its lowest text in the header rows
        std::map<int, QString> captionOf;
        for (int row = header; row <= lastHeader; ++row)
            for (const auto& [column, value] : cells_[row])
                if (!cellText(value).isEmpty()) captionOf[column] = cellText(value);
        columns_.assign(FieldCount, -1);
        captions_.assign(FieldCount, QString());
        for (const FieldCaption& f : fieldCaptions()) {
            for (const auto& [column, caption] : captionOf) {
                const QString text = normalised(caption);
                bool taken = false;
                for (int c : columns_) taken = taken || c == column;
                if (taken) continue;
                for (const char* start : f.starts)
                    if (text.startsWith(QLatin1String(start))) {
                        columns_[f.field] = column;
                        captions_[f.field] = caption.simplified();
                        break;
                    }
                if (columns_[f.field] >= 0) break;
            }
            if (f.required && columns_[f.field] < 0)
                fail(lastHeader, QStringLiteral("there is no column \"%1\"").arg(QString::fromUtf8(f.shown)));
        }
    }

    QString text(int row, Field field) const { return columns_[field] < 0 ? QString() : cellText(at(row, columns_[field])); }
    Decimal amount(int row, Field field) const {
        if (columns_[field] < 0) return {};
        const QVariant value = at(row, columns_[field]);
        const auto a = amountOf(value);
        if (!a) failCell(row, field, QStringLiteral("\"%1\" is not a number").arg(cellText(value)));
        return *a;
    }

    PortalInvoiceLine line(int row) const {
        PortalInvoiceLine l;
        l.gstin = text(row, Gstin).toUpper();
        const QString fault = gstinFault(l.gstin);
        if (l.gstin.isEmpty()) failCell(row, Gstin, QStringLiteral("the GSTIN is empty"));
        if (!fault.isEmpty()) failCell(row, Gstin, QStringLiteral("\"%1\" is no GSTIN: it %2").arg(l.gstin, fault));
        l.supplier = text(row, Supplier);
        l.invoiceNo = text(row, Number);
        if (l.invoiceNo.isEmpty()) failCell(row, Number, QStringLiteral("the invoice number is empty"));
        l.invoiceType = text(row, Type);
        const QVariant dateCell = at(row, columns_[Date]);
        const auto date = dateOf(dateCell);
        if (!date) failCell(row, Date, QStringLiteral("\"%1\" is not a date").arg(cellText(dateCell)));
        l.date = *date;
        if (text(row, Value).isEmpty()) failCell(row, Value, QStringLiteral("the invoice value is empty"));
        l.invoiceValue = amount(row, Value);
        l.placeOfSupply = text(row, Place);
        l.reverseCharge = text(row, ReverseCharge).left(1).toUpper();
        l.rate = amount(row, Rate);
        l.taxable = amount(row, Taxable);
        l.igst = amount(row, Igst);
        l.cgst = amount(row, Cgst);
        l.sgst = amount(row, Sgst);
        l.cess = amount(row, Cess);
        l.status = text(row, Status);
        if (l.rate.isZero() && !l.taxable.isZero()) l.rate = ((l.igst + l.cgst + l.sgst) * Decimal(100) / l.taxable).roundHalfEven(2);
        return l;
    }

    const reports::XlsxSheet& sheet_;
    std::map<int, std::map<int, QVariant>> cells_;
    std::vector<int> columns_;
    std::vector<QString> captions_;
    int firstData_ = 0;
};

// The JSON download: {"fp": "072024", "b2b": [{"ctin", "cfs", "inv": [{"inum", "idt", "val", "pos", "rchrg",
// "inv_typ", "itms": [{"itm_det": {"rt", "txval", "iamt", "camt", "samt", "csamt"}}]}]}]} for GSTR-2A;
// GSTR-2B holds the same under "data"/"docdata" with "trdnm", "dt", "rev", "typ", "itcavl" and "items".
class JsonReader {
public:
    PortalFile read(const QJsonObject& root) {
        PortalFile file;
        QJsonObject body = root;
        if (root.value(QStringLiteral("data")).isObject()) {
            const QJsonObject data = root.value(QStringLiteral("data")).toObject();
            file.period = data.value(QStringLiteral("rtnprd")).toString();
            body = data.value(QStringLiteral("docdata")).toObject();
        } else {
            file.period = root.value(QStringLiteral("fp")).toString();
        }
        if (!body.value(QStringLiteral("b2b")).isArray()) throw GstError(QStringLiteral("The file holds no \"b2b\" list of suppliers' invoices."));
        const QJsonArray suppliers = body.value(QStringLiteral("b2b")).toArray();
        for (int s = 0; s < suppliers.size(); ++s) {
            const QString at = QStringLiteral("b2b[%1]").arg(s);
            const QJsonObject supplier = suppliers.at(s).toObject();
            const QString gstin = supplier.value(QStringLiteral("ctin")).toString().trimmed().toUpper();
            const QString fault = gstinFault(gstin);
            if (!fault.isEmpty()) fail(at + QStringLiteral(".ctin"), QStringLiteral("\"%1\" is no GSTIN: it %2").arg(gstin, fault));
            const QString name = supplier.value(QStringLiteral("trdnm")).toString();
            const QString filed = supplier.value(QStringLiteral("cfs")).toString();
            const QJsonArray invoices = supplier.value(QStringLiteral("inv")).toArray();
            for (int i = 0; i < invoices.size(); ++i) {
                const QString path = at + QStringLiteral(".inv[%1]").arg(i);
                const QJsonObject inv = invoices.at(i).toObject();
                PortalInvoiceLine l;
                l.gstin = gstin;
                l.supplier = name;
                l.invoiceNo = inv.value(QStringLiteral("inum")).toString().trimmed();
                if (l.invoiceNo.isEmpty()) fail(path + QStringLiteral(".inum"), QStringLiteral("the invoice number is empty"));
                const QString dateKey = inv.contains(QStringLiteral("idt")) ? QStringLiteral("idt") : QStringLiteral("dt");
                const auto date = dateOf(inv.value(dateKey).toVariant().toString());
                if (!date) fail(path + QLatin1Char('.') + dateKey, QStringLiteral("\"%1\" is not a date").arg(inv.value(dateKey).toVariant().toString()));
                l.date = *date;
                l.invoiceValue = number(inv, QStringLiteral("val"), path, true);
                l.placeOfSupply = inv.value(QStringLiteral("pos")).toString();
                l.reverseCharge = (inv.contains(QStringLiteral("rchrg")) ? inv.value(QStringLiteral("rchrg")) : inv.value(QStringLiteral("rev"))).toString();
                l.invoiceType = (inv.contains(QStringLiteral("inv_typ")) ? inv.value(QStringLiteral("inv_typ")) : inv.value(QStringLiteral("typ"))).toString();
                if (inv.contains(QStringLiteral("itcavl")))
                    l.status = inv.value(QStringLiteral("itcavl")).toString() == QLatin1String("N") ? QStringLiteral("ITC not available")
                                                                                                    : QStringLiteral("ITC available");
                else if (!filed.isEmpty())
                    l.status = filed == QLatin1String("Y") ? QStringLiteral("Filed") : QStringLiteral("Not filed");
                const bool twoB = inv.value(QStringLiteral("items")).isArray();
                const QJsonArray items = inv.value(twoB ? QStringLiteral("items") : QStringLiteral("itms")).toArray();
                if (items.isEmpty()) fail(path, QStringLiteral("the invoice has no items"));
                for (int k = 0; k < items.size(); ++k) {
                    const QString itemPath = path + (twoB ? QStringLiteral(".items[%1]") : QStringLiteral(".itms[%1].itm_det")).arg(k);
                    const QJsonObject item = twoB ? items.at(k).toObject() : items.at(k).toObject().value(QStringLiteral("itm_det")).toObject();
                    PortalInvoiceLine rateLine = l;
                    rateLine.rate = number(item, QStringLiteral("rt"), itemPath, false);
                    rateLine.taxable = number(item, QStringLiteral("txval"), itemPath, true);
                    rateLine.igst = number(item, twoB ? QStringLiteral("igst") : QStringLiteral("iamt"), itemPath, false);
                    rateLine.cgst = number(item, twoB ? QStringLiteral("cgst") : QStringLiteral("camt"), itemPath, false);
                    rateLine.sgst = number(item, twoB ? QStringLiteral("sgst") : QStringLiteral("samt"), itemPath, false);
                    rateLine.cess = number(item, twoB ? QStringLiteral("cess") : QStringLiteral("csamt"), itemPath, false);
                    file.lines.push_back(rateLine);
                }
            }
        }
        return file;
    }

private:
    [[noreturn]] static void fail(const QString& path, const QString& what) { throw GstError(QStringLiteral("%1: %2").arg(path, what)); }

    static Decimal number(const QJsonObject& o, const QString& key, const QString& path, bool required) {
        const QJsonValue v = o.value(key);
        if (v.isUndefined() || v.isNull()) {
            if (required) fail(path + QLatin1Char('.') + key, QStringLiteral("the amount is missing"));
            return {};
        }
        const auto a = amountOf(v.isDouble() ? QVariant(v.toDouble()) : QVariant(v.toVariant().toString()));
        if (!a || (!v.isDouble() && !v.isString())) fail(path + QLatin1Char('.') + key, QStringLiteral("\"%1\" is not a number").arg(v.toVariant().toString()));
        return *a;
    }
};

// The parts of an invoice number: runs of letters and of digits (digits without leading zeros).
QStringList numberParts(const QString& number) {
    QStringList parts;
    static const QRegularExpression runs(QStringLiteral("[A-Za-z]+|[0-9]+"));
    for (auto it = runs.globalMatch(number); it.hasNext();) {
        QString part = it.next().captured(0).toUpper();
        if (part.at(0).isDigit()) {
            while (part.size() > 1 && part.at(0) == QLatin1Char('0')) part.remove(0, 1);
        }
        parts << part;
    }
    return parts;
}

}  // namespace

QString portalReturnName(PortalReturn kind) { return kind == PortalReturn::Gstr2B ? QStringLiteral("GSTR-2B") : QStringLiteral("GSTR-2A"); }
QString portalReturnCode(PortalReturn kind) { return kind == PortalReturn::Gstr2B ? QStringLiteral("2B") : QStringLiteral("2A"); }

PortalFile readPortalWorkbook(const QString& path) {
    std::vector<reports::XlsxSheet> sheets;
    try {
        sheets = reports::readXlsx(path);
    } catch (const reports::ReportError& e) {
        throw GstError(e.text());
    }
    for (const reports::XlsxSheet& sheet : sheets)
        if (sheet.name.trimmed().compare(kSheet, Qt::CaseInsensitive) == 0) return SheetReader(sheet).read();
    throw GstError(QStringLiteral("The workbook %1 has no sheet \"B2B\", where the portal lists the suppliers' invoices.")
                       .arg(QFileInfo(path).fileName()));
}

PortalFile readPortalJson(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw GstError(QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString()));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        throw GstError(QStringLiteral("%1 is not the portal's JSON: %2 at character %3")
                           .arg(QFileInfo(path).fileName(), error.errorString())
                           .arg(error.offset));
    return JsonReader().read(doc.object());
}

PortalFile readPortalFile(const QString& path) {
    if (!QFileInfo(path).isFile()) throw GstError(QStringLiteral("The file %1 does not exist.").arg(path));
    if (QFileInfo(path).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0) return readPortalJson(path);
    return readPortalWorkbook(path);
}

bool nearInvoiceNumbers(const QString& a, const QString& b) {
    QStringList x = numberParts(a), y = numberParts(b);
    if (x.size() > y.size()) std::swap(x, y);
    auto holdsNumber = [](const QStringList& parts) {
        for (const QString& part : parts)
            if (part.at(0).isDigit()) return true;
        return false;
    };
    if (x.isEmpty()) return false;
    // a suffix added to the same number ("42" and "42/2024-25")
    if (y.mid(0, x.size()) == x && holdsNumber(x)) return true;
    // different prefixes before the same ending ("SW/0042", "2024-25/42" and "42")
    qsizetype common = 0;
    while (common < x.size() && x.at(x.size() - 1 - common) == y.at(y.size() - 1 - common)) ++common;
    return common > 0 && holdsNumber(x.mid(x.size() - common));
}

}  // namespace tanabana::gst
