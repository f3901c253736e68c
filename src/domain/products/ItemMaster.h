#pragma once
// The item master of a firm: saving, finding and deleting items, the next item code, making many
// items at once (one per colour of a design, or one per code of a range) and copying items to
// another firm. Codes count as numbers: after "9" and "10" the next code is "11".
//
//   ItemMaster items(db, session, messages);
//   Item cotton; cotton.name = "Cotton 60x60"; cotton.sgst = Decimal(2.5) ...
//   if (auto ids = items.save(cotton)) ... // one Id per firm the item was posted in
#include "core/Messages.h"
#include "core/Session.h"
#include "db/Database.h"
#include "domain/products/Common.h"
#include "domain/products/Item.h"
#include "domain/products/References.h"

#include <optional>
#include <vector>

namespace tanabana::products {

// Every column of the year database that refers to a product's Id. Tables that a database does
// not have yet are skipped, so the check grows complete as the documents that use items arrive.
const std::vector<Reference>& itemReferences();
// The first reference to the item found in this database, if any.
std::optional<Reference> findItemReference(db::Database& db, qint64 itemId);

// A colour ticked in the colour generation list, with the name the new item will carry.
struct ColourChoice {
    QString colour;
    QString newItemName;
};

class ItemMaster {
public:
    ItemMaster(db::Database& db, Session& session, Messages& messages);

    std::optional<Item> load(qint64 id);
    std::optional<Item> loadByCode(const QString& code, qint64 firmNo = 0);
    // The code after the firm's highest code in numeric order; "1" for a firm without items.
    QString nextCode(qint64 firmNo = 0);
    bool nameExists(const QString& name, qint64 firmNo = 0, qint64 exceptId = 0);
    bool codeExists(const QString& code, qint64 firmNo = 0, qint64 exceptId = 0);
    // True when the firm numbers its items itself ("Product Auto Srno").
    bool automaticCodes() const;

    // Saves the item (a new one when its id is 0) in its firm, and a new item also in every other
    // firm listed; one transaction for all. Returns the ids written, or nothing after a refusal
    // (`refusal` then names the field to correct).
    std::optional<std::vector<qint64>> save(const Item& item, const std::vector<qint64>& alsoInFirms = {},
                                            Refusal* refusal = nullptr);
    // Copies a picture (.bmp or .jpg) into the installation's Image folder as
    // "<firm>_<id>_<code>.jpg" and records it on the item (Photo1, relative to the data root);
    // an empty source clears the item's picture. The saved item stays as it is after a refusal.
    bool attachPicture(qint64 id, const QString& sourceFile);
    // Deletes after the operator's Yes, unless a document, consumption sheet or loom order uses it.
    bool remove(qint64 id);

    // The search list: the firm's items whose name starts with the text, by name.
    db::Rows search(const QString& namePrefix, qint64 firmNo = 0);
    static QStringList searchCaptions();

    // Values offered while typing.
    QStringList groups();
    QStringList subGroups();
    QStringList units();
    QStringList sgstRates();
    QStringList hsnCodes();
    QStringList remarks();
    // Colours (process list "C") and rapier quality types ("R") of the firm, active ones.
    QStringList processNames(const QString& listType);
    // Active colours that no item of the design carries yet.
    QStringList coloursMissingFor(const QString& designNo);

    // One new item per colour of the design; "New Item Is Generated!" at the end.
    std::optional<std::vector<qint64>> generateColours(const Item& design, const std::vector<ColourChoice>& colours);
    // One new item per number of the range, code = prefix + number; codes the firm has are
    // reported and skipped. "Item Code Is Generated!" at the end.
    std::optional<std::vector<qint64>> generateCodes(const Item& pattern, const QString& prefix, int from, int to);
    // Copies the items into another firm without opening stock, after the operator's Yes.
    std::optional<std::vector<qint64>> transfer(const std::vector<qint64>& ids, qint64 targetFirm);

private:
    qint64 firmOf(qint64 firmNo) const { return firmNo > 0 ? firmNo : session_.firmNo; }
    // Trims and cuts the texts to their columns, then checks names, codes and values.
    bool fitAndCheck(Item& item, qint64 firmNo, Refusal* refusal);
    qint64 insert(const Item& item, qint64 firmNo);
    void update(const Item& item);
    QStringList distinct(const QString& expression);

    db::Database& db_;
    Session& session_;
    Messages& messages_;
};

}  // namespace tanabana::products
