#pragma once
// A document's header or line table declared once: each column with the document field it is
// written from and read into. The same declaration loads a document, writes its header (update
// or insert), replaces its lines and names the field when a typed text is longer than its column.
//
//   const TableMap<DeliveryChallan> header{"ChalanMst", "Id", {
//       field("BillNO", &DeliveryChallan::challanNo, "Chalan No"),
//       field("BillDate", &DeliveryChallan::date),
//       written<DeliveryChallan>("InWords", [](const DeliveryChallan& c) { return inWords(c.amount()); }, Overlong::Cut)}};
//   header.write(db, challan, challan.id);            // UPDATE ... WHERE Id = ?, else INSERT
//   header.read(challan, *db.queryOne("SELECT * FROM ChalanMst WHERE Id = ?", {id}));
//
// Writing and reading may use different types: a sales bill line is written from the typed line
// together with its computed amounts, and read back into the typed line alone.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "db/Database.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

namespace tanabana::documents {

// What happens to a text longer than its column: a typed text is refused with the field named,
// a text the system composes (amount in words) is cut.
enum class Overlong { Refuse, Cut };

template <typename W, typename R = W>
struct Column {
    QString name;
    QString caption;                                  // names the field in a refusal; the column when empty
    std::function<QVariant(const W&)> write;          // empty: never written
    std::function<void(R&, const db::Row&)> read;     // empty: never read back
    Overlong overlong = Overlong::Refuse;
};

using ColumnValues = std::vector<std::pair<QString, QVariant>>;

// The refusal text for a typed text longer than its column: "<caption> is longer than <n> characters".
struct TooLong {
    QString caption;
    int width = 0;
    QString text() const;
};

// The width of a text column of the year database (0 when unknown or not text).
int columnWidth(const QString& table, const QString& column);
// Writes the values under `keyColumn` = key: UPDATE, and INSERT (with the key) when no row was there.
void writeRow(db::Database& db, const QString& table, const QString& keyColumn, const QVariant& key, const ColumnValues& values);
void insertRow(db::Database& db, const QString& table, const ColumnValues& values);
// Shows the refusal ("Text Too Long") for the first over-long field; true when there was one.
bool refuseTooLong(Messages& messages, const std::optional<TooLong>& tooLong);

template <typename W, typename R = W>
class TableMap {
public:
    TableMap(QString table, QString keyColumn, std::vector<Column<W, R>> columns)
        : table_(std::move(table)), key_(std::move(keyColumn)), columns_(std::move(columns)) {}

    const QString& table() const { return table_; }
    const QString& keyColumn() const { return key_; }

    // The written values: texts trimmed, composed texts cut to their columns.
    ColumnValues values(const W& source) const {
        ColumnValues out;
        for (const Column<W, R>& c : columns_) {
            if (!c.write) continue;
            QVariant value = c.write(source);
            if (value.typeId() == QMetaType::QString) {
                QString text = value.toString().trimmed();
                const int width = columnWidth(table_, c.name);
                if (width > 0 && text.size() > width) text.truncate(width);
                value = text;
            }
            out.emplace_back(c.name, value);
        }
        return out;
    }
    // The first typed text longer than its column.
    std::optional<TooLong> tooLong(const W& source) const {
        for (const Column<W, R>& c : columns_) {
            if (!c.write || c.overlong == Overlong::Cut) continue;
            const QVariant value = c.write(source);
            if (value.typeId() != QMetaType::QString) continue;
            const int width = columnWidth(table_, c.name);
            if (width > 0 && value.toString().trimmed().size() > width) return TooLong{c.caption.isEmpty() ? c.name : c.caption, width};
        }
        return std::nullopt;
    }
    void read(R& target, const db::Row& row) const {
        for (const Column<W, R>& c : columns_)
            if (c.read) c.read(target, row);
    }
    // Update or insert the row of this key.
    void write(db::Database& db, const W& source, const QVariant& key) const { writeRow(db, table_, key_, key, values(source)); }
    void insert(db::Database& db, const W& source) const { insertRow(db, table_, values(source)); }
    // Deletes the rows whose `parentColumn` is the document's key and inserts the new ones.
    template <typename Range>
    void replaceLines(db::Database& db, const QString& parentColumn, qint64 parentKey, const Range& lines) const {
        db.exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(table_, parentColumn), {parentKey});
        for (const auto& line : lines) insert(db, line);
    }
    // Reads every row of one document in Srno order.
    template <typename Out>
    void readLines(db::Database& db, const QString& parentColumn, qint64 parentKey, Out& out,
                   const QString& order = QStringLiteral("Srno")) const {
        db.forEach(QStringLiteral("SELECT * FROM %1 WHERE %2 = ? ORDER BY %3").arg(table_, parentColumn, order), {parentKey},
                   [&](const db::Row& row) {
                       R line;
                       read(line, row);
                       out.push_back(std::move(line));
                   });
    }

private:
    QString table_;
    QString key_;
    std::vector<Column<W, R>> columns_;
};

