#include "gui/masters/BookScreens.h"

#include <QComboBox>

namespace tanabana::gui {

namespace {

using masters::BookKind;
using AccountList = masters::BookMaster::AccountList;


const QStringList kSalesPurchaseTypes{QStringLiteral("Sales"), QStringLiteral("Purchase"), QStringLiteral("All")};
const QStringList kCashBankTypes{QStringLiteral("Cash"), QStringLiteral("Bank")};
const QStringList kBillTypes{QStringLiteral("Retail"), QStringLiteral("Export"), QStringLiteral("SEZ")};
const QStringList kBillFrom{QStringLiteral("1. Challan"), QStringLiteral("2. Job work")};

FieldSpec account(const char* column, const char* caption) { return {QString::fromLatin1(column), QString::fromLatin1(caption), FieldSpec::Keyed, {}}; }
FieldSpec tick(const char* column, const char* caption) { return {QString::fromLatin1(column), QString::fromLatin1(caption), FieldSpec::Check, {}}; }

// The columns whose list leaves out party, sales, stock and capital groups.
bool isTaxOrCharge(const QString& column) { return masters::bookTaxAccountColumns().contains(column); }

std::vector<std::pair<QString, qint64>> entries(const db::Rows& rows) {
    std::vector<std::pair<QString, qint64>> list{{QString(), 0}};
    for (const db::Row& r : rows)
        list.emplace_back(QStringLiteral("%1  (%2)").arg(r.text(QStringLiteral("AcName")), r.text(QStringLiteral("LedgerId"))),
                          r.integer(QStringLiteral("Id")));
    return list;
}

const QStringList& accountColumns(BookKind kind) {
    static const QStringList salesPurchase = masters::bookTaxAccountColumns() + QStringList{QStringLiteral("SaleId"), QStringLiteral("PurAccId"), QStringLiteral("TDS_Id"), QStringLiteral("TCS_Id")};
    static const QStringList cashBank{QStringLiteral("PurAccId")};
    return kind == BookKind::SalesPurchase ? salesPurchase : cashBank;
}

}  // namespace

BookScreen::BookScreen(Session& session, BookKind kind, QWidget* parent, Messages* messages)
    : MasterForm(kind == BookKind::SalesPurchase ? QStringLiteral("FrmBookMst") : QStringLiteral("FrmBookMstCash"),
                 kind == BookKind::SalesPurchase ? QStringLiteral("BOOK MASTER (SALES AND PURCHASE)") : QStringLiteral("BOOK MASTER (CASH AND BANK)"), session, parent,
                 messages),
      kind_(kind), books_(*session.db, session, messages_, kind) {
    if (kind == BookKind::SalesPurchase) declareSalesPurchaseFields();
    else declareCashBankFields();
    fillAccountLists();
    setFindCaption(QStringLiteral("Name :"));
    finishLayout();
}

void BookScreen::declareSalesPurchaseFields() {
    addFields({{QStringLiteral("BookNO"), QStringLiteral("Book No"), FieldSpec::ReadOnly, {}},
               {QStringLiteral("BookType"), QStringLiteral("Type"), FieldSpec::Choice, kSalesPurchaseTypes},
               {QStringLiteral("BookShortName"), QStringLiteral("Bill Prev. Name"), FieldSpec::Text, {}},
               {QStringLiteral("BillType"), QStringLiteral("Bill Type"), FieldSpec::Choice, kBillTypes},
               account("SaleId", "Sal . A/c Code"),
               {QStringLiteral("SalesName"), QStringLiteral("Name"), FieldSpec::Text, {}},
               account("PurAccId", "Pur. A/c Code"),
               {QStringLiteral("PurNAme"), QStringLiteral("Name"), FieldSpec::Text, {}},
               {QStringLiteral("Sales_Bill_From"), QStringLiteral("Sales Bill From"), FieldSpec::Choice, kBillFrom},
               {QStringLiteral("ItemRem"), QStringLiteral("Item Desc."), FieldSpec::Text, {}}});
    addFields({{QStringLiteral("Qty2"), QStringLiteral("Box - 1"), FieldSpec::Number, {}},
               {QStringLiteral("CL1"), QStringLiteral("Label - 1"), FieldSpec::Text, {}},
               {QStringLiteral("NosIn"), QStringLiteral("Box - 2"), FieldSpec::Number, {}},
               {QStringLiteral("CL2"), QStringLiteral("Label - 2"), FieldSpec::Text, {}},
               {QStringLiteral("Qty1"), QStringLiteral("Box - 3"), FieldSpec::Number, {}},
               {QStringLiteral("CL3"), QStringLiteral("Label - 3"), FieldSpec::Text, {}},
               tick("LrReq", "L.R. Required"), tick("IsGenPur", "Gen. Purchase"),
               tick("IsCashPay", "Cash Pay at Bill"), tick("IsST", "Is Fr/Wt in sales")},
              2, QStringLiteral("Lines"));
    addFields({tick("Is_Auto_Ac", "Auto A/c Entry"),
               account("A1", "IGST AMT"), account("A2", "SGST AMT"), account("A3", "CGST AMT"), account("A4", "(+) / (-)")},
              1, QStringLiteral("GST Accounts"));
    addFields({account("A1_R", "IGST (Receivable)"), account("A1_P", "IGST (Payable)"),
               account("A2_R", "SGST (Receivable)"), account("A2_P", "SGST (Payable)"),
               account("A3_R", "CGST (Receivable)"), account("A3_P", "CGST (Payable)")},
              2, QStringLiteral("RCM A/C NAME  (Debit) / (Credit)"));
    addFields({tick("IsTDS", "T.D.S.  [Y/N]"), account("TDS_Id", "T.D.S. A/c"),
               tick("IsTCS", "T.C.S."), account("TCS_Id", "T.C.S. A/c")},
              2, QStringLiteral("T.D.S. and T.C.S."));
}

void BookScreen::declareCashBankFields() {
    addFields({{QStringLiteral("BookNO"), QStringLiteral("Book No"), FieldSpec::ReadOnly, {}},
               {QStringLiteral("BookType"), QStringLiteral("Type"), FieldSpec::Choice, kCashBankTypes},
               account("PurAccId", "A/c Code"),
               {QStringLiteral("BookShortName"), QStringLiteral("Bill Prev. Name"), FieldSpec::Text, {}}},
              1);
    // a bank book takes only bank accounts
    connect(static_cast<QComboBox*>(field(QStringLiteral("BookType"))), &QComboBox::currentIndexChanged, this, [this] { fillAccountLists(); });
}

void BookScreen::fillAccountLists() {
    if (kind_ == BookKind::CashBank) {
        const bool bank = values().value(QStringLiteral("BookType")).toString() == kCashBankTypes.at(1);
        setKeyedChoices(QStringLiteral("PurAccId"), entries(books_.accountChoices(bank ? AccountList::Bank : AccountList::Any)));
        return;
    }
    const auto any = entries(books_.accountChoices(AccountList::Any));
    const auto taxes = entries(books_.accountChoices(AccountList::TaxAndCharges));
    for (const QString& column : accountColumns(kind_)) setKeyedChoices(column, isTaxOrCharge(column) ? taxes : any);
}

void BookScreen::prepareNew() { fillAccountLists(); }

qint64 BookScreen::save(const QVariantMap& values, QString* focusColumn) {
    masters::Record book = values;
    book.insert(QStringLiteral("BookNO"), currentKey());
    book.insert(QStringLiteral("BookType"), values.value(QStringLiteral("BookType")).toString().left(1));
    if (kind_ == BookKind::SalesPurchase) book.insert(QStringLiteral("Sales_Bill_From"), kBillFrom.indexOf(values.value(QStringLiteral("Sales_Bill_From")).toString()) + 1);
    const qint64 bookNo = books_.save(book);
    if (bookNo == 0) *focusColumn = QStringLiteral("PurAccId");
    return bookNo;
}

bool BookScreen::remove(qint64 key) { return books_.remove(key); }

void BookScreen::load(qint64 key) {
    const auto book = books_.load(key);
    if (!book) return;
    for (auto it = book->cbegin(); it != book->cend(); ++it) {
        if (!field(it.key())) continue;
        const QVariant v = it.value();
        if (accountColumns(kind_).contains(it.key())) setValue(it.key(), v.toLongLong());
        else if (v.typeId() == QMetaType::Double) setValue(it.key(), QString::number(v.toDouble()));
        else setValue(it.key(), v);
    }
    setValue(QStringLiteral("BookNO"), QString::number(key));
    const QString type = book->value(QStringLiteral("BookType")).toString();
    for (const QString& t : kind_ == BookKind::SalesPurchase ? kSalesPurchaseTypes : kCashBankTypes)
        if (t.startsWith(type)) setValue(QStringLiteral("BookType"), t);
    if (kind_ == BookKind::CashBank) {
        fillAccountLists();
        setValue(QStringLiteral("PurAccId"), book->value(QStringLiteral("PurAccId")).toLongLong());
    } else {
        setValue(QStringLiteral("Sales_Bill_From"), kBillFrom.value(book->value(QStringLiteral("Sales_Bill_From")).toInt() - 1, kBillFrom.front()));
    }
}

void BookScreen::refreshList() {
    std::vector<QStringList> rows;
    std::vector<qint64> keys;
    const QString find = findBox()->text().trimmed();
    const auto yes = [](const db::Row& r, const char* column) { return r.flag(QString::fromLatin1(column)) ? QStringLiteral("Yes") : QStringLiteral("No"); };
    for (const db::Row& r : books_.list()) {
        if (!r.text(QStringLiteral("PurNAme")).startsWith(find, Qt::CaseInsensitive) && !r.text(QStringLiteral("SalesName")).startsWith(find, Qt::CaseInsensitive))
            continue;
        if (kind_ == BookKind::SalesPurchase)
            rows.push_back({r.text(QStringLiteral("BookNO")), r.text(QStringLiteral("PurNAme")), r.text(QStringLiteral("SalesName")), r.text(QStringLiteral("BookShortName")), yes(r, "IsTDS"),
                            yes(r, "IsTCS"), yes(r, "IsGenPur"), yes(r, "LrReq"), r.text(QStringLiteral("ItemRem")), r.text(QStringLiteral("BillType")),
                            QString::number(r.number(QStringLiteral("Qty1"))), QString::number(r.number(QStringLiteral("Qty2"))), QString::number(r.number(QStringLiteral("NosIn")))});
        else
            rows.push_back({r.text(QStringLiteral("BookNO")), r.text(QStringLiteral("PurNAme")), r.text(QStringLiteral("BookType")), r.text(QStringLiteral("BookShortName"))});
        keys.push_back(r.integer(QStringLiteral("BookNO")));
    }
    if (kind_ == BookKind::SalesPurchase)
        setListRows({QStringLiteral("Book No"), QStringLiteral("Purchase Name"), QStringLiteral("Sales Name"), QStringLiteral("Prefix"), QStringLiteral("TDS"), QStringLiteral("TCS"), QStringLiteral("Gen Pur"), QStringLiteral("L R"),
                     QStringLiteral("Item Remark"), QStringLiteral("Bill Type"), QStringLiteral("Box-3"), QStringLiteral("Box-1"), QStringLiteral("Box-2")},
                    rows, keys);
    else
        setListRows({QStringLiteral("Book No"), QStringLiteral("Book Name"), QStringLiteral("Book Type"), QStringLiteral("Prefix")}, rows, keys);
}

}  // namespace tanabana::gui
