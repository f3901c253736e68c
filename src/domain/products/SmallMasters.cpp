#include "domain/products/SmallMasters.h"

#include "core/YearLock.h"

namespace tanabana::products {

namespace {

QString fit(const char* table, const char* column, const QString& text) {
    return fitText(QString::fromLatin1(table), QString::fromLatin1(column), text);
}

// Refuses (naming the field) the first typed text longer than its column: never cut silently.
bool refusedTooLong(Messages& messages, Refusal* refusal, const char* table,
                    std::initializer_list<std::pair<const char*, QString>> texts) {
    for (const auto& [column, text] : texts)
        if (const QString problem = tooLong(QString::fromLatin1(table), QString::fromLatin1(column), text); !problem.isEmpty()) {
            if (refusal) refusal->field = QString::fromLatin1(column);
            messages.critical(invalidEntryTitle(), problem);
            return true;
        }
    return false;
}

QString duplicateText(const QString& what, const QString& firmName) {
    return QStringLiteral("This %1 Name in Firm :").arg(what) + firmName + QStringLiteral(" Is Exist, Please Enter Another NAme");
}

bool askDelete(Messages& messages) {
    return messages.ask(QStringLiteral("Delete Condirm"), QStringLiteral("Are you sure want to delete record"));
}

// Looks a key up case-insensitively in named values.
QVariant valueOf(const QVariantMap& values, const char* key, bool* present = nullptr) {
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        if (it.key().compare(QLatin1String(key), Qt::CaseInsensitive) == 0) {
            if (present) *present = true;
            return it.value();
        }
    if (present) *present = false;
    return {};
}

// Refuses keys that are not among the known ones (a typing error in an imported file).
bool onlyKnownKeys(const QVariantMap& values, const QStringList& known, const QString& what, Messages& messages) {
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        if (!known.contains(it.key(), Qt::CaseInsensitive)) {
            messages.critical(invalidEntryTitle(), QStringLiteral("Unknown %1 field : %2").arg(what, it.key()));
            return false;
        }
    return true;
}

std::optional<qint64> readKey(const QVariantMap& values, const char* key, Messages& messages) {
    const QVariant v = valueOf(values, key);
    if (v.toString().trimmed().isEmpty()) return 0;
    bool ok = false;
    const qint64 n = v.toString().trimmed().toLongLong(&ok);
    if (!ok || n < 0) {
        messages.critical(invalidEntryTitle(), QStringLiteral("%1 : '%2' is not a whole number").arg(QLatin1String(key), v.toString()));
        return std::nullopt;
    }
    return n;
}

std::optional<bool> readYesNo(const QVariantMap& values, const char* key, bool fallback, Messages& messages) {
    bool present = false;
    const QVariant v = valueOf(values, key, &present);
    if (!present) return fallback;
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    const QString s = v.toString().trimmed().toLower();
    if (s == QLatin1String("yes") || s == QLatin1String("true") || s == QLatin1String("1")) return true;
    if (s == QLatin1String("no") || s == QLatin1String("false") || s == QLatin1String("0")) return false;
    messages.critical(invalidEntryTitle(), QStringLiteral("%1 : '%2' should be Yes or No").arg(QLatin1String(key), v.toString()));
    return std::nullopt;
}

QStringList distinctOf(db::Database& db, const QString& sql, const QVariantList& params) {
    QStringList values;
    for (const db::Row& r : db.query(sql, params)) {
        const QString v = r.value(0).toString().trimmed();
        if (!v.isEmpty() && !values.contains(v, Qt::CaseInsensitive)) values << v;
    }
    return values;
}

}  // namespace

// ---- Brokers ----

QStringList brokerTypeNames() { return {QStringLiteral("Broker"), QStringLiteral("Haste")}; }

std::optional<Broker> brokerFromValues(const QVariantMap& values, Messages& messages) {
    if (!onlyKnownKeys(values, {"Srno", "FirmNO", "PName", "Add1", "City", "Taluka", "dist", "Tin", "CST", "Ph", "PType"},
                       QStringLiteral("broker"), messages))
        return std::nullopt;
    Broker b;
    const auto srno = readKey(values, "Srno", messages);
    const auto firm = srno ? readKey(values, "FirmNO", messages) : std::nullopt;
    if (!firm) return std::nullopt;
    b.srno = *srno;
    b.firmNo = *firm;
    b.name = valueOf(values, "PName").toString().trimmed();
    b.address = valueOf(values, "Add1").toString().trimmed();
    b.city = valueOf(values, "City").toString().trimmed();
    b.taluka = valueOf(values, "Taluka").toString().trimmed();
    b.district = valueOf(values, "dist").toString().trimmed();
    b.gstin = valueOf(values, "Tin").toString().trimmed().toUpper();
    b.phone = valueOf(values, "Ph").toString().trimmed();
    const auto brokerage = readNumber(valueOf(values, "CST"), QStringLiteral("Brok. %"), messages, false, Decimal(100));
    if (!brokerage) return std::nullopt;
    b.brokerage = *brokerage;
    const QString type = valueOf(values, "PType").toString().trimmed();
    if (!type.isEmpty()) {
        const QChar letter = type.at(0).toUpper();
        if (letter != QLatin1Char('B') && letter != QLatin1Char('H')) {
            messages.critical(invalidEntryTitle(), QStringLiteral("Type : '%1' should be Broker or Haste").arg(type));
            return std::nullopt;
        }
        b.type = letter;
    }
    return b;
}

const std::vector<Reference>& BrokerMaster::references() {
    static const std::vector<Reference> refs = {
        {QStringLiteral("AccMst"), QStringLiteral("BrokerId")},          {QStringLiteral("SalBillMst"), QStringLiteral("BrokerId")},
        {QStringLiteral("BillMst"), QStringLiteral("BrokerId")},         {QStringLiteral("BillMSt_Ch"), QStringLiteral("BrokerId")},
        {QStringLiteral("ChalanMst"), QStringLiteral("BrokerId")},       {QStringLiteral("JobWork_IssueMst"), QStringLiteral("BrokerId")},
        {QStringLiteral("JobWork_IssueMst_1"), QStringLiteral("BrokerId")}, {QStringLiteral("JobWork_IssueMst_Ambr"), QStringLiteral("BrokerId")},
    };
    return refs;
}

std::optional<Broker> BrokerMaster::load(qint64 srno) {
    const auto r = db_.queryOne(QStringLiteral("SELECT * FROM BrokerMst WHERE Srno = ?"), {srno});
    if (!r) return std::nullopt;
    Broker b;
    b.srno = r->integer(QStringLiteral("Srno"));
    b.firmNo = r->integer(QStringLiteral("FirmNO"));
    b.name = r->text(QStringLiteral("PName"));
    b.address = r->text(QStringLiteral("Add1"));
    b.city = r->text(QStringLiteral("City"));
    b.taluka = r->text(QStringLiteral("Taluka"));
    b.district = r->text(QStringLiteral("dist"));
    b.gstin = r->text(QStringLiteral("Tin"));
    b.brokerage = Decimal::fromVariant(r->value(QStringLiteral("CST")));
    b.phone = r->text(QStringLiteral("Ph"));
    const QString type = r->text(QStringLiteral("PType"));
    b.type = type.isEmpty() ? QLatin1Char('B') : type.at(0);
    return b;
}

std::optional<std::vector<qint64>> BrokerMaster::save(const Broker& input, const std::vector<qint64>& alsoInFirms,
                                                      Refusal* refusal) {
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    Broker b = input;
    b.name = b.name.trimmed();
    if (refusedTooLong(messages_, refusal, "BrokerMst",
                       {{"PName", b.name}, {"Add1", b.address}, {"City", b.city}, {"Taluka", b.taluka},
                        {"dist", b.district}, {"Tin", b.gstin}, {"Ph", b.phone}}))
        return std::nullopt;
    if (b.name.isEmpty()) {
        if (refusal) refusal->field = QStringLiteral("PName");
        messages_.critical(QStringLiteral("Broker Master"), QStringLiteral("Please Enter Broker Name"));
        return std::nullopt;
    }
    if (b.brokerage.isNegative() || b.brokerage > Decimal(100)) {
        if (refusal) refusal->field = QStringLiteral("CST");
        messages_.critical(invalidEntryTitle(), QStringLiteral("Brok. % must be between 0 and 100"));
        return std::nullopt;
    }
    if (b.firmNo <= 0) b.firmNo = session_.firmNo;
    db::Transaction tx(db_);
    std::vector<qint64> firms{b.firmNo};
    if (b.srno > 0) {
        const auto existing = load(b.srno);
        if (!existing) {
            messages_.critical(QStringLiteral("Broker Master"), QStringLiteral("This Broker no longer exists."));
            return std::nullopt;
        }
        firms = {existing->firmNo};
    } else {
        for (qint64 f : alsoInFirms)
            if (std::find(firms.begin(), firms.end(), f) == firms.end()) firms.push_back(f);
    }
    std::vector<qint64> ids;
    for (qint64 firm : firms) {
        const bool taken = db_.scalar(QStringLiteral("SELECT count(*) FROM BrokerMst WHERE FirmNO = ? AND lower(PName) = lower(?) "
                                                     "AND PType = ? AND Srno <> ?"),
                                      {firm, b.name, QString(b.type), b.srno})
                               .toInt() > 0;
        if (taken) {
            if (refusal) refusal->field = QStringLiteral("PName");
            messages_.critical(QStringLiteral("A/c Duplicate"), duplicateText(QStringLiteral("Broker"), firmNameOf(db_, session_, firm)));
            return std::nullopt;
        }
        const QVariantList values{fit("BrokerMst", "PName", b.name),      fit("BrokerMst", "Add1", b.address),
                                  fit("BrokerMst", "City", b.city),       fit("BrokerMst", "Taluka", b.taluka),
                                  fit("BrokerMst", "dist", b.district),   fit("BrokerMst", "Tin", b.gstin),
                                  b.brokerage.roundHalfEven(2).toDouble(), fit("BrokerMst", "Ph", b.phone),
                                  QString(b.type),                        firm};
        if (b.srno > 0) {
            db_.exec(QStringLiteral("UPDATE BrokerMst SET PName = ?, Add1 = ?, City = ?, Taluka = ?, dist = ?, Tin = ?, CST = ?, "
                                    "Ph = ?, PType = ?, FirmNO = ? WHERE Srno = ?"),
                     values + QVariantList{b.srno});
            ids.push_back(b.srno);
        } else {
            const qint64 srno = db_.nextKey(QStringLiteral("BrokerMst"), QStringLiteral("Srno"));
            db_.exec(QStringLiteral("INSERT INTO BrokerMst (PName, Add1, City, Taluka, dist, Tin, CST, Ph, PType, FirmNO, Srno) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     values + QVariantList{srno});
            ids.push_back(srno);
        }
    }
    tx.commit();
    return ids;
}

bool BrokerMaster::remove(qint64 srno) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (srno <= 0 || !load(srno)) return false;
    if (findReference(db_, references(), srno)) {
        messages_.critical(QStringLiteral("Broker found"), QStringLiteral("This Broker is used in Accounts or Bills, it can not be deleted."));
        return false;
    }
    if (!askDelete(messages_)) return false;
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("DELETE FROM BrokerMst WHERE Srno = ?"), {srno});
    tx.commit();
    return true;
}

std::vector<Broker> BrokerMaster::list(const QString& city, const QString& taluka, const QString& district) {
    QString sql = QStringLiteral("SELECT Srno FROM BrokerMst WHERE FirmNO = ?");
    QVariantList params{session_.firmNo};
    const std::pair<const char*, QString> filters[] = {{"City", city}, {"Taluka", taluka}, {"dist", district}};
    for (const auto& [column, value] : filters)
        if (!value.trimmed().isEmpty()) {
            sql += QStringLiteral(" AND lower(%1) = lower(?)").arg(QLatin1String(column));
            params << value.trimmed();
        }
    sql += QStringLiteral(" ORDER BY PName, Srno");
    std::vector<Broker> brokers;
    for (const db::Row& r : db_.query(sql, params))
        if (auto b = load(r.integer(QStringLiteral("Srno")))) brokers.push_back(*b);
    return brokers;
}

QStringList BrokerMaster::distinct(const QString& column) {
    return distinctOf(db_, QStringLiteral("SELECT DISTINCT %1 FROM BrokerMst WHERE FirmNO = ? ORDER BY 1").arg(column), {session_.firmNo});
}
reports::ReportRequest BrokerMaster::listReport(const QDate& asOn) const {
    reports::ReportRequest request;
    request.layoutName = QStringLiteral("BrokerList.rpt");
    request.sql = QStringLiteral("SELECT b.PName, b.Add1, b.City, b.CST, b.Ph, b.PType, f.PName AS FirmNAme, f.Add1 AS FirmAdd1 "
                                 "FROM BrokerMst b LEFT JOIN FirmMst f ON f.Srno = b.FirmNO WHERE b.FirmNO = ? ORDER BY b.PName");
    request.sqlParams = {session_.firmNo};
    request.parameterValues = {QStringLiteral("Broker List as On : ") + asOn.toString(QStringLiteral("dd-MM-yyyy"))};
    return request;
}

QStringList BrokerMaster::cities() { return distinct(QStringLiteral("City")); }
QStringList BrokerMaster::talukas() { return distinct(QStringLiteral("Taluka")); }
QStringList BrokerMaster::districts() { return distinct(QStringLiteral("dist")); }

// ---- Named lists ----

std::vector<std::pair<QChar, QString>> processListTypes() {
    return {{QLatin1Char('J'), QStringLiteral("Job Process")}, {QLatin1Char('C'), QStringLiteral("Colour")},
            {QLatin1Char('D'), QStringLiteral("Design No")},   {QLatin1Char('F'), QStringLiteral("Fabric")},
            {QLatin1Char('A'), QStringLiteral("A Job Colour")}, {QLatin1Char('R'), QStringLiteral("Rapier Product Type")}};
}

QString processListName(QChar letter) {
    for (const auto& [l, name] : processListTypes())
        if (l == letter.toUpper()) return name;
    return {};
}

QString ProcessMaster::caption(QChar listType) { return processListName(listType).toUpper() + QStringLiteral(" MASTER"); }

std::optional<ProcessEntry> processFromValues(const QVariantMap& values, Messages& messages) {
    if (!onlyKnownKeys(values, {"Pro_Id", "FirmNo", "Pro_Name", "Mst_Type", "IsAct"}, QStringLiteral("list"), messages))
        return std::nullopt;
    ProcessEntry e;
    const auto id = readKey(values, "Pro_Id", messages);
    const auto firm = id ? readKey(values, "FirmNo", messages) : std::nullopt;
    const auto active = firm ? readYesNo(values, "IsAct", true, messages) : std::nullopt;
    if (!active) return std::nullopt;
    e.id = *id;
    e.firmNo = *firm;
    e.active = *active;
    e.name = valueOf(values, "Pro_Name").toString().trimmed();
    const QString type = valueOf(values, "Mst_Type").toString().trimmed();
    if (!type.isEmpty()) {
        QChar letter;
        for (const auto& [l, name] : processListTypes())
            if (name.compare(type, Qt::CaseInsensitive) == 0 || (type.size() == 1 && l == type.at(0).toUpper())) letter = l;
        if (letter.isNull()) {
            messages.critical(invalidEntryTitle(), QStringLiteral("List : '%1' is not one of J, C, D, F, A, R").arg(type));
            return std::nullopt;
        }
        e.listType = letter;
    }
    return e;
}

std::optional<ProcessEntry> ProcessMaster::load(qint64 id) {
    const auto r = db_.queryOne(QStringLiteral("SELECT * FROM Mst_Process WHERE Pro_Id = ?"), {id});
    if (!r) return std::nullopt;
    ProcessEntry e;
    e.id = r->integer(QStringLiteral("Pro_Id"));
    e.firmNo = r->integer(QStringLiteral("FirmNo"));
    e.name = r->text(QStringLiteral("Pro_Name"));
    const QString type = r->text(QStringLiteral("Mst_Type"));
    e.listType = type.isEmpty() ? QLatin1Char('J') : type.at(0);
    e.active = r->flag(QStringLiteral("IsAct"));
    return e;
}

std::optional<qint64> ProcessMaster::save(const ProcessEntry& input, Refusal* refusal) {
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    ProcessEntry e = input;
    e.name = e.name.trimmed();
    if (refusedTooLong(messages_, refusal, "Mst_Process", {{"Pro_Name", e.name}})) return std::nullopt;
    const QString listName = processListName(e.listType);
    if (listName.isEmpty()) {
        messages_.critical(invalidEntryTitle(), QStringLiteral("Please choose a list"));
        return std::nullopt;
    }
    if (e.name.isEmpty()) {
        if (refusal) refusal->field = QStringLiteral("Pro_Name");
        messages_.critical(caption(e.listType), QStringLiteral("Please Enter %1 Name").arg(listName));
        return std::nullopt;
    }
    if (e.firmNo <= 0) e.firmNo = session_.firmNo;
    db::Transaction tx(db_);
    if (e.id > 0) {
        const auto existing = load(e.id);
        if (!existing) {
            messages_.critical(caption(e.listType), QStringLiteral("This entry no longer exists."));
            return std::nullopt;
        }
        e.firmNo = existing->firmNo;
    }
    const bool taken = db_.scalar(QStringLiteral("SELECT count(*) FROM Mst_Process WHERE FirmNo = ? AND Mst_Type = ? AND "
                                                 "lower(Pro_Name) = lower(?) AND Pro_Id <> ?"),
                                  {e.firmNo, QString(e.listType), e.name, e.id})
                           .toInt() > 0;
    if (taken) {
        if (refusal) refusal->field = QStringLiteral("Pro_Name");
        messages_.critical(QStringLiteral("A/c Duplicate"), duplicateText(listName, firmNameOf(db_, session_, e.firmNo)));
        return std::nullopt;
    }
    if (e.id > 0) {
        db_.exec(QStringLiteral("UPDATE Mst_Process SET Pro_Name = ?, Mst_Type = ?, IsAct = ? WHERE Pro_Id = ?"),
                 {e.name, QString(e.listType), e.active ? 1 : 0, e.id});
    } else {
        e.id = db_.nextKey(QStringLiteral("Mst_Process"), QStringLiteral("Pro_Id"));
        db_.exec(QStringLiteral("INSERT INTO Mst_Process (Pro_Id, Pro_Name, FirmNo, Mst_Type, IsAct) VALUES (?, ?, ?, ?, ?)"),
                 {e.id, e.name, e.firmNo, QString(e.listType), e.active ? 1 : 0});
    }
    tx.commit();
    return e.id;
}

bool ProcessMaster::remove(qint64 id) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (id <= 0 || !load(id)) return false;
    if (!askDelete(messages_)) return false;
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("DELETE FROM Mst_Process WHERE Pro_Id = ?"), {id});
    tx.commit();
    return true;
}

