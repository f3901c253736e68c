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


const QStringList kNoYes{QStringLiteral("No"), QStringLiteral("Yes")};
const QStringList kYesNo{QStringLiteral("Yes"), QStringLiteral("No")};
const QStringList kPartyTypes{QStringLiteral("Regular"), QStringLiteral("Export"), QStringLiteral("Import")};
const QStringList kPaymentKinds{QString(), QStringLiteral("WPAY"), QStringLiteral("WOPAY")};

QString yesNo(bool yes) { return yes ? QStringLiteral("Yes") : QStringLiteral("No"); }
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
    : MasterForm(QStringLiteral("FrmAccMstNew"), QStringLiteral("ACCOUNT MASTER"), session, parent, messages), accounts_(*session.db, session, messages_) {
    db::Database& db = *session.db;
    const qint64 firm = session.firmNo;
    QStringList states{QString()};
    states << shell::readListFile(session.dataRoot, QStringLiteral("StateCodeN.txt"));
    addFields({{QStringLiteral("LedgerId"), QStringLiteral("A/c No"), FieldSpec::ReadOnly, {}},
               {QStringLiteral("AcName"), QStringLiteral("Name"), FieldSpec::Text, {}},
               {QStringLiteral("GrpNo"), QStringLiteral("Group"), FieldSpec::Keyed, {}},
               {QStringLiteral("Add1"), QStringLiteral("Address -1"), FieldSpec::Text, {}},
               {QStringLiteral("Add2"), QStringLiteral("Address -2"), FieldSpec::Text, {}},
               {QStringLiteral("Add3"), QStringLiteral("Address -3"), FieldSpec::Text, {}},
               {QStringLiteral("City"), QStringLiteral("City"), FieldSpec::EditableChoice, masters::usedValues(db, firm, QStringLiteral("City"))},
               {QStringLiteral("ZoneName"), QStringLiteral("Party Group"), FieldSpec::EditableChoice, masters::usedValues(db, firm, QStringLiteral("ZoneName"))},
               {QStringLiteral("Phone"), QStringLiteral("Phone/Mob."), FieldSpec::Text, {}},
               {QStringLiteral("PinCode"), QStringLiteral("Pin Code"), FieldSpec::Text, {}},
               {QStringLiteral("Conct"), QStringLiteral("Cont. Person"), FieldSpec::Text, {}},
               {QStringLiteral("CSTNo"), QStringLiteral("State"), FieldSpec::Choice, states},
               {QStringLiteral("TinNo"), QStringLiteral("GST No"), FieldSpec::Text, {}},
               {QStringLiteral("IsOgs"), QStringLiteral("IGST Party"), FieldSpec::Choice, kNoYes},
               {QStringLiteral("PanNO"), QStringLiteral("PAN No"), FieldSpec::Text, {}},
               {QStringLiteral("WMbNo"), QStringLiteral("WApp No"), FieldSpec::Text, {}},
               {QStringLiteral("Extra"), QStringLiteral("Email/Extra"), FieldSpec::Text, {}},
               {QStringLiteral("AreaName"), QStringLiteral("Area"), FieldSpec::EditableChoice, masters::usedValues(db, firm, QStringLiteral("AreaName"))},
               {QStringLiteral("BrokerId"), QStringLiteral("Broker"), FieldSpec::Keyed, {}},
               {QStringLiteral("Active"), QStringLiteral("Active"), FieldSpec::Choice, kYesNo}});
    addFields({{QStringLiteral("CrLimit"), QStringLiteral("Cr. Limit"), FieldSpec::Number, {}},
               {QStringLiteral("CrDays"), QStringLiteral("Cr. Days"), FieldSpec::Number, {}},
               {QStringLiteral("IntRate"), QStringLiteral("Int Rate % "), FieldSpec::Number, {}},
               {QStringLiteral("Commision"), QStringLiteral("Disc %"), FieldSpec::Number, {}},
               {QStringLiteral("Perc"), QStringLiteral("Partener %"), FieldSpec::Number, {}},
               {QStringLiteral("TDSP"), QStringLiteral("TDS %"), FieldSpec::Number, {}},
               {QStringLiteral("EcNo"), QStringLiteral("Compos tax"), FieldSpec::Choice, kNoYes},
               {QStringLiteral("Is_RevCh"), QStringLiteral("Reverse Charge"), FieldSpec::Choice, kNoYes},
               {QStringLiteral("Hunditype"), QStringLiteral("Rate with GST in Pur."), FieldSpec::Choice, kNoYes},
               {QStringLiteral("Is_Item_RNd"), QStringLiteral("Taxable Amt Rnd off"), FieldSpec::Choice, kNoYes}},
              2, QStringLiteral("Terms and Tax"));
    addFields({{QStringLiteral("CityG"), QStringLiteral("Party Type"), FieldSpec::Choice, kPartyTypes},
               {QStringLiteral("Payment"), QStringLiteral("Payment"), FieldSpec::Choice, kPaymentKinds},
               {QStringLiteral("P_Country"), QStringLiteral("Country"), FieldSpec::Text, {}},
               {QStringLiteral("P_EximCOde"), QStringLiteral("Exim Code"), FieldSpec::Text, {}},
               {QStringLiteral("Trans_Name"), QStringLiteral("Transporter"), FieldSpec::EditableChoice, masters::usedValues(db, firm, QStringLiteral("Trans_Name"))},
               {QStringLiteral("Trans_Id"), QStringLiteral("Transporter Id"), FieldSpec::Text, {}},
               {QStringLiteral("P_Trans_NO"), QStringLiteral("Vehicle No"), FieldSpec::Text, {}},
               {QStringLiteral("City_KM"), QStringLiteral("Distance (KM)"), FieldSpec::Number, {}}},
              2, QStringLiteral("Export, Import and e-Way Bill"));
    refreshGroups();
    std::vector<std::pair<QString, qint64>> brokers{{QString(), 0}};
    for (const products::Broker& b : products::BrokerMaster(db, session, messages_).list()) brokers.emplace_back(b.name, b.srno);
    setKeyedChoices(QStringLiteral("BrokerId"), brokers);
    accounts_.repairCompositionFlags();
    auto* copy = new QPushButton(QStringLiteral("Copy A/c To Firm"), this);
    copy->setObjectName(QStringLiteral("cmdCopyToFirm"));
    connect(copy, &QPushButton::clicked, this, &AccountScreen::openCopyToFirm);
    addBelowList(copy);
    // Print: the envelope of the account on the screen
    setPrintAction([this] {
        if (currentKey() <= 0) {
            messages_.critical(QStringLiteral("Envelop"), QStringLiteral("Please open an account from the list first"));
            return;
        }
        previewReport(session_, messages_, masters::envelopeReport(session_, currentKey()),
                      QStringLiteral("Envelop_") + values().value(QStringLiteral("AcName")).toString(), this);
    });
    setFindCaption(QStringLiteral("Name :"));
    setKeyHints(QStringLiteral("F2 = New Group"));
    field(QStringLiteral("GrpNo"))->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(field(QStringLiteral("GrpNo"))); combo && combo->lineEdit()) combo->lineEdit()->installEventFilter(this);
    connect(static_cast<QLineEdit*>(field(QStringLiteral("TinNo"))), &QLineEdit::editingFinished, this, &AccountScreen::checkGstinOnLeaving);
    connect(static_cast<QComboBox*>(field(QStringLiteral("IsOgs"))), &QComboBox::activated, this, &AccountScreen::checkIgstOnLeaving);
    finishLayout();
}

