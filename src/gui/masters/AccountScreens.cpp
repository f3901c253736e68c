#include "gui/masters/AccountScreens.h"

#include "core/Decimal.h"
#include "core/Words.h"
#include "domain/masters/AccountPrints.h"
#include "domain/masters/Lookups.h"
#include "domain/products/Common.h"
#include "domain/products/SmallMasters.h"
#include "domain/shell/ListFiles.h"
#include "gui/common/SelectionGrid.h"
#include "gui/reports/MasterPrints.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace tanabana::gui {

namespace {

QString s(const char* text) { return QString::fromLatin1(text); }

const QStringList kNoYes{s("No"), s("Yes")};
const QStringList kYesNo{s("Yes"), s("No")};
const QStringList kPartyTypes{s("Regular"), s("Export"), s("Import")};
const QStringList kPaymentKinds{QString(), s("WPAY"), s("WOPAY")};

QString yesNo(bool yes) { return yes ? s("Yes") : s("No"); }
bool isYes(const QVariant& v) { return v.toString() == QLatin1String("Yes"); }

// The group list of the account screen: "35  Sundry Debtors" keyed by the group number.
std::vector<std::pair<QString, qint64>> groupEntries(db::Database& db, qint64 firmNo) {
    std::vector<std::pair<QString, qint64>> entries;
    for (const db::Row& g : masters::groupsOf(db, firmNo, true)) {
        const int number = int(g.integer(QStringLiteral("GrpNo")));
        entries.emplace_back(QStringLiteral("%1  %2").arg(number, 2, 10, QLatin1Char('0')).arg(g.text(QStringLiteral("AcName"))), number);
    }
    return entries;
}

QString balanceText(double amount) { return amountText(amount); }

}  // namespace

// ---- Accounts ----

