#include "gui/stock/StockVoucherScreen.h"

#include "core/Words.h"
#include "domain/reports/ReportError.h"
#include "domain/stock/StockVoucherPrint.h"
#include "domain/trade/SalesLines.h"
#include "domain/shell/FirmSettings.h"
#include "gui/common/EntryKeys.h"
#include "gui/common/TypedFields.h"
#include "gui/shell/Commands.h"
#include "gui/trade/SellingLookups.h"
#include "gui/trade/TradePrinting.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace tanabana::gui {

namespace {

using stock::QualityWithStock;
using stock::VoucherKind;

const std::vector<StockVoucherVariant>& variants() {
    static const std::vector<StockVoucherVariant> all{
        {QStringLiteral("FrmIssue_Stock"), QStringLiteral("Stock Issue"), VoucherKind::Issue, false, false},
        {QStringLiteral("FrmIssue_StockR"), QStringLiteral("Stock Receive"), VoucherKind::Receipt, false, false},
        {QStringLiteral("FrmIssue_Stock_Rapier"), QStringLiteral("Stock Issue"), VoucherKind::Issue, true, false},
        {QStringLiteral("FrmIssue_StockR_Rapier"), QStringLiteral("Stock Receive"), VoucherKind::Receipt, true, false},
        {QStringLiteral("FrmIssue_StockR_Rapier_Single"), QStringLiteral("Stock Receive"), VoucherKind::Receipt, true, true}};
    return all;
}

bool startsWith(const QString& text, const QString& prefix) { return text.startsWith(prefix.trimmed(), Qt::CaseInsensitive); }

}  // namespace

StockVoucherVariant stockVoucherVariant(const QString& name) {
    for (const StockVoucherVariant& v : variants())
        if (v.name == name) return v;
    return variants().front();
}