void AccountScreen::refreshGroups() { setKeyedChoices(QStringLiteral("GrpNo"), groupEntries(*session_.db, session_.firmNo)); }

bool AccountScreen::eventFilter(QObject* watched, QEvent* event) {
    auto* group = qobject_cast<QComboBox*>(field(QStringLiteral("GrpNo")));
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2 &&
        (watched == group || watched == group->lineEdit())) {
        openGroupMaster();
        return true;
    }
    return MasterForm::eventFilter(watched, event);
}

void AccountScreen::openGroupMaster() {
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Group Master"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* groups = new GroupScreen(session_, &dialog, &messages_);
    layout->addWidget(groups);
    connect(groups->button(QStringLiteral("Cmd_Exit")), &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.resize(980, 620);
    dialog.exec();
    refreshGroups();
    focusField(QStringLiteral("GrpNo"));
}

void AccountScreen::openCopyToFirm() {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("frmCopyToFirm"));
    dialog.setWindowTitle(QStringLiteral("Copy A/c To Firm"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* choices = new QHBoxLayout;
    auto* group = new QComboBox(&dialog);
    group->setObjectName(QStringLiteral("ComGroup"));
    for (const auto& [text, number] : groupEntries(*session_.db, session_.firmNo)) group->addItem(text, number);
    auto* firm = new QComboBox(&dialog);
    firm->setObjectName(QStringLiteral("ComFirm"));
    for (const auto& [no, name] : products::allFirms(*session_.db, session_))
        if (no != session_.firmNo) firm->addItem(name, no);
    choices->addWidget(new QLabel(QStringLiteral("Group"), &dialog));
    choices->addWidget(group, 1);
    choices->addWidget(new QLabel(QStringLiteral("To Firm"), &dialog));
    choices->addWidget(firm, 1);
    layout->addLayout(choices);
    auto* grid = new SelectionGrid({QStringLiteral("A/c Name"), QStringLiteral("City"), QStringLiteral("A/c No"), QStringLiteral("Id")}, &dialog);
    grid->setObjectName(QStringLiteral("grdAccounts"));
    layout->addWidget(grid);
    const auto fill = [this, group, grid] {
        grid->setRowCount(0);
        for (const db::Row& r : accounts_.search())
            if (r.integer(QStringLiteral("GrpNo")) == group->currentData().toLongLong() && r.flag(QStringLiteral("Active")))
                grid->addRow({r.text(QStringLiteral("AcName")), r.text(QStringLiteral("City")), r.text(QStringLiteral("LedgerId")), r.text(QStringLiteral("Id"))});
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
    auto* box = static_cast<QLineEdit*>(field(QStringLiteral("TinNo")));
    if (checking_ || box->text().trimmed().isEmpty()) return;
    checking_ = true;
    if (!accounts_.checkGstin(box->text().trimmed().toUpper(), values().value(QStringLiteral("CSTNo")).toString())) {
        box->setFocus();
        box->selectAll();
    }
    checking_ = false;
}

void AccountScreen::checkIgstOnLeaving() {
    const QVariantMap v = values();
    if (!accounts_.checkIgstParty(isYes(v.value(QStringLiteral("IsOgs"))), v.value(QStringLiteral("CSTNo")).toString())) focusField(QStringLiteral("IsOgs"));
}

qint64 AccountScreen::save(const QVariantMap& values, QString* focusColumn) {
    masters::Record account = values;
    account.remove(QStringLiteral("LedgerId"));
    const QString payment = account.take(QStringLiteral("Payment")).toString();
    account.insert(QStringLiteral("Id"), currentKey());
    account.insert(QStringLiteral("EcNo"), isYes(values.value(QStringLiteral("EcNo"))) ? QStringLiteral("1") : QStringLiteral("0"));
    account.insert(QStringLiteral("Hunditype"), isYes(values.value(QStringLiteral("Hunditype"))) ? QStringLiteral("1") : QStringLiteral("0"));
    // 2 rounds each line's GST of the supplier's bills to rupees; 1 (the column's default) does not.
    account.insert(QStringLiteral("Is_Item_RNd"), isYes(values.value(QStringLiteral("Is_Item_RNd"))) ? 2 : 1);
    account.insert(QStringLiteral("CityG"), values.value(QStringLiteral("CityG")).toString().left(1));
    if (values.value(QStringLiteral("CityG")).toString() == kPartyTypes.at(2)) account.insert(QStringLiteral("PanNO"), payment);
    const qint64 id = accounts_.save(account);
    if (id == 0) *focusColumn = QStringLiteral("AcName");
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
    setValue(QStringLiteral("EcNo"), yesNo(account->value(QStringLiteral("EcNo")).toString() == QLatin1String("1")));
    setValue(QStringLiteral("Hunditype"), yesNo(account->value(QStringLiteral("Hunditype")).toString() == QLatin1String("1")));
    setValue(QStringLiteral("Is_Item_RNd"), yesNo(account->value(QStringLiteral("Is_Item_RNd")).toDouble() == 2));
    setValue(QStringLiteral("CrDays"), QString::number(account->value(QStringLiteral("CrDays")).toLongLong()));
    const QString type = account->value(QStringLiteral("CityG")).toString().left(1).toUpper();
    for (const QString& t : kPartyTypes)
        if (t.startsWith(type) && !type.isEmpty()) setValue(QStringLiteral("CityG"), t);
    if (type == QLatin1String("I")) {
        setValue(QStringLiteral("Payment"), account->value(QStringLiteral("PanNO")));
        setValue(QStringLiteral("PanNO"), QString());
    }
}

void AccountScreen::refreshList() {
    std::vector<QStringList> rows;
    std::vector<qint64> keys;
    for (const db::Row& r : accounts_.search(findBox()->text())) {
        rows.push_back({r.text(QStringLiteral("AcName")), r.text(QStringLiteral("City")), r.text(QStringLiteral("LedgerId")), r.text(QStringLiteral("WMbNo")),
                        r.text(QStringLiteral("Add1")), r.text(QStringLiteral("Add2")), r.text(QStringLiteral("Add3")), r.text(QStringLiteral("Phone")), r.text(QStringLiteral("PinCode")),
                        r.text(QStringLiteral("TinNo")), r.text(QStringLiteral("AcNo")), r.text(QStringLiteral("PanNO")), r.text(QStringLiteral("CSTNo")), r.text(QStringLiteral("AreaName")),
                        yesNo(r.flag(QStringLiteral("Active"))), r.text(QStringLiteral("EcNo")) == QLatin1String("1") ? QStringLiteral("Y") : QStringLiteral("N"),
                        yesNo(r.flag(QStringLiteral("Is_RevCh"))), yesNo(r.flag(QStringLiteral("IsOgs"))), yesNo(r.number(QStringLiteral("Is_Item_RNd")) == 2),
                        r.text(QStringLiteral("CityG")), r.text(QStringLiteral("Hunditype")) == QLatin1String("1") ? QStringLiteral("Y") : QStringLiteral("N"), r.text(QStringLiteral("P_Country")),
                        r.text(QStringLiteral("P_EximCOde")), r.text(QStringLiteral("P_Trans_NO"))});
        keys.push_back(r.integer(QStringLiteral("Id")));
    }
    setListRows({QStringLiteral("A/c Name"), QStringLiteral("City"), QStringLiteral("A/c No"), QStringLiteral("WhatsApp No"), QStringLiteral("Address 1"), QStringLiteral("Address 2"), QStringLiteral("Address 3"), QStringLiteral("Phone"),
                 QStringLiteral("PIN Code"), QStringLiteral("GSTIN"), QStringLiteral("Bank A/c No"), QStringLiteral("PAN No"), QStringLiteral("State"), QStringLiteral("Area"), QStringLiteral("Active"), QStringLiteral("Compos tax"),
                 QStringLiteral("Reverse Charge"), QStringLiteral("IGST Party"), QStringLiteral("Taxable Amt Rnd off"), QStringLiteral("Party Type"), QStringLiteral("Rate With GST"), QStringLiteral("Country"),
                 QStringLiteral("Exim Code"), QStringLiteral("Vehicle No")},
                rows, keys);
}

// ---- Groups ----

GroupScreen::GroupScreen(Session& session, QWidget* parent, Messages* messages)
    : MasterForm(QStringLiteral("FrmAccGrpMst"), QStringLiteral("GROUP MASTER"), session, parent, messages), groups_(*session.db, session, messages_) {
    addFields({{QStringLiteral("GrpNo"), QStringLiteral("Group No"), FieldSpec::Number, {}},
               {QStringLiteral("AcName"), QStringLiteral("Group Name"), FieldSpec::Text, {}},
               {QStringLiteral("Active"), QStringLiteral("Active"), FieldSpec::Choice, kYesNo}},
              1);
    auto* heads = new QWidget(this);
    auto* grid = new QHBoxLayout(heads);
    grid->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char*, const char*> captions[] = {{"Expenditure Head ==>>>", "Trading Accounts 01 to 21  {Define 01 to 21}"},
                                                            {"Income Head ==>>>", "Profit & Loss Accounts 22 to 30  {Define 22 to 30}"},
                                                            {"Asset Head == >>>", "Limit 70  {Define 31 to 70}"},
                                                            {"Liability Head ==>>>", "You Can define up to 99  {Define up tp 99}"}};
    for (int i = 0; i < 4; ++i) {
        auto* box = new QGroupBox(QString::fromLatin1(captions[i].first), heads);
        auto* inner = new QVBoxLayout(box);
        auto* note = new QLabel(QString::fromLatin1(captions[i].second), box);
        note->setWordWrap(true);
        inner->addWidget(note);
        ranges_[i] = new QListWidget(box);
        ranges_[i]->setObjectName(QStringLiteral("lstRange%1").arg(i + 1));
        ranges_[i]->setFocusPolicy(Qt::NoFocus);
        inner->addWidget(ranges_[i]);
        grid->addWidget(box);
    }
    addBelowFields(heads);
    setFindCaption(QStringLiteral("Name :"));
    connect(static_cast<QLineEdit*>(field(QStringLiteral("GrpNo"))), &QLineEdit::editingFinished, this, &GroupScreen::loadTypedNumber);
    setPrintAction([this] { previewReport(session_, messages_, masters::groupListReport(session_, listDate(session_)), QStringLiteral("GroupList"), this); });
    finishLayout();
}

void GroupScreen::loadTypedNumber() {
    const int number = values().value(QStringLiteral("GrpNo")).toString().trimmed().toInt();
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
    const int number = values.value(QStringLiteral("GrpNo")).toString().trimmed().toInt(&ok);
    if (!ok || number <= 0) {
        *focusColumn = QStringLiteral("GrpNo");
        return 0;
    }
    if (!groups_.save(number, values.value(QStringLiteral("AcName")).toString(), isYes(values.value(QStringLiteral("Active"))))) {
        *focusColumn = QStringLiteral("AcName");
        return 0;
    }
    return number;
}

bool GroupScreen::remove(qint64 key) { return groups_.remove(int(key)); }

void GroupScreen::load(qint64 key) {
    const auto group = groups_.find(int(key));
    if (!group) return;
    setValue(QStringLiteral("GrpNo"), QString::number(group->number));
    setValue(QStringLiteral("AcName"), group->name);
    setValue(QStringLiteral("Active"), yesNo(group->active));
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
    setListRows({QStringLiteral("A/c No"), QStringLiteral("A/c Name"), QStringLiteral("Group No"), QStringLiteral("Active")}, rows, keys);
}

// ---- Opening balances ----

OpeningBalanceScreen::OpeningBalanceScreen(Session& session, QWidget* parent, Messages* messages)
    : MasterForm(QStringLiteral("FrmAccMstOpBal"), QStringLiteral("Opening Balance"), session, parent, messages), balances_(*session.db, session, messages_) {
    addFields({{QStringLiteral("Id"), QStringLiteral("A/c Name"), FieldSpec::Keyed, {}},
               {QStringLiteral("OpDate"), QStringLiteral("Date"), FieldSpec::Date, {}},
               {QStringLiteral("OpType"), QStringLiteral("Type"), FieldSpec::Choice, {QStringLiteral("Debit"), QStringLiteral("Credit")}},
               {QStringLiteral("OpAmount"), QStringLiteral("Amount"), FieldSpec::Number, {}}},
              1);
    auto* resync = new QPushButton(QStringLiteral("Re-Update A/c Balances"), this);
    resync->setObjectName(QStringLiteral("cmdReUpdate"));
    connect(resync, &QPushButton::clicked, this, [this] {
        if (mayWrite(false)) balances_.resynchronise();
    });
    addBelowFields(resync);
    totals_ = new QLabel(this);
    totals_->setObjectName(QStringLiteral("lblTotals"));
    QFont bold = totals_->font();
    bold.setBold(true);
    totals_->setFont(bold);
    addBelowList(totals_);
    setFindCaption(QStringLiteral("Name :"));
    setKeyHints(QStringLiteral("F4 = Show All A/c Name"));
    auto* account = static_cast<QComboBox*>(field(QStringLiteral("Id")));
    connect(account, &QComboBox::activated, this, &OpeningBalanceScreen::showBalanceOfChosenAccount);
    setPrintAction([this] {
        const int chosen = messages_.choose(QStringLiteral("Print"), QStringLiteral("Which list of opening balances?"),
                                            {QStringLiteral("Regular Print"), QStringLiteral("HeadWise Print"), QStringLiteral("B/S Print"), QStringLiteral("Cancel")});
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
    setKeyedChoices(QStringLiteral("Id"), accounts);
    setValue(QStringLiteral("Id"), 0);
    setValue(QStringLiteral("OpDate"), session_.yearStartDate);
}

void OpeningBalanceScreen::showBalanceOfChosenAccount() {
    const qint64 id = values().value(QStringLiteral("Id")).toLongLong();
    if (id > 0 && balances_.find(id)) {
        load(id);
        setKey(id);
    }
}

qint64 OpeningBalanceScreen::save(const QVariantMap& values, QString* focusColumn) {
    masters::OpeningBalance balance;
    balance.accountId = values.value(QStringLiteral("Id")).toLongLong();
    balance.date = values.value(QStringLiteral("OpDate")).toDate();
    balance.type = values.value(QStringLiteral("OpType")).toString().left(1);
    const std::optional<Decimal> typed = Decimal::parse(values.value(QStringLiteral("OpAmount")).toString());
    if (typed) balance.amount = *typed;
    if (!typed || balance.amount <= Decimal()) {
        *focusColumn = QStringLiteral("OpAmount");
        if (!values.value(QStringLiteral("OpAmount")).toString().trimmed().isEmpty())
            messages_.critical(QStringLiteral("Wrong Value"), QStringLiteral("Amount must be a number above 0"));
        return 0;
    }
    if (!balances_.save(balance)) {
        *focusColumn = QStringLiteral("Id");
        return 0;
    }
    return balance.accountId;
}

bool OpeningBalanceScreen::remove(qint64 key) { return balances_.remove(key); }

void OpeningBalanceScreen::load(qint64 key) {
    const auto balance = balances_.find(key);
    if (!balance) return;
    setValue(QStringLiteral("Id"), key);
    setValue(QStringLiteral("OpDate"), balance->date);
    setValue(QStringLiteral("OpType"), balance->type == QLatin1String("C") ? QStringLiteral("Credit") : QStringLiteral("Debit"));
    setValue(QStringLiteral("OpAmount"), balance->amount.toString(2));
}

void OpeningBalanceScreen::refreshList() {
    std::vector<QStringList> rows;
    std::vector<qint64> keys;
    for (const db::Row& r : balances_.list()) {
        if (!r.text(QStringLiteral("AcName")).startsWith(findBox()->text().trimmed(), Qt::CaseInsensitive)) continue;
        rows.push_back({r.text(QStringLiteral("LedgerId")), r.text(QStringLiteral("AcName")), r.text(QStringLiteral("City")), r.date(QStringLiteral("OpDate")).toString(QStringLiteral("dd-MM-yyyy")),
                        balanceText(r.number(QStringLiteral("OpAmount"))), r.text(QStringLiteral("OpType")), r.text(QStringLiteral("GrpName"))});
        keys.push_back(r.integer(QStringLiteral("Id")));
    }
    setListRows({QStringLiteral("A/c No"), QStringLiteral("A/c Name"), QStringLiteral("City"), QStringLiteral("Date"), QStringLiteral("Amount"), QStringLiteral("Dr/Cr"), QStringLiteral("Group")}, rows, keys);
    // the firm's balances must agree: the difference is what the books do not yet explain
    Decimal debit, credit;
    for (const db::Row& r : balances_.list())
        (r.text(QStringLiteral("OpType")) == QLatin1String("C") ? credit : debit) += Decimal::fromDouble(r.number(QStringLiteral("OpAmount"))).roundHalfEven(2);
    const Decimal difference = debit - credit;
    if (totals_)
        totals_->setText(QStringLiteral("Total Debit : %1    Total Credit : %2    Difference : %3")
                             .arg(FormatIndian(debit, 2), FormatIndian(credit, 2),
                                  FormatIndian(difference.abs(), 2) + (difference.isZero() ? QString() : difference.isNegative() ? QStringLiteral(" Cr") : QStringLiteral(" Dr"))));
}

QString OpeningBalanceScreen::totalsText() const { return totals_->text(); }

}  // namespace tanabana::gui
