// tanabana-cli item | broker | process | loom: importing masters from JSON and listing them,
// through the same services as the item, broker, list and machine screens. An import is all or
// nothing: the first refused object undoes the objects before it.
#include "cli/Cli.h"
#include "cli/Import.h"
#include "domain/products/ItemMaster.h"
#include "domain/products/SmallMasters.h"

#include <QJsonObject>

namespace tanabana::cli {

namespace {

using namespace products;

QString productAmount(const QVariant& v, int places = 2) { return Decimal::fromVariant(v).toString(places); }

std::vector<qint64> firmNumbers(const QVariant& value) {
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
                                  const auto postIn = firmNumbers(values.take(QStringLiteral("PostIn")));
                                  const auto item = itemFromValues(values, b.messages);
                                  return item && ItemMaster(b.db(), b.session(), b.messages).save(*item, postIn).has_value();
                              });
                          }});
    noun.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the firm's items by name (tab separated)"),
                          QStringLiteral("[--prefix TEXT] [--year END] [--firm N]"), [](const Arguments& a) {
                              auto b = openWork(a);
                              std::vector<QStringList> rows;
                              for (const db::Row& r : ItemMaster(b->db(), b->session(), b->messages).search(a.option(QStringLiteral("prefix"))))
                                  rows.push_back({r.text(QStringLiteral("Id")), r.text(QStringLiteral("ProdCode")), r.text(QStringLiteral("ProdName")),
                                                  r.text(QStringLiteral("P1")), r.text(QStringLiteral("ProdGrp")), r.text(QStringLiteral("ProdSubGrp")),
                                                  r.text(QStringLiteral("UNit")), r.text(QStringLiteral("PM")), productAmount(r.value(QStringLiteral("RAteR"))),
                                                  productAmount(r.value(QStringLiteral("PurRAte"))), productAmount(r.value(QStringLiteral("Vat"))),
                                                  productAmount(r.value(QStringLiteral("AddTax"))), productAmount(r.value(QStringLiteral("IGST"))),
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
                              auto b = openWork(a);
                              out(ItemMaster(b->db(), b->session(), b->messages).nextCode());
                              return 0;
                          }});
    noun.verbs.push_back({QStringLiteral("delete"), QStringLiteral("deletes an item no document, sheet or loom order uses"),
                          QStringLiteral("ID [--year END] [--firm N]"), [](const Arguments& a) {
                              bool ok = false;
                              const qint64 id = a.positionalAt(0, QStringLiteral("ID")).toLongLong(&ok);
                              if (!ok) throw UsageError{QStringLiteral("ID is the item's number")};
                              auto b = openWork(a);
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
                                  const auto postIn = firmNumbers(values.take(QStringLiteral("PostIn")));
                                  const auto broker = brokerFromValues(values, b.messages);
                                  return broker && BrokerMaster(b.db(), b.session(), b.messages).save(*broker, postIn).has_value();
                              });
                          }});
    noun.verbs.push_back({QStringLiteral("list"), QStringLiteral("lists the firm's brokers by name"),
                          QStringLiteral("[--city C] [--taluka T] [--district D] [--year END] [--firm N]"), [](const Arguments& a) {
                              auto b = openWork(a);
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
                              auto b = openWork(a);
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
                              auto b = openWork(a);
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