AccountScreen::AccountScreen(Session& session, QWidget* parent, Messages* messages)
    : MasterForm(s("FrmAccMstNew"), s("ACCOUNT MASTER"), session, parent, messages), accounts_(*session.db, session, messages_) {
    db::Database& db = *session.db;
    const qint64 firm = session.firmNo;
    QStringList states{QString()};
    states << shell::readListFile(session.dataRoot, s("StateCodeN.txt"));
    addFields({{s("LedgerId"), s("A/c No"), FieldSpec::ReadOnly, {}},
               {s("AcName"), s("Name"), FieldSpec::Text, {}},
               {s("GrpNo"), s("Group"), FieldSpec::Keyed, {}},
               {s("Add1"), s("Address -1"), FieldSpec::Text, {}},
               {s("Add2"), s("Address -2"), FieldSpec::Text, {}},
               {s("Add3"), s("Address -3"), FieldSpec::Text, {}},
               {s("City"), s("City"), FieldSpec::EditableChoice, masters::usedValues(db, firm, s("City"))},
               {s("ZoneName"), s("Party Group"), FieldSpec::EditableChoice, masters::usedValues(db, firm, s("ZoneName"))},
               {s("Phone"), s("Phone/Mob."), FieldSpec::Text, {}},
               {s("PinCode"), s("Pin Code"), FieldSpec::Text, {}},
               {s("Conct"), s("Cont. Person"), FieldSpec::Text, {}},
               {s("CSTNo"), s("State"), FieldSpec::Choice, states},
               {s("TinNo"), s("GST No"), FieldSpec::Text, {}},
               {s("IsOgs"), s("IGST Party"), FieldSpec::Choice, kNoYes},
               {s("PanNO"), s("PAN No"), FieldSpec::Text, {}},
               {s("WMbNo"), s("WApp No"), FieldSpec::Text, {}},
               {s("Extra"), s("Email/Extra"), FieldSpec::Text, {}},
               {s("AreaName"), s("Area"), FieldSpec::EditableChoice, masters::usedValues(db, firm, s("AreaName"))},
               {s("BrokerId"), s("Broker"), FieldSpec::Keyed, {}},
               {s("Active"), s("Active"), FieldSpec::Choice, kYesNo}});
    addFields({{s("CrLimit"), s("Cr. Limit"), FieldSpec::Number, {}},
               {s("CrDays"), s("Cr. Days"), FieldSpec::Number, {}},
               {s("IntRate"), s("Int Rate % "), FieldSpec::Number, {}},
               {s("Commision"), s("Disc %"), FieldSpec::Number, {}},
               {s("Perc"), s("Partener %"), FieldSpec::Number, {}},
               {s("TDSP"), s("TDS %"), FieldSpec::Number, {}},
               {s("EcNo"), s("Compos tax"), FieldSpec::Choice, kNoYes},
               {s("Is_RevCh"), s("Reverse Charge"), FieldSpec::Choice, kNoYes},
               {s("Hunditype"), s("Rate with GST in Pur."), FieldSpec::Choice, kNoYes},
               {s("Is_Item_RNd"), s("Taxable Amt Rnd off"), FieldSpec::Choice, kNoYes}},
              2, s("Terms and Tax"));
    addFields({{s("CityG"), s("Party Type"), FieldSpec::Choice, kPartyTypes},
               {s("Payment"), s("Payment"), FieldSpec::Choice, kPaymentKinds},
               {s("P_Country"), s("Country"), FieldSpec::Text, {}},
               {s("P_EximCOde"), s("Exim Code"), FieldSpec::Text, {}},
               {s("Trans_Name"), s("Transporter"), FieldSpec::EditableChoice, masters::usedValues(db, firm, s("Trans_Name"))},
               {s("Trans_Id"), s("Transporter Id"), FieldSpec::Text, {}},
               {s("P_Trans_NO"), s("Vehicle No"), FieldSpec::Text, {}},
               {s("City_KM"), s("Distance (KM)"), FieldSpec::Number, {}}},
              2, s("Export, Import and e-Way Bill"));
    refreshGroups();
    std::vector<std::pair<QString, qint64>> brokers{{QString(), 0}};
    for (const products::Broker& b : products::BrokerMaster(db, session, messages_).list()) brokers.emplace_back(b.name, b.srno);
    setKeyedChoices(s("BrokerId"), brokers);
    accounts_.repairCompositionFlags();
    auto* copy = new QPushButton(s("Copy A/c To Firm"), this);
    copy->setObjectName(s("cmdCopyToFirm"));
    connect(copy, &QPushButton::clicked, this, &AccountScreen::openCopyToFirm);
    addBelowList(copy);
    // Print: the envelope of the account on the screen
    setPrintAction([this] {
        if (currentKey() <= 0) {
            messages_.critical(s("Envelop"), s("Please open an account from the list first"));
            return;
        }
        previewReport(session_, messages_, masters::envelopeReport(session_, currentKey()),
                      s("Envelop_") + values().value(s("AcName")).toString(), this);
    });
    setFindCaption(s("Name :"));
    setKeyHints(s("F2 = New Group"));
    field(s("GrpNo"))->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(field(s("GrpNo"))); combo && combo->lineEdit()) combo->lineEdit()->installEventFilter(this);
    connect(static_cast<QLineEdit*>(field(s("TinNo"))), &QLineEdit::editingFinished, this, &AccountScreen::checkGstinOnLeaving);
    connect(static_cast<QComboBox*>(field(s("IsOgs"))), &QComboBox::activated, this, &AccountScreen::checkIgstOnLeaving);
    finishLayout();
}

void AccountScreen::refreshGroups() { setKeyedChoices(s("GrpNo"), groupEntries(*session_.db, session_.firmNo)); }

bool AccountScreen::eventFilter(QObject* watched, QEvent* event) {
    auto* group = qobject_cast<QComboBox*>(field(s("GrpNo")));
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2 &&
        (watched == group || watched == group->lineEdit())) {
        openGroupMaster();
        return true;
    }
    return MasterForm::eventFilter(watched, event);
}

