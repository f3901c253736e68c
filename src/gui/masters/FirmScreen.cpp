#include "gui/masters/FirmScreen.h"

#include "domain/shell/Installation.h"
#include "domain/shell/ListFiles.h"
#include "domain/shell/YearChoice.h"

#include <QGroupBox>
#include <QLineEdit>

namespace tanabana::gui {

namespace {

QString s(const char* text) { return QString::fromLatin1(text); }

const QStringList& firmTypes() {
    static const QStringList types = {s("1. Proprietor"), s("2. Partnership"), s("3. Pvt.Ltd."), s("4. Limited"), s("5. LLP")};
    return types;
}

const QStringList& stockEntries() {
    static const QStringList entries = {s("0 No Calc"), s("1 From Taka Base"), s("2 From Issue Slip")};
    return entries;
}

FieldSpec check(const char* column, const char* caption) { return {s(column), s(caption), FieldSpec::Check, {}}; }

}  // namespace

const QStringList& softwareTypeNames() {
    static const QStringList names = {s("01 Single"),           s("02 Peroid Base"),          s("03 Single (Embro)"),
                                      s("04 Peroid Base (Embro)"), s("05 Single (Dyeing)"),      s("06 Peroid Base (Dyeing)"),
                                      s("07 Single (Bliching)"), s("08 Peroid Base (Bliching)"), s("09 Production")};
    return names;
}

FirmScreen::FirmScreen(Session& session, QWidget* parent, Messages* messages)
    : MasterForm(s("FrmFirm"), s("FIRM MASTER"), session, parent, messages), firms_(*session.db, session, messages_) {
    QStringList states{QString()};
    states << shell::readListFile(session.dataRoot, s("StateCodeN.txt"));
    addFields({{s("Srno"), s("Sr No"), FieldSpec::ReadOnly, {}},
               {s("PName"), s("Name"), FieldSpec::Text, {}},
               {s("Owner"), s("Owner"), FieldSpec::Text, {}},
               {s("Add1"), s("Full Address"), FieldSpec::Text, {}},
               {s("City"), s("City"), FieldSpec::EditableChoice, firms_.cities()},
               {s("CST"), s("State"), FieldSpec::Choice, states},
               {s("Tin"), s("GST No"), FieldSpec::Text, {}},
               {s("PanNO"), s("PAN No"), FieldSpec::Text, {}},
               {s("Ph"), s("Phone"), FieldSpec::Text, {}},
               {s("GodName"), s("Name of God"), FieldSpec::Text, {}},
               {s("BusinessType"), s("Business Type"), FieldSpec::Text, {}},
               {s("FirmType"), s("Firm Type"), FieldSpec::Choice, firmTypes()},
               {s("CrLimit"), s("Limit (Rs)"), FieldSpec::Number, {}},
               {s("BoxNO"), s("Box (S)"), FieldSpec::Number, {}},
               {s("StartDt"), s("A/c Year From"), FieldSpec::Date, {}},
               {s("ENdDt"), s("To"), FieldSpec::Date, {}},
               {s("BankName1"), s("Bank - 1"), FieldSpec::Text, {}},
               {s("BankAcno1"), s("A/c No - 1"), FieldSpec::Text, {}},
               {s("IFSC1"), s("IFSC - 1"), FieldSpec::Text, {}},
               {s("BankName2"), s("Bank - 2"), FieldSpec::Text, {}},
               {s("BankAcno2"), s("A/c No - 2"), FieldSpec::Text, {}},
               {s("Email_Add"), s("eMail"), FieldSpec::Text, {}},
               {s("EmailPassword"), s("eMail PassWord:"), FieldSpec::Password, {}},
               {s("Web_Add"), s("Web Site"), FieldSpec::Text, {}},
               {s("RCM_Limit"), s("RCM Free Limit"), FieldSpec::Number, {}},
               {s("FirmTcsP"), s("TCS %"), FieldSpec::Number, {}}});
    addFields({{s("Sal_Cond_1"), s("1"), FieldSpec::Text, {}},
               {s("Sal_Cond_2"), s("2"), FieldSpec::Text, {}},
               {s("Sal_Cond_3"), s("3"), FieldSpec::Text, {}},
               {s("Sal_Cond_4"), s("4"), FieldSpec::Text, {}},
               {s("Sal_Cond_5"), s("5"), FieldSpec::Text, {}},
               {s("Sal_Cond_6"), s("6"), FieldSpec::Text, {}}},
              1, s("Terms && Conditions  :"));
    addFields({{s("Firm_PIN"), s("Pincode"), FieldSpec::Text, {}},
               {s("Taluka"), s("Eway bill User"), FieldSpec::Text, {}},
               {s("Firm_EwayAdd1"), s("Add1 (ewayBill)"), FieldSpec::Text, {}},
               {s("dist"), s("PassWord:"), FieldSpec::Password, {}},
               {s("Firm_EwayAdd2"), s("Add2 (ewayBill)"), FieldSpec::Text, {}},
               check("Isact", "Is ebill Excel")},
              2, s("e-Way Bill"));
    addFields({check("AutoVatP", "Pur Rate Auto"), check("IsRateOn", "Is Rate On (Sales)"),
               check("Is_Sales_RndOff", "Bill Amount Round Of Sales"), check("Is_Pur_RndOff", "Bill Amount Round Off Purchase"),
               check("IsProdName_First_SAl", "Is Prod Name 1st Sales"), check("IsProdName_First_Pur", "Is Prod Name 1st Purchase"),
               check("Is_Brok_S", "Is Broker"), check("Is_Crd_S", "Is Cr. Days"), check("Is_ChNo_S", "Is Challan No"),
               check("Is_Deli_S", "Is Deli. Party"), check("Is_Cons_S", "Is Consignee"), check("Is_eway_S", "Is ewayBill"),
               check("Is_Desc_S", "Is Desc At end")},
              3, s("Sales and Purchase"));
    systemParameters_ = addFields(
        {{s("Soft_Type"), s("Software Type"), FieldSpec::Choice, softwareTypeNames()},
         {s("AutoConsumption"), s("Stock Entry"), FieldSpec::Choice, stockEntries()},
         check("Is_Prod_Sno", "Product Auto Srno"), check("IsAvgPack", "No CUT From Item Master"),
         check("IsChLock", "Is Challan Lock"), check("IsInvLock", "Is Inventory Lock"),
         check("IsFinRptLock", "Is Fincance Report Lock"), check("IsGSTRepLocK", "Is GST Report Lock"),
         check("IsSRetAdjust", "Is Ret. Adjust (Outstanding)"), check("IsImgPrn", "Desc/Qnty Focus (Challan)"),
         check("IsMILL", "Is Mill"), check("Is_Cl1", "Is Item Clear Sal-Pur"), check("Is_Cl2", "Is 1st Bank Clear"),
         check("Is_Cl3", "Is Party Clear In Bank"), check("Is_Ch_Q_Sum", "Is Ch. To Sal - Qlty Summary"),
         check("Is_Desc_Tot", "Is Desc as Total in Sales"), check("Is_JobP_Bill", "Is Inv From JW"),
         check("Is_JP_Direct", "Is Dyeing Job Issue Direct"), check("ISRep_Color", "Is Color Report"),
         check("ISCh_Reconsil", "Is Challan Reconsil"), check("ISCh_TakaBase", "Is Challan Taka Base Entry"),
         check("IS_FoldSystem", "Is Fold System"), check("IS_PcsOnly", "Only Pcs Base"), check("Is_JV_Single", "Is JV Multi Entry"),
         check("Firm_IsComp_Tax", "Is Composition Tax"), check("Is_Turnover_5Cr", "Turnover Above 5 Cr (6 Digit HSN)")},
        2, s("System Param"));
    systemParameters_->setObjectName(s("Frame_SystemParam"));
    systemParameters_->hide();
    field(s("IsAvgPack"))->setToolTip(s("Use For Cut In item Master"));
    button(s("Cmd_Exit"))->setToolTip(s("F7 = All Update,F8 = 2019 Update"));
    setFindCaption(s("Name :"));
    setKeyHints(s("F10 = System Param"));
    connect(static_cast<QLineEdit*>(field(s("Tin"))), &QLineEdit::editingFinished, this, &FirmScreen::checkGstinOnLeaving);
    finishLayout();
}

void FirmScreen::checkGstinOnLeaving() {
    auto* box = static_cast<QLineEdit*>(field(s("Tin")));
    if (checking_ || box->text().trimmed().isEmpty()) return;
    checking_ = true;
    if (!firms_.checkGstin(box->text().trimmed(), values().value(s("CST")).toString())) {
        box->setFocus();
        box->selectAll();
    }
    checking_ = false;
}

void FirmScreen::prepareNew() {
    setValue(s("StartDt"), session_.yearStartDate);
    setValue(s("ENdDt"), session_.yearEndDate);
    for (const char* on : {"Is_Sales_RndOff", "Is_Pur_RndOff", "Is_JV_Single"}) setValue(s(on), true);
}

bool FirmScreen::functionKey(int key) {
    if (key == Qt::Key_F7 || key == Qt::Key_F8) {
        // the structure upgrade: pending steps and the fix-ups every opening runs
        shell::prepareYearDatabase(*session_.db);
        messages_.information(s("Old Update"), s("All Files Are updated."));
        return true;
    }
    if (key != Qt::Key_F10) return false;
    systemParameters_->setVisible(!systemParameters_->isVisible());
    if (systemParameters_->isVisible()) focusField(s("Soft_Type"));
    return true;
}

qint64 FirmScreen::save(const QVariantMap& values, QString* focusColumn) {
    shell::Record firm = values;
    firm.insert(s("Srno"), currentKey());
    firm.insert(s("Soft_Type"), softwareTypeNames().indexOf(values.value(s("Soft_Type")).toString()) + 1);
    firm.insert(s("AutoConsumption"), std::max(0, int(stockEntries().indexOf(values.value(s("AutoConsumption")).toString()))));
    const qint64 srno = firms_.save(firm);
    if (srno == 0) *focusColumn = s("PName");
    return srno;
}

bool FirmScreen::remove(qint64 key) { return firms_.remove(key); }

void FirmScreen::load(qint64 key) {
    const auto firm = firms_.load(key);
    if (!firm) return;
    for (auto it = firm->cbegin(); it != firm->cend(); ++it) {
        if (!field(it.key())) continue;
        const QVariant v = it.value();
        setValue(it.key(), v.typeId() == QMetaType::Double ? QVariant(exactText(v.toDouble())) : v);
    }
    setValue(s("Srno"), QString::number(key));
    setValue(s("Soft_Type"), softwareTypeNames().value(firm->value(s("Soft_Type")).toInt() - 1, softwareTypeNames().front()));
    setValue(s("AutoConsumption"), stockEntries().value(firm->value(s("AutoConsumption")).toInt(), stockEntries().front()));
}

void FirmScreen::refreshList() {
    std::vector<QStringList> rows;
    std::vector<qint64> keys;
    for (const shell::FirmRow& row : shell::listFirms(*session_.db)) {
        if (!row.name.startsWith(findBox()->text().trimmed(), Qt::CaseInsensitive)) continue;
        const auto firm = firms_.load(row.srno);
        rows.push_back({row.name, firm ? firm->value(s("Add1")).toString() : QString(), firm ? firm->value(s("City")).toString() : QString()});
        keys.push_back(row.srno);
    }
    setListRows({s("Name"), s("Address"), s("City")}, rows, keys);
}

}  // namespace tanabana::gui
