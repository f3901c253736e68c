// tanabana-cli item | broker | process | loom: importing masters from JSON and listing them,
// through the same services as the item, broker, list and machine screens. An import is all or
// nothing: the first refused object undoes the objects before it.
#include "cli/Books.h"
#include "cli/Cli.h"
#include "domain/products/ItemMaster.h"
#include "domain/products/SmallMasters.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tanabana::cli {

namespace {

using namespace products;

const QString kImportUsage = QStringLiteral("FILE.json|- [--year END] [--firm N]");

// The open books with the firm's settings row and a console that answers Yes (the command
// itself is the operator's confirmation).
struct Work {
    OpenBooks books;
    ConsoleMessages messages{true};
    db::Database& db() { return *books.year; }
    Session& session() { return books.session; }
};

std::unique_ptr<Work> open(const Arguments& a) {
    auto w = std::make_unique<Work>();
    w->books = openBooks(a);
    if (w->session().firm.isEmpty())
        if (const auto row = w->db().queryOne(QStringLiteral("SELECT * FROM FirmMst WHERE Srno = ?"), {w->session().firmNo}))
            for (const QString& column : row->columns()) w->session().firm.insert(column, row->value(column));
    return w;
}

// The objects of a JSON file (an array of objects or one object; "-" reads standard input).
QJsonArray readJsonObjects(const QString& path) {
    QFile file;
    if (path == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly)) throw CommandError{QStringLiteral("Cannot read standard input")};
    } else {
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly)) throw CommandError{QStringLiteral("Cannot open %1").arg(path)};
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        throw CommandError{QStringLiteral("%1 is not JSON: %2 at %3").arg(path, error.errorString()).arg(error.offset)};
    if (doc.isObject()) return QJsonArray{doc.object()};
    if (!doc.isArray()) throw CommandError{QStringLiteral("%1 must hold an object or an array of objects").arg(path)};
    for (const QJsonValue& v : doc.array())
        if (!v.isObject()) throw CommandError{QStringLiteral("%1 must hold an array of objects").arg(path)};
    return doc.array();
}

// Saves every object of the file in one transaction; `saveOne` returns false after a refusal.
int importAll(const Arguments& a, const QString& what, const std::function<bool(Work&, const QVariantMap&)>& saveOne) {
    const QJsonArray objects = readJsonObjects(a.positionalAt(0, QStringLiteral("FILE")));
    auto books = open(a);
    db::Transaction tx(books->db());
    int n = 0;
    for (const QJsonValue& v : objects) {
        ++n;
        if (!saveOne(*books, v.toObject().toVariantMap()))
            throw CommandError{QStringLiteral("Nothing imported: %1 %2 of the file was refused.").arg(what).arg(n)};
    }
    tx.commit();
    out(QStringLiteral("%1 %2 imported.").arg(n).arg(what + (n == 1 ? QString() : QStringLiteral("s"))));
    return 0;
}

void printTable(const QStringList& header, const std::vector<QStringList>& rows) {
    out(header.join(QLatin1Char('\t')));
    for (const QStringList& r : rows) out(r.join(QLatin1Char('\t')));
}

QString amount(const QVariant& v, int places = 2) { return Decimal::fromVariant(v).toString(places); }

std::vector<qint64> firmList(const QVariant& value) {
    std::vector<qint64> firms;
    for (const QVariant& f : value.toList()) firms.push_back(f.toLongLong());
    return firms;
}

