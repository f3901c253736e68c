#pragma once
// tanabana-cli: the same services as the screens, driven from scripts.
//   tanabana-cli [--data DIR | --db URL] <noun> <verb> [arguments] [--options]
// Every level answers --help; success exits 0, a refusal prints the system's message on standard
// error and exits non-zero.
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>

namespace tanabana::cli {

// The parsed command line below the noun and verb: positional arguments and --name value options.
struct Arguments {
    QString dataFolder;   // --data
    QString serverUrl;    // --db
    QStringList positional;
    std::map<QString, QString> options;  // --name value, or "1" for a bare flag
    bool help = false;

    bool has(const QString& name) const { return options.count(name) > 0; }
    QString option(const QString& name, const QString& fallback = {}) const;
    // Throws UsageError when missing.
    QString required(const QString& name) const;
    QString positionalAt(int index, const QString& what) const;
    // A date option (yyyy-mm-dd or dd-mm-yyyy); `fallback` when absent, UsageError when unreadable.
    QDate date(const QString& name, const QDate& fallback) const;
};

// Wrong use of the command line: printed with the usage of the command.
struct UsageError {
    QString text;
};
// A refusal or failure: printed as it is, exit status 1.
struct CommandError {
    QString text;
};

struct Verb {
    QString name;
    QString summary;
    QString usage;  // "AMOUNT" or "--user NAME --password TEXT"
    std::function<int(const Arguments&)> run;
};

struct Noun {
    QString name;
    QString summary;
    std::vector<Verb> verbs;
};

class Registry {
public:
    // Adds the noun, or its verbs to the noun of that name already there.
    void add(Noun noun);
    int dispatch(const QStringList& argv);
    QString usage() const;

private:
    std::vector<Noun> nouns_;
};

// Each subsystem adds its nouns here (see Main.cpp for the list).
void registerShellCommands(Registry& registry);
void registerUtilCommands(Registry& registry);
void registerSellingCommands(Registry& registry);
void registerPurchaseCommands(Registry& registry);
void registerVoucherCommands(Registry& registry);
void registerProductCommands(Registry& registry);
void registerMasterCommands(Registry& registry);
void registerLedgerCommands(Registry& registry);
void registerReportCommands(Registry& registry);
void registerRegisterCommands(Registry& registry);
void registerAccountCommands(Registry& registry);
void registerGstCommands(Registry& registry);
void registerMillCommands(Registry& registry);
void registerStockCommands(Registry& registry);

// Writes a line to standard output.
void out(const QString& line);

}  // namespace tanabana::cli
