#include "domain/products/ItemMaster.h"

#include "core/YearLock.h"
#include "core/Numbering.h"
#include "core/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace tanabana::products {

namespace {

const QString kTable = QStringLiteral("ProdMst");

QString title(const char* text) { return QString::fromLatin1(text); }

Item itemFromRow(const db::Row& r) {
    Item i;
    i.id = r.integer(QStringLiteral("Id"));
    i.firmNo = r.integer(QStringLiteral("FirmNO"));
    i.code = r.text(QStringLiteral("ProdCode"));
    i.name = r.text(QStringLiteral("ProdName"));
    i.name2 = r.text(QStringLiteral("P1"));
    i.group = r.text(QStringLiteral("ProdGrp"));
    i.subGroup = r.text(QStringLiteral("ProdSubGrp"));
    const QString stk = r.text(QStringLiteral("StkType")).trimmed();
    i.stockType = stk.isEmpty() ? QLatin1Char('F') : stk.at(0);
    i.unit = r.text(QStringLiteral("UNit"));
    auto dec = [&r](const char* c) { return Decimal::fromVariant(r.value(QString::fromLatin1(c))); };
    i.rateRetail = dec("RAteR");
    i.rateDealer = dec("Ratew");
    i.ratePurchase = dec("PurRAte");
    i.openingQty = dec("OPSt");
    i.openingPieces = dec("OPStock1");
    i.openingAmount = dec("OpAmt");
    i.loose = dec("Loose");
    i.sgst = dec("Vat");
    i.cgst = dec("AddTax");
    i.gstCalc = int(r.number(QStringLiteral("VatCalc")));
    i.hsn = r.text(QStringLiteral("hsnCode"));
    i.hsnDesc = r.text(QStringLiteral("LicenceNo"));
    i.uqc = r.text(QStringLiteral("UQM"));
    i.pack = dec("Pack");
    i.boxPack = dec("BoxPack");
    i.mrp = dec("Mrp");
    i.rolMin = dec("ROLMin");
    i.rolMax = dec("ROLMax");
    i.notes = r.text(QStringLiteral("Notes"));
    i.active = r.flag(QStringLiteral("IsActive"));
    i.rateUpdate = r.flag(QStringLiteral("RateUpdate"));
    i.calcOn = r.integer(QStringLiteral("CalcOn")) == 2 ? 2 : 1;
    i.showInStock = !r.flag(QStringLiteral("Is_NoStk"));
    i.itemType = int(r.integer(QStringLiteral("MrpDisc")));
    i.photo = r.text(QStringLiteral("Photo1"));
    return i;
}

// The written columns of an item and their values, texts trimmed (fitAndCheck refused over-long ones).
std::vector<std::pair<QString, QVariant>> columnValues(const Item& i) {
    auto t = [](const char* c, const QString& v) {
        return std::pair<QString, QVariant>(QString::fromLatin1(c), v.trimmed().isNull() ? QStringLiteral("") : v.trimmed());
    };
    auto n = [](const char* c, Decimal v) { return std::pair<QString, QVariant>(QString::fromLatin1(c), v.toDouble()); };
    auto b = [](const char* c, bool v) { return std::pair<QString, QVariant>(QString::fromLatin1(c), v ? 1 : 0); };
    return {t("ProdCode", i.code), t("ProdName", i.name), t("P1", i.name2), t("ProdGrp", i.group),
            t("ProdSubGrp", i.subGroup), t("StkType", QString(i.stockType)), t("UNit", i.unit),
            n("RAteR", i.rateRetail), n("Ratew", i.rateDealer), n("PurRAte", i.ratePurchase), n("OPSt", i.openingQty),
            n("OPStock1", i.openingPieces), n("OpAmt", i.openingAmount), n("Loose", i.loose), n("Vat", i.sgst),
            n("AddTax", i.cgst), n("VatCalc", Decimal(i.gstCalc)), t("hsnCode", i.hsn), t("LicenceNo", i.hsnDesc),
            t("UQM", i.uqc), n("Pack", i.pack), n("BoxPack", i.boxPack), n("Mrp", i.mrp), n("ROLMin", i.rolMin),
            n("ROLMax", i.rolMax), t("Notes", i.notes), b("IsActive", i.active), b("RateUpdate", i.rateUpdate),
            {QStringLiteral("CalcOn"), i.calcOn == 2 ? 2 : 1}, b("Is_NoStk", !i.showInStock),
            {QStringLiteral("MrpDisc"), i.itemType}, t("ProdNameG", QString()), t("Photo1", i.photo),
            b("Is_Upload", false)};
}

}  // namespace

