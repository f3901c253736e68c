#pragma once
// The open working session: who logged in, which financial year and firm are open, and the firm's
// settings that steer the screens. Passed explicitly to every service, so two sessions (two firms,
// two stations) can live side by side in one process.
#include "core/Decimal.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace tanabana {
namespace db { class Database; }

struct Session {
    // Installation
    QString dataRoot;        // the installation folder (settings files, DataBase/, output folders)
    QString dataFolder;      // folder of the year databases (DataBase/ or DataBase/<firm folder>/)
    QString serverUrl;       // PostgreSQL address when the books live on a server; empty for files
    bool folderMode = false;
    QString firmFolder;

    // Settings files
    bool panelVisible = false;
    bool localMode = false;
    bool apiMode = false;
    bool challanTakaMode = false;
    QString backupFolderName = QStringLiteral("Backup");
    QString einvoiceReportSuffix = QStringLiteral("PHa");
    double smsNumber = 1;
    QStringList smsApi;      // SMSAPI.txt lines 1 to 3
    QString smsPassword;     // Pass.txt line 1
    QString npathNumber = QStringLiteral("10");  // Debug/NPath.txt line 1
    QString npathFolder;     // Debug/NPath.txt line 2 (the system's temporary folder when missing)
    QString reverseChargePrefix = QStringLiteral("PRC-");

    // Login
    QString loginUser;
    QDate loginDate;
    // The operator's rights (LoginMst columns -> 0/1). Empty means every right: scripts and tests
    // that run without a login work as the installation's owner.
    QVariantMap rights;

    // Year
    QString startYear;       // "2023"
    QString endYear;         // "2024"
    QString yearLabel;       // "2023-24"
    QDate yearStartDate;     // replaced by the firm's own year when the firm is chosen
    QDate yearEndDate;
    db::Database* db = nullptr;  // the open year database

    // Firm
    qint64 firmNo = 0;
    QString firmName;
    Decimal firmCrLimit;     // CrLimit: the credit limit a sales bill may not take a party beyond
    int firmBoxNo = 0;       // BoxNO
    qint64 cashBookNo = 0;
    qint64 cashAccId = 0;
    QString cashLedgerId;
    QString cashAccName;
    QString funKeyF2, funKeyF3, funKeyF4;
    // The firm's FirmMst row as loaded (switches, texts); typed accessors live with the firm settings.
    QVariantMap firm;

    bool yearOpen() const { return db != nullptr; }
    // Sets the year fields for the financial year ending in `endYear` (2024 for 2023-24).
    void setYear(int endYearNumber);
    // True when the date lies inside the session's year.
    bool inYear(const QDate& date) const { return date >= yearStartDate && date <= yearEndDate; }
};

}  // namespace tanabana
