#pragma once
// The firm's settings as the whole program reads them: the FirmMst row of the chosen firm copied
// into the session (Session::firm, under the table's column names) with the values derived from
// it, and typed accessors so a screen asks `FirmSettings(session).periodBilling()` rather than
// poking at column names. Loaded when a firm is chosen and after every save of the firm master.
#include "core/Decimal.h"
#include "core/Session.h"
#include "db/Database.h"

namespace tanabana::shell {

// Resets every firm value (texts empty, flags off; sales and purchase round-off, multi-entry
// journal and firm type 1 on), reads the firm's row, sets the firm name, limit, box number, the
// firm's own year dates, the cash book of the firm (book 36 of type C) and the e-mail password.
void loadFirmSettings(db::Database& db, Session& session, qint64 firmNo);

class FirmSettings {
public:
    explicit FirmSettings(const Session& session) : firm_(session.firm) {}

    bool flag(const QString& column) const;
    QString text(const QString& column) const;
    // A number of the firm row, exact (a percent or a limit in rupees).
    Decimal amount(const QString& column) const;

    // 1 "01 Single" ... 9 "09 Production".
    int softType() const;
    // Period bills (software types other than 1, 3, 5 and 9): "2. Sales" opens the period sales window.
    bool periodBilling() const;
    // Embroidery job work (types 3 and 4).
    bool embroidery() const;
    bool production() const { return softType() == 9; }
    // Leading number of "2. Partnership" and so on; 1 when empty.
    int firmType() const;
    bool yearClosed() const { return flag(QStringLiteral("IsYrEnd")); }
    bool salesRoundOff() const { return flag(QStringLiteral("Is_Sales_RndOff")); }
    bool purchaseRoundOff() const { return flag(QStringLiteral("Is_Pur_RndOff")); }
    bool challanLock() const { return flag(QStringLiteral("IsChLock")); }
    bool inventoryLock() const { return flag(QStringLiteral("IsInvLock")); }
    bool financeReportLock() const { return flag(QStringLiteral("IsFinRptLock")); }
    bool gstReportLock() const { return flag(QStringLiteral("IsGSTRepLocK")); }
    bool piecesOnly() const { return flag(QStringLiteral("IS_PCSONly")); }
    // Mill issue of a purchase's whole taka directly (a mill firm issuing directly, types 1 and 2).
    bool millIssueDirect() const;
    Decimal tcsPercent() const { return amount(QStringLiteral("FirmTcsP")); }
    Decimal reverseChargeLimit() const { return amount(QStringLiteral("RCM_Limit")); }
    Decimal creditLimit() const { return amount(QStringLiteral("CrLimit")); }
    // The state entry ("24-Gujarat") and its code ("24").
    QString state() const { return text(QStringLiteral("CST")); }
    QString stateCode() const { return state().left(2); }
    QString gstin() const { return text(QStringLiteral("Tin")); }
    // City and e-way bill address lines with punctuation removed.
    QString cleanCity() const { return text(QStringLiteral("CleanCity")); }
    QString ewayAddress1() const { return text(QStringLiteral("CleanEwayAdd1")); }
    QString ewayAddress2() const { return text(QStringLiteral("CleanEwayAdd2")); }
    QString emailPassword() const { return text(QStringLiteral("EmailPassword")); }

private:
    QVariant value(const QString& column) const;
    const QVariantMap& firm_;
};

// The captions of the software types and stock entries as the firm master lists them.
const QStringList& softTypeCaptions();
const QStringList& firmTypeCaptions();
const QStringList& stockEntryCaptions();

}  // namespace tanabana::shell
