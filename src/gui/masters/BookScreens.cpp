#include "gui/masters/BookScreens.h"

#include <QComboBox>

namespace tanabana::gui {

namespace {

using masters::BookKind;
using AccountList = masters::BookMaster::AccountList;

QString s(const char* text) { return QString::fromLatin1(text); }

const QStringList kSalesPurchaseTypes{s("Sales"), s("Purchase"), s("All")};
const QStringList kCashBankTypes{s("Cash"), s("Bank")};
const QStringList kBillTypes{s("Retail"), s("Export"), s("SEZ")};
const QStringList kBillFrom{s("1. Challan"), s("2. Job work")};

FieldSpec account(const char* column, const char* caption) { return {s(column), s(caption), FieldSpec::Keyed, {}}; }
FieldSpec tick(const char* column, const char* caption) { return {s(column), s(caption), FieldSpec::Check, {}}; }

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
    static const QStringList salesPurchase = masters::bookTaxAccountColumns() + QStringList{s("SaleId"), s("PurAccId"), s("TDS_Id"), s("TCS_Id")};
    static const QStringList cashBank{s("PurAccId")};
    return kind == BookKind::SalesPurchase ? salesPurchase : cashBank;
}

}  // namespace

BookScreen::BookScreen(Session& session, BookKind kind, QWidget* parent, Messages* messages)
    : MasterForm(kind == BookKind::SalesPurchase ? s("FrmBookMst") : s("FrmBookMstCash"),
                 kind == BookKind::SalesPurchase ? s("BOOK MASTER (SALES AND PURCHASE)") : s("BOOK MASTER (CASH AND BANK)"), session, parent,
                 messages),
      kind_(kind), books_(*session.db, session, messages_, kind) {
    if (kind == BookKind::SalesPurchase) declareSalesPurchaseFields();
    else declareCashBankFields();
    fillAccountLists();
    setFindCaption(s("Name :"));
    finishLayout();
}

void BookScreen::declareSalesPurchaseFields() {
    addFields({{s("BookNO"), s("Book No"), FieldSpec::ReadOnly, {}},
               {s("BookType"), s("Type"), FieldSpec::Choice, kSalesPurchaseTypes},
               {s("BookShortName"), s("Bill Prev. Name"), FieldSpec::Text, {}},
               {s("BillType"), s("Bill Type"), FieldSpec::Choice, kBillTypes},
               account("SaleId", "Sal . A/c Code"),
               {s("SalesName"), s("Name"), FieldSpec::Text, {}},
               account("PurAccId", "Pur. A/c Code"),
               {s("PurNAme"), s("Name"), FieldSpec::Text, {}},
               {s("Sales_Bill_From"), s("Sales Bill From"), FieldSpec::Choice, kBillFrom},
               {s("ItemRem"), s("Item Desc."), FieldSpec::Text, {}}});
    addFields({{s("Qty2"), s("Box - 1"), FieldSpec::Number, {}},
               {s("CL1"), s("Label - 1"), FieldSpec::Text, {}},
               {s("NosIn"), s("Box - 2"), FieldSpec::Number, {}},
               {s("CL2"), s("Label - 2"), FieldSpec::Text, {}},
               {s("Qty1"), s("Box - 3"), FieldSpec::Number, {}},
               {s("CL3"), s("Label - 3"), FieldSpec::Text, {}},
               tick("LrReq", "L.R. Required"), tick("IsGenPur", "Gen. Purchase"),
               tick("IsCashPay", "Cash Pay at Bill"), tick("IsST", "Is Fr/Wt in sales")},
              2, s("Lines"));
    addFields({tick("Is_Auto_Ac", "Auto A/c Entry"),
               account("A1", "IGST AMT"), account("A2", "SGST AMT"), account("A3", "CGST AMT"), account("A4", "(+) / (-)")},
              1, s("GST Accounts"));
    addFields({account("A1_R", "IGST (Receivable)"), account("A1_P", "IGST (Payable)"),
               account("A2_R", "SGST (Receivable)"), account("A2_P", "SGST (Payable)"),
               account("A3_R", "CGST (Receivable)"), account("A3_P", "CGST (Payable)")},
              2, s("RCM A/C NAME  (Debit) / (Credit)"));
    addFields({tick("IsTDS", "T.D.S.  [Y/N]"), account("TDS_Id", "T.D.S. A/c"),
               tick("IsTCS", "T.C.S."), account("TCS_Id", "T.C.S. A/c")},
              2, s("T.D.S. and T.C.S."));
}

