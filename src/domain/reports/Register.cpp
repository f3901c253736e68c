#include "domain/reports/Register.h"

#include "core/Rights.h"
#include "db/Database.h"
#include "domain/reports/Format.h"
#include "domain/reports/ReportError.h"
#include "domain/reports/ReportFolders.h"
#include "domain/reports/XlsxReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTextStream>

namespace tanabana::reports {

namespace {

const QString kDate = QStringLiteral("dd-MM-yyyy");

QJsonObject readLayoutJson(const QString& installFolder, const QString& layoutName) {
    const QString path = findLayoutFile(installFolder, layoutName);
    if (path.isEmpty()) throw ReportError(QStringLiteral("Report layout %1 was not found in the Reports folder").arg(layoutName));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw ReportError(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (!doc.isObject()) throw ReportError(QStringLiteral("Layout %1: %2").arg(layoutName, error.errorString()));
    const QJsonObject root = doc.object();
    if (root.value(QLatin1String("kind")).toString() != QLatin1String("register"))
        throw ReportError(QStringLiteral("Layout %1 is not a register layout").arg(layoutName));
    return root;
}

TextTemplate parsed(const QString& layoutName, const QString& text) {
    try {
        return TextTemplate::parse(text);
    } catch (const ReportError& e) {
        throw ReportError(QStringLiteral("Layout %1: %2").arg(layoutName, e.text()));
    }
}

// The conditions and bound values a choice adds to the register's query.
struct Conditions {
    QStringList where;
    QVariantList params;
};

Conditions conditionsOf(const RegisterDefinition& d, const RegisterChoice& c, qint64 firmNo) {
    Conditions out;
    out.where << d.firmColumn + QStringLiteral(" = ?");
    out.params << firmNo;
    if (d.onDate) {
        out.where << d.dateColumn + QStringLiteral(" <= ?");
        out.params << c.to;
    } else {
        out.where << d.dateColumn + QStringLiteral(" BETWEEN ? AND ?");
        out.params << c.from << c.to;
    }
    if (!d.where.isEmpty()) out.where << QLatin1Char('(') + d.where + QLatin1Char(')');
    auto add = [&](const QString& condition, qint64 value) {
        if (condition.isEmpty() || value <= 0) return;
        out.where << QLatin1Char('(') + condition + QLatin1Char(')');
        out.params << value;
    };
    add(d.partyFilter, c.partyId);
    add(d.bookFilter, c.bookNo);
    add(d.itemFilter, c.itemId);
    return out;
}

QString periodText(const RegisterDefinition& d, const RegisterChoice& c) {
    if (d.onDate) return QStringLiteral(" As On ") + c.to.toString(kDate);
    return QStringLiteral(" From ") + c.from.toString(kDate) + QStringLiteral(" To ") + c.to.toString(kDate);
}

QVariant decimalValue(Decimal value) { return QVariant(value.toString(Decimal::Places)); }

// The grid's text of a total under a column: the column's own format.
QString totalText(const RegisterColumn& column, Decimal value) {
    return ValueFormat::parse(column.format).apply(decimalValue(value));
}

// Adds the running balance column: each row's value added to the rows before it.
void addRunningBalance(ResultSet& data, const RegisterDefinition& d) {
    if (d.runningOf.isEmpty()) return;
    const int source = data.indexOf(d.runningOf);
    if (source < 0) throw ReportError(QStringLiteral("Register %1 has no column %2").arg(d.name, d.runningOf));
    data.columns << d.runningInto;
    Decimal running;
    for (QVariantList& row : data.rows) {
        running += toDecimal(row.value(source));
        row << decimalValue(running);
    }
}

class LineBuilder {
public:
    LineBuilder(RegisterResult& r) : r_(r), sheet_(r.sheet), data_(r.data), totals_(r.data) {
        QStringList names;
        for (RegisterColumn& c : sheet_.columns) {
            c.text.bind(data_, names, c.caption, true);
            if (c.total) totalIndex_.push_back(data_.indexOf(c.field));
            else totalIndex_.push_back(-1);
        }
        for (RegisterGroup& g : sheet_.groups) {
            g.title.bind(data_, names, g.column, true);
            const int index = data_.indexOf(g.column);
            if (index < 0)
                throw ReportError(QStringLiteral("Register layout %1 groups by %2, which the result does not have")
                                      .arg(r_.definition.layout, g.column));
            groupIndex_.push_back(index);
        }
        keyIndex_ = r_.definition.keyColumn.isEmpty() ? -1 : data_.indexOf(r_.definition.keyColumn);
        for (const CellOpens& opens : r_.definition.cellOpens) {
            const int index = data_.indexOf(opens.keyColumn);
            if (index < 0)
                throw ReportError(QStringLiteral("Register %1 has no column %2").arg(r_.definition.name, opens.keyColumn));
            cellKeys_.push_back(index);
        }
    }

    void build() {
        const int rows = data_.rowCount();
        const int levels = int(sheet_.groups.size());
        std::vector<int> groupStart(size_t(levels), 0);
        for (int row = 0; row < rows; ++row) {
            // The outermost group whose value changed opens again with every group inside it.
            int opened = levels;
            for (int level = 0; level < levels; ++level)
                if (row == 0 || data_.value(row, groupIndex_[size_t(level)]) != data_.value(row - 1, groupIndex_[size_t(level)])) {
                    opened = level;
                    break;
                }
            for (int level = opened; level < levels; ++level) {
                groupStart[size_t(level)] = row;
                heading(level, row);
            }
            detail(row);
            // Groups that end after this row close innermost first.
            int closing = levels;
            for (int level = 0; level < levels; ++level)
                if (row == rows - 1 || data_.value(row, groupIndex_[size_t(level)]) != data_.value(row + 1, groupIndex_[size_t(level)])) {
                    closing = level;
                    break;
                }
            for (int level = levels - 1; level >= closing; --level) subtotal(level, groupStart[size_t(level)], row);
        }
        if (sheet_.hasTotal && rows > 0) totalLine(RegisterLine::Kind::Total, 0, sheet_.totalCaption, 0, rows - 1);
    }

private:
    EvalContext contextFor(int row, int from, int to) {
        EvalContext c;
        c.data = &data_;
        c.totals = &totals_;
        c.row = row;
        c.scopeFrom = from;
        c.scopeTo = to;
        return c;
    }

    void heading(int level, int row) {
        const RegisterGroup& g = sheet_.groups[size_t(level)];
        if (g.title.isEmpty()) return;
        RegisterLine line;
        line.kind = RegisterLine::Kind::Heading;
        line.level = level;
        line.row = row;
        line.cells << g.title.evaluate(contextFor(row, row, row));
        r_.lines.push_back(line);
    }

    void detail(int row) {
        RegisterLine line;
        line.kind = RegisterLine::Kind::Row;
        line.row = row;
        if (keyIndex_ >= 0) line.documentId = data_.value(row, keyIndex_).toLongLong();
        const EvalContext c = contextFor(row, row, row);
        for (const RegisterColumn& column : sheet_.columns) line.cells << column.text.evaluate(c, column.blankWhenZero);
        if (!cellKeys_.empty())
            for (const RegisterColumn& column : sheet_.columns) line.targets.push_back(target(row, column.field));
        r_.lines.push_back(line);
    }

    void subtotal(int level, int from, int to) {
        const RegisterGroup& g = sheet_.groups[size_t(level)];
        if (!g.hasSubtotal) return;
        totalLine(RegisterLine::Kind::SubTotal, level, g.subtotal, from, to);
    }

    void totalLine(RegisterLine::Kind kind, int level, const QString& caption, int from, int to) {
        RegisterLine line;
        line.kind = kind;
        line.level = level;
        for (size_t i = 0; i < sheet_.columns.size(); ++i) {
            const int index = totalIndex_[i];
            line.cells << (index >= 0 ? totalText(sheet_.columns[i], totals_.sum(index, from, to)) : QString());
        }
        // The caption stands in the first column that carries no total.
        for (size_t i = 0; i < sheet_.columns.size(); ++i)
            if (totalIndex_[i] < 0) {
                line.cells[int(i)] = caption;
                break;
            }
        r_.lines.push_back(line);
    }

    // The first declared opening whose key is set on this row, for a column.
    std::pair<DocumentKind, qint64> target(int row, const QString& field) const {
        const std::vector<CellOpens>& all = r_.definition.cellOpens;
        for (size_t i = 0; i < all.size(); ++i) {
            if (!all[i].fields.isEmpty() && !all[i].fields.contains(field, Qt::CaseInsensitive)) continue;
            const qint64 id = data_.value(row, cellKeys_[i]).toLongLong();
            if (id != 0) return {all[i].kind, id};
        }
        return {DocumentKind::None, 0};
    }

    RegisterResult& r_;
    RegisterSheet& sheet_;
    const ResultSet& data_;
    Totals totals_;
    std::vector<int> totalIndex_;
    std::vector<int> groupIndex_;
    int keyIndex_ = -1;
    std::vector<int> cellKeys_;
};

QString nameOf(db::Database& db, const QString& sql, const QVariantList& params) {
    const auto row = db.queryOne(sql, params);
    return row ? row->value(0).toString().trimmed() : QString();
}

QString filtersText(db::Database& db, const RegisterDefinition& d, const RegisterChoice& c, qint64 firmNo) {
    QStringList parts;
    if (d.offersParty() && c.partyId > 0)
        parts << QStringLiteral("Party : ") + nameOf(db, QStringLiteral("SELECT AcName FROM AccMst WHERE Id = ?"), {c.partyId});
    if (d.offersBook() && c.bookNo > 0)
        parts << QStringLiteral("Book : ") +
                     nameOf(db, QStringLiteral("SELECT SalesName FROM BookMst WHERE BookNO = ? AND FirmNO = ?"), {c.bookNo, firmNo});
    if (d.offersItem() && c.itemId > 0)
        parts << QStringLiteral("Quality : ") + nameOf(db, QStringLiteral("SELECT ProdName FROM ProdMst WHERE Id = ?"), {c.itemId});
    return parts.join(QStringLiteral("   "));
}

}  // namespace

RegisterSheet loadRegisterSheet(const QString& installFolder, const QString& layoutName) {
    const QJsonObject root = readLayoutJson(installFolder, layoutName);
    RegisterSheet sheet;
    const QJsonArray columns = root.value(QLatin1String("columns")).toArray();
    if (columns.isEmpty()) throw ReportError(QStringLiteral("Layout %1: a register needs a \"columns\" list").arg(layoutName));
    for (const QJsonValue& v : columns) {
        const QJsonObject o = v.toObject();
        RegisterColumn c;
        c.field = o.value(QLatin1String("field")).toString();
        c.format = o.value(QLatin1String("format")).toString();
        c.caption = o.value(QLatin1String("caption")).toString(c.field);
        c.total = o.value(QLatin1String("total")).toBool() && !c.field.isEmpty();
        c.numeric = ValueFormat::parse(c.format).isNumeric();
        c.width = o.value(QLatin1String("width")).toDouble();
        c.blankWhenZero = o.value(QLatin1String("blankWhenZero")).toBool();
        const QString text = c.field.isEmpty() ? o.value(QLatin1String("text")).toString()
                                               : QStringLiteral("{%1%2}").arg(c.field, c.format.isEmpty() ? QString() : QLatin1Char('|') + c.format);
        c.text = parsed(layoutName, text);
        sheet.columns.push_back(std::move(c));
    }
    for (const QJsonValue& v : root.value(QLatin1String("groups")).toArray()) {
        const QJsonObject o = v.toObject();
        RegisterGroup g;
        g.column = o.value(QLatin1String("column")).toString();
        if (g.column.isEmpty()) throw ReportError(QStringLiteral("Layout %1: a group has no column").arg(layoutName));
        g.title = parsed(layoutName, o.value(QLatin1String("title")).toString(QStringLiteral("{%1}").arg(g.column)));
        g.hasSubtotal = !o.value(QLatin1String("subtotal")).isNull();
        g.subtotal = o.value(QLatin1String("subtotal")).toString(QStringLiteral("Sub Tot"));
        sheet.groups.push_back(std::move(g));
    }
    const QJsonValue total = root.value(QLatin1String("total"));
    sheet.hasTotal = !total.isNull();
    sheet.totalCaption = total.toString(QStringLiteral("Total"));
    return sheet;
}

Decimal RegisterResult::total(const QString& column) const {
    const int index = data.indexOf(column);
    Decimal sum;
    if (index < 0) return sum;
    for (int row = 0; row < data.rowCount(); ++row) sum += toDecimal(data.value(row, index));
    return sum;
}

ReportRequest RegisterResult::reportRequest() const {
    ReportRequest r;
    r.layoutName = definition.layout;
    r.data = data;
    r.parameterValues << title << filters;
    return r;
}

Registers::Registers(db::Database& db, const Session& session, QString installFolder)
    : db_(db), session_(session), service_(std::move(installFolder)) {}

RegisterResult Registers::run(const RegisterDefinition& definition, const RegisterChoice& choice) const {
    if (!hasRight(session_, GeneralRight::View))
        throw ReportError(QStringLiteral("You Have No Right For ") + definition.title);
    if (!choice.from.isValid() || !choice.to.isValid()) throw ReportError(QStringLiteral("Please Select Proper Date"));
    if (!definition.onDate && choice.from > choice.to) throw ReportError(QStringLiteral("From Date Should Not Be After To Date"));

    RegisterResult result;
    result.definition = definition;
    result.choice = choice;
    result.sheet = loadRegisterSheet(service_.installFolder(), definition.layout);
    result.title = definition.title + QStringLiteral(" ") + periodText(definition, choice);
    result.filters = filtersText(db_, definition, choice, session_.firmNo);

    if (definition.compute) {
        try {
            definition.compute(db_, session_, result);
        } catch (const ReportError&) {
            throw;
        } catch (const std::exception& e) {
            throw ReportError(QString::fromUtf8(e.what()));
        }
        addFirmColumns(db_, session_.firmNo, result.data);
        if (choice.screenLines) LineBuilder(result).build();
        return result;
    }

    const Conditions c = conditionsOf(definition, choice, session_.firmNo);
    QString inner = definition.select + QStringLiteral(" WHERE ") + c.where.join(QStringLiteral(" AND "));
    if (!definition.groupBy.isEmpty()) inner += QLatin1Char(' ') + definition.groupBy;
    // Firm details travel as columns, the way every layout binds them.
    QString sql = QStringLiteral("SELECT r.*, f.PName AS FirmNAme, f.Add1 AS FirmAdd1, f.City AS FirmCity, f.Tin AS FirmTIN "
                                 "FROM (") + inner + QStringLiteral(") r CROSS JOIN FirmMst f WHERE f.Srno = ?");
    QVariantList params;
    for (int i = 0; i < definition.onDateParams; ++i) params << choice.to;
    params += c.params;
    params << session_.firmNo;
    QStringList order;
    for (const QString& column : definition.orderBy) order << QStringLiteral("r.") + column;
    if (!order.isEmpty()) sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    try {
        result.data = ResultSet::fromQuery(db_, sql, params);
    } catch (const ReportError&) {
        throw;
    } catch (const std::exception& e) {
        throw ReportError(QString::fromUtf8(e.what()));
    }
    if (definition.derive) definition.derive(result.data, choice);
    addRunningBalance(result.data, definition);
    if (choice.screenLines) LineBuilder(result).build();
    return result;
}

void Registers::writePdf(const RegisterResult& result, const QString& path) const {
    // Made here rather than through a request, so a day book's 65,000 rows are copied once.
    Layout layout = service_.loadLayout(result.definition.layout);
    std::vector<QVariant> parameters = fillParameters(layout, {result.title, result.filters});
    ReportDocument document(std::move(layout), result.data, std::move(parameters));
    ReportService::writePdf(document, path);
}

void Registers::writeXlsx(const RegisterResult& result, const QString& path) const {
    auto document = service_.prepare(nullptr, result.reportRequest());
    writeReportXlsx(*document, path);
}

void Registers::writeCsv(const RegisterResult& result, const QString& path) {
    // The CSV file is the grid's lines: made now when the run left them out.
    if (!result.choice.screenLines) {
        RegisterResult withLines = result;
        withLines.choice.screenLines = true;
        LineBuilder(withLines).build();
        writeCsv(withLines, path);
        return;
    }
    auto quoted = [](QString text) {
        if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n')))
            return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
        return text;
    };
    QStringList lines;
    QStringList captions;
    for (const RegisterColumn& c : result.sheet.columns) captions << quoted(c.caption);
    lines << captions.join(QLatin1Char(','));
    for (const RegisterLine& line : result.lines) {
        QStringList cells;
        for (int i = 0; i < line.cells.size(); ++i) {
            QString cell = line.cells.at(i);
            // Numbers without the digit grouping, so a spreadsheet reads them as numbers.
            if (i < int(result.sheet.columns.size()) && result.sheet.columns[size_t(i)].numeric) cell.remove(QLatin1Char(','));
            cells << quoted(cell);
        }
        lines << cells.join(QLatin1Char(','));
    }
    const QFileInfo info(path);
    if (!info.dir().exists())
        throw ReportError(QStringLiteral("Cannot write %1: the folder %2 does not exist").arg(path, info.dir().path()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw ReportError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    if (!file.commit()) throw ReportError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

void Registers::writeFile(const RegisterResult& result, const QString& path) const {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf")) writePdf(result, path);
    else if (suffix == QLatin1String("xlsx")) writeXlsx(result, path);
    else if (suffix == QLatin1String("csv")) writeCsv(result, path);
    else throw ReportError(QStringLiteral("A register is written as .pdf, .xlsx or .csv, not %1").arg(QFileInfo(path).fileName()));
}

const RegisterDefinition* findByName(const std::vector<RegisterDefinition>& all, const QString& name) {
    for (const RegisterDefinition& d : all)
        if (d.name.compare(name, Qt::CaseInsensitive) == 0) return &d;
    return nullptr;
}

std::vector<const RegisterDefinition*> ofCommand(const std::vector<RegisterDefinition>& all, const QString& menuCommand) {
    std::vector<const RegisterDefinition*> out;
    for (const RegisterDefinition& d : all)
        if (d.command == menuCommand) out.push_back(&d);
    return out;
}

QStringList commandsOf(const std::vector<RegisterDefinition>& all) {
    QStringList out;
    for (const RegisterDefinition& d : all)
        if (!out.contains(d.command)) out << d.command;
    return out;
}

void addFirmColumns(db::Database& db, qint64 firmNo, ResultSet& data) {
    const auto firm = db.queryOne(QStringLiteral("SELECT PName, Add1, City, Tin FROM FirmMst WHERE Srno = ?"), {firmNo});
    data.columns << QStringLiteral("FirmNAme") << QStringLiteral("FirmAdd1") << QStringLiteral("FirmCity") << QStringLiteral("FirmTIN");
    QVariantList values;
    for (int i = 0; i < 4; ++i) values << (firm ? firm->value(i) : QVariant(QString()));
    for (QVariantList& row : data.rows) row += values;
}

db::Rows registerParties(db::Database& db, qint64 firmNo, const QString& prefix) {
    const db::Dialect& d = db.dialect();
    return db.query(QStringLiteral("SELECT AcName AS \"A/c Name\", City, LedgerId AS \"A/c No\", Id FROM AccMst "
                                   "WHERE FirmNo = ? AND IsGrp = 0 AND (") +
                        d.likeInsensitive(QStringLiteral("AcName")) + QStringLiteral(" OR ") + d.likeInsensitive(QStringLiteral("LedgerId")) +
                        QStringLiteral(") ORDER BY AcName") + d.limit(30),
                    {firmNo, prefix + QLatin1Char('%'), prefix + QLatin1Char('%')});
}

db::Rows registerBooks(db::Database& db, qint64 firmNo, const QString& prefix, const QString& bookTypes) {
    const db::Dialect& d = db.dialect();
    // Cash and bank books are named after their account (PurNAme), the others by SalesName.
    const QString name = QStringLiteral("CASE WHEN BookType IN ('C', 'B') THEN PurNAme ELSE SalesName END");
    QStringList types;
    for (const QChar type : bookTypes)
        if (type.isLetter()) types << QStringLiteral("'%1'").arg(type);
    return db.query(QStringLiteral("SELECT ") + name + QStringLiteral(" AS \"Book\", BookShortName AS \"Prefix\", BookNO AS Id FROM BookMst "
                                   "WHERE FirmNO = ? AND BookType IN (") + types.join(QStringLiteral(", ")) + QStringLiteral(") AND (") +
                        d.likeInsensitive(name) + QStringLiteral(" OR CAST(BookNO AS TEXT) = ?) ORDER BY BookNO") + d.limit(30),
                    {firmNo, prefix + QLatin1Char('%'), prefix.trimmed()});
}

db::Rows registerItems(db::Database& db, qint64 firmNo, const QString& prefix) {
    const db::Dialect& d = db.dialect();
    return db.query(QStringLiteral("SELECT ProdName AS \"Quality Name\", ProdCode AS \"Code\", ProdGrp AS \"Qlty Type\", Id FROM ProdMst "
                                   "WHERE FirmNO = ? AND (") +
                        d.likeInsensitive(QStringLiteral("ProdName")) + QStringLiteral(" OR ") + d.likeInsensitive(QStringLiteral("ProdCode")) +
                        QStringLiteral(") ORDER BY ProdName") + d.limit(30),
                    {firmNo, prefix + QLatin1Char('%'), prefix + QLatin1Char('%')});
}

qint64 pickedId(db::Database& db, qint64 firmNo, RegisterPicker picker, const QString& text, const QString& bookTypes) {
    const QString typed = text.trimmed();
    if (typed.isEmpty()) return 0;
    const db::Rows rows = picker == RegisterPicker::Party ? registerParties(db, firmNo, typed)
                          : picker == RegisterPicker::Book ? registerBooks(db, firmNo, typed, bookTypes)
                                                           : registerItems(db, firmNo, typed);
    for (const db::Row& row : rows)
        for (int i = 0; i < row.size(); ++i)
            if (row.value(i).toString().trimmed().compare(typed, Qt::CaseInsensitive) == 0 && row.columns().at(i).compare(QLatin1String("Id"), Qt::CaseInsensitive) != 0)
                return row.integer(QStringLiteral("Id"));
    return rows.size() == 1 ? rows.front().integer(QStringLiteral("Id")) : 0;
}

}  // namespace tanabana::reports