StockVoucherScreen::StockVoucherScreen(db::Database& db, Session& session, Messages& messages, const StockVoucherVariant& variant, QWidget* parent)
    : DocumentForm(variant.name, variant.caption, session, &messages, parent),
      db_(db),
      variant_(variant),
      service_(std::make_unique<stock::StockVouchers>(db, session, messages)) {
    stock::StockVouchers* service = service_.get();
    const bool loomParties = variant_.rapier;
    const LookupSource parties = typedSource<documents::PartyChoice>(
        [service, loomParties](const QString& p) { return service->parties(p, loomParties); },
        {{QStringLiteral("A/c Name"), [](const documents::PartyChoice& p) { return p.name; }},
         {QStringLiteral("City"), [](const documents::PartyChoice& p) { return p.city; }},
         {QStringLiteral("A/c No"), [](const documents::PartyChoice& p) { return p.ledgerId; }}},
        [](const documents::PartyChoice& p) { return p.id; });
    // Processes have no key of their own in the list: the position stands in, the name is what counts.
    const LookupSource processes = typedSource<std::pair<int, QString>>(
        [service](const QString& p) {
            std::vector<std::pair<int, QString>> out;
            for (const QString& name : service->processes(p)) out.emplace_back(int(out.size()) + 1, name);
            return out;
        },
        {{QStringLiteral("Job Process"), [](const std::pair<int, QString>& p) { return p.second; }}},
        [](const std::pair<int, QString>& p) { return qint64(p.first); });
    const auto stockText = [](const QualityWithStock& q) { return FormatIndian(q.stock, 3); };
    LookupSource qualities;
    if (!variant_.rapier) {
        qualities = typedSource<QualityWithStock>(
            [this](const QString& p) {
                std::vector<QualityWithStock> out;
                const QString group = group_ ? group_->currentText().trimmed() : QString();
                for (const QualityWithStock& q : offered())
                    if ((group.isEmpty() || q.group == group) && (startsWith(q.name, p) || startsWith(q.code, p))) out.push_back(q);
                return out;
            },
            {{QStringLiteral("Quality"), [](const QualityWithStock& q) { return q.name; }},
             {QStringLiteral("Code"), [](const QualityWithStock& q) { return q.code; }},
             {QStringLiteral("Stock"), stockText}},
            [](const QualityWithStock& q) { return q.id; });
    } else if (!variant_.single) {
        qualities = typedSource<QualityWithStock>(
            [this](const QString& p) {
                std::vector<QualityWithStock> out;
                for (const QualityWithStock& q : offered())
                    if (startsWith(q.designNo, p) || startsWith(q.name, p)) out.push_back(q);
                return out;
            },
            {{QStringLiteral("Product Name"), [](const QualityWithStock& q) { return q.name; }},
             {QStringLiteral("Design No"), [](const QualityWithStock& q) { return q.designNo; }},
             {QStringLiteral("Colour"), [](const QualityWithStock& q) { return q.colour; }},
             {QStringLiteral("Qlty Type"), [](const QualityWithStock& q) { return q.group; }},
             {QStringLiteral("HSN Code"), [](const QualityWithStock& q) { return q.hsn; }},
             {QStringLiteral("Rate"), [](const QualityWithStock& q) { return q.rate.toString(2); }},
             {QStringLiteral("Rate On"), [](const QualityWithStock& q) { return q.rateOn; }},
             {QStringLiteral("Stock"), stockText}},
            [](const QualityWithStock& q) { return q.id; });
    } else {
        // The colours of the design chosen first.
        qualities = typedSource<QualityWithStock>(
            [this](const QString& p) {
                std::vector<QualityWithStock> out;
                for (const QualityWithStock& q : offered())
                    if (q.designNo == chosenDesign_ && startsWith(q.colour, p)) out.push_back(q);
                std::stable_sort(out.begin(), out.end(), [](const QualityWithStock& a, const QualityWithStock& b) { return a.colour < b.colour; });
                return out;
            },
            {{QStringLiteral("Colour"), [](const QualityWithStock& q) { return q.colour; }},
             {QStringLiteral("Product Name"), [](const QualityWithStock& q) { return q.name; }},
             {QStringLiteral("Stock"), stockText}},
            [](const QualityWithStock& q) { return q.id; });
    }

    declareHeader({DocField::choice(QStringLiteral("txtFirmName"), QStringLiteral("Book"), {}),
                   DocField::number(QStringLiteral("txtChalanNO"), QStringLiteral("Vou No"), 0),
                   DocField::date(QStringLiteral("DtpBillDate"), QStringLiteral("Vou Dt")),
                   DocField::lookup(QStringLiteral("txtAccNo"), QStringLiteral("Party"), parties, 2),
                   DocField::lookup(QStringLiteral("txtProdcess"), QStringLiteral("Job Process"), processes),
                   DocField::text(QStringLiteral("txtLotNo"), QStringLiteral("Lot No")),
                   DocField::text(QStringLiteral("txtRemarks"), QStringLiteral("Remarks"), 0, 2)});
    book_ = choiceField(QStringLiteral("txtFirmName"));
    for (const documents::BookChoice& b : service_->books()) book_->addItem(QString::number(b.bookNo) + QLatin1Char(' ') + b.name, b.bookNo);

    std::vector<DocField> line;
    if (!variant_.rapier) {
        QStringList groups{QString()};
        groups << service_->qualityGroups();
        line.push_back(DocField::choice(QStringLiteral("txtGrp"), QStringLiteral("Qlty Group"), groups, 110));
    } else if (variant_.single) {
        const LookupSource designs = typedSource<QString>(
            [this](const QString& p) {
                QStringList seen;
                std::vector<QString> out;
                for (const QualityWithStock& q : offered())
                    if (!q.designNo.isEmpty() && startsWith(q.designNo, p) && !seen.contains(q.designNo)) seen << q.designNo;
                seen.sort();
                for (const QString& d : seen) out.push_back(d);
                return out;
            },
            {{QStringLiteral("Design No"), [](const QString& d) { return d; }}}, [](const QString& d) { return qint64(qHash(d) & 0x7fffffff) + 1; });
        line.push_back(DocField::lookup(QStringLiteral("txtDesign"), QStringLiteral("Design No"), designs));
    }
    line.push_back(DocField::lookup(QStringLiteral("txtItemName"), variant_.single ? QStringLiteral("Colour") : QStringLiteral("Quality"), qualities));
    line.push_back(DocField::number(QStringLiteral("txtPcs"), QStringLiteral("Pcs"), 0, 60));
    line.push_back(DocField::number(QStringLiteral("txtCut"), QStringLiteral("Cut"), 2, 60));
    line.push_back(DocField::number(QStringLiteral("txtQnty"), QStringLiteral("Mtrs"), 3, 90));
    line.push_back(DocField::info(QStringLiteral("lblStock")));
    declareLine(line, QStringLiteral("Line"));
    if (!variant_.rapier) group_ = choiceField(QStringLiteral("txtGrp"));
    if (variant_.single)
        connect(lookupField(QStringLiteral("txtDesign")), &LookupField::chosen, this, [this] {
            chosenDesign_ = textOf(QStringLiteral("txtDesign"));
            lookupField(QStringLiteral("txtItemName"))->clearChoice();
        });
    connect(lookupField(QStringLiteral("txtItemName")), &LookupField::chosen, this, [this](qint64 id) { qualityChosen(id); });

    if (variant_.rapier)
        declareGrid({GridColumn::text(QStringLiteral("Quality")), GridColumn::text(QStringLiteral("Design No")), GridColumn::text(QStringLiteral("Colour")),
                     GridColumn::text(QStringLiteral("Qlty Type")), GridColumn::text(QStringLiteral("PM")), GridColumn::number(QStringLiteral("Pcs"), 0, true),
                     GridColumn::number(QStringLiteral("Cut"), 2), GridColumn::number(QStringLiteral("Mtrs"), 3, true)});
    else
        declareGrid({GridColumn::text(QStringLiteral("Quality")), GridColumn::number(QStringLiteral("Pcs"), 0, true),
                     GridColumn::number(QStringLiteral("Cut"), 2), GridColumn::number(QStringLiteral("Mtrs"), 3, true),
                     GridColumn::text(QStringLiteral("ProdGrp"))});
    lineGrid()->setObjectName(QStringLiteral("vsgrid_Dtl"));
    // A double click takes the line off the voucher.
    connect(lineGrid(), &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row < 0 || row >= int(lines_.size())) return;
        lines_.erase(lines_.begin() + row);
        markChanged();
        refreshGrid();
    });
    declareList({{ListColumn::Text, QStringLiteral("Bk No"), 4},
                 {ListColumn::Number, QStringLiteral("Vou No")},
                 {ListColumn::Date, QStringLiteral("Vou Dt")},
                 {ListColumn::Party, QStringLiteral("AcNAme")},
                 {ListColumn::Text, QStringLiteral("Remarks"), 0},
                 {ListColumn::Text, QStringLiteral("LotNo"), 1},
                 {ListColumn::Text, QStringLiteral("Process_Name"), 2},
                 {ListColumn::Text, QStringLiteral("Book Name"), 3}},
                QStringLiteral("vou no or party"));
    savedList()->setObjectName(QStringLiteral("VSResultGrid"));
    connect(book_, &QComboBox::currentIndexChanged, this, [this] {
        if (documentId() == 0) numberField(QStringLiteral("txtChalanNO"))->setText(QString::number(service_->nextVoucherNo(variant_.kind, bookId())));
        showListPage(0);
    });
    connect(numberField(QStringLiteral("txtChalanNO")), &QLineEdit::editingFinished, this, [this] { openTypedNumber(); });
    finishLayout();
    keys()->onEnter(textField(QStringLiteral("txtQnty")), [this] {
        if (!refuseTypedLine()) addLine();
        return true;
    });
}

