#include "domain/shell/Installation.h"

#include "domain/ledger/Schema.h"
#include "domain/schema/Steps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

namespace tanabana::shell {

namespace {

const QString kDataBase = QStringLiteral("DataBase");

QString fileOf(const QString& folder, const QString& name) { return QDir(folder).filePath(name); }

// A folder we are about to write into: created when missing, refused when it cannot be written.
void requireWritableFolder(const QString& folder) {
    if (!QDir().mkpath(folder))
        throw db::DbError(QStringLiteral("The folder %1 cannot be created").arg(QDir::toNativeSeparators(folder)));
    const QString probe = fileOf(folder, QStringLiteral(".tanabana-write-test"));
    QFile file(probe);
    if (!file.open(QIODevice::WriteOnly))
        throw db::DbError(QStringLiteral("The folder %1 cannot be written").arg(QDir::toNativeSeparators(folder)));
    file.close();
    QFile::remove(probe);
}

// Every table of the source schema, structure, defaults, indexes and rows, into a new schema.
void copySchema(db::Database& source, const QString& target) {
    const db::Dialect& d = source.dialect();
    const QString from = d.quote(source.location()), to = d.quote(target);
    const QStringList tables = source.tables();
    db::Transaction tx(source);
    source.exec(QStringLiteral("CREATE SCHEMA %1").arg(to));
    for (const QString& table : tables) {
        const QString t = d.quote(table);
        source.exec(QStringLiteral("CREATE TABLE %1.%2 (LIKE %3.%2 INCLUDING ALL)").arg(to, t, from));
        source.exec(QStringLiteral("INSERT INTO %1.%2 SELECT * FROM %3.%2").arg(to, t, from));
    }
    tx.commit();
}

bool ownsDatabase(db::Database& db) { return db.tableExists(QStringLiteral("SchemaSteps")); }

// Runs one fix-up when every table.column it touches exists; a failure leaves the others to run.
void fixup(db::Database& db, const std::vector<std::pair<QString, QString>>& needs, const QString& sql) {
    for (const auto& [table, column] : needs)
        if (!db.columnExists(table, column)) return;
    try {
        db.exec(sql);
    } catch (const db::DbError&) {
    }
}

}  // namespace

Installation Installation::inFolder(const QString& dataRoot) {
    Installation i;
    i.dataRoot_ = QDir::cleanPath(QDir(dataRoot).absolutePath());
    return i;
}

Installation Installation::onServer(const QString& url, const QString& dataRoot, const QString& schemaPrefix) {
    Installation i = inFolder(dataRoot);
    i.url_ = url;
    i.prefix_ = schemaPrefix.toLower();
    return i;
}

QString Installation::databaseFolder() const { return fileOf(dataRoot_, kDataBase); }

QString Installation::yearFolder(const QString& firmFolder) const {
    return firmFolder.isEmpty() ? databaseFolder() : fileOf(databaseFolder(), firmFolder);
}

bool Installation::folderMode() const { return QFileInfo::exists(fileOf(dataRoot_, QStringLiteral("Acc.txt"))); }

QStringList Installation::firmFolders() const {
    return QDir(databaseFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

QString Installation::yearListSchema() const { return prefix_ + QStringLiteral("yearlist"); }

QString Installation::yearSchema(int endYear) const { return prefix_ + QStringLiteral("y%1").arg(endYear); }

bool Installation::schemaExists(const QString& schema) const {
    // A short connection that creates nothing: the server's own list of schemas.
    db::Database probe = db::Database::openPostgres(url_, QStringLiteral("public"), false);
    return probe.scalar(QStringLiteral("SELECT count(*) FROM information_schema.schemata WHERE schema_name = ?"),
                        {schema.toLower()})
               .toInt() > 0;
}

bool Installation::yearListExists() const {
    if (onServer()) return schemaExists(yearListSchema());
    return QFileInfo::exists(fileOf(databaseFolder(), QStringLiteral("Year.db")));
}

db::Database Installation::openYearList() const {
    db::Database db = onServer() ? db::Database::openPostgres(url_, yearListSchema(), false)
                                 : db::Database::openSqlite(fileOf(databaseFolder(), QStringLiteral("Year.db")), false);
    if (!ownsDatabase(db))
        throw db::DbError(QStringLiteral("%1 is not a year list of this program").arg(QDir::toNativeSeparators(db.location())));
    db::migrate(db, schema::yearListSteps());
    return db;
}

db::Database Installation::createYearList() const {
    if (!onServer()) requireWritableFolder(databaseFolder());
    if (yearListExists()) return openYearList();
    db::Database db = onServer() ? db::Database::openPostgres(url_, yearListSchema(), true)
                                 : db::Database::openSqlite(fileOf(databaseFolder(), QStringLiteral("Year.db")), true);
    db::migrate(db, schema::yearListSteps());
    return db;
}

void Installation::requireFirmFolderOnFiles(const QString& firmFolder) const {
    if (onServer() && !firmFolder.isEmpty())
        throw db::DbError(QStringLiteral("Firm folders are kept on files only; a server keeps one set of years"));
}

QString Installation::yearLocation(int endYear, const QString& firmFolder) const {
    requireFirmFolderOnFiles(firmFolder);
    if (onServer()) return yearSchema(endYear);
    return fileOf(yearFolder(firmFolder), QStringLiteral("%1.db").arg(endYear));
}

bool Installation::yearExists(int endYear, const QString& firmFolder) const {
    if (onServer()) return schemaExists(yearLocation(endYear, firmFolder));
    return QFileInfo(yearLocation(endYear, firmFolder)).isFile();
}

db::Database Installation::openYearDatabase(int endYear, const QString& firmFolder, bool create) const {
    const QString location = yearLocation(endYear, firmFolder);
    if (onServer()) return db::Database::openPostgres(url_, location, create);
    if (create) requireWritableFolder(yearFolder(firmFolder));
    return db::Database::openSqlite(location, create);
}

db::Database Installation::openYear(int endYear, const QString& firmFolder) const {
    if (!yearExists(endYear, firmFolder))
        throw db::DbError(QStringLiteral("Database not found: %1").arg(QDir::toNativeSeparators(yearLocation(endYear, firmFolder))));
    db::Database db = openYearDatabase(endYear, firmFolder, false);
    prepareYearDatabase(db);
    return db;
}

db::Database Installation::createYear(int endYear, const QString& firmFolder) const {
    if (yearExists(endYear, firmFolder))
        throw db::DbError(QStringLiteral("The year database %1 exists already").arg(QDir::toNativeSeparators(yearLocation(endYear, firmFolder))));
    db::Database db = openYearDatabase(endYear, firmFolder, true);
    try {
        db::migrate(db, schema::yearDatabaseSteps());
    } catch (...) {
        db.close();
        dropYear(endYear, firmFolder);
        throw;
    }
    return db;
}

db::Database Installation::copyYear(db::Database& source, int newEndYear, const QString& firmFolder) const {
    if (yearExists(newEndYear, firmFolder))
        throw db::DbError(QStringLiteral("The year database %1 exists already").arg(QDir::toNativeSeparators(yearLocation(newEndYear, firmFolder))));
    const QString target = yearLocation(newEndYear, firmFolder);
    try {
        if (onServer()) {
            copySchema(source, target);
        } else {
            requireWritableFolder(yearFolder(firmFolder));
            source.exec(QStringLiteral("VACUUM INTO ?"), {target});
        }
        db::Database copy = openYearDatabase(newEndYear, firmFolder, false);
        prepareYearDatabase(copy);
        return copy;
    } catch (...) {
        try {
            dropYear(newEndYear, firmFolder);
        } catch (...) {
        }
        throw;
    }
}

void Installation::dropYear(int endYear, const QString& firmFolder) const {
    if (onServer()) {
        db::Database admin = db::Database::openPostgres(url_, QStringLiteral("public"), false);
        admin.exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(admin.dialect().quote(yearSchema(endYear))));
        return;
    }
    const QString path = yearLocation(endYear, firmFolder);
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
        QFile::remove(path + suffix);
}

void prepareYearDatabase(db::Database& db) {
    if (!ownsDatabase(db))
        throw db::DbError(QStringLiteral("%1 is not a year database of this program").arg(QDir::toNativeSeparators(db.location())));
    db::migrate(db, schema::yearDatabaseSteps());
    if (db.readOnly()) return;  // read as they stand: the fix-ups wait for a station that may write
    ledger::ensureMonthBalances(db);
    runOpeningFixups(db);
}

void runOpeningFixups(db::Database& db) {
    const QString bookMst = QStringLiteral("BookMst"), billDtl = QStringLiteral("BillDtl"), accMst = QStringLiteral("AccMst");
    fixup(db, {{bookMst, QStringLiteral("PurNAme")}, {bookMst, QStringLiteral("PurAccId")}, {bookMst, QStringLiteral("BookType")}},
          QStringLiteral("UPDATE BookMst SET PurNAme = '', PurAccId = 0 WHERE BookType = 'S' AND (PurNAme <> '' OR PurAccId <> 0)"));
    fixup(db,
          {{billDtl, QStringLiteral("VatPD")}, {billDtl, QStringLiteral("IGSTP")}, {billDtl, QStringLiteral("BillMstId")},
           {QStringLiteral("BillMst"), QStringLiteral("GenPurAccId")}},
          QStringLiteral("UPDATE BillDtl SET VatPD = IGSTP WHERE IGSTP > 0 AND VatPD = 0 AND BillMstId IN "
                         "(SELECT Id FROM BillMst WHERE GenPurAccId > 0)"));
    fixup(db, {{accMst, QStringLiteral("CityG")}},
          QStringLiteral("UPDATE AccMst SET CityG = 'R' WHERE CityG IS NULL OR CityG = ''"));
}

}  // namespace tanabana::shell
