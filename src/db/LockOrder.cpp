#include "db/LockOrder.h"

#include "db/Database.h"

#include <QHash>
#include <QMutex>
#include <algorithm>
#include <vector>

namespace tanabana::db {

bool LockPlace::operator<(const LockPlace& other) const {
    if (rank != other.rank) return rank < other.rank;
    return guard < other.guard;
}

LockPlace placeOf(const QString& series) {
    QString name = series.trimmed().toLower();
    if (name.startsWith(QLatin1String("key:"))) name = name.mid(4);
    const int dot = int(name.indexOf(QLatin1Char('.')));
    const QString table = dot < 0 ? name : name.left(dot);
    const QString column = dot < 0 ? QString() : name.mid(dot + 1);
    if (table == QLatin1String("headdtl3"))
        return column == QLatin1String("journalno") ? LockPlace{LockRank::Journal, QStringLiteral("headdtl3.journalno")}
                                                    : LockPlace{LockRank::Vouchers, QStringLiteral("headdtl3.voucherno")};
    if (table == QLatin1String("acc_outst")) return {LockRank::Settlements, table};
    if (table == QLatin1String("salbillmst") || table == QLatin1String("billmst")) return {LockRank::Bills, table};
    return {LockRank::OwnTable, table};
}

void lockInOrder(Database& db, QStringList series) {
    std::stable_sort(series.begin(), series.end(), [](const QString& a, const QString& b) { return placeOf(a) < placeOf(b); });
    for (const QString& name : series) db.lockSeries(name);
}

LockOutOfOrder::LockOutOfOrder(const QString& wanted, const QString& held)
    : std::logic_error(QStringLiteral("Lock order broken: %1 taken while %2 is held").arg(wanted, held).toStdString()) {}

namespace held {

namespace {

struct Holding {
    LockPlace place;
    QString series;
};

struct Table {
    QMutex mutex;
    QHash<QString, std::vector<Holding>> byConnection;
};

Table& table() {
    static Table t;
    return t;
}

bool strict() {
    static const bool on = !qEnvironmentVariableIsEmpty("TANABANA_STRICT_LOCKS");
    return on;
}

}  // namespace

bool take(const QString& connection, const LockPlace& place, const QString& series) {
    Table& t = table();
    QMutexLocker guard(&t.mutex);
    std::vector<Holding>& holding = t.byConnection[connection];
    const Holding* latest = nullptr;
    for (const Holding& h : holding) {
        if (h.place == place) return false;
        if (!latest || latest->place < h.place) latest = &h;
    }
    if (latest && place < latest->place && strict()) throw LockOutOfOrder(series, latest->series);
    holding.push_back({place, series});
    return true;
}

void release(const QString& connection) {
    Table& t = table();
    QMutexLocker guard(&t.mutex);
    t.byConnection.remove(connection);
}

}  // namespace held

}  // namespace tanabana::db
