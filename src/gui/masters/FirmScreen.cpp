#include "gui/masters/FirmScreen.h"

#include "domain/shell/Installation.h"
#include "domain/shell/ListFiles.h"
#include "domain/shell/YearChoice.h"

#include <QGroupBox>
#include <QLineEdit>

namespace tanabana::gui {

namespace {


const QStringList& firmTypes() {
    static const QStringList types = {QStringLiteral("1. Proprietor"), QStringLiteral("2. Partnership"), QStringLiteral("3. Pvt.Ltd."), QStringLiteral("4. Limited"), QStringLiteral("5. LLP")};
    return types;
}

const QStringList& stockEntries() {
    static const QStringList entries = {QStringLiteral("0 No Calc"), QStringLiteral("1 From Taka Base"), QStringLiteral("2 From Issue Slip")};
    return entries;
}

FieldSpec check(const char* column, const char* caption) { return {QString::fromLatin1(column), QString::fromLatin1(caption), FieldSpec::Check, {}}; }

}  // namespace

const QStringList& softwareTypeNames() {
    static const QStringList names = {QStringLiteral("01 Single"),           QStringLiteral("02 Peroid Base"),          QStringLiteral("03 Single (Embro)"),
                                      QStringLiteral("04 Peroid Base (Embro)"), QStringLiteral("05 Single (Dyeing)"),      QStringLiteral("06 Peroid Base (Dyeing)"),
                                      QStringLiteral("07 Single (Bliching)"), QStringLiteral("08 Peroid Base (Bliching)"), QStringLiteral("09 Production")};
    return names;
}

FirmScreen::FirmScreen(Session& session, QWidget* parent, Messages* messages)
    : MasterForm(QStringLiteral("FrmFirm"), QStringLiteral("FIRM MASTER"), session, parent, messages), firms_(*session.db, session, messages_) {
    QStringList states{QString()};
    states << shell::readListFile(session.dataRoot, QStringLiteral("StateCodeN.txt"));
    addFields({{QStringLiteral("Srno"), QStringLiteral("Sr No"), FieldSpec::ReadOnly, {}},
               {QStringLiteral("PName"), QStringLiteral("Name"), FieldSpec::Text, {}},
               {QStringLiteral("Owner"), QStringLiteral("Owner"), FieldSpec::Text, {}},
               {QStringLiteral("Add1"), QStringLiteral("Full Address"), FieldSpec::Text, {}},
               {QStringLiteral("City"), QStringLiteral("City"), FieldSpec::EditableChoice, firms_.cities()},
               {QStringLiteral("CST"), QStringLiteral("State"), FieldSpec::Choice, states},
               {QStringLiteral("Tin"), QStringLiteral("GST No"), FieldSpec::Text, {}},
               {QStringLiteral("PanNO"), QStringLiteral("PAN No"), FieldSpec::Text, {}},
               {QStringLiteral("Ph"), QStringLiteral("Phone"), FieldSpec::Text, {}},
               {QStringLiteral("GodName"), QStringLiteral("Name of God"), FieldSpec::Text, {}},
               {QStringLiteral("BusinessType"), QStringLiteral("Business Type"), FieldSpec::Text, {}},
               {QStringLiteral("FirmType"), QStringLiteral("Firm Type"), FieldSpec::Choice, firmTypes()},
               {QStringLiteral("CrLimit"), QStringLiteral("Limit (Rs)"), FieldSpec::Number, {}},
               {QStringLiteral("BoxNO"), QStringLiteral("Box (S)"), FieldSpec::Number, {}},
               {QStringLiteral("StartDt"), QStringLiteral("A/c Year From"), FieldSpec::Date, {}},
               {QStringLiteral("ENdDt"), QStringLiteral("To"), FieldSpec::Date, {}},
               {QStringLiteral("BankName1"), QStringLiteral("Bank - 1"), FieldSpec::Text, {}},
               {QStringLiteral("BankAcno1"), QStringLiteral("A/c No - 1"), FieldSpec::Text, {}},
               {QStringLiteral("IFSC1"), QStringLiteral("IFSC - 1"), FieldSpec::Text, {}},
               {QStringLiteral("BankName2"), QStringLiteral("Bank - 2"), FieldSpec::Text, {}},
               {QStringLiteral("BankAcno2"), QStringLiteral("A/c No - 2"), FieldSpec::Text, {}},
               {QStringLiteral("Email_Add"), QStringLiteral("eMail"), FieldSpec::Text, {}},
               {QStringLiteral("EmailPassword"), QStringLiteral("eMail PassWord:"), FieldSpec::Password, {}},
               {QStringLiteral("Web_Add"), QStringLiteral("Web Site"), FieldSpec::Text, {}},
               {QStringLiteral("RCM_Limit"), QStringLiteral("RCM Free Limit"), FieldSpec::Number, {}},
               {QStringLiteral("FirmTcsP"), QStringLiteral("TCS %"), FieldSpec::Number, {}}});
    addFields({{QStringLiteral("Sal_Cond_1"), QStringLiteral("1"), FieldSpec::Text, {}},
               {QStringLiteral("Sal_Cond_2"), QStringLiteral("2"), FieldSpec::Text, {}},
               {QStringLiteral("Sal_Cond_3"), QStringLiteral("3"), FieldSpec::Text, {}},
               {QStringLiteral("Sal_Cond_4"), QStringLiteral("4"), FieldSpec::Text, {}},
               {QStringLiteral("Sal_Cond_5"), QStringLiteral("5"), FieldSpec::Text, {}},
               {QStringLiteral("Sal_Cond_6"), QStringLiteral("6"), FieldSpec::Text, {}}},
              1, QStringLiteral("Terms && Conditions  :"));
    addFields({{QStringLiteral("Firm_PIN"), QStringLiteral("Pincode"), FieldSpec::Text, {}},
               {QStringLiteral("Taluka"), QStringLiteral("Eway bill User"), FieldSpec::Text, {}},
               {QStringLiteral("Firm_EwayAdd1"), QStringLiteral("Add1 (ewayBill)"), FieldSpec::Text, {}},
               {QStringLiteral("dist"), QStringLiteral("PassWord:"), FieldSpec::Password, {}},
               {QStringLiteral("Firm_EwayAdd2"), QStringLiteral("Add2 (ewayBill)"), FieldSpec::Text, {}},
               check("Isact", "Is ebill Excel")},
              2, QStringLiteral("e-Way Bill"));
    addFields({check("AutoVatP", "Pur Rate Auto"), check("IsRateOn", "Is Rate On (Sales)"),
               check("Is_Sales_RndOff", "Bill Amount Round Of Sales"), check("Is_Pur_RndOff", "Bill Amount Round Off Purchase"),
               check("IsProdName_First_SAl", "Is Prod Name 1st Sales"), check("IsProdName_First_Pur", "Is Prod Name 1st Purchase"),
               check("Is_Brok_S", "Is Broker"), check("Is_Crd_S", "Is Cr. Days"), check("Is_ChNo_S", "Is Challan No"),
               check("Is_Deli_S", "Is Deli. Party"), check("Is_Cons_S", "Is Consignee"), check("Is_eway_S", "Is ewayBill"),
               check("Is_Desc_S", "Is Desc At end")},
              3, QStringLiteral("Sales and Purchase"));
    systemParameters_ = addFields(
        {{QStringLiteral("Soft_Type"), QStringLiteral("Software Type"), FieldSpec::Choice, softwareTypeNames()},
         {QStringLiteral("AutoConsumption"), QStringLiteral("Stock Entry"), FieldSpec::Choice, stockEntries()},
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
        2, QStringLiteral("System Param"));
    systemParameters_->setObjectName(QStringLiteral("Frame_SystemParam"));
    systemParameters_->hide();
    field(QStringLiteral("IsAvgPack"))->setToolTip(QStringLiteral("Use For Cut In item Master"));
    button(QStringLiteral("Cmd_Exit"))->setToolTip(QStringLiteral("F7 = All Update,F8 = 2019 Update"));
    setFindCaption(QStringLiteral("Name :"));
    setKeyHints(QStringLiteral("F10 = System Param"));
    connect(static_cast<QLineEdit*>(field(QStringLiteral("Tin"))), &QLineEdit::editingFinished, this, &FirmScreen::checkGstinOnLeaving);
    finishLayout();
}

void FirmScreen::checkGstinOnLeaving() {
    auto* box = static_cast<QLineEdit*>(field(QStringLiteral("Tin")));
    if (checking_ || box->text().trimmed().isEmpty()) return;
    checking_ = true;
    if (!firms_.checkGstin(box->text().trimmed(), values().value(QStringLiteral("CST")).toString())) {
        box->setFocus();
        box->selectAll();
    }
    checking_ = false;
}

void FirmScreen::prepareNew() {
    setValue(QStringLiteral("StartDt"), session_.yearStartDate);
    setValue(QStringLiteral("ENdDt"), session_.yearEndDate);
    for (const char* on : {"Is_Sales_RndOff", "Is_Pur_RndOff", "Is_JV_Single"}) setValue(QString::fromLatin1(on), true);
}

bool FirmScreen::functionKey(int key) {
    if (key == Qt::Key_F7 || key == Qt::Key_F8) {
        // the structure upgrade: pending steps and the fix-ups every opening runs
        shell::prepareYearDatabase(*session_.db);
        messages_.information(QStringLiteral("Old Update"), QStringLiteral("All Files Are updated."));
        return true;
    }
    if (key != Qt::Key_F10) return false;
    systemParameters_->setVisible(!systemParameters_->isVisible());
    if (systemParameters_->isVisible()) focusField(QStringLiteral("Soft_Type"));
    return true;
}

qint64 FirmScreen::save(const QVariantMap& values, QString* focusColumn) {
    shell::Record firm = values;
    firm.insert(QStringLiteral("Srno"), currentKey());
    firm.insert(QStringLiteral("Soft_Type"), softwareTypeNames().indexOf(values.value(QStringLiteral("Soft_Type")).toString()) + 1);
    firm.insert(QStringLiteral("AutoConsumption"), std::max(0, int(stockEntries().indexOf(values.value(QStringLiteral("AutoConsumption")).toString()))));
    const qint64 srno = firms_.save(firm);
    if (srno == 0) *focusColumn = QStringLiteral("PName");
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
    setValue(QStringLiteral("Srno"), QString::number(key));
    setValue(QStringLiteral("Soft_Type"), softwareTypeNames().value(firm->value(QStringLiteral("Soft_Type")).toInt() - 1, softwareTypeNames().front()));
    setValue(QStringLiteral("AutoConsumption"), stockEntries().value(firm->value(QStringLiteral("AutoConsumption")).toInt(), stockEntries().front()));
}

void FirmScreen::refreshList() {
    std::vector<QStringList> rows;
    std::vector<qint64> keys;
    for (const shell::FirmRow& row : shell::listFirms(*session_.db)) {
        if (!row.name.startsWith(findBox()->text().trimmed(), Qt::CaseInsensitive)) continue;
        const auto firm = firms_.load(row.srno);
        rows.push_back({row.name, firm ? firm->value(QStringLiteral("Add1")).toString() : QString(), firm ? firm->value(QStringLiteral("City")).toString() : QString()});
        keys.push_back(row.srno);
    }
    setListRows({QStringLiteral("Name"), QStringLiteral("Address"), QStringLiteral("City")}, rows, keys);
}

}  // namespace tanabana::gui
