#include "gui/reports/StockScreens.h"

#include "domain/products/Common.h"
#include "domain/reports/SellingRegisters.h"
#include "domain/stock/ProductionStock.h"
#include "domain/stock/StockStatements.h"
#include "domain/stock/TakaTrail.h"
#include "domain/reports/ReportError.h"
#include "gui/common/FormFields.h"
#include "gui/trade/RegisterDocuments.h"
#include "gui/shell/Commands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace tanabana::gui {

namespace {

const reports::RegisterDefinition* kindOf(const QString& command, bool rapier) {
    for (const reports::RegisterDefinition& d : stock::stockRegisters())
        if (d.command == command && stock::optionsOf(d).rapier == rapier) return &d;
    return nullptr;
}

QCheckBox* tickBox(const QString& name, const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

// A typed taka number; refused (the register is not run) when it is not a whole number.
qint64 wholeNumber(QLineEdit* field, const QString& what) {
    const QString text = field->text().trimmed();
    if (text.isEmpty()) return 0;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0) throw reports::ReportError(QStringLiteral("%1 takes a whole number: %2 is not one.").arg(what, text));
    return value;
}

}  // namespace

RegisterForm* stockStatementScreen(db::Database& year, Session& session, Messages& messages, const QString& command) {
    const bool rapier = products::firmSetting(session, QStringLiteral("Soft_Type")).toInt() == 9;
    const reports::RegisterDefinition* kind = kindOf(command, rapier);
    Q_ASSERT(kind);
    const stock::StatementOptions base = stock::optionsOf(*kind);
    auto* form = new RegisterForm(year, session, messages, {kind});
    form->setObjectName(QStringLiteral("FrmRep_Stockstatement_") + command);
    form->setWindowTitle(kind->title);
    QHBoxLayout* bar = form->optionsBar();

    auto* rate = new QComboBox(form);
    rate->setObjectName(QStringLiteral("ComRate"));
    rate->addItems({QStringLiteral("Pur Rate"), QStringLiteral("Sal Rate")});
    auto* unit = new QComboBox(form);
    unit->setObjectName(QStringLiteral("ComUnit"));
    unit->addItems({QStringLiteral("Qty"), QStringLiteral("Nos")});
    auto* group = new QComboBox(form);
    group->setObjectName(QStringLiteral("txtGroup"));
    group->setEditable(true);
    group->addItem(QString());
    group->addItems(stock::itemGroups(year, session.firmNo));
    group->setMinimumWidth(160);
    auto* zero = tickBox(QStringLiteral("ChkZero"), QStringLiteral("Zero Qty"), form);
    auto* grouping = tickBox(QStringLiteral("ChkGroup"), QStringLiteral("Grouping"), form);
    QLineEdit* subGroup = textBox(QStringLiteral("txtSubGrp"));
    QLineEdit* design = textBox(QStringLiteral("txtDesign"));
    const bool onDate = base.kind == stock::StatementKind::OnDate;
    if (onDate) {
        bar->addWidget(caption(QStringLiteral("Rate")));
        bar->addWidget(rate);
        bar->addWidget(caption(QStringLiteral("Count In")));
        bar->addWidget(unit);
    }
    bar->addWidget(caption(QStringLiteral("Item Group")));
    bar->addWidget(group);
    if (base.kind == stock::StatementKind::Between) {
        bar->addWidget(caption(rapier ? QStringLiteral("Design No") : QStringLiteral("Prod Sub Grp")));
        bar->addWidget(subGroup);
        bar->addWidget(caption(rapier ? QStringLiteral("Colour") : QStringLiteral("Design No")));
        bar->addWidget(design);
    } else {
        subGroup->hide();
        design->hide();
    }
    bar->addWidget(zero);
    if (onDate) bar->addWidget(grouping);
    else grouping->hide();
    if (!onDate) {
        rate->hide();
        unit->hide();
    }
    bar->addStretch(1);

    form->setDefinitionMaker([=](const reports::RegisterDefinition&) {
        stock::StatementOptions o = base;
        o.saleRate = rate->currentIndex() == 1;
        o.pieces = unit->currentIndex() == 1;
        o.zeroRows = zero->isChecked();
        o.grouped = grouping->isChecked();
        o.group = group->currentText().trimmed();
        o.subGroup = subGroup->text().trimmed();
        o.design = design->text().trimmed();
        return stock::stockStatement(o);
    });
    return form;
}