const std::vector<Reference>& itemReferences() {
    static const std::vector<Reference> refs = {
        {QStringLiteral("SalBillDtl"), QStringLiteral("PCode")},
        {QStringLiteral("BillDtl"), QStringLiteral("PCode")},
        {QStringLiteral("ChalanDtl"), QStringLiteral("PCode")},
        {QStringLiteral("JobWork_IssueMst_1"), QStringLiteral("QID")},
        {QStringLiteral("JobWork_IssueDtl"), QStringLiteral("PCode")},
        {QStringLiteral("IssueStkDtl"), QStringLiteral("PCode")},
        {QStringLiteral("JobWork_IssueDtl_1"), QStringLiteral("QidDtl")},
        {QStringLiteral("JobWork_IssueDtl_Ambr"), QStringLiteral("PCode")},
        {QStringLiteral("ConSumptionMst_Grey"), QStringLiteral("ID")},
        {QStringLiteral("ConSumptionMst_Dtl"), QStringLiteral("QID")},
        {QStringLiteral("Machine_Issue"), QStringLiteral("ProductId")},
        {QStringLiteral("Iss_StockDtl"), QStringLiteral("PCode")},
        // Beyond the documents above: takas produced on the looms, challan-wise purchase lines and
        // stock moved between items also keep the item alive.
        {QStringLiteral("ProductionDtl"), QStringLiteral("qId")},
        {QStringLiteral("BillDtl_Ch"), QStringLiteral("PCode")},
        {QStringLiteral("StockTransfer"), QStringLiteral("ProdId")},
        {QStringLiteral("StockTransfer"), QStringLiteral("ProdId1")},
    };
    return refs;
}

std::optional<Reference> findItemReference(db::Database& db, qint64 itemId) {
    return findReference(db, itemReferences(), itemId);
}

ItemMaster::ItemMaster(db::Database& db, Session& session, Messages& messages)
    : db_(db), session_(session), messages_(messages) {}

bool ItemMaster::automaticCodes() const { return firmFlag(session_, QStringLiteral("Is_Prod_Sno")); }

std::optional<Item> ItemMaster::load(qint64 id) {
    const auto row = db_.queryOne(QStringLiteral("SELECT * FROM ProdMst WHERE Id = ?"), {id});
    if (!row) return std::nullopt;
    return itemFromRow(*row);
}

std::optional<Item> ItemMaster::loadByCode(const QString& code, qint64 firmNo) {
    const auto row = db_.queryOne(QStringLiteral("SELECT * FROM ProdMst WHERE FirmNO = ? AND lower(ProdCode) = lower(?) "
                                                 "ORDER BY Id") + db_.dialect().limit(1),
                                  {firmOf(firmNo), code.trimmed()});
    if (!row) return std::nullopt;
    return itemFromRow(*row);
}

QString ItemMaster::nextCode(qint64 firmNo) {
    const qint64 firm = firmOf(firmNo);
    QStringList codes;
    for (const db::Row& r : db_.query(QStringLiteral("SELECT ProdCode FROM ProdMst WHERE FirmNO = ?"), {firm}))
        codes << r.text(QStringLiteral("ProdCode")).trimmed();
    if (codes.isEmpty()) return QStringLiteral("1");
    const QString highest = *std::max_element(codes.begin(), codes.end(), CodeLess);
    // A code between two numbers ("A9" after "A10" in text order) may already be taken: go on.
    QString next = IncrementTrailingDigits(highest);
    while (codes.contains(next, Qt::CaseInsensitive)) next = IncrementTrailingDigits(next);
    return next;
}

