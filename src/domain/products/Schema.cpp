#include "domain/products/Schema.h"

namespace tanabana::products {

using namespace db;

const TableDef& prodMstTable() {
    static const TableDef table{
        QStringLiteral("ProdMst"),
        {longCol(QStringLiteral("Id")), textCol(QStringLiteral("ProdCode"), 20), textCol(QStringLiteral("ProdName"), 100),
         textCol(QStringLiteral("P1"), 100), textCol(QStringLiteral("ProdGrp"), 50), textCol(QStringLiteral("ProdSubGrp"), 50),
         textCol(QStringLiteral("StkType"), 1), textCol(QStringLiteral("UNit"), 6), doubleCol(QStringLiteral("RAteR")),
         doubleCol(QStringLiteral("Ratew")), doubleCol(QStringLiteral("PurRAte")), doubleCol(QStringLiteral("OPSt")),
         doubleCol(QStringLiteral("OPStock1")), doubleCol(QStringLiteral("OpAmt")), doubleCol(QStringLiteral("Loose")),
         doubleCol(QStringLiteral("Vat")), doubleCol(QStringLiteral("AddTax")), doubleCol(QStringLiteral("VatCalc")),
         textCol(QStringLiteral("hsnCode"), 20), textCol(QStringLiteral("LicenceNo"), 100), textCol(QStringLiteral("UQM"), 30),
         doubleCol(QStringLiteral("Pack")), doubleCol(QStringLiteral("BoxPack")), doubleCol(QStringLiteral("Mrp")),
         doubleCol(QStringLiteral("ROLMin")), doubleCol(QStringLiteral("ROLMax")), textCol(QStringLiteral("Notes"), 255),
         yesNoCol(QStringLiteral("IsActive")), yesNoCol(QStringLiteral("RateUpdate")), intCol(QStringLiteral("CalcOn")),
         yesNoCol(QStringLiteral("Is_NoStk")), intCol(QStringLiteral("MrpDisc")), textCol(QStringLiteral("ProdNameG"), 100),
         textCol(QStringLiteral("Photo1"), 255), longCol(QStringLiteral("FirmNO")), yesNoCol(QStringLiteral("Is_Upload")),
         yesNoCol(QStringLiteral("Is_Tmp")), yesNoCol(QStringLiteral("IsNewPro"))},
        {QStringLiteral("Id")},
        {{QStringLiteral("ProdMst_FirmCode"), {QStringLiteral("FirmNO"), QStringLiteral("ProdCode")}, false},
         {QStringLiteral("ProdMst_FirmName"), {QStringLiteral("FirmNO"), QStringLiteral("ProdName")}, false}}};
    return table;
}

const TableDef& brokerMstTable() {
    static const TableDef table{
        QStringLiteral("BrokerMst"),
        {longCol(QStringLiteral("Srno")), textCol(QStringLiteral("PName"), 100), textCol(QStringLiteral("Add1"), 255),
         textCol(QStringLiteral("City"), 50), textCol(QStringLiteral("Taluka"), 50), textCol(QStringLiteral("dist"), 50),
         textCol(QStringLiteral("Tin"), 20), doubleCol(QStringLiteral("CST")), textCol(QStringLiteral("Ph"), 50),
         textCol(QStringLiteral("PType"), 1), longCol(QStringLiteral("FirmNO"))},
        {QStringLiteral("Srno")},
        {{QStringLiteral("BrokerMst_FirmName"), {QStringLiteral("FirmNO"), QStringLiteral("PName")}, false}}};
    return table;
}

const TableDef& prodVatMstTable() {
    static const TableDef table{QStringLiteral("ProdVatMst"),
                                {longCol(QStringLiteral("Id")), textCol(QStringLiteral("Notes"), 255)},
                                {QStringLiteral("Id")},
                                {}};
    return table;
}

std::vector<TableDef> productTables() { return {prodMstTable(), brokerMstTable(), prodVatMstTable()}; }

std::vector<MigrationStep> productsSteps() {
    return {{QStringLiteral("products/001-items-brokers-remarks"), [](Database& db) {
                 for (const TableDef& t : productTables()) createTable(db, t);
             }}};
}

}  // namespace tanabana::products
