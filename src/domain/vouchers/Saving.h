#pragma once
// One voucher change in one transaction: `work` writes; a refusal it raises, a posting the books
// refuse or a database failure is shown under its title and nothing of the change stays.
#include "core/Messages.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "domain/ledger/Journal.h"
#include "domain/vouchers/Settlements.h"

namespace tanabana::vouchers {

template <typename Work>
bool saveInTransaction(db::Database& db, Messages& messages, Work&& work) {
    try {
        db::Transaction tx(db);
        work();
        tx.commit();
        return true;
    } catch (const Refusal& r) {
        messages.critical(r.title, r.text);
    } catch (const ledger::PostingRefused& refused) {
        messages.critical(ledger::ledgerNotSavedTitle(), refused.text());
    } catch (const db::DbError&) {
        messages.critical(ledger::ledgerNotSavedTitle(), ledger::ledgerProblemText());
    }
    return false;
}

}  // namespace tanabana::vouchers