bool ItemMaster::nameExists(const QString& name, qint64 firmNo, qint64 exceptId) {
    return db_.scalar(QStringLiteral("SELECT count(*) FROM ProdMst WHERE FirmNO = ? AND lower(ProdName) = lower(?) AND Id <> ?"),
                      {firmOf(firmNo), name.trimmed(), exceptId})
               .toInt() > 0;
}

bool ItemMaster::codeExists(const QString& code, qint64 firmNo, qint64 exceptId) {
    return db_.scalar(QStringLiteral("SELECT count(*) FROM ProdMst WHERE FirmNO = ? AND lower(ProdCode) = lower(?) AND Id <> ?"),
                      {firmOf(firmNo), code.trimmed(), exceptId})
               .toInt() > 0;
}

bool ItemMaster::fitAndCheck(Item& item, qint64 firmNo, Refusal* refusal) {
    for (QString* text : {&item.code, &item.name, &item.name2, &item.group, &item.subGroup}) *text = text->trimmed();
    auto refuse = [&](const char* field, const QString& t, const QString& text) {
        if (refusal) refusal->field = QString::fromLatin1(field);
        messages_.critical(t, text);
        return false;
    };
    for (const auto& [column, value] : columnValues(item))
        if (const QString problem = tooLong(kTable, column, value); !problem.isEmpty()) {
            if (refusal) refusal->field = column;
            messages_.critical(invalidEntryTitle(), problem);
            return false;
        }
    if (item.name.trimmed().isEmpty())
        return refuse("ProdName", title("Item Master"), QStringLiteral("Please Enter Item Name"));
    if (item.code.trimmed().isEmpty())
        return refuse("ProdCode", title("Item Master"), QStringLiteral("Please Enter Item Code"));
    if (nameExists(item.name, firmNo, item.id))
        return refuse("ProdName", title("A/c Duplicate"),
                      QStringLiteral("This Product Name in Firm :") + firmNameOf(db_, session_, firmNo) +
                          QStringLiteral(" Is Exist, Please Enter Another NAme"));
    if (codeExists(item.code, firmNo, item.id))
        return refuse("ProdCode", title("Data is Exist"),
                      QStringLiteral("Item Code : ") + item.code.trimmed() + QStringLiteral(" is Already Exist"));
    if (item.sgst > Decimal(50) || item.cgst > Decimal(50) || item.sgst.isNegative() || item.cgst.isNegative())
        return refuse("Vat", invalidEntryTitle(), QStringLiteral("SGST % and CGST % must be between 0 and 50"));
    for (Decimal v : {item.rateRetail, item.rateDealer, item.ratePurchase, item.mrp})
        if (v.isNegative()) return refuse("RAteR", invalidEntryTitle(), QStringLiteral("Rates can not be negative"));
    if (stockTypeName(item.stockType).isEmpty())
        return refuse("StkType", invalidEntryTitle(), QStringLiteral("Please choose a Stock Type"));
    return true;
}

qint64 ItemMaster::insert(const Item& item, qint64 firmNo) {
    const qint64 id = db_.nextKey(kTable, QStringLiteral("Id"));
    QStringList columns{QStringLiteral("Id"), QStringLiteral("FirmNO")};
    QVariantList values{id, firmNo};
    for (const auto& [column, value] : columnValues(item)) {
        columns << column;
        values << value;
    }
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i) marks << QStringLiteral("?");
    db_.exec(QStringLiteral("INSERT INTO ProdMst (%1) VALUES (%2)").arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
             values);
    return id;
}

void ItemMaster::update(const Item& item) {
    QStringList sets;
    QVariantList values;
    for (const auto& [column, value] : columnValues(item)) {
        sets << column + QStringLiteral(" = ?");
        values << value;
    }
    values << item.id;
    db_.exec(QStringLiteral("UPDATE ProdMst SET %1 WHERE Id = ?").arg(sets.join(QStringLiteral(", "))), values);
}