std::vector<ProcessEntry> ProcessMaster::list(QChar listType) {
    QString sql = QStringLiteral("SELECT Pro_Id FROM Mst_Process WHERE FirmNo = ?");
    QVariantList params{session_.firmNo};
    if (!listType.isNull()) {
        sql += QStringLiteral(" AND Mst_Type = ?");
        params << QString(listType);
    }
    sql += QStringLiteral(" ORDER BY Mst_Type, Pro_Name, Pro_Id");
    std::vector<ProcessEntry> entries;
    for (const db::Row& r : db_.query(sql, params))
        if (auto e = load(r.integer(QStringLiteral("Pro_Id")))) entries.push_back(*e);
    return entries;
}

// ---- Looms ----

std::optional<Machine> machineFromValues(const QVariantMap& values, Messages& messages) {
    if (!onlyKnownKeys(values, {"ID", "FirmNo", "MachineName", "PannaNO", "Pattern", "IsActive"}, QStringLiteral("machine"), messages))
        return std::nullopt;
    Machine m;
    const auto id = readKey(values, "ID", messages);
    const auto firm = id ? readKey(values, "FirmNo", messages) : std::nullopt;
    const auto active = firm ? readYesNo(values, "IsActive", true, messages) : std::nullopt;
    const auto panna = active ? readNumber(valueOf(values, "PannaNO"), QStringLiteral("Panna No"), messages, false, Decimal(999))
                              : std::nullopt;
    if (!panna) return std::nullopt;
    m.id = *id;
    m.firmNo = *firm;
    m.active = *active;
    m.panna = *panna;
    m.name = valueOf(values, "MachineName").toString().trimmed();
    m.pattern = valueOf(values, "Pattern").toString().trimmed();
    return m;
}

