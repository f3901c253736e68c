#include "domain/shell/MenuTree.h"

#include "core/Rights.h"
#include "domain/shell/FirmSettings.h"

#include <QHash>
#include <QStringList>
#include <functional>

namespace tanabana::shell {

namespace {

using Menu = std::vector<MenuCommand>;

MenuCommand cmd(const char* name, const char* caption, const char* right = "", Menu children = {}) {
    return MenuCommand{QString::fromLatin1(name), QString::fromLatin1(caption), QString::fromLatin1(right), std::move(children)};
}

Menu userMenu() {
    return {cmd("mnu_User_New", "1. New User", "U1"),     cmd("mnu_User_Password", "2. Change PassWord", "U2"),
            cmd("mnu_MstFirmSelect", "3. Firm Select"),   cmd("mnu_mstYearSelect", "4. Year Select"),
            cmd("mnu_MstCalc", "5. Calc"),                cmd("mnu_Mst_U6", "6. Folder Select"),
            cmd("mnu_Mst_U7", "Button Pannel"),           cmd("mnu_mstExit", "0. Exit && email Backup")};
}

Menu masterMenu() {
    return {cmd("Mnu_M1", "1. Account Master", "Mst1"), cmd("Mnu_M2", "2. Item Master", "Mst2"),
            cmd("Mnu_M3", "3. Broker", "Mst3"),         cmd("Mnu_M4", "4. Job Process", "Mst4"),
            cmd("Mnu_M5", "5. Machine Master", "Mst5"), cmd("Mnu_M6", "6. Consumption Master", "Mst6")};
}

Menu transactionMenu() {
    return {cmd("mnu_T1", "1. Sales", "T1",
                {cmd("mnu_T11", "1. Chalan", "TS1"), cmd("mnu_T12", "2. Sales", "TS2"), cmd("mnu_T13", "3. Sales Return", "TS3")}),
            cmd("mnu_T2", "2. Purchase", "T2",
                {cmd("mnu_T21", "1. Purchase", "TP1"), cmd("mnu_T22", "2. Purchase Return", "TP2"),
                 cmd("mnu_T23", "3. General Expences", "TP3"), cmd("mnu_T24", "4. General Expences (Multi Product)", "TP4"),
                 cmd("mnu_T25", "5. Purchase Chalan")}),
            cmd("mnu_T3", "3. Debit Note", "T3"),
            cmd("mnu_T4", "4. Credit Note", "T4"),
            cmd("mnu_T5", "5. Op. Balance", "T5"),
            cmd("mnu_TranExit", "0. Exit")};
}

Menu accountMenu() {
    return {cmd("mnu_A1", "1. Cash Payment", "A1"),
            cmd("mnu_A2", "2. Cash Receipt", "A2"),
            cmd("mnu_A3", "3. Bank Payment", "A3"),
            cmd("mnu_A4", "4. Bank Receipt", "A4"),
            cmd("mnu_A5", "5. Journal Entry (J.V.)", "A5",
                {cmd("mnu_A51", "1. Bill Base", "A51"), cmd("mnu_A52", "2. Bill Base Multi", "A52"), cmd("mnu_A53", "3. General", "A53")}),
            cmd("mnu_A6", "6. Bank Reconsilation", "A6"),
            cmd("mnu_A7", "7. Cash Payment (Auto)", "A7"),
            cmd("mnu_AccExit", "0. Exit")};
}

Menu reportsMenu() {
    return {
        cmd("mnu_rep1", "1. Stock", "R1",
            {cmd("mnu_rep11", "1. Register Summary", "R11"), cmd("mnu_rep12", "2. Statement", "R12"),
             cmd("mnu_rep13", "3. Register", "R13"), cmd("mnu_rep14", "4. Register - GroupWise", "R14"),
             cmd("mnu_rep15", "5. With Jobwork", "R15"), cmd("mnu_rep16", "6. Where Is Each Taka")}),
        cmd("mnu_rep2", "2. Register", "R2",
            {cmd("mnu_R21", "1. Bank Book", "R21"), cmd("mnu_R22", "2. Cash Book", "R22"), cmd("mnu_R23", "3. Journal Book", "R23"),
             cmd("mnu_R24", "4. Day Book", "R24"), cmd("mnu_R25", "5. General Expenses", "R25"),
             cmd("mnu_R26", "6. A/c Voucher Book", "R26"), cmd("mnu_R27", "7.T.D.S. / T.C.S. Register", "R27"),
             cmd("mnu_R28", "8. Credit / Debit Note Register", "R28"), cmd("mnu_R29", "9. Brokerage Register", "R29")}),
        cmd("mnu_rep3", "3. Purchase", "R3",
            {cmd("mnu_R31", "1. Bill Wise Register", "R31"), cmd("mnu_R32", "2. Bill Wise Summary", "R32"),
             cmd("mnu_R33", "3. Item Wise Summary", "R33"), cmd("mnu_R34", "4. Monthly summary", "R34"),
             cmd("mnu_R35", "5. Chalan Register")}),
        cmd("mnu_rep4", "4. Sales", "R4",
            {cmd("mnu_R41", "1. Bill Wise Register", "R41"), cmd("mnu_R42", "2. Bill Wise Summary", "R42"),
             cmd("mnu_R43", "3. Item Wise Summary", "R43"), cmd("mnu_R44", "4. Monthly Summary", "R44"),
             cmd("mnu_R45", "5. Challan Print", "R45"), cmd("mnu_R46", "6. Invoice Print", "R46")}),
        cmd("mnu_rep5", "5. OutStanding", "R5",
            {cmd("mnu_R51", "1. Sales", "R51"), cmd("mnu_R52", "2. Purchase", "R52"), cmd("mnu_R53", "3. Aiging Register", "R53"),
             cmd("mnu_R54", "4. Interest Calculation", "R54"), cmd("mnu_R55", "5. Sales Outstanding Vs Ledger", "R55"),
             cmd("mnu_R56", "6. Bill Wise Outstanding")}),
        cmd("mnu_rep6", "6. GST Register", "R6",
            {cmd("mnu_R61", "1. GSTR - 1", "R61"), cmd("mnu_R62", "2. GSTR - 2", "R62"), cmd("mnu_R63", "3. GSTR - 3B", "R63"),
             cmd("mnu_R64", "4. ITC-04", "R64"), cmd("mnu_R65", "5. GSTR- 9", "R65"), cmd("mnu_R612", "12. GSTR - Set Off", "R66"),
             cmd("mnu_R613", "13. GSTR - 2 && 2A (Matching)", "R66"), cmd("mnu_R614", "14. GST Reconsilation", "R66")}),
        cmd("mnu_rep7", "7. Account", "R7",
            {cmd("mnu_R71", "1. Ledger Head Print", "R71"), cmd("mnu_R72", "2. Ledger", "R72"),
             cmd("mnu_R73", "3. Ledger (Multi)", "R73"), cmd("mnu_R74", "4. Ledger (Month wise)", "R74"),
             cmd("mnu_R75", "5. Interest Calculation", "R75"), cmd("mnu_R76", "6. Payable/Receivable", "R76"),
             cmd("Mnu_Rep_AccBankSlip", "7. Bank Slip Print"), cmd("mnu_R77", "7. Trial Balance", "R77"),
             cmd("mnu_R78", "8. Trial Balance Detail", "R78"), cmd("mnu_R79", "9. Trading Account", "R79"),
             cmd("mnu_R710", "10. Profit And Loss", "R710"), cmd("mnu_R711", "11. Balance Sheet", "R711"),
             cmd("mnu_R712", "12. Balance Sheet (SCHEDULE)", "R712"), cmd("mnu_R713", "13. Balance Sheet Bet Date", "R713")}),
        cmd("mnu_rep8", "8. Chalan Sales", "R8",
            {cmd("mnu_R81", "1. Challan Wise Register", "R81"), cmd("mnu_R82", "2. Item Wise Summary", "R82"),
             cmd("mnu_R83", "3. Challan wise Detail Register", "R83"), cmd("mnu_R84", "4. Party Wise Challan Summary", "R84"),
             cmd("mnu_R85", "5. Party + Quality wise Challan Summary", "R85"),
             cmd("mnu_R86", "6. Pending Challan Summary", "R86")})};
}

Menu jobWorkMenu() {
    return {cmd("mnu_I1", "1. Issue (Work Dispatch)", "J1"),
            cmd("mnu_I2", "2. Receive (Work Receive)", "J2"),
            cmd("mnu_I3", "3. Issue To Mill", "J3"),
            cmd("mnu_I4", "4. Receive From Mill", "J4"),
            cmd("mnu_I5", "5. Job Process Receive (Inward Challan)", "J5"),
            cmd("mnu_I6", "6. Job Process Issue (Outward Challan)", "J6"),
            cmd("mnu_I7", "7. Register", "J7",
                {cmd("mnu_I71", "1. Issue (Work Dispatch)  Register", "J71"),
                 cmd("mnu_I72", "2. Receive (Work Receive) Register", "J72"),
                 cmd("mnu_I73", "3. Job  (Work Dispatch) Pending Register", "J73"),
                 cmd("mnu_I74", "4. Mill Issue Register", "J74"), cmd("mnu_I75", "5. Mill Receive Register", "J75"),
                 cmd("mnu_I76", "6. Mill Taka Pendind Register", "J76"),
                 cmd("mnu_I77", "7. Job Process Receive (Inward Challan) Register", "J77"),
                 cmd("mnu_I78", "8. Job Process Issue (Outward Challan)", "J78"),
                 cmd("mnu_I79", "9. Job Process (Inward Challan) Pending Register", "J79")})};
}

Menu inventoryMenu() {
    return {cmd("mnu_Inv1", "1. Stock Issue", "I1"), cmd("mnu_Inv2", "2. Stock Receive", "I2"),
            cmd("mnu_Inv3", "3. Register", "I3"), cmd("mnu_Inv4", "4. Machine Issue Slip", "M1"),
            cmd("mnu_Inv5", "5. Machine Order Receive", "M2")};
}

Menu productionMenu() {
    return {cmd("mnu_Prod1", "1. Production Entry", "M3"), cmd("mnu_Prod2", "2. Taka To Pcs Cutting", "M4"),
            cmd("mnu_Prod3", "3. Stock Register", "Mst7")};
}

Menu utilityMenu() {
    return {
        cmd("mnu_Y1", "1. Firm", "Y1"),
        cmd("mnu_Y2", "2. Book", "Y2",
            {cmd("mnu_Y21", "1. Sales And Purchase", "UB1"), cmd("mnu_Y22", "2. Cash And Bank", "UB2"),
             cmd("mnu_Y23", "3. Function Key", "UB3"), cmd("mnu_Y24", "4. Group Master", "UB4")}),
        cmd("mnu_Y3", "3. Transfer Utility", "Y3",
            {cmd("mnu_Y31", "1. Merge", "UT1"), cmd("mnu_Y32", "2. Price List", "UT2"), cmd("mnu_Y33", "3. A/c Bill Check", "UT3"),
             cmd("mnu_Y34", "4. Sales Bill Missing", "UT4"), cmd("mnu_Y35", "5. Reset Voucher Srno", "UT5"),
             cmd("mnu_Y36", "6. Reminder", "UT6"), cmd("mnu_Y37", "7. Back up", "UT7"), cmd("mnu_Y38", "8. Report Master", "UT8"),
             cmd("mnu_Y39", "9.  Other")}),
        cmd("mnu_Y4", "4. Outstanding (Last Year)", "Y4", {cmd("mnu_Y41", "1. Purchase", "Y41"), cmd("mnu_Y42", "2. Sales", "Y42")}),
        cmd("mnu_Y5", "5. Year", "Y5", {cmd("mnu_Y51", "1. Year End (audit)", "Y51"), cmd("mnu_Y52", "2. Create New Year", "Y52")}),
        cmd("mnu_Y6", "6. Transfer To Next Year", "Y6",
            {cmd("mnu_Y61", "1. Closing Balance", "Y61"), cmd("mnu_Y62", "2. Closing Quantity", "Y62"),
             cmd("mnu_Y63", "3. Pending Bill", "Y63",
                 {cmd("mnu_Y631", "1. Sales"), cmd("mnu_Y632", "2. Purchase"), cmd("mnu_Y633", "3. General Exp."),
                  cmd("mnu_Y634", "4. Mill Receive Outstanding"), cmd("mnu_Y635", "5. Mill Pending Taka"),
                  cmd("mnu_Y636", "6. Market Receive Outstanding"), cmd("mnu_Y637", "7. Market Pending Mtrs"),
                  cmd("mnu_Utl_638", "8. Job Process Pending"), cmd("mnu_Utl_639", "9. Job (Work Dispatch) Pending")}),
             cmd("mnu_Y64", "4. Pending Taka")}),
        cmd("mnu_Y7", "7. Delete Previous Year", "Y7",
            {cmd("mnu_Y71", "1. Op. Balance", "Y71"), cmd("mnu_Y72", "2. Op. Quantity", "Y72"),
             cmd("mnu_Y73", "3. Pending Bill", "Y73",
                 {cmd("mnu_Y731", "1. Sales"), cmd("mnu_Y732", "2. Purchase"), cmd("mnu_Y733", "3. General Exp."),
                  cmd("mnu_Y734", "4. Mill Receive"), cmd("mnu_Y735", "5. Mill Pending Taka"),
                  cmd("mnu_Utl_736", "6. Job Process Pending"), cmd("mnu_Utl_737", "7. Job (Work Dispatch) Pending")}),
             cmd("mnu_Y74", "4. Pending Taka")}),
        cmd("mnu_Y8", "Mobile App. Synchronize", "Y8")};
}

struct Placement {
    const MenuCommand* command;
    QString parent;
};

const QHash<QString, Placement>& placements() {
    static const QHash<QString, Placement> all = [] {
        QHash<QString, Placement> map;
        std::function<void(const Menu&, const QString&)> walk = [&](const Menu& menu, const QString& parent) {
            for (const MenuCommand& c : menu) {
                map.insert(c.name, Placement{&c, parent});
                walk(c.children, c.name);
            }
        };
        walk(menuTree(), QString());
        return map;
    }();
    return all;
}

}  // namespace

const std::vector<MenuCommand>& menuTree() {
    static const Menu tree{cmd("mnu_User", "&User", "", userMenu()),
                           cmd("mnu_Mst", "&Master", "", masterMenu()),
                           cmd("mnu_tran", "&Transaction", "", transactionMenu()),
                           cmd("mnu_account", "&Account", "", accountMenu()),
                           cmd("mnu_rep", "&Reports", "", reportsMenu()),
                           cmd("mnu_InvJOb", "&Job Work", "", jobWorkMenu()),
                           cmd("mnu_Inv", "&Inventory", "", inventoryMenu()),
                           cmd("mnu_Prod", "&Production", "", productionMenu()),
                           cmd("Mnu_Uti", "Utilit&y", "", utilityMenu()),
                           cmd("mnuHelp", "A&bout Us"),
                           cmd("mnuHelp1", "&Online Update")};
    return tree;
}

const MenuCommand* findCommand(const QString& name) {
    const auto found = placements().constFind(name);
    return found == placements().constEnd() ? nullptr : found->command;
}

QStringList commandPath(const QString& name) {
    QStringList path;
    for (QString parent = placements().value(name).parent; !parent.isEmpty(); parent = placements().value(parent).parent)
        path.prepend(parent);
    return path;
}

bool commandAllowed(const Session& session, const QString& name) {
    if (!findCommand(name)) return false;
    for (QString at = name; !at.isEmpty(); at = placements().value(at).parent)
        if (!hasRight(session, placements().value(at).command->right)) return false;
    return true;
}

CommandLook commandLook(const Session& session, const MenuCommand& command, bool nextYearExists) {
    const FirmSettings firm(session);
    const bool firmOpen = session.firmNo > 0;
    CommandLook look{command.caption, true, true};
    const QString& n = command.name;
    auto is = [&n](const char* name) { return n == QLatin1String(name); };
    if (is("mnu_Mst_U6")) look.visible = session.folderMode;
    if (firm.challanLock()) {
        if (is("mnu_T11") || is("mnu_R45") || is("mnu_rep8")) look.visible = false;
        if (is("mnu_T12")) look.caption = QStringLiteral("1. Sales");
        if (is("mnu_T13")) look.caption = QStringLiteral("2. Sales Return");
    }
    if (firm.gstReportLock()) {
        if (is("mnu_rep6")) look.visible = false;
        if (is("mnu_rep7")) look.caption = QStringLiteral("5. Account");
    }
    if (firm.inventoryLock() && is("mnu_Inv")) look.visible = false;
    if (firm.financeReportLock() && is("mnu_rep7")) look.visible = false;
    if (firm.production()) {
        if (is("mnu_I3")) look.caption = QStringLiteral("3. Issue to Jobwork");
        if (is("mnu_I4")) look.caption = QStringLiteral("4. Receive From Jobwork");
    } else if (firmOpen && is("mnu_Prod")) {
        look.visible = false;  // the looms' production belongs to production firms only
    }
    if (is("mnu_Y51") && firmOpen)
        look.caption = firm.yearClosed() ? QStringLiteral("1. Year End Process Cancel ") : QStringLiteral("1. Year End Process");
    if (is("mnu_Y6")) look.enabled = nextYearExists;
    return look;
}

QString dashboardCommand(const QString& buttonName) {
    static const QHash<QString, QString> commands{
        {QStringLiteral("Sales"), QStringLiteral("mnu_T12")},          {QStringLiteral("Chalan"), QStringLiteral("mnu_T11")},
        {QStringLiteral("Purchase"), QStringLiteral("mnu_T21")},       {QStringLiteral("Bank Payment"), QStringLiteral("mnu_A3")},
        {QStringLiteral("Bank Receipt"), QStringLiteral("mnu_A4")},    {QStringLiteral("Ledger"), QStringLiteral("mnu_R72")},
        {QStringLiteral("Job Issue"), QStringLiteral("mnu_I6")},       {QStringLiteral("Job Receive"), QStringLiteral("mnu_I5")},
        {QStringLiteral("Mill Issue"), QStringLiteral("mnu_I3")},      {QStringLiteral("Mill Receive"), QStringLiteral("mnu_I4")},
        {QStringLiteral("Work Issue"), QStringLiteral("mnu_I1")},      {QStringLiteral("Work Receive"), QStringLiteral("mnu_I2")},
        {QStringLiteral("Outsand Sales"), QStringLiteral("mnu_R51")},  {QStringLiteral("Outsand Purchase"), QStringLiteral("mnu_R52")},
        {QStringLiteral("Pay/Rec List"), QStringLiteral("mnu_R76")},   {QStringLiteral("Account Master"), QStringLiteral("Mnu_M1")},
        {QStringLiteral("Item Master"), QStringLiteral("Mnu_M2")}};
    return commands.value(buttonName.trimmed());
}

QString readableCaption(const QString& caption) {
    QString text;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        text += caption.at(i);
    }
    return text;
}

}  // namespace tanabana::shell