std::optional<std::vector<qint64>> ItemMaster::save(const Item& input, const std::vector<qint64>& alsoInFirms,
                                                    Refusal* refusal) {
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    Item item = input;
    item.firmNo = firmOf(item.firmNo);
    db::Transaction tx(db_);
    std::vector<qint64> ids;
    if (item.id > 0) {
        const auto existing = load(item.id);
        if (!existing) {
            messages_.critical(title("Item Master"), QStringLiteral("This Item no longer exists."));
            return std::nullopt;
        }
        item.firmNo = existing->firmNo;
        if (!fitAndCheck(item, item.firmNo, refusal)) return std::nullopt;
        update(item);
        ids.push_back(item.id);
    } else {
        std::vector<qint64> firms{item.firmNo};
        for (qint64 f : alsoInFirms)
            if (std::find(firms.begin(), firms.end(), f) == firms.end()) firms.push_back(f);
        for (qint64 firm : firms) {
            Item copy = item;
            copy.firmNo = firm;
            // Automatic codes are taken inside the transaction, so two stations never share one.
            if (automaticCodes() || copy.code.trimmed().isEmpty()) copy.code = nextCode(firm);
            if (!fitAndCheck(copy, firm, refusal)) return std::nullopt;
            ids.push_back(insert(copy, firm));
        }
    }
    tx.commit();
    return ids;
}

bool ItemMaster::attachPicture(qint64 id, const QString& sourceFile) {
    if (yearLockRefuses(session_, messages_)) return false;
    const auto item = load(id);
    if (!item) return false;
    QString stored;
    if (!sourceFile.trimmed().isEmpty()) {
        const QFileInfo source(sourceFile);
        const QString suffix = source.suffix().toLower();
        if (!source.isFile() || (suffix != QLatin1String("jpg") && suffix != QLatin1String("bmp") && suffix != QLatin1String("jpeg"))) {
            messages_.critical(title("Item Master"), QStringLiteral("Please choose a picture (*.bmp;*.jpg) : ") + sourceFile);
            return false;
        }
        stored = QStringLiteral("Image/") +
                 CleanFileName(QStringLiteral("%1_%2_%3.jpg").arg(item->firmNo).arg(item->id).arg(item->code.trimmed()))
                     .replace(QLatin1Char(' '), QLatin1Char('_'));
        const QDir root(session_.dataRoot);
        root.mkpath(QStringLiteral("Image"));
        const QString target = root.filePath(stored);
        if (QFileInfo(target) != source) {
            QFile::remove(target);
            if (!QFile::copy(source.absoluteFilePath(), target)) {
                messages_.critical(title("Item Master"), QStringLiteral("The picture could not be copied to ") + QDir::toNativeSeparators(target));
                return false;
            }
        }
    }
    db::Transaction tx(db_);
    db_.exec(QStringLiteral("UPDATE ProdMst SET Photo1 = ?, Is_Upload = 0 WHERE Id = ?"), {fitText(kTable, QStringLiteral("Photo1"), stored), id});
    tx.commit();
    return true;
}

bool ItemMaster::remove(qint64 id) {
    if (yearLockRefuses(session_, messages_)) return false;
    if (id <= 0 || !load(id)) return false;
    if (findItemReference(db_, id)) {
        messages_.critical(title("Item found"), QStringLiteral("First Check Sales - Purchase - Chalan Entry !"));
        return false;
    }
    if (!messages_.ask(title("Delete Confirm"), QStringLiteral("Are you sure to delete this Item ?"))) return false;
    db::Transaction tx(db_);
    // A document saved by another station since the check above still keeps the item.
    if (findItemReference(db_, id)) {
        messages_.critical(title("Item found"), QStringLiteral("First Check Sales - Purchase - Chalan Entry !"));
        return false;
    }
    db_.exec(QStringLiteral("DELETE FROM ProdMst WHERE Id = ?"), {id});
    tx.commit();
    messages_.information(title("Delete Confirm"), QStringLiteral("This Item Is Deleted."));
    return true;
}