void AccountScreen::openGroupMaster() {
    QDialog dialog(this);
    dialog.setWindowTitle(s("Group Master"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* groups = new GroupScreen(session_, &dialog, &messages_);
    layout->addWidget(groups);
    connect(groups->button(s("Cmd_Exit")), &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.resize(980, 620);
    dialog.exec();
    refreshGroups();
    focusField(s("GrpNo"));
}

void AccountScreen::openCopyToFirm() {
    QDialog dialog(this);
    dialog.setObjectName(s("frmCopyToFirm"));
    dialog.setWindowTitle(s("Copy A/c To Firm"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* choices = new QHBoxLayout;
    auto* group = new QComboBox(&dialog);
    group->setObjectName(s("ComGroup"));
    for (const auto& [text, number] : groupEntries(*session_.db, session_.firmNo)) group->addItem(text, number);
    auto* firm = new QComboBox(&dialog);
    firm->setObjectName(s("ComFirm"));
    for (const auto& [no, name] : products::allFirms(*session_.db, session_))
        if (no != session_.firmNo) firm->addItem(name, no);
    choices->addWidget(new QLabel(s("Group"), &dialog));
    choices->addWidget(group, 1);
    choices->addWidget(new QLabel(s("To Firm"), &dialog));
    choices->addWidget(firm, 1);
    layout->addLayout(choices);
    auto* grid = new SelectionGrid({s("A/c Name"), s("City"), s("A/c No"), s("Id")}, &dialog);
    grid->setObjectName(s("grdAccounts"));
    layout->addWidget(grid);
    const auto fill = [this, group, grid] {
        grid->setRowCount(0);
        for (const db::Row& r : accounts_.search())
            if (r.integer(s("GrpNo")) == group->currentData().toLongLong() && r.flag(s("Active")))
                grid->addRow({r.text(s("AcName")), r.text(s("City")), r.text(s("LedgerId")), r.text(s("Id"))});
    };
    connect(group, &QComboBox::currentIndexChanged, &dialog, fill);
    fill();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(720, 480);
    if (dialog.exec() != QDialog::Accepted || firm->currentIndex() < 0) return;
    QList<qint64> ids;
    for (int row : grid->tickedRows()) ids << grid->item(row, 4)->text().toLongLong();
    accounts_.copyToFirm(ids, firm->currentData().toLongLong());
}

void AccountScreen::checkGstinOnLeaving() {
    auto* box = static_cast<QLineEdit*>(field(s("TinNo")));
    if (checking_ || box->text().trimmed().isEmpty()) return;
    checking_ = true;
    if (!accounts_.checkGstin(box->text().trimmed().toUpper(), values().value(s("CSTNo")).toString())) {
        box->setFocus();
        box->selectAll();
    }
    checking_ = false;
}

void AccountScreen::checkIgstOnLeaving() {
    const QVariantMap v = values();
    if (!accounts_.checkIgstParty(isYes(v.value(s("IsOgs"))), v.value(s("CSTNo")).toString())) focusField(s("IsOgs"));
}

qint64 AccountScreen::save(const QVariantMap& values, QString* focusColumn) {
    masters::Record account = values;
    account.remove(s("LedgerId"));
    const QString payment = account.take(s("Payment")).toString();
    account.insert(s("Id"), currentKey());
    account.insert(s("EcNo"), isYes(values.value(s("EcNo"))) ? s("1") : s("0"));
    account.insert(s("Hunditype"), isYes(values.value(s("Hunditype"))) ? s("1") : s("0"));
    // 2 rounds each line's GST of the supplier's bills to rupees; 1 (the column's default) does not.
    account.insert(s("Is_Item_RNd"), isYes(values.value(s("Is_Item_RNd"))) ? 2 : 1);
    account.insert(s("CityG"), values.value(s("CityG")).toString().left(1));
    if (values.value(s("CityG")).toString() == kPartyTypes.at(2)) account.insert(s("PanNO"), payment);
    const qint64 id = accounts_.save(account);
    if (id == 0) *focusColumn = s("AcName");
    return id;
}

bool AccountScreen::remove(qint64 key) { return accounts_.remove(key); }

void AccountScreen::load(qint64 key) {
    const auto account = accounts_.load(key);
    if (!account) return;
    for (auto it = account->cbegin(); it != account->cend(); ++it) {
        if (!field(it.key())) continue;
        const QVariant v = it.value();
        if (v.typeId() == QMetaType::Bool) setValue(it.key(), yesNo(v.toBool()));
        else if (v.typeId() == QMetaType::Double) setValue(it.key(), exactText(v.toDouble()));
        else setValue(it.key(), v);
    }
    setValue(s("EcNo"), yesNo(account->value(s("EcNo")).toString() == QLatin1String("1")));
    setValue(s("Hunditype"), yesNo(account->value(s("Hunditype")).toString() == QLatin1String("1")));
    setValue(s("Is_Item_RNd"), yesNo(account->value(s("Is_Item_RNd")).toDouble() == 2));
    setValue(s("CrDays"), QString::number(account->value(s("CrDays")).toLongLong()));
    const QString type = account->value(s("CityG")).toString().left(1).toUpper();
    for (const QString& t : kPartyTypes)
        if (t.startsWith(type) && !type.isEmpty()) setValue(s("CityG"), t);
    if (type == QLatin1String("I")) {
        setValue(s("Payment"), account->value(s("PanNO")));
        setValue(s("PanNO"), QString());
    }
}

void AccountScreen::refreshList() {
    std::vector<QStringList> rows;
    std::vector<qint64> keys;
    for (const db::Row& r : accounts_.search(findBox()->text())) {
        rows.push_back({r.text(s("AcName")), r.text(s("City")), r.text(s("LedgerId")), r.text(s("WMbNo")),
                        r.text(s("Add1")), r.text(s("Add2")), r.text(s("Add3")), r.text(s("Phone")), r.text(s("PinCode")),
                        r.text(s("TinNo")), r.text(s("AcNo")), r.text(s("PanNO")), r.text(s("CSTNo")), r.text(s("AreaName")),
                        yesNo(r.flag(s("Active"))), r.text(s("EcNo")) == QLatin1String("1") ? s("Y") : s("N"),
                        yesNo(r.flag(s("Is_RevCh"))), yesNo(r.flag(s("IsOgs"))), yesNo(r.number(s("Is_Item_RNd")) == 2),
                        r.text(s("CityG")), r.text(s("Hunditype")) == QLatin1String("1") ? s("Y") : s("N"), r.text(s("P_Country")),
                        r.text(s("P_EximCOde")), r.text(s("P_Trans_NO"))});
        keys.push_back(r.integer(s("Id")));
    }
    setListRows({s("A/c Name"), s("City"), s("A/c No"), s("WhatsApp No"), s("Address 1"), s("Address 2"), s("Address 3"), s("Phone"),
                 s("PIN Code"), s("GSTIN"), s("Bank A/c No"), s("PAN No"), s("State"), s("Area"), s("Active"), s("Compos tax"),
                 s("Reverse Charge"), s("IGST Party"), s("Taxable Amt Rnd off"), s("Party Type"), s("Rate With GST"), s("Country"),
                 s("Exim Code"), s("Vehicle No")},
                rows, keys);
}

// ---- Groups ----

GroupScreen::GroupScreen(Session& session, QWidget* parent, Messages* messages)
    : MasterForm(s("FrmAccGrpMst"), s("GROUP MASTER"), session, parent, messages), groups_(*session.db, session, messages_) {
    addFields({{s("GrpNo"), s("Group No"), FieldSpec::Number, {}},
               {s("AcName"), s("Group Name"), FieldSpec::Text, {}},
               {s("Active"), s("Active"), FieldSpec::Choice, kYesNo}},
              1);
    auto* heads = new QWidget(this);
    auto* grid = new QHBoxLayout(heads);
    grid->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char*, const char*> captions[] = {{"Expenditure Head ==>>>", "Trading Accounts 01 to 21  {Define 01 to 21}"},
                                                            {"Income Head ==>>>", "Profit & Loss Accounts 22 to 30  {Define 22 to 30}"},
                                                            {"Asset Head == >>>", "Limit 70  {Define 31 to 70}"},
                                                            {"Liability Head ==>>>", "You Can define up to 99  {Define up tp 99}"}};
    for (int i = 0; i < 4; ++i) {
        auto* box = new QGroupBox(s(captions[i].first), heads);
        auto* inner = new QVBoxLayout(box);
        auto* note = new QLabel(s(captions[i].second), box);
        note->setWordWrap(true);
        inner->addWidget(note);
        ranges_[i] = new QListWidget(box);
        ranges_[i]->setObjectName(QStringLiteral("lstRange%1").arg(i + 1));
        ranges_[i]->setFocusPolicy(Qt::NoFocus);
        inner->addWidget(ranges_[i]);
        grid->addWidget(box);
    }
    addBelowFields(heads);
    setFindCaption(s("Name :"));
    connect(static_cast<QLineEdit*>(field(s("GrpNo"))), &QLineEdit::editingFinished, this, &GroupScreen::loadTypedNumber);
    setPrintAction([this] { previewReport(session_, messages_, masters::groupListReport(session_, listDate(session_)), s("GroupList"), this); });
    finishLayout();
}

void GroupScreen::loadTypedNumber() {
    const int number = values().value(s("GrpNo")).toString().trimmed().toInt();
    if (number <= 0 || number == currentKey()) return;
    if (groups_.find(number)) {
        load(number);
        setKey(number);
    } else {
        setKey(0);
    }
}

qint64 GroupScreen::save(const QVariantMap& values, QString* focusColumn) {
    bool ok = false;
    const int number = values.value(s("GrpNo")).toString().trimmed().toInt(&ok);
    if (!ok || number <= 0) {
        *focusColumn = s("GrpNo");
        return 0;
    }
    if (!groups_.save(number, values.value(s("AcName")).toString(), isYes(values.value(s("Active"))))) {
        *focusColumn = s("AcName");
        return 0;
    }
    return number;
}

bool GroupScreen::remove(qint64 key) { return groups_.remove(int(key)); }

void GroupScreen::load(qint64 key) {
    const auto group = groups_.find(int(key));
    if (!group) return;
    setValue(s("GrpNo"), QString::number(group->number));
    setValue(s("AcName"), group->name);
    setValue(s("Active"), yesNo(group->active));
}

void GroupScreen::refreshList() {
    std::vector<QStringList> rows;
    std::vector<qint64> keys;
    for (QListWidget* l : ranges_) l->clear();
    for (const masters::GroupRow& g : groups_.list()) {
        const QString entry = QStringLiteral("%1  %2").arg(g.number, 2, 10, QLatin1Char('0')).arg(g.name);
        const int range = int(masters::groupRange(g.number));
        const int list = range == int(masters::GroupRange::Liabilities) ? 3 : range;
        if (range != int(masters::GroupRange::None)) ranges_[list]->addItem(entry);
        if (!g.name.startsWith(findBox()->text().trimmed(), Qt::CaseInsensitive)) continue;
        rows.push_back({QStringLiteral("%1").arg(g.number * 10000, 6, 10, QLatin1Char('0')), g.name, QString::number(g.number),
                        yesNo(g.active)});
        keys.push_back(g.number);
    }
    setListRows({s("A/c No"), s("A/c Name"), s("Group No"), s("Active")}, rows, keys);
}

// ---- Opening balances ----

OpeningBalanceScreen::OpeningBalanceScreen(Session& session, QWidget* parent, Messages* messages)
    : MasterForm(s("FrmAccMstOpBal"), s("Opening Balance"), session, parent, messages), balances_(*session.db, session, messages_) {
    addFields({{s("Id"), s("A/c Name"), FieldSpec::Keyed, {}},
               {s("OpDate"), s("Date"), FieldSpec::Date, {}},
               {s("OpType"), s("Type"), FieldSpec::Choice, {s("Debit"), s("Credit")}},
               {s("OpAmount"), s("Amount"), FieldSpec::Number, {}}},
              1);
    auto* resync = new QPushButton(s("Re-Update A/c Balances"), this);
    resync->setObjectName(s("cmdReUpdate"));
    connect(resync, &QPushButton::clicked, this, [this] {
        if (mayWrite(false)) balances_.resynchronise();
    });
    addBelowFields(resync);
    totals_ = new QLabel(this);
    totals_->setObjectName(s("lblTotals"));
    QFont bold = totals_->font();
    bold.setBold(true);
    totals_->setFont(bold);
    addBelowList(totals_);
    setFindCaption(s("Name :"));
    setKeyHints(s("F4 = Show All A/c Name"));
    auto* account = static_cast<QComboBox*>(field(s("Id")));
    connect(account, &QComboBox::activated, this, &OpeningBalanceScreen::showBalanceOfChosenAccount);
    setPrintAction([this] {
        const int chosen = messages_.choose(s("Print"), s("Which list of opening balances?"),
                                            {s("Regular Print"), s("HeadWise Print"), s("B/S Print"), s("Cancel")});
        const masters::OpeningPrint prints[] = {masters::OpeningPrint::Regular, masters::OpeningPrint::HeadWise,
                                                masters::OpeningPrint::BalanceSheet};
        const char* names[] = {"OpeningBalance", "OpeningBalance_HeadWise", "OpeningBalance_BS"};
        if (chosen < 0 || chosen > 2) return;
        previewReport(session_, messages_, masters::openingBalanceReport(session_, prints[chosen], listDate(session_)),
                      QString::fromLatin1(names[chosen]), this);
    });
    finishLayout();
}

void OpeningBalanceScreen::prepareNew() {
    std::vector<std::pair<QString, qint64>> accounts;
    for (const db::Row& r : balances_.accountChoices())
        accounts.emplace_back(QStringLiteral("%1  (%2)").arg(r.text(QStringLiteral("AcName")), r.text(QStringLiteral("LedgerId"))),
                              r.integer(QStringLiteral("Id")));
    setKeyedChoices(s("Id"), accounts);
    setValue(s("Id"), 0);
    setValue(s("OpDate"), session_.yearStartDate);
}

void OpeningBalanceScreen::showBalanceOfChosenAccount() {
    const qint64 id = values().value(s("Id")).toLongLong();
    if (id > 0 && balances_.find(id)) {
        load(id);
        setKey(id);
    }
}

qint64 OpeningBalanceScreen::save(const QVariantMap& values, QString* focusColumn) {
    masters::OpeningBalance balance;
    balance.accountId = values.value(s("Id")).toLongLong();
    balance.date = values.value(s("OpDate")).toDate();
    balance.type = values.value(s("OpType")).toString().left(1);
    const std::optional<Decimal> typed = Decimal::parse(values.value(s("OpAmount")).toString());
    if (typed) balance.amount = *typed;
    if (!typed || balance.amount <= Decimal()) {
        *focusColumn = s("OpAmount");
        if (!values.value(s("OpAmount")).toString().trimmed().isEmpty())
            messages_.critical(s("Wrong Value"), s("Amount must be a number above 0"));
        return 0;
    }
    if (!balances_.save(balance)) {
        *focusColumn = s("Id");
        return 0;
    }
    return balance.accountId;
}

bool OpeningBalanceScreen::remove(qint64 key) { return balances_.remove(key); }

void OpeningBalanceScreen::load(qint64 key) {
    const auto balance = balances_.find(key);
    if (!balance) return;
    setValue(s("Id"), key);
    setValue(s("OpDate"), balance->date);
    setValue(s("OpType"), balance->type == QLatin1String("C") ? s("Credit") : s("Debit"));
    setValue(s("OpAmount"), balance->amount.toString(2));
}

void OpeningBalanceScreen::refreshList() {
    std::vector<QStringList> rows;
    std::vector<qint64> keys;
    for (const db::Row& r : balances_.list()) {
        if (!r.text(s("AcName")).startsWith(findBox()->text().trimmed(), Qt::CaseInsensitive)) continue;
        rows.push_back({r.text(s("LedgerId")), r.text(s("AcName")), r.text(s("City")), r.date(s("OpDate")).toString(s("dd-MM-yyyy")),
                        balanceText(r.number(s("OpAmount"))), r.text(s("OpType")), r.text(s("GrpName"))});
        keys.push_back(r.integer(s("Id")));
    }
    setListRows({s("A/c No"), s("A/c Name"), s("City"), s("Date"), s("Amount"), s("Dr/Cr"), s("Group")}, rows, keys);
    // the firm's balances must agree: the difference is what the books do not yet explain
    Decimal debit, credit;
    for (const db::Row& r : balances_.list())
        (r.text(s("OpType")) == QLatin1String("C") ? credit : debit) += Decimal::fromDouble(r.number(s("OpAmount"))).roundHalfEven(2);
    const Decimal difference = debit - credit;
    if (totals_)
        totals_->setText(QStringLiteral("Total Debit : %1    Total Credit : %2    Difference : %3")
                             .arg(FormatIndian(debit, 2), FormatIndian(credit, 2),
                                  FormatIndian(difference.abs(), 2) + (difference.isZero() ? QString() : difference.isNegative() ? s(" Cr") : s(" Dr"))));
}

QString OpeningBalanceScreen::totalsText() const { return totals_->text(); }

}  // namespace tanabana::gui