qint64 StockVoucherScreen::bookId() const { return book_->currentData().toLongLong(); }

const std::vector<QualityWithStock>& StockVoucherScreen::offered() {
    const QDate date = dateField(QStringLiteral("DtpBillDate"))->date();
    if (!offeredRead_ || date != offeredDate_) {
        offered_ = service_->qualities(QString(), date);
        offeredDate_ = date;
        offeredRead_ = true;
    }
    return offered_;
}

const QualityWithStock* StockVoucherScreen::quality(qint64 id) {
    for (const QualityWithStock& q : offered())
        if (q.id == id) return &q;
    return nullptr;
}

void StockVoucherScreen::qualityChosen(qint64 id) {
    const QualityWithStock* q = quality(id);
    if (!q) return;
    // The quality's cut is proposed; its stock is shown beside the line.
    if (numberOf(QStringLiteral("txtCut")).isZero() && !q->cut.isZero()) numberField(QStringLiteral("txtCut"))->setText(q->cut.toString(2));
    infoField(QStringLiteral("lblStock"))->setText(QStringLiteral("Stock : ") + FormatIndian(q->stock, 3) +
                                                    (q->rateOn == QStringLiteral("P") ? QStringLiteral(" Pcs") : QStringLiteral(" Mtrs")));
}