void BookScreen::declareCashBankFields() {
    addFields({{s("BookNO"), s("Book No"), FieldSpec::ReadOnly, {}},
               {s("BookType"), s("Type"), FieldSpec::Choice, kCashBankTypes},
               account("PurAccId", "A/c Code"),
               {s("BookShortName"), s("Bill Prev. Name"), FieldSpec::Text, {}}},
              1);
    // a bank book takes only bank accounts
    connect(static_cast<QComboBox*>(field(s("BookType"))), &QComboBox::currentIndexChanged, this, [this] { fillAccountLists(); });
}

void BookScreen::fillAccountLists() {
    if (kind_ == BookKind::CashBank) {
        const bool bank = values().value(s("BookType")).toString() == kCashBankTypes.at(1);
        setKeyedChoices(s("PurAccId"), entries(books_.accountChoices(bank ? AccountList::Bank : AccountList::Any)));
        return;
    }
    const auto any = entries(books_.accountChoices(AccountList::Any));
    const auto taxes = entries(books_.accountChoices(AccountList::TaxAndCharges));
    for (const QString& column : accountColumns(kind_)) setKeyedChoices(column, isTaxOrCharge(column) ? taxes : any);
}

void BookScreen::prepareNew() { fillAccountLists(); }

qint64 BookScreen::save(const QVariantMap& values, QString* focusColumn) {
    masters::Record book = values;
    book.insert(s("BookNO"), currentKey());
    book.insert(s("BookType"), values.value(s("BookType")).toString().left(1));
    if (kind_ == BookKind::SalesPurchase) book.insert(s("Sales_Bill_From"), kBillFrom.indexOf(values.value(s("Sales_Bill_From")).toString()) + 1);
    const qint64 bookNo = books_.save(book);
    if (bookNo == 0) *focusColumn = s("PurAccId");
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
    setValue(s("BookNO"), QString::number(key));
    const QString type = book->value(s("BookType")).toString();
    for (const QString& t : kind_ == BookKind::SalesPurchase ? kSalesPurchaseTypes : kCashBankTypes)
        if (t.startsWith(type)) setValue(s("BookType"), t);
    if (kind_ == BookKind::CashBank) {
        fillAccountLists();
        setValue(s("PurAccId"), book->value(s("PurAccId")).toLongLong());
    } else {
        setValue(s("Sales_Bill_From"), kBillFrom.value(book->value(s("Sales_Bill_From")).toInt() - 1, kBillFrom.front()));
    }
}

void BookScreen::refreshList() {
    std::vector<QStringList> rows;
    std::vector<qint64> keys;
    const QString find = findBox()->text().trimmed();
    const auto yes = [](const db::Row& r, const char* column) { return r.flag(s(column)) ? s("Yes") : s("No"); };
    for (const db::Row& r : books_.list()) {
        if (!r.text(s("PurNAme")).startsWith(find, Qt::CaseInsensitive) && !r.text(s("SalesName")).startsWith(find, Qt::CaseInsensitive))
            continue;
        if (kind_ == BookKind::SalesPurchase)
            rows.push_back({r.text(s("BookNO")), r.text(s("PurNAme")), r.text(s("SalesName")), r.text(s("BookShortName")), yes(r, "IsTDS"),
                            yes(r, "IsTCS"), yes(r, "IsGenPur"), yes(r, "LrReq"), r.text(s("ItemRem")), r.text(s("BillType")),
                            QString::number(r.number(s("Qty1"))), QString::number(r.number(s("Qty2"))), QString::number(r.number(s("NosIn")))});
        else
            rows.push_back({r.text(s("BookNO")), r.text(s("PurNAme")), r.text(s("BookType")), r.text(s("BookShortName"))});
        keys.push_back(r.integer(s("BookNO")));
    }
    if (kind_ == BookKind::SalesPurchase)
        setListRows({s("Book No"), s("Purchase Name"), s("Sales Name"), s("Prefix"), s("TDS"), s("TCS"), s("Gen Pur"), s("L R"),
                     s("Item Remark"), s("Bill Type"), s("Box-3"), s("Box-1"), s("Box-2")},
                    rows, keys);
    else
        setListRows({s("Book No"), s("Book Name"), s("Book Type"), s("Prefix")}, rows, keys);
}

}  // namespace tanabana::gui
