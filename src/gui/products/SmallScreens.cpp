#include "gui/products/SmallScreens.h"

#include "domain/products/ProductPrints.h"

#include "gui/common/SelectionGrid.h"
#include "gui/reports/MasterPrints.h"

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>

namespace tanabana::gui {

using namespace products;

namespace {

const QStringList kYesNoChoices{QStringLiteral("Yes"), QStringLiteral("No")};

bool nameStartsWith(const QString& name, const QString& prefix) { return name.startsWith(prefix.trimmed(), Qt::CaseInsensitive); }

}  // namespace

// ---- Brokers ----

BrokerScreen::BrokerScreen(Session& session, QWidget* parent, Messages* messages)
    : MasterForm(QStringLiteral("frmAgent"), QStringLiteral("BROKER MASTER"), session, parent, messages), brokers_(*session.db, session, messages_) {
    addFields({{QStringLiteral("PName"), QStringLiteral("Name"), FieldSpec::Text, {}},
               {QStringLiteral("PType"), QStringLiteral("Type"), FieldSpec::Choice, brokerTypeNames()},
               {QStringLiteral("Add1"), QStringLiteral("Address"), FieldSpec::Text, {}},
               {QStringLiteral("City"), QStringLiteral("City"), FieldSpec::EditableChoice, brokers_.cities()},
               {QStringLiteral("Taluka"), QStringLiteral("Taluka"), FieldSpec::EditableChoice, brokers_.talukas()},
               {QStringLiteral("dist"), QStringLiteral("District"), FieldSpec::EditableChoice, brokers_.districts()},
               {QStringLiteral("Tin"), QStringLiteral("GST No"), FieldSpec::Text, {}},
               {QStringLiteral("CST"), QStringLiteral("Brok. %"), FieldSpec::Number, {}},
               {QStringLiteral("Ph"), QStringLiteral("Phone"), FieldSpec::Text, {}}});
    postIn_ = new SelectionGrid({QStringLiteral("No"), QStringLiteral("Name")}, this);
    postIn_->setObjectName(QStringLiteral("grdPostIn"));
    for (const auto& [no, name] : allFirms(*session.db, session)) {
        postIn_->addRow({QString::number(no), name});
        if (no == session.firmNo) postIn_->setTicked(postIn_->rowCount() - 1, true);
    }
    addBelowFields(new QLabel(QStringLiteral("Post In"), this));
    addBelowFields(postIn_);
    setPrintAction([this] {
        previewReport(session_, messages_, brokers_.listReport(listDate(session_)), QStringLiteral("BrokerList"), this);
    });
    finishLayout();
}

void BrokerScreen::prepareNew() { postIn_->setEnabled(true); }

qint64 BrokerScreen::save(const QVariantMap& values, QString* focusColumn) {
    auto broker = brokerFromValues(values, messages_);
    if (!broker) return 0;
    broker->srno = currentKey();
    std::vector<qint64> firms;
    if (broker->srno == 0)
        for (int row : postIn_->tickedRows()) firms.push_back(postIn_->item(row, 1)->text().toLongLong());
    if (broker->srno == 0 && !firms.empty() && std::find(firms.begin(), firms.end(), session_.firmNo) == firms.end())
        broker->firmNo = firms.front();
    Refusal refusal;
    const auto ids = brokers_.save(*broker, firms, &refusal);
    if (!ids) {
        *focusColumn = refusal.field;
        return 0;
    }
    return ids->front();
}

bool BrokerScreen::remove(qint64 key) { return brokers_.remove(key); }

void BrokerScreen::load(qint64 key) {
    const auto b = brokers_.load(key);
    if (!b) return;
    setValue(QStringLiteral("PName"), b->name);
    setValue(QStringLiteral("PType"), b->type == QLatin1Char('H') ? QStringLiteral("Haste") : QStringLiteral("Broker"));
    setValue(QStringLiteral("Add1"), b->address);
    setValue(QStringLiteral("City"), b->city);
    setValue(QStringLiteral("Taluka"), b->taluka);
    setValue(QStringLiteral("dist"), b->district);
    setValue(QStringLiteral("Tin"), b->gstin);
    setValue(QStringLiteral("CST"), b->brokerage.toString(2));
    setValue(QStringLiteral("Ph"), b->phone);
    postIn_->setEnabled(false);
}

void BrokerScreen::refreshList() {
    std::vector<QStringList> rows;
    std::vector<qint64> keys;
    for (const Broker& b : brokers_.list()) {
        if (!nameStartsWith(b.name, findBox()->text())) continue;
        rows.push_back({b.name, b.address, b.city, b.brokerage.toString(2), b.phone,
                        b.type == QLatin1Char('H') ? QStringLiteral("Haste") : QStringLiteral("Broker")});
        keys.push_back(b.srno);
    }
    setListRows({QStringLiteral("Name"), QStringLiteral("Address"), QStringLiteral("City"), QStringLiteral("Brokerage %"),
                 QStringLiteral("Phone"), QStringLiteral("Type")},
                rows, keys);
}

// ---- Named lists ----

ProcessScreen::ProcessScreen(Session& session, QWidget* parent, Messages* messages)
    : MasterForm(QStringLiteral("frmAgent_1"), ProcessMaster::caption(QLatin1Char('J')), session, parent, messages),
      lists_(*session.db, session, messages_) {
    QStringList listNames;
    for (const auto& [letter, name] : processListTypes()) listNames << name;
    addFields({{QStringLiteral("Mst_Type"), QStringLiteral("List"), FieldSpec::Choice, listNames},
               {QStringLiteral("Pro_Name"), QStringLiteral("Name"), FieldSpec::Text, {}},
               {QStringLiteral("IsAct"), QStringLiteral("Active"), FieldSpec::Choice, kYesNoChoices}},
              1);
    auto* type = qobject_cast<QComboBox*>(field(QStringLiteral("Mst_Type")));
    connect(type, &QComboBox::currentIndexChanged, this, [this] {
        const QString caption = ProcessMaster::caption(listType());
        setWindowTitle(caption);
        if (auto* label = findChild<QLabel*>(QStringLiteral("lblCaption"))) label->setText(caption);
        refreshList();
    });
    setPrintAction([this] {
        previewReport(session_, messages_, products::processListReport(session_, listType(), listDate(session_)),
                      processListName(listType()).remove(QLatin1Char(' ')) + QStringLiteral("_List"), this);
    });
    finishLayout();
}

QChar ProcessScreen::listType() const {
    const QString name = values().value(QStringLiteral("Mst_Type")).toString();
    for (const auto& [letter, listName] : processListTypes())
        if (listName == name) return letter;
    return QLatin1Char('J');
}

qint64 ProcessScreen::save(const QVariantMap& values, QString* focusColumn) {
    auto entry = processFromValues(values, messages_);
    if (!entry) return 0;
    entry->id = currentKey();
    Refusal refusal;
    const auto id = lists_.save(*entry, &refusal);
    if (!id) {
        *focusColumn = refusal.field;
        return 0;
    }
    return *id;
}

bool ProcessScreen::remove(qint64 key) { return lists_.remove(key); }

void ProcessScreen::load(qint64 key) {
    const auto e = lists_.load(key);
    if (!e) return;
    setValue(QStringLiteral("Mst_Type"), processListName(e->listType));
    setValue(QStringLiteral("Pro_Name"), e->name);
    setValue(QStringLiteral("IsAct"), e->active ? QStringLiteral("Yes") : QStringLiteral("No"));
}

void ProcessScreen::refreshList() {
    std::vector<QStringList> rows;
    std::vector<qint64> keys;
    for (const ProcessEntry& e : lists_.list(listType())) {
        if (!nameStartsWith(e.name, findBox()->text())) continue;
        rows.push_back({e.name, e.active ? QStringLiteral("Yes") : QStringLiteral("No")});
        keys.push_back(e.id);
    }
    setListRows({QStringLiteral("Name"), QStringLiteral("Active")}, rows, keys);
}

// ---- Looms ----

MachineScreen::MachineScreen(Session& session, QWidget* parent, Messages* messages)
    : MasterForm(QStringLiteral("FrmAgent_Machine"), QStringLiteral("MACHINE MASTER"), session, parent, messages),
      machines_(*session.db, session, messages_) {
    addFields({{QStringLiteral("MachineName"), QStringLiteral("Machine No"), FieldSpec::Text, {}},
               {QStringLiteral("PannaNO"), QStringLiteral("Panna No"), FieldSpec::Number, {}},
               {QStringLiteral("Pattern"), QStringLiteral("Pattern"), FieldSpec::Text, {}},
               {QStringLiteral("IsActive"), QStringLiteral("Active"), FieldSpec::Choice, kYesNoChoices}},
              1);
    finishLayout();
}

void MachineScreen::prepareNew() { setValue(QStringLiteral("IsActive"), QStringLiteral("Yes")); }

qint64 MachineScreen::save(const QVariantMap& values, QString* focusColumn) {
    auto machine = machineFromValues(values, messages_);
    if (!machine) {
        *focusColumn = QStringLiteral("PannaNO");
        return 0;
    }
    machine->id = currentKey();
    Refusal refusal;
    const auto id = machines_.save(*machine, &refusal);
    if (!id) {
        *focusColumn = refusal.field;
        return 0;
    }
    return *id;
}

bool MachineScreen::remove(qint64 key) { return machines_.remove(key); }

void MachineScreen::load(qint64 key) {
    const auto m = machines_.load(key);
    if (!m) return;
    setValue(QStringLiteral("MachineName"), m->name);
    setValue(QStringLiteral("PannaNO"), m->panna.toString(2));
    setValue(QStringLiteral("Pattern"), m->pattern);
    setValue(QStringLiteral("IsActive"), m->active ? QStringLiteral("Yes") : QStringLiteral("No"));
}

void MachineScreen::refreshList() {
    std::vector<QStringList> rows;
    std::vector<qint64> keys;
    for (const Machine& m : machines_.list()) {
        if (!nameStartsWith(m.name, findBox()->text())) continue;
        rows.push_back({m.name, m.panna.toString(2), m.pattern, m.active ? QStringLiteral("Yes") : QStringLiteral("No")});
        keys.push_back(m.id);
    }
    setListRows({QStringLiteral("Machine No"), QStringLiteral("Panna"), QStringLiteral("Pattern"), QStringLiteral("Active")}, rows, keys);
}

}  // namespace tanabana::gui