void StockVoucherScreen::openTypedNumber() {
    if (documentId() != 0) return;
    const qint64 number = numberOf(QStringLiteral("txtChalanNO")).wholePart();
    if (number <= 0) return;
    if (const auto id = service_->findVoucher(variant_.kind, bookId(), number)) openEntry(*id);
}

void StockVoucherScreen::addLine() {
    stock::StockVoucherLine l;
    l.qualityId = lookupField(QStringLiteral("txtItemName"))->chosenId();
    if (l.qualityId <= 0) return;
    l.pieces = numberOf(QStringLiteral("txtPcs"));
    l.cut = numberOf(QStringLiteral("txtCut"));
    l.metres = numberOf(QStringLiteral("txtQnty"));
    lines_.push_back(l);
    lookupField(QStringLiteral("txtItemName"))->clearChoice();
    for (const char* name : {"txtPcs", "txtCut", "txtQnty"}) textField(QString::fromLatin1(name))->clear();
    infoField(QStringLiteral("lblStock"))->clear();
    markChanged();
    refreshGrid();
    lookupField(QStringLiteral("txtItemName"))->setFocus();
}

stock::StockVoucher StockVoucherScreen::voucherOnScreen() const {
    stock::StockVoucher v;
    v.id = documentId();
    v.kind = variant_.kind;
    v.bookId = bookId();
    v.voucherNo = numberOf(QStringLiteral("txtChalanNO")).wholePart();
    v.date = dateField(QStringLiteral("DtpBillDate"))->date();
    v.partyId = lookupField(QStringLiteral("txtAccNo"))->chosenId();
    v.process = textOf(QStringLiteral("txtProdcess"));
    v.lotNo = textOf(QStringLiteral("txtLotNo"));
    v.remarks = textOf(QStringLiteral("txtRemarks"));
    v.lines = lines_;
    return v;
}

void StockVoucherScreen::refreshGrid() {
    std::vector<std::vector<Cell>> rows;
    for (const stock::StockVoucherLine& l : lines_) {
        const QualityWithStock* q = quality(l.qualityId);
        const QString name = q ? q->name : trade::itemLabel(db_, l.qualityId).name;
        if (variant_.rapier)
            rows.push_back({name, q ? q->designNo : QString(), q ? q->colour : QString(), q ? q->group : QString(), q ? q->rateOn : QString(),
                            l.pieces, l.cut, l.metres});
        else
            rows.push_back({name, l.pieces, l.cut, l.metres, q ? q->group : QString()});
    }
    setLines(rows);
    const stock::StockVoucher v = voucherOnScreen();
    setTotals(QString(), QStringLiteral("Pcs  ") + FormatIndian(v.totalPieces(), 0) + QStringLiteral("     Mtrs  ") + FormatIndian(v.totalMetres(), 3));
}