QStringList ItemMaster::searchCaptions() {
    return {QStringLiteral("Item Name"), QStringLiteral("Item Name 2"), QStringLiteral("Code"),     QStringLiteral("RateR"),
            QStringLiteral("Id"),        QStringLiteral("UNit"),        QStringLiteral("PM"),       QStringLiteral("PurRate"),
            QStringLiteral("SGST"),      QStringLiteral("CGST"),        QStringLiteral("IGST"),     QStringLiteral("ProdGrp"),
            QStringLiteral("ProdSubGrp"), QStringLiteral("HSNCode"),    QStringLiteral("Mrp"),      QStringLiteral("VatCalc"),
            QStringLiteral("No Stock"),  QStringLiteral("HSN UQC"),     QStringLiteral("HSN Desc"), QStringLiteral("StkType"),
            QStringLiteral("RateUPdate"), QStringLiteral("Prod Code"),  QStringLiteral("IsActive")};
}

db::Rows ItemMaster::search(const QString& namePrefix, qint64 firmNo) {
    const QString like = db_.dialect().likeInsensitive(QStringLiteral("ProdName"));
    return db_.query(
        QStringLiteral("SELECT ProdName, P1, ProdCode, RAteR, Id, UNit, CASE WHEN CalcOn = 2 THEN 'P' ELSE 'M' END AS PM, "
                       "PurRAte, Vat, AddTax, Vat + AddTax AS IGST, ProdGrp, ProdSubGrp, hsnCode, Mrp, VatCalc, Is_NoStk, "
                       "UQM, LicenceNo, StkType, RateUpdate, ProdCode AS ProdCode2, IsActive "
                       "FROM ProdMst WHERE FirmNO = ? AND ") + like + QStringLiteral(" ORDER BY ProdName, Id"),
        {firmOf(firmNo), namePrefix.trimmed() + QLatin1Char('%')});
}

QStringList ItemMaster::distinct(const QString& expression) {
    QStringList values;
    for (const db::Row& r : db_.query(QStringLiteral("SELECT DISTINCT %1 AS V FROM ProdMst WHERE FirmNO = ? ORDER BY 1").arg(expression),
                                      {session_.firmNo})) {
        const QString v = r.value(0).toString().trimmed();
        if (!v.isEmpty() && !values.contains(v)) values << v;
    }
    return values;
}

QStringList ItemMaster::groups() { return distinct(QStringLiteral("ProdGrp")); }
QStringList ItemMaster::subGroups() { return distinct(QStringLiteral("ProdSubGrp")); }
QStringList ItemMaster::units() { return distinct(QStringLiteral("UNit")); }
QStringList ItemMaster::hsnCodes() { return distinct(QStringLiteral("hsnCode")); }

QStringList ItemMaster::sgstRates() {
    QStringList rates;
    for (const db::Row& r : db_.query(QStringLiteral("SELECT DISTINCT Vat FROM ProdMst WHERE FirmNO = ? ORDER BY Vat"), {session_.firmNo}))
        rates << Decimal::fromVariant(r.value(0)).toString(2);
    rates.removeDuplicates();
    return rates;
}

QStringList ItemMaster::remarks() {
    QStringList notes;
    for (const db::Row& r : db_.query(QStringLiteral("SELECT Notes FROM ProdVatMst ORDER BY Id"))) notes << r.text(QStringLiteral("Notes"));
    return notes;
}

QStringList ItemMaster::processNames(const QString& listType) {
    QStringList names;
    if (!db_.tableExists(QStringLiteral("Mst_Process"))) return names;
    for (const db::Row& r : db_.query(QStringLiteral("SELECT Pro_Name FROM Mst_Process WHERE FirmNo = ? AND Mst_Type = ? AND IsAct = 1 "
                                                     "ORDER BY Pro_Name"),
                                      {session_.firmNo, listType}))
        names << r.text(QStringLiteral("Pro_Name"));
    return names;
}

QStringList ItemMaster::coloursMissingFor(const QString& designNo) {
    QStringList missing;
    const QString design = designNo.trimmed();
    if (design.isEmpty()) return missing;
    QStringList carried;
    for (const db::Row& r : db_.query(QStringLiteral("SELECT P1 FROM ProdMst WHERE FirmNO = ? AND lower(ProdSubGrp) = lower(?)"),
                                      {session_.firmNo, design}))
        carried << r.text(QStringLiteral("P1")).trimmed();
    for (const QString& colour : processNames(QStringLiteral("C")))
        if (!carried.contains(colour.trimmed(), Qt::CaseInsensitive)) missing << colour;
    return missing;
}

