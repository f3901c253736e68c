#include "domain/shell/FunctionKeys.h"

#include "domain/documents/Guard.h"
#include "domain/documents/TableMap.h"

namespace tanabana::shell {

namespace {

const QString Table = QStringLiteral("FunKey");

void putInSession(Session& session, const FunctionKeyTexts& texts) {
    session.funKeyF2 = texts.f2;
    session.funKeyF3 = texts.f3;
    session.funKeyF4 = texts.f4;
}

}  // namespace

FunctionKeyTexts loadFunctionKeys(db::Database& year) {
    const auto row = year.queryOne(QStringLiteral("SELECT F2, F3, F4 FROM FunKey") + year.dialect().limit(1));
    if (!row) return {};
    return {row->text(QStringLiteral("F2")), row->text(QStringLiteral("F3")), row->text(QStringLiteral("F4"))};
}

bool saveFunctionKeys(db::Database& year, Session& session, Messages& messages, const FunctionKeyTexts& texts) {
    if (documents::refuseChange(session, messages, documents::Change::Modify)) return false;
    const std::pair<QString, const QString*> fields[] = {
        {QStringLiteral("F2"), &texts.f2}, {QStringLiteral("F3"), &texts.f3}, {QStringLiteral("F4"), &texts.f4}};
    for (const auto& [column, text] : fields) {
        const int width = documents::columnWidth(Table, column);
        if (width > 0 && text->size() > width &&
            documents::refuseTooLong(messages, documents::TooLong{column + QStringLiteral(" text"), width}))
            return false;
    }
    db::Transaction transaction(year);
    // every row carries the same texts, so "the first row" every screen reads is always these;
    // a year without a row gets one now
    if (year.scalar(QStringLiteral("SELECT COUNT(*) FROM FunKey")).toLongLong() == 0)
        year.exec(QStringLiteral("INSERT INTO FunKey (F2, F3, F4) VALUES (?, ?, ?)"), {texts.f2, texts.f3, texts.f4});
    else
        year.exec(QStringLiteral("UPDATE FunKey SET F2 = ?, F3 = ?, F4 = ?"), {texts.f2, texts.f3, texts.f4});
    transaction.commit();
    putInSession(session, texts);
    return true;
}

}  // namespace tanabana::shell