void StockVoucherScreen::clearDocument() {
    lines_.clear();
    chosenDesign_.clear();
    lookupField(QStringLiteral("txtAccNo"))->clearChoice();
    lookupField(QStringLiteral("txtProdcess"))->clearChoice();
    lookupField(QStringLiteral("txtItemName"))->clearChoice();
    if (variant_.single) lookupField(QStringLiteral("txtDesign"))->clearChoice();
    for (const char* name : {"txtLotNo", "txtRemarks", "txtPcs", "txtCut", "txtQnty"}) textField(QString::fromLatin1(name))->clear();
    infoField(QStringLiteral("lblStock"))->clear();
    const QDate today = QDate::currentDate();
    dateField(QStringLiteral("DtpBillDate"))->setDate(session_.inYear(today) ? today : session_.yearEndDate);
    numberField(QStringLiteral("txtChalanNO"))->setText(QString::number(service_->nextVoucherNo(variant_.kind, bookId())));
    refreshGrid();
}

void StockVoucherScreen::loadDocument(qint64 id) {
    const auto v = service_->load(id);
    if (!v) return;
    showChoice(book_, v->bookId);
    numberField(QStringLiteral("txtChalanNO"))->setText(QString::number(v->voucherNo));
    dateField(QStringLiteral("DtpBillDate"))->setDate(v->date);
    lookupField(QStringLiteral("txtAccNo"))->setChosen(v->partyId, partyName(db_, session_.firmNo, v->partyId));
    if (v->process.isEmpty()) lookupField(QStringLiteral("txtProdcess"))->clearChoice();
    else lookupField(QStringLiteral("txtProdcess"))->setChosen(1, v->process);
    textField(QStringLiteral("txtLotNo"))->setText(v->lotNo);
    textField(QStringLiteral("txtRemarks"))->setText(v->remarks);
    lines_ = v->lines;
    refreshGrid();
}

bool StockVoucherScreen::saveDocument() {
    stock::StockVoucher v = voucherOnScreen();
    const auto id = service_->save(v);
    if (!id) return false;
    setDocumentId(*id);
    numberField(QStringLiteral("txtChalanNO"))->setText(QString::number(v.voucherNo));
    setStatus(QStringLiteral("Saved as Vou No ") + QString::number(v.voucherNo));
    offeredRead_ = false;  // the stock moved
    return true;
}

void StockVoucherScreen::printDocument(bool pdf) {
    try {
        printDocumentRequest(db_, session_, messages_, stock::stockVoucherRequest(db_, session_, documentId(), variant_.rapier),
                             stock::stockVoucherPdfName(db_, documentId()), pdf, this);
    } catch (const reports::ReportError& error) {
        messages_.critical(QStringLiteral("Report"), error.text());
    }
}

documents::DocumentPage StockVoucherScreen::listDocuments(const documents::ListFilter& filter) {
    return service_->voucherList(variant_.kind, bookId(), filter);
}

// "1. Stock Issue" and "2. Stock Receive" of the Inventory menu: the loom firm (software type 9)
// gets its design-wise forms, the receipt picking the design first.
void registerStockVoucherCommands(CommandRegistry& registry) {
    const std::pair<const char*, std::pair<const char*, const char*>> commands[] = {
        {"mnu_Inv1", {"FrmIssue_Stock", "FrmIssue_Stock_Rapier"}}, {"mnu_Inv2", {"FrmIssue_StockR", "FrmIssue_StockR_Rapier_Single"}}};
    for (const auto& [command, names] : commands) {
        const QString plain = QString::fromLatin1(names.first);
        const QString loom = QString::fromLatin1(names.second);
        registry.add(QString::fromLatin1(command), [plain, loom](CommandContext& c) {
            const bool loomFirm = shell::FirmSettings(c.session).softType() == 9;
            openScreen(c, [&](db::Database& year) {
                return new StockVoucherScreen(year, c.session, c.messages, stockVoucherVariant(loomFirm ? loom : plain));
            });
        });
    }
}

}  // namespace tanabana::gui