Noun itemNoun() {
    Noun noun{QStringLiteral("item"), QStringLiteral("the item (quality) master of a firm"), {}};
    noun.verbs.push_back({QStringLiteral("import"),
                          QStringLiteral("saves items from JSON objects keyed by column (ProdCode, ProdName, P1, ProdGrp, "
                                         "ProdSubGrp, StkType, UNit, RAteR, Ratew, PurRAte, Vat, AddTax, VatCalc, hsnCode, "
                                         "UQM, CalcOn, ...); \"PostIn\": [firm numbers] posts a new item in more firms"),
                          kImportUsage, [](const Arguments& a) {
                              return importAll(a, QStringLiteral("item"), [](Work& b, QVariantMap values) {
                                  const auto postIn = firmList(values.take(QStringLiteral("PostIn")));
                                  const auto item = itemFromValues(values, b.messages);
                                  return item && ItemMaster(b.db(), b.session(), b.messages).save(*item, postIn).has_value();
                              });
                          }});
    noun.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the firm's items by name (tab separated)"),
                          QStringLiteral("[--prefix TEXT] [--year END] [--firm N]"), [](const Arguments& a) {
                              auto b = open(a);
                              std::vector<QStringList> rows;
                              for (const db::Row& r : ItemMaster(b->db(), b->session(), b->messages).search(a.option(QStringLiteral("prefix"))))
                                  rows.push_back({r.text(QStringLiteral("Id")), r.text(QStringLiteral("ProdCode")), r.text(QStringLiteral("ProdName")),
                                                  r.text(QStringLiteral("P1")), r.text(QStringLiteral("ProdGrp")), r.text(QStringLiteral("ProdSubGrp")),
                                                  r.text(QStringLiteral("UNit")), r.text(QStringLiteral("PM")), amount(r.value(QStringLiteral("RAteR"))),
                                                  amount(r.value(QStringLiteral("PurRAte"))), amount(r.value(QStringLiteral("Vat"))),
                                                  amount(r.value(QStringLiteral("AddTax"))), amount(r.value(QStringLiteral("IGST"))),
                                                  r.text(QStringLiteral("hsnCode"))});
                              printTable({QStringLiteral("Id"), QStringLiteral("Code"), QStringLiteral("Item Name"), QStringLiteral("Item Name 2"),
                                          QStringLiteral("Group"), QStringLiteral("Sub Group"), QStringLiteral("Unit"), QStringLiteral("PM"),
                                          QStringLiteral("Rate Retail"), QStringLiteral("Purchase"), QStringLiteral("SGST"), QStringLiteral("CGST"),
                                          QStringLiteral("IGST"), QStringLiteral("HSN/SAC")},
                                         rows);
                              return 0;
                          }});
    noun.verbs.push_back({QStringLiteral("next-code"), QStringLiteral("prints the firm's next item code"),
                          QStringLiteral("[--year END] [--firm N]"), [](const Arguments& a) {
                              auto b = open(a);
                              out(ItemMaster(b->db(), b->session(), b->messages).nextCode());
                              return 0;
                          }});
    noun.verbs.push_back({QStringLiteral("delete"), QStringLiteral("deletes an item no document, sheet or loom order uses"),
                          QStringLiteral("ID [--year END] [--firm N]"), [](const Arguments& a) {
                              bool ok = false;
                              const qint64 id = a.positionalAt(0, QStringLiteral("ID")).toLongLong(&ok);
                              if (!ok) throw UsageError{QStringLiteral("ID is the item's number")};
                              auto b = open(a);
                              if (!ItemMaster(b->db(), b->session(), b->messages).remove(id))
                                  throw CommandError{QStringLiteral("Item %1 was not deleted.").arg(id)};
                              return 0;
                          }});
    return noun;
}

Noun brokerNoun() {
    Noun noun{QStringLiteral("broker"), QStringLiteral("brokers and haste agents of a firm"), {}};
    noun.verbs.push_back({QStringLiteral("import"),
                          QStringLiteral("saves brokers from JSON objects (PName, Add1, City, Taluka, dist, Tin, CST = brokerage %, "
                                         "Ph, PType = Broker|Haste); \"PostIn\": [firm numbers] posts in more firms"),
                          kImportUsage, [](const Arguments& a) {
                              return importAll(a, QStringLiteral("broker"), [](Work& b, QVariantMap values) {
                                  const auto postIn = firmList(values.take(QStringLiteral("PostIn")));
                                  const auto broker = brokerFromValues(values, b.messages);
                                  return broker && BrokerMaster(b.db(), b.session(), b.messages).save(*broker, postIn).has_value();
                              });
                          }});
    noun.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the firm's brokers by name"),
                          QStringLiteral("[--city C] [--taluka T] [--district D] [--year END] [--firm N]"), [](const Arguments& a) {
                              auto b = open(a);
                              std::vector<QStringList> rows;
                              for (const Broker& br : BrokerMaster(b->db(), b->session(), b->messages)
                                                          .list(a.option(QStringLiteral("city")), a.option(QStringLiteral("taluka")),
                                                                a.option(QStringLiteral("district"))))
                                  rows.push_back({QString::number(br.srno), br.name, br.address, br.city, br.brokerage.toString(2), br.phone,
                                                  br.type == QLatin1Char('H') ? QStringLiteral("Haste") : QStringLiteral("Broker")});
                              printTable({QStringLiteral("Srno"), QStringLiteral("Name"), QStringLiteral("Address"), QStringLiteral("City"),
                                          QStringLiteral("Brokerage %"), QStringLiteral("Phone"), QStringLiteral("Type")},
                                         rows);
                              return 0;
                          }});
    return noun;
}