RegisterForm* takaTrailScreen(db::Database& year, Session& session, Messages& messages) {
    static const reports::RegisterDefinition every = stock::takaRegister();
    static const reports::RegisterDefinition atMill = stock::takaRegister({}, true);
    auto* form = new RegisterForm(year, session, messages, {&every, &atMill});
    form->setObjectName(QStringLiteral("FrmRep_TakaTrail"));
    auto* taka = textBox(QStringLiteral("txtTakaNo"));
    taka->setPlaceholderText(QStringLiteral("Taka number or its beginning"));
    form->optionsBar()->addWidget(caption(QStringLiteral("Taka No")));
    form->optionsBar()->addWidget(taka);
    form->optionsBar()->addStretch(1);
    QObject::connect(taka, &QLineEdit::returnPressed, form, [form] { form->refresh(); });
    form->setDefinitionMaker([taka](const reports::RegisterDefinition& kind) {
        return stock::takaRegister(taka->text().trimmed(), kind.kind == QLatin1String("At Mill"));
    });
    return form;
}

RegisterForm* productionStockScreen(db::Database& year, Session& session, Messages& messages) {
    static const reports::RegisterDefinition woven = stock::wovenStockRegister();
    std::vector<const reports::RegisterDefinition*> kinds = reports::registersOfCommand(QStringLiteral("mnu_Prod3"));
    kinds.push_back(&woven);
    auto* form = new RegisterForm(year, session, messages, kinds);
    QHBoxLayout* bar = form->optionsBar();
    QLineEdit* challan = textBox(QStringLiteral("txtChNo"));
    QLineEdit* machine = textBox(QStringLiteral("txtMcNo"));
    QLineEdit* takaFrom = textBox(QStringLiteral("txtTakaFrom"));
    QLineEdit* takaTo = textBox(QStringLiteral("txtTakaTo"));
    auto* state = new QComboBox(form);
    state->setObjectName(QStringLiteral("ComIssue"));
    for (stock::WovenState s : {stock::WovenState::Any, stock::WovenState::InGodown, stock::WovenState::Issued, stock::WovenState::Sent})
        state->addItem(stock::wovenStateText(s), int(s));
    std::vector<QWidget*> own;
    for (auto [text, field] : {std::pair<const char*, QWidget*>{"Ch No", challan}, {"Loom", machine}, {"Taka From", takaFrom},
                               {"To", takaTo}, {"Taka", state}}) {
        QLabel* label = caption(QString::fromLatin1(text));
        bar->addWidget(label);
        bar->addWidget(field);
        own.push_back(label);
        own.push_back(field);
    }
    bar->addStretch(1);
    auto* kind = form->findChild<QComboBox*>(QStringLiteral("ComType"));
    auto showOwn = [own, kind] {
        for (QWidget* w : own) w->setVisible(kind->currentText() == woven.kind);
    };
    QObject::connect(kind, &QComboBox::currentIndexChanged, form, showOwn);
    showOwn();
    form->setDefinitionMaker([=](const reports::RegisterDefinition& chosen) {
        if (chosen.name != woven.name) return chosen;
        stock::WovenFilter f;
        f.challanNo = challan->text();
        f.machine = machine->text();
        f.takaFrom = wholeNumber(takaFrom, QStringLiteral("Taka From"));
        f.takaTo = wholeNumber(takaTo, QStringLiteral("Taka To"));
        f.state = stock::WovenState(state->currentData().toInt());
        return stock::wovenStockRegister(f);
    });
    return form;
}

void registerStockVoucherCommands(CommandRegistry& registry);

void registerStockCommands(CommandRegistry& registry) {
    registerStockVoucherCommands(registry);
    for (const QString& command : {QStringLiteral("mnu_rep11"), QStringLiteral("mnu_rep12"), QStringLiteral("mnu_rep15")})
        registry.add(command, [command](CommandContext& c) {
            openScreen(c, [&](db::Database& year) { return stockStatementScreen(year, c.session, c.messages, command); });
        });
    registry.add(QStringLiteral("mnu_rep16"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return takaTrailScreen(year, c.session, c.messages); });
    });
    // Replaces the plain register of the command with the screen that also offers the design-wise stock.
    registry.add(QStringLiteral("mnu_Prod3"), [](CommandContext& c) {
        openScreen(c, [&](db::Database& year) { return opensDocuments(productionStockScreen(year, c.session, c.messages), c, year); });
    });
}

}  // namespace tanabana::gui
