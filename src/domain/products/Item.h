#pragma once
// One item (quality) of a firm's product master, as documents use it: a fabric quality by design
// number and colour, a yarn, trading goods or a service. For example design "D-101" in colour
// "Red", quality type "Rapier 60", priced per metre at 105.00 retail with SGST 2.5% + CGST 2.5%
// (IGST is always their sum, 5%), HSN 5407, unit "MTR".
#include "core/Decimal.h"
#include "core/Messages.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace tanabana::products {

struct Item {
    qint64 id = 0;          // 0 for a new item
    qint64 firmNo = 0;      // 0: the session's firm
    QString code;           // ProdCode
    QString name;           // ProdName
    QString name2;          // P1: second name, the colour of a fabric
    QString group;          // ProdGrp: group, the quality type of a fabric
    QString subGroup;       // ProdSubGrp: sub group, the design number of a fabric
    QChar stockType = QLatin1Char('F');  // StkType: F R Y T S L C I O
    QString unit;           // UNit
    Decimal rateRetail;     // RAteR
    Decimal rateDealer;     // Ratew ("Pick On Looms" on the rapier screen)
    Decimal ratePurchase;   // PurRAte
    Decimal openingQty;     // OPSt
    Decimal openingPieces;  // OPStock1
    Decimal openingAmount;  // OpAmt
    Decimal loose;          // Loose
    Decimal sgst;           // Vat
    Decimal cgst;           // AddTax
    int gstCalc = 1;        // VatCalc: 1 rates exclude GST, otherwise rates include it
    QString hsn;            // hsnCode
    QString hsnDesc;        // LicenceNo
    QString uqc;            // UQM
    Decimal pack;           // Pack: average pack, the cut length
    Decimal boxPack;        // BoxPack ("Total Cards" on the rapier screen)
    Decimal mrp;            // Mrp (the denier of a yarn)
    Decimal rolMin, rolMax; // ROLMin, ROLMax
    QString notes;          // Notes
    bool active = true;     // IsActive
    bool rateUpdate = false;  // RateUpdate
    int calcOn = 1;         // CalcOn: 1 metres/quantity, 2 pieces
    bool showInStock = true;  // stored inverted as Is_NoStk
    int itemType = 0;       // MrpDisc: 0 grey/saree, 1 yarn/jari, 2 other
    QString photo;          // Photo1

    Decimal igst() const { return sgst + cgst; }
    bool ratesIncludeGst() const { return gstCalc != 1; }
    // "M" when the amount runs on metres or quantity, "P" when on pieces.
    QString pricedPer() const { return calcOn == 2 ? QStringLiteral("P") : QStringLiteral("M"); }
};

// The choice lists of the item screen, in the order shown.
QStringList stockTypeNames();      // "Finished", "Raw Material", ... (stored as the first letter)
QString stockTypeName(QChar letter);
QStringList gstCalcEntries();      // "1. Rate Without GST", "2. Rate With GST"
QStringList calcOnEntries();       // "1. Mtrs /Qnty", "2. Pcs"
QStringList rapierItemTypes();     // "Grey/Saree", "Yarn/Jari", "Other"

// Reads an item from named values (an imported JSON object or the fields of a screen), keyed by
// the column names (ProdCode, ProdName, P1, RAteR, Vat, ... case-insensitive; Id and FirmNO too).
// Missing keys keep `base`'s values. Unknown keys, letters in numbers, negative rates or absurd
// percentages are refused with a message; `badField` receives the offending column.
std::optional<Item> itemFromValues(const QVariantMap& values, Messages& messages, QString* badField = nullptr,
                                   const Item& base = Item());
// The item as named values, the same keys itemFromValues reads.
QVariantMap itemToValues(const Item& item);

}  // namespace tanabana::products