// A column read from and written to one member of the same type (texts, whole numbers, flags,
// dates; amounts and quantities rounded half-to-even to `places` when written).
template <typename T, typename M>
Column<T> field(const char* column, M T::*member, const char* caption = nullptr, int places = 4) {
    Column<T> c;
    c.name = QString::fromLatin1(column);
    if (caption) c.caption = QString::fromUtf8(caption);
    const QString name = c.name;
    c.write = [member, places](const T& t) -> QVariant {
        const M& v = t.*member;
        if constexpr (std::is_same_v<M, Decimal>) return v.roundHalfEven(places).toDouble();
        else if constexpr (std::is_same_v<M, QDate>) return v.isValid() ? QVariant(v) : QVariant(QMetaType(QMetaType::QDate));
        else if constexpr (std::is_same_v<M, bool>) return v ? 1 : 0;
        else return QVariant::fromValue(v);
    };
    c.read = [member, name](T& t, const db::Row& row) {
        M& v = t.*member;
        if constexpr (std::is_same_v<M, Decimal>) v = Decimal::fromVariant(row.value(name));
        else if constexpr (std::is_same_v<M, QDate>) v = row.date(name);
        else if constexpr (std::is_same_v<M, bool>) v = row.flag(name);
        else if constexpr (std::is_same_v<M, QString>) v = row.text(name);
        else if constexpr (std::is_integral_v<M>) v = M(row.integer(name));
        else v = row.value(name).template value<M>();
    };
    return c;
}

// A member of the document written from a row that carries it (a header row of typed and computed
// values, `[](const Row& r) -> const Bill& { return r.bill; }`) and read back into the document.
template <typename Row, typename Doc, typename M, typename Get>
Column<Row, Doc> fieldOf(Get document, const char* column, M Doc::*member, const char* caption = nullptr, int places = 4) {
    Column<Doc> own = field(column, member, caption, places);
    return {own.name, own.caption, [w = own.write, document](const Row& r) { return w(document(r)); }, own.read, own.overlong};
}

// A column written from what the document computes (never read back into it).
template <typename W, typename R = W>
Column<W, R> written(const char* column, std::function<QVariant(const W&)> write, Overlong overlong = Overlong::Refuse,
                     const char* caption = nullptr) {
    Column<W, R> c;
    c.name = QString::fromLatin1(column);
    if (caption) c.caption = QString::fromUtf8(caption);
    c.write = std::move(write);
    c.overlong = overlong;
    return c;
}

// A column with a fixed value (the document type, the upload mark).
template <typename W, typename R = W>
Column<W, R> fixed(const char* column, QVariant value) {
    return written<W, R>(column, [value](const W&) { return value; }, Overlong::Cut);
}

// A column only read (a flag another document sets, such as "sold").
template <typename W, typename R = W>
Column<W, R> readOnly(const char* column, std::function<void(R&, const db::Row&)> read) {
    Column<W, R> c;
    c.name = QString::fromLatin1(column);
    c.read = std::move(read);
    return c;
}

}  // namespace tanabana::documents
