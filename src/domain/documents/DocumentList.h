#pragma once
// The saved-documents list under every document screen, a page at a time: newest first, searched
// by number or party name (starting with the typed text) or by amount (a typed number), between
// two dates. A document service declares its query once and hands the screen typed rows.
//
//   ListQuery q;
//   q.from = "SalBillMst m LEFT JOIN AccMst a ON a.Id = m.PartyID";
//   q.where = "m.FirmNO = ? AND m.IsOp = 0";  q.params = {firmNo};
//   q.number = "m.BillNO"; q.date = "m.BillDate"; q.party = "a.AcName"; q.amount = "m.BillAmount";
//   DocumentPage page = listDocuments(db, q, filter);
#include "core/Decimal.h"
#include "db/Database.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace tanabana::documents {

struct ListFilter {
    QString text;      // a number or party name prefix, or an amount
    QDate from, to;    // either may be null: no bound
    int page = 0;      // from 0
    int pageSize = 100;
};

struct ListedDocument {
    qint64 id = 0;
    QString number;
    QDate date;
    QString party;
    Decimal amount;
    bool marked = false;          // the query's mark (audited, sold); false without one
    QStringList texts;            // the query's further texts, in its order
    std::vector<Decimal> figures; // the query's further amounts and quantities, in its order
};

struct DocumentPage {
    std::vector<ListedDocument> rows;
    int total = 0;  // documents matching the filter on every page
    int page = 0;
    int pageSize = 100;
    int pages() const { return total <= 0 ? 1 : (total + pageSize - 1) / pageSize; }
};

struct ListQuery {
    QString from;          // tables and joins
    QString where;         // the fixed condition (firm, kind), with ? placeholders
    QVariantList params;
    QString key = QStringLiteral("m.Id");
    QString number, date, party;
    QString amount;        // may be empty: no amount column and no search by amount
    QString marked;        // may be empty
    QStringList texts, figures;
};

// One page of the documents of `query` matching `filter`; a page past the end gives the last one.
DocumentPage listDocuments(db::Database& db, const ListQuery& query, const ListFilter& filter);

}  // namespace tanabana::documents
