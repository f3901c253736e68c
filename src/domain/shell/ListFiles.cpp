#include "domain/shell/ListFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <utility>

namespace tanabana::shell {

namespace {

QStringList lines(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items) list << QString::fromUtf8(item);
    return list;
}

const std::vector<std::pair<const char*, const char*>>& stateRenames() {
    static const std::vector<std::pair<const char*, const char*>> renames{
        {"24-GUJARAT", "24-Gujarat"},
        {"01-JAMMU AND KASHMIR", "01-Jammu & Kashmir"},
        {"02-HIMACHAL PRADESH", "02-Himachal Pradesh"},
        {"03-PUNJAB", "03-Punjab"},
        {"04-CHANDIGARH", "04-Chandigarh"},
        {"05-UTTARAKHAND", "05-Uttarakhand"},
        {"06-HARYANA", "06-Haryana"},
        {"07-DELHI", "07-Delhi"},
        {"08-RAJASTHAN", "08-Rajasthan"},
        {"10-BIHAR", "10-Bihar"},
        {"11-SIKKIM", "11-Sikkim"},
        {"12-ARUNACHAL PRADESH", "12-Arunachal Pradesh"},
        {"13-NAGALAND", "13-Nagaland"},
        {"14-MANIPUR", "14-Manipur"},
        {"15-MIZORAM", "15-Mizoram"},
        {"16-TRIPURA", "16-Tripura"},
        {"17-MEGHLAYA", "17-Meghalaya"},
        {"18-ASSAM", "18-Assam"},
        {"19-WEST BENGAL", "19-West Bengal"},
        {"20-JHARKHAND", "20-Jharkhand"},
        {"21-ODISHA", "21-Odisha"},
        {"22-CHATTISGARH", "22-Chhattisgarh"},
        {"23-MADHYA PRADESH", "23-Madhya Pradesh"},
        {"25-DAMAN AND DIU", "25-Daman & Diu"},
        {"26-DADRA AND NAGAR HAVELI", "26-Dadra & Nagar Haveli & Daman & Diu"},
        {"27-MAHARASHTRA", "27-Maharashtra"},
        {"29-KARNATAKA", "29-Karnataka"},
        {"30-GOA", "30-Goa"},
        {"31-LAKSHWADEEP", "31-Lakshdweep"},
        {"32-KERALA", "32-Kerala"},
        {"33-TAMIL NADU", "33-Tamil Nadu"},
        {"34-PUDUCHERRY", "34-Puducherry"},
        {"35-ANDAMAN AND NICOBAR ISLANDS", "35-Andaman & Nicobar Islands"},
        {"36-TELANGANA", "36-Telangana"},
        {"37-ANDHRA PRADESH (NEW)", "37-Andhra Pradesh"},
    };
    return renames;
}

}  // namespace

QStringList defaultListLines(const QString& fileName) {
    if (fileName == QLatin1String("RCM.txt")) return lines({"PRC-"});
    if (fileName == QLatin1String("CNDN.txt"))
        return lines({"01-Sales Return", "02-Post sale discount", "03-Deficiency in service", "04-Correction in invoice",
                      "05-Change in POS", "06-Finalization of Provisional assessment", "07-Others"});
    if (fileName == QLatin1String("UQM.txt"))
        return lines({"NOS-NUMBERS", "MTR-METERS", "KGS-KILOGRAMS ", "PCS-PIECES", "BAG-BAGS ", "BAL-BALE ", "BDL-BUNDLES ",
                      "BOX-BOX ", "BUN-BUNCHES ", "CAN-CANS ", "CTN-CARTONS ", "DOZ-DOZENS ", "DRM-DRUMS ", "GRS-GROSS ",
                      "PAC-PACKS", "UNT-UNITS", "OTH-OTHERS"});
    if (fileName == QLatin1String("StateCodeN.txt"))
        return lines({"-", "24-Gujarat", "01-Jammu & Kashmir", "02-Himachal Pradesh", "03-Punjab", "04-Chandigarh",
                      "05-Uttarakhand", "06-Haryana", "07-Delhi", "08-Rajasthan", "09-Uttar Pradesh", "10-Bihar", "11-Sikkim",
                      "12-Arunachal Pradesh", "13-Nagaland", "14-Manipur", "15-Mizoram", "16-Tripura", "17-Meghalaya",
                      "18-Assam", "19-West Bengal", "20-Jharkhand", "21-Odisha", "22-Chhattisgarh", "23-Madhya Pradesh",
                      "25-Daman & Diu", "26-Dadra & Nagar Haveli & Daman & Diu", "27-Maharashtra", "29-Karnataka", "30-Goa",
                      "31-Lakshdweep", "32-Kerala", "33-Tamil Nadu", "34-Puducherry", "35-Andaman & Nicobar Islands",
                      "36-Telangana", "37-Andhra Pradesh", "38-Ladakh", "97-Other Territory"});
    return {};
}

QStringList writeListFiles(const QString& dataRoot) {
    QStringList written;
    for (const QString& name : {QStringLiteral("RCM.txt"), QStringLiteral("CNDN.txt"), QStringLiteral("UQM.txt"),
                               QStringLiteral("StateCodeN.txt")}) {
        const QString path = QDir(dataRoot).filePath(name);
        if (QFileInfo::exists(path)) continue;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) continue;  // a read-only folder keeps the shipped lists
        QTextStream out(&file);
        for (const QString& line : defaultListLines(name)) out << line << '\n';
        written << name;
    }
    return written;
}

QStringList readListFile(const QString& dataRoot, const QString& fileName) {
    QFile file(QDir(dataRoot).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return defaultListLines(fileName);
    QStringList result;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.trimmed().isEmpty()) result << line;
    }
    return result;
}

void normaliseStateNames(db::Database& db) {
    db::Transaction tx(db);
    if (db.columnExists(QStringLiteral("FirmMst"), QStringLiteral("CST")))
        db.exec(QStringLiteral("UPDATE FirmMst SET CST = ? WHERE CST = ?"), {QStringLiteral("24-Gujarat"), QStringLiteral("24-GUJARAT")});
    if (db.columnExists(QStringLiteral("AccMst"), QStringLiteral("CSTNO")))
        for (const auto& [from, to] : stateRenames())
            db.exec(QStringLiteral("UPDATE AccMst SET CSTNO = ? WHERE CSTNO = ?"), {QString::fromUtf8(to), QString::fromUtf8(from)});
    tx.commit();
}

}  // namespace tanabana::shell