std::optional<std::vector<qint64>> ItemMaster::generateColours(const Item& design, const std::vector<ColourChoice>& colours) {
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    if (design.subGroup.trimmed().isEmpty()) {
        messages_.critical(title("Item Master"), QStringLiteral("Please Enter Design No"));
        return std::nullopt;
    }
    const qint64 firm = session_.firmNo;
    db::Transaction tx(db_);
    std::vector<qint64> ids;
    for (const ColourChoice& choice : colours) {
        Item item = design;
        item.id = 0;
        item.firmNo = firm;
        item.name2 = choice.colour.trimmed();
        item.name = choice.newItemName.trimmed().isEmpty() ? choice.colour.trimmed() : choice.newItemName.trimmed();
        item.code = nextCode(firm);
        if (!fitAndCheck(item, firm, nullptr)) return std::nullopt;
        ids.push_back(insert(item, firm));
    }
    tx.commit();
    messages_.information(title("Save Confirm "), QStringLiteral("New Item Is Generated!"));
    return ids;
}

std::optional<std::vector<qint64>> ItemMaster::generateCodes(const Item& pattern, const QString& prefix, int from, int to) {
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    if (from <= 0 || to < from || to - from > 9999) {
        messages_.critical(invalidEntryTitle(), QStringLiteral("Please enter a range of numbers From and To (at most 10000 codes)"));
        return std::nullopt;
    }
    const qint64 firm = session_.firmNo;
    db::Transaction tx(db_);
    std::vector<qint64> ids;
    for (int n = from; n <= to; ++n) {
        Item item = pattern;
        item.id = 0;
        item.firmNo = firm;
        item.code = prefix.trimmed() + QString::number(n);
        if (codeExists(item.code, firm)) {
            messages_.critical(title("Data is Exist"), QStringLiteral("Item Code : ") + item.code + QStringLiteral(" is Already Exist"));
            continue;
        }
        // Each generated item carries the screen's name followed by its code, so names stay unique.
        item.name = pattern.name.trimmed() + QLatin1Char(' ') + item.code;
        if (!fitAndCheck(item, firm, nullptr)) return std::nullopt;
        ids.push_back(insert(item, firm));
    }
    tx.commit();
    messages_.information(title("Save Confirm "), QStringLiteral("Item Code Is Generated!"));
    return ids;
}

std::optional<std::vector<qint64>> ItemMaster::transfer(const std::vector<qint64>& ids, qint64 targetFirm) {
    if (yearLockRefuses(session_, messages_)) return std::nullopt;
    if (targetFirm <= 0 || targetFirm == session_.firmNo) {
        messages_.critical(title("Item Master"), QStringLiteral("Please Select another Firm"));
        return std::nullopt;
    }
    if (ids.empty()) {
        messages_.critical(title("Item Master"), QStringLiteral("Please Select Product"));
        return std::nullopt;
    }
    if (!messages_.ask(title("Save Confirmation"), QStringLiteral("Are you sure to Save All Product from Select Firm"))) return std::nullopt;
    db::Transaction tx(db_);
    std::vector<qint64> made;
    QStringList skipped;
    for (qint64 id : ids) {
        auto item = load(id);
        if (!item) continue;
        // An item the target firm already has by name is not copied twice.
        if (nameExists(item->name, targetFirm)) {
            skipped << item->name;
            continue;
        }
        item->id = 0;
        item->firmNo = targetFirm;
        item->openingQty = item->openingPieces = item->openingAmount = Decimal();
        if (codeExists(item->code, targetFirm)) item->code = nextCode(targetFirm);
        made.push_back(insert(*item, targetFirm));
    }
    tx.commit();
    if (!skipped.isEmpty())
        messages_.warning(title("Save Confirmation"),
                          QStringLiteral("Already in the firm, not copied : ") + skipped.join(QStringLiteral(", ")));
    messages_.information(title("Save Confirmation"), QStringLiteral("Product is Transferd"));
    return made;
}

}  // namespace tanabana::products
