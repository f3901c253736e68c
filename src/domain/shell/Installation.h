#pragma once
// Where one installation keeps its books. On files: a data root holding the settings files and
// DataBase/ with the year list Year.db and one file per financial year named after the year in
// which it ends (2024.db for 2023-24); in firm-folder mode each sub-folder of DataBase/ holds one
// firm group's year files, while Year.db stays in DataBase/. On a PostgreSQL server: the schema
// `yearlist` and one schema per year (`y2024`) in the URL's database; the data root still holds
// the settings files and output folders of this station.
//
//   Installation books = Installation::inFolder("/home/anil/Tanabana");
//   db::Database years = books.openYearList();
//   db::Database year = books.openYear(2024);   // migrated and fixed up, ready for work
#include "db/Database.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tanabana::shell {

class Installation {
public:
    Installation() = default;
    static Installation inFolder(const QString& dataRoot);
    // `schemaPrefix` keeps several installations apart on one server (tests); normally empty.
    static Installation onServer(const QString& url, const QString& dataRoot, const QString& schemaPrefix = {});

    const QString& dataRoot() const { return dataRoot_; }
    const QString& serverUrl() const { return url_; }
    bool onServer() const { return !url_.isEmpty(); }
    // DataBase/ under the data root.
    QString databaseFolder() const;
    // Folder of the year files: DataBase/ or DataBase/<firm folder>/.
    QString yearFolder(const QString& firmFolder = {}) const;
    // Marker file Acc.txt in the data root: start-up goes through firm-folder selection.
    bool folderMode() const;
    // Sub-folders of DataBase/, in name order (firm-folder mode).
    QStringList firmFolders() const;

    // Year list (years and operators). openYearList brings it to the current structure; it
    // throws DbError when the installation has none yet.
    bool yearListExists() const;
    db::Database openYearList() const;
    db::Database createYearList() const;

    // One year's database: the file path, or the schema name on a server.
    QString yearLocation(int endYear, const QString& firmFolder = {}) const;
    bool yearExists(int endYear, const QString& firmFolder = {}) const;
    // Opens an existing year, migrates it and runs the data fix-ups of every opening.
    db::Database openYear(int endYear, const QString& firmFolder = {}) const;
    // A new, empty year database of the current structure (refused when it exists).
    db::Database createYear(int endYear, const QString& firmFolder = {}) const;
    // A new year database as a copy of `source` (an open year): on files a consistent snapshot of
    // the file, on a server the schema copied table by table in one transaction. Refused when the
    // new year exists; returns the copy opened and migrated.
    db::Database copyYear(db::Database& source, int newEndYear, const QString& firmFolder = {}) const;
    // Removes a year database that a failed creation left behind.
    void dropYear(int endYear, const QString& firmFolder = {}) const;

    // The schema name of a year on the server (y2024).
    QString yearSchema(int endYear) const;
    QString yearListSchema() const;

private:
    db::Database openYearDatabase(int endYear, const QString& firmFolder, bool create) const;
    void requireFirmFolderOnFiles(const QString& firmFolder) const;
    bool schemaExists(const QString& schema) const;

    QString dataRoot_;
    QString url_;
    QString prefix_;
};

// Brings a year database to the current structure (refusing a file that is not one of ours) and
// runs the data fix-ups that every opening runs.
void prepareYearDatabase(db::Database& db);
// The fix-ups alone: sales books keep no purchase account, GST rates of general purchases,
// empty city groups become "R". Statements on tables this database does not have are skipped.
void runOpeningFixups(db::Database& db);

}  // namespace tanabana::shell
