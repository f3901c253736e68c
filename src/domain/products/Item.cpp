#include "domain/products/Item.h"

#include "domain/products/Common.h"

#include <functional>

namespace tanabana::products {

QStringList stockTypeNames() {
    return {QStringLiteral("Finished"),      QStringLiteral("Raw Material"),  QStringLiteral("Yarn"),
            QStringLiteral("Trading"),       QStringLiteral("Semi Finished"), QStringLiteral("Labour"),
            QStringLiteral("Capital Goods"), QStringLiteral("Input Service"), QStringLiteral("Other")};
}

QString stockTypeName(QChar letter) {
    for (const QString& n : stockTypeNames())
        if (n.at(0) == letter.toUpper()) return n;
    return {};
}

QStringList gstCalcEntries() { return {QStringLiteral("1. Rate Without GST"), QStringLiteral("2. Rate With GST")}; }
QStringList calcOnEntries() { return {QStringLiteral("1. Mtrs /Qnty"), QStringLiteral("2. Pcs")}; }
QStringList rapierItemTypes() { return {QStringLiteral("Grey/Saree"), QStringLiteral("Yarn/Jari"), QStringLiteral("Other")}; }

namespace {

enum class Kind { Text, Amount, Percent, Flag, Choice };

// One column of the item: its caption for messages and how its value is read and written.
struct Field {
    const char* column;
    const char* caption;
    Kind kind;
    std::function<QVariant(const Item&)> get;
    std::function<void(Item&, const QVariant&)> set;  // receives a checked value
};

template <typename M>
Field text(const char* column, const char* caption, M member) {
    return {column, caption, Kind::Text, [member](const Item& i) { return QVariant(i.*member); },
            [member](Item& i, const QVariant& v) { i.*member = v.toString().trimmed(); }};
}
template <typename M>
Field amount(const char* column, const char* caption, M member, Kind kind = Kind::Amount) {
    return {column, caption, kind, [member](const Item& i) { return QVariant((i.*member).toDouble()); },
            [member](Item& i, const QVariant& v) { i.*member = Decimal::fromVariant(v); }};
}
template <typename M>
Field flag(const char* column, const char* caption, M member) {
    return {column, caption, Kind::Flag, [member](const Item& i) { return QVariant(i.*member); },
            [member](Item& i, const QVariant& v) { i.*member = v.toBool(); }};
}

std::optional<bool> readFlag(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    const QString s = v.toString().trimmed().toLower();
    if (s == QLatin1String("yes") || s == QLatin1String("true") || s == QLatin1String("1") || s == QLatin1String("y")) return true;
    if (s == QLatin1String("no") || s == QLatin1String("false") || s == QLatin1String("0") || s == QLatin1String("n") ||
        s.isEmpty())
        return false;
    return std::nullopt;
}

// A choice given as its number ("2"), its entry ("2. Pcs") or a letter the entry starts with.
std::optional<int> readChoice(const QVariant& v, const QStringList& entries, int firstNumber) {
    const QString s = v.toString().trimmed();
    bool ok = false;
    const int n = s.toInt(&ok);
    if (ok) return n >= firstNumber && n < firstNumber + entries.size() ? std::optional<int>(n) : std::nullopt;
    for (int i = 0; i < entries.size(); ++i)
        if (entries.at(i).compare(s, Qt::CaseInsensitive) == 0) return firstNumber + i;
    return std::nullopt;
}

const std::vector<Field>& fields() {
    static const std::vector<Field> all = {
        text("ProdCode", "Item Code", &Item::code),
        text("ProdName", "Item Name", &Item::name),
        text("P1", "Item Name - II", &Item::name2),
        text("ProdGrp", "Group", &Item::group),
        text("ProdSubGrp", "Sub Group", &Item::subGroup),
        {"StkType", "Stock Type", Kind::Choice, [](const Item& i) { return QVariant(QString(i.stockType)); },
         [](Item& i, const QVariant& v) { i.stockType = v.toString().at(0); }},
        text("UNit", "Unit of Measure", &Item::unit),
        amount("RAteR", "Rate Retail", &Item::rateRetail),
        amount("Ratew", "Dealer Rate", &Item::rateDealer),
        amount("PurRAte", "Purchase Rate", &Item::ratePurchase),
        amount("OPSt", "Op Stock Qnty", &Item::openingQty),
        amount("OPStock1", "Op St Nos.", &Item::openingPieces),
        amount("OpAmt", "Op Amt", &Item::openingAmount),
        amount("Loose", "Loose Qnty.", &Item::loose),
        amount("Vat", "SGST %", &Item::sgst, Kind::Percent),
        amount("AddTax", "CGST %", &Item::cgst, Kind::Percent),
        {"VatCalc", "GST Calc", Kind::Choice, [](const Item& i) { return QVariant(i.gstCalc); },
         [](Item& i, const QVariant& v) { i.gstCalc = v.toInt(); }},
        text("hsnCode", "HSN/SAC", &Item::hsn),
        text("LicenceNo", "HSN Desc.", &Item::hsnDesc),
        text("UQM", "HSN UQC (GSTR-1)", &Item::uqc),
        amount("Pack", "Avg Pack", &Item::pack),
        amount("BoxPack", "Box Pack", &Item::boxPack),
        amount("Mrp", "MRP", &Item::mrp),
        amount("ROLMin", "ROL Min.", &Item::rolMin),
        amount("ROLMax", "ROL Max", &Item::rolMax),
        text("Notes", "Remarks", &Item::notes),
        flag("IsActive", "Active", &Item::active),
        flag("RateUpdate", "Rate Update", &Item::rateUpdate),
        {"CalcOn", "Calculate On", Kind::Choice, [](const Item& i) { return QVariant(i.calcOn); },
         [](Item& i, const QVariant& v) { i.calcOn = v.toInt(); }},
        {"Is_NoStk", "Show in Stock Report", Kind::Flag, [](const Item& i) { return QVariant(!i.showInStock); },
         [](Item& i, const QVariant& v) { i.showInStock = !v.toBool(); }},
        {"MrpDisc", "Item Type", Kind::Choice, [](const Item& i) { return QVariant(i.itemType); },
         [](Item& i, const QVariant& v) { i.itemType = v.toInt(); }},
        text("Photo1", "Picture", &Item::photo),
    };
    return all;
}

// Checks one value and returns it in the form the field's setter takes.
std::optional<QVariant> checkValue(const Field& f, const QVariant& value, Messages& messages) {
    const QString caption = QString::fromLatin1(f.caption);
    const QString column = QString::fromLatin1(f.column);
    auto refuse = [&](const QString& what) {
        messages.critical(invalidEntryTitle(), QStringLiteral("%1 : '%2' %3").arg(caption, value.toString(), what));
        return std::optional<QVariant>();
    };
    switch (f.kind) {
    case Kind::Text:
        return QVariant(value.toString());
    case Kind::Amount:
    case Kind::Percent: {
        const auto max = f.kind == Kind::Percent ? std::optional<Decimal>(Decimal(50)) : std::optional<Decimal>(Decimal(999999999));
        const auto n = readNumber(value, caption, messages, false, max);
        return n ? std::optional<QVariant>(QVariant::fromValue(n->toDouble())) : std::nullopt;
    }
    case Kind::Flag: {
        const auto b = readFlag(value);
        return b ? std::optional<QVariant>(QVariant(*b)) : refuse(QStringLiteral("should be Yes or No"));
    }
    case Kind::Choice:
        if (column == QLatin1String("StkType")) {
            const QString s = value.toString().trimmed();
            for (const QString& n : stockTypeNames())
                if (n.compare(s, Qt::CaseInsensitive) == 0 || (s.size() == 1 && n.at(0) == s.at(0).toUpper()))
                    return QVariant(QString(n.at(0)));
            return refuse(QStringLiteral("is not a stock type (%1)").arg(stockTypeNames().join(QStringLiteral(", "))));
        }
        if (column == QLatin1String("VatCalc")) {
            const auto n = readChoice(value, gstCalcEntries(), 1);
            return n ? std::optional<QVariant>(QVariant(*n)) : refuse(QStringLiteral("should be 1 or 2"));
        }
        if (column == QLatin1String("CalcOn")) {
            QString s = value.toString().trimmed().toUpper();
            if (s == QLatin1String("M")) s = QStringLiteral("1");
            if (s == QLatin1String("P")) s = QStringLiteral("2");
            const auto n = readChoice(s, calcOnEntries(), 1);
            return n ? std::optional<QVariant>(QVariant(*n)) : refuse(QStringLiteral("should be 1 (Mtrs /Qnty) or 2 (Pcs)"));
        }
        {
            const auto n = readChoice(value, rapierItemTypes(), 0);
            return n ? std::optional<QVariant>(QVariant(*n)) : refuse(QStringLiteral("should be 0, 1 or 2"));
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<Item> itemFromValues(const QVariantMap& values, Messages& messages, QString* badField, const Item& base) {
    Item item = base;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const QString key = it.key();
        if (badField) *badField = key;
        if (key.compare(QLatin1String("Id"), Qt::CaseInsensitive) == 0 ||
            key.compare(QLatin1String("FirmNO"), Qt::CaseInsensitive) == 0) {
            bool ok = false;
            const qint64 n = it.value().toString().trimmed().isEmpty() ? 0 : it.value().toString().toLongLong(&ok);
            if ((!ok && !it.value().toString().trimmed().isEmpty()) || n < 0) {
                messages.critical(invalidEntryTitle(), QStringLiteral("%1 : '%2' is not a whole number").arg(key, it.value().toString()));
                return std::nullopt;
            }
            (key.compare(QLatin1String("Id"), Qt::CaseInsensitive) == 0 ? item.id : item.firmNo) = n;
            continue;
        }
        const Field* field = nullptr;
        for (const Field& f : fields())
            if (key.compare(QLatin1String(f.column), Qt::CaseInsensitive) == 0) field = &f;
        if (!field) {
            messages.critical(invalidEntryTitle(), QStringLiteral("Unknown item field : %1").arg(key));
            return std::nullopt;
        }
        const auto checked = checkValue(*field, it.value(), messages);
        if (!checked) return std::nullopt;
        field->set(item, *checked);
    }
    if (badField) badField->clear();
    return item;
}

QVariantMap itemToValues(const Item& item) {
    QVariantMap values;
    values.insert(QStringLiteral("Id"), item.id);
    values.insert(QStringLiteral("FirmNO"), item.firmNo);
    for (const Field& f : fields()) values.insert(QString::fromLatin1(f.column), f.get(item));
    return values;
}

}  // namespace tanabana::products
