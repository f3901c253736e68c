#pragma once
// The three small masters kept beside the items, each per firm:
// - brokers and haste agents (BrokerMst): "Ramesh Shah", Surat, brokerage 1.00%, type B;
// - named lists (Mst_Process): job processes, colours, design numbers, fabrics, job colours and
//   rapier product types; colours feed an item's second name, rapier types its quality type;
// - looms (Mst_Machine): machine "L-07", panna (width) 52, pattern "PLAIN".
// A name is unique within its firm (and list); one still used by documents is not deleted.
#include "core/Decimal.h"
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/products/Common.h"
#include "domain/products/References.h"
#include "domain/reports/ReportService.h"

#include <QVariantMap>
#include <optional>
#include <vector>

namespace tanabana::products {

struct Broker {
    qint64 srno = 0;  // 0 for a new broker
    qint64 firmNo = 0;
    QString name, address, city, taluka, district, gstin, phone;
    Decimal brokerage;        // CST: brokerage percent
    QChar type = QLatin1Char('B');  // B broker, H haste
};
QStringList brokerTypeNames();  // "Broker", "Haste"

struct ProcessEntry {
    qint64 id = 0;            // Pro_Id
    qint64 firmNo = 0;
    QString name;
    QChar listType = QLatin1Char('J');
    bool active = true;
};
// The named lists as (letter, name): J "Job Process", C "Colour", D "Design No", F "Fabric",
// A "A Job Colour", R "Rapier Product Type".
std::vector<std::pair<QChar, QString>> processListTypes();
QString processListName(QChar letter);

struct Machine {
    qint64 id = 0;
    qint64 firmNo = 0;
    QString name;             // MachineName: "Machine No"
    Decimal panna;            // PannaNO: loom width
    QString pattern;
    bool active = true;
};

// Reading the three from named values (imported JSON or screen fields), keyed by column names.
std::optional<Broker> brokerFromValues(const QVariantMap& values, Messages& messages);
std::optional<ProcessEntry> processFromValues(const QVariantMap& values, Messages& messages);
std::optional<Machine> machineFromValues(const QVariantMap& values, Messages& messages);

class BrokerMaster {
public:
    BrokerMaster(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}
    std::optional<Broker> load(qint64 srno);
    // Saves in the broker's firm and, for a new broker, also in each listed firm (one transaction).
    std::optional<std::vector<qint64>> save(const Broker& broker, const std::vector<qint64>& alsoInFirms = {},
                                            Refusal* refusal = nullptr);
    bool remove(qint64 srno);
    // The firm's brokers by name, optionally only those of a city, taluka and district.
    std::vector<Broker> list(const QString& city = {}, const QString& taluka = {}, const QString& district = {});
    QStringList cities();
    QStringList talukas();
    QStringList districts();
    static const std::vector<Reference>& references();
    // The printed broker list of the firm by name ("BrokerList.rpt"), titled "Broker List as On : <date>".
    reports::ReportRequest listReport(const QDate& asOn) const;

private:
    QStringList distinct(const QString& column);
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

class ProcessMaster {
public:
    ProcessMaster(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}
    std::optional<ProcessEntry> load(qint64 id);
    std::optional<qint64> save(const ProcessEntry& entry, Refusal* refusal = nullptr);
    bool remove(qint64 id);
    // One list of the firm by name; all lists when the letter is null.
    std::vector<ProcessEntry> list(QChar listType = QChar());
    // The caption of the screen for a list: "JOB PROCESS MASTER".
    static QString caption(QChar listType);

private:
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

class MachineMaster {
public:
    MachineMaster(db::Database& db, Session& session, Messages& messages) : db_(db), session_(session), messages_(messages) {}
    std::optional<Machine> load(qint64 id);
    std::optional<qint64> save(const Machine& machine, Refusal* refusal = nullptr);
    bool remove(qint64 id);
    std::vector<Machine> list(bool activeOnly = false);

private:
    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::products