Noun processNoun() {
    Noun noun{QStringLiteral("process"), QStringLiteral("job processes, colours, design numbers, fabrics and rapier product types"), {}};
    noun.verbs.push_back({QStringLiteral("import"),
                          QStringLiteral("saves list entries from JSON objects (Pro_Name, Mst_Type = J|C|D|F|A|R or the list's name, IsAct)"),
                          kImportUsage, [](const Arguments& a) {
                              return importAll(a, QStringLiteral("entry"), [](Work& b, const QVariantMap& values) {
                                  const auto entry = processFromValues(values, b.messages);
                                  return entry && ProcessMaster(b.db(), b.session(), b.messages).save(*entry).has_value();
                              });
                          }});
    noun.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists one list (--type J|C|D|F|A|R) or all of the firm"),
                          QStringLiteral("[--type LETTER] [--year END] [--firm N]"), [](const Arguments& a) {
                              const QString type = a.option(QStringLiteral("type")).trimmed().toUpper();
                              if (!type.isEmpty() && (type.size() != 1 || processListName(type.at(0)).isEmpty()))
                                  throw UsageError{QStringLiteral("--type is one of J, C, D, F, A, R")};
                              auto b = open(a);
                              std::vector<QStringList> rows;
                              for (const ProcessEntry& e : ProcessMaster(b->db(), b->session(), b->messages).list(type.isEmpty() ? QChar() : type.at(0)))
                                  rows.push_back({QString::number(e.id), e.name, processListName(e.listType),
                                                  e.active ? QStringLiteral("Yes") : QStringLiteral("No")});
                              printTable({QStringLiteral("Id"), QStringLiteral("Name"), QStringLiteral("List"), QStringLiteral("Active")}, rows);
                              return 0;
                          }});
    return noun;
}

Noun loomNoun() {
    Noun noun{QStringLiteral("loom"), QStringLiteral("the firm's looms (machine master)"), {}};
    noun.verbs.push_back({QStringLiteral("import"),
                          QStringLiteral("saves looms from JSON objects (MachineName, PannaNO, Pattern, IsActive)"), kImportUsage,
                          [](const Arguments& a) {
                              return importAll(a, QStringLiteral("loom"), [](Work& b, const QVariantMap& values) {
                                  const auto machine = machineFromValues(values, b.messages);
                                  return machine && MachineMaster(b.db(), b.session(), b.messages).save(*machine).has_value();
                              });
                          }});
    noun.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the firm's looms"), QStringLiteral("[--year END] [--firm N]"),
                          [](const Arguments& a) {
                              auto b = open(a);
                              std::vector<QStringList> rows;
                              for (const Machine& m : MachineMaster(b->db(), b->session(), b->messages).list())
                                  rows.push_back({QString::number(m.id), m.name, m.panna.toString(2), m.pattern,
                                                  m.active ? QStringLiteral("Yes") : QStringLiteral("No")});
                              printTable({QStringLiteral("Id"), QStringLiteral("Machine No"), QStringLiteral("Panno"), QStringLiteral("Pattern"),
                                          QStringLiteral("IsActive")},
                                         rows);
                              return 0;
                          }});
    return noun;
}

}  // namespace

void registerProductCommands(Registry& registry) {
    registry.add(itemNoun());
    registry.add(brokerNoun());
    registry.add(processNoun());
    registry.add(loomNoun());
}

}  // namespace tanabana::cli