std::optional<Machine> MachineMaster::load(qint64 id) {
    const auto r = db_.queryOne(QStringLiteral("SELECT * FROM Mst_Machine WHERE ID = ?"), {id});
    if (!r) return std::nullopt;
    Machine m;
    m.id = r->integer(QStringLiteral("ID"));
    m.firmNo = r->integer(QStringLiteral("FirmNo"));
    m.name = r->text(QStringLiteral("MachineName"));
    m.panna = Decimal::fromVariant(r->value(QStringLiteral("PannaNO"))).roundHalfEven(2);
    m.pattern = r->text(QStringLiteral("Pattern"));
    m.active = r->flag(QStringLiteral("IsActive"));
    return m;
}

std::optional<qint64> MachineMaster::save(const Machine& input, Refusal* refusal) {
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    Machine m = input;
    m.name = m.name.trimmed();
    m.pattern = m.pattern.trimmed();
    if (refusedTooLong(messages_, refusal, "Mst_Machine", {{"MachineName", m.name}, {"Pattern", m.pattern}})) return std::nullopt;
    if (m.name.isEmpty()) {
        if (refusal) refusal->field = QStringLiteral("MachineName");
        messages_.critical(QStringLiteral("MACHINE MASTER"), QStringLiteral("Please Enter Machine No"));
        return std::nullopt;
    }
    if (m.panna.isNegative() || m.panna > Decimal(999)) {
        if (refusal) refusal->field = QStringLiteral("PannaNO");
        messages_.critical(invalidEntryTitle(), QStringLiteral("Panna No must be between 0 and 999"));
        return std::nullopt;
    }
    if (m.firmNo <= 0) m.firmNo = session_.firmNo;
    db::Transaction tx(db_);
    if (m.id > 0) {
        const auto existing = load(m.id);
        if (!existing) {
            messages_.critical(QStringLiteral("MACHINE MASTER"), QStringLiteral("This Machine no longer exists."));
            return std::nullopt;
        }
        m.firmNo = existing->firmNo;
    }
    const bool taken = db_.scalar(QStringLiteral("SELECT count(*) FROM Mst_Machine WHERE FirmNo = ? AND lower(MachineName) = lower(?) "
                                                 "AND ID <> ?"),
                                  {m.firmNo, m.name, m.id})
                           .toInt() > 0;
    if (taken) {
        if (refusal) refusal->field = QStringLiteral("MachineName");
        messages_.critical(QStringLiteral("A/c Duplicate"), duplicateText(QStringLiteral("Machine"), firmNameOf(db_, session_, m.firmNo)));
        return std::nullopt;
    }
    const QVariantList values{m.name, m.panna.roundHalfEven(2).toDouble(), m.pattern, m.active ? 1 : 0};
    if (m.id > 0) {
        db_.exec(QStringLiteral("UPDATE Mst_Machine SET MachineName = ?, PannaNO = ?, Pattern = ?, IsActive = ? WHERE ID = ?"),
                 values + QVariantList{m.id});
    } else {
        m.id = db_.nextKey(QStringLiteral("Mst_Machine"), QStringLiteral("ID"));
        db_.exec(QStringLiteral("INSERT INTO Mst_Machine (MachineName, PannaNO, Pattern, IsActive, ID, FirmNo) VALUES (?, ?, ?, ?, ?, ?)"),
                 values + QVariantList{m.id, m.firmNo});
    }
    tx.commit();
    return m.id;
}

bool MachineMaster::remove(qint64 id) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (id <= 0 || !load(id)) return false;
    if (findReference(db_, {{QStringLiteral("Machine_Issue"), QStringLiteral("MachineNO")}}, id)) {
        messages_.critical(QStringLiteral("Machine found"), QStringLiteral("This Machine has Machine Orders, it can not be deleted."));
        return false;
    }
    if (!askDelete(messages_)) return false;
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("DELETE FROM Mst_Machine WHERE ID = ?"), {id});
    tx.commit();
    return true;
}

std::vector<Machine> MachineMaster::list(bool activeOnly) {
    std::vector<Machine> machines;
    const QString sql = QStringLiteral("SELECT ID FROM Mst_Machine WHERE FirmNo = ?") +
                        (activeOnly ? QStringLiteral(" AND IsActive = 1") : QString()) + QStringLiteral(" ORDER BY MachineName, ID");
    for (const db::Row& r : db_.query(sql, {session_.firmNo}))
        if (auto m = load(r.integer(QStringLiteral("ID")))) machines.push_back(*m);
    return machines;
}

}  // namespace tanabana::products
