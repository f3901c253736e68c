// The journal at the size of a busy year: one firm, 2,000 accounts, about 1,000,000 journal lines
// posted through the real posting path, then the queries the screens and statements run on it.
// Prints a Markdown table of our figures beside the anchors (ledger-cli and hledger on the same
// books through the plain-text export, when they are installed, and a bare SQLite aggregate).
//
//   ledger_bench [--lines N] [--folder DIR] [--durable N] [--no-tools] [--reuse]
// --reuse keeps the year already written in --folder by an earlier run and measures only the
// statements and the day book on it (the year takes minutes to post).
#include "core/Decimal.h"
#include "core/Session.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "domain/accounts/AccountRegisters.h"
#include "domain/ledger/Balances.h"
#include "domain/ledger/Journal.h"
#include "domain/ledger/JournalExport.h"
#include "domain/schema/Steps.h"

#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <optional>
#include <random>
#include <fcntl.h>
#include <spawn.h>
#include <thread>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using namespace tanabana;
using namespace tanabana::ledger;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Wall time, and the CPU time of the process: on a shared machine the second is the fairer figure.
struct Timing {
    double wall = 0, cpu = 0;
};

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Median of `runs` timings of `work`, in seconds.
template <typename F>
Timing timed(int runs, F&& work) {
    std::vector<Timing> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        const double cpu = cpuSeconds();
        work();
        times.push_back({secondsSince(start), cpuSeconds() - cpu});
    }
    std::sort(times.begin(), times.end(), [](const Timing& a, const Timing& b) { return a.wall < b.wall; });
    return times[times.size() / 2];
}

long residentKiB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field)) return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLong();
    return 0;
}

QString machine() {
    QString cpu;
    QFile info(QStringLiteral("/proc/cpuinfo"));
    if (info.open(QIODevice::ReadOnly))
        for (const QByteArray& line : info.readAll().split('\n'))
            if (line.startsWith("model name")) {
                cpu = QString::fromLatin1(line.mid(line.indexOf(':') + 1)).trimmed();
                break;
            }
    return QStringLiteral("%1, %2 cores seen, %3").arg(cpu).arg(std::thread::hardware_concurrency()).arg(QSysInfo::prettyProductName());
}

// --- The generated firm -------------------------------------------------------------------------

struct Firm {
    qint64 sales = 0, purchase = 0, cgstOut = 0, sgstOut = 0, cgstIn = 0, sgstIn = 0, cash = 0, bank = 0, capital = 0;
    std::vector<qint64> customers, suppliers, expenses;
    std::map<qint64, QString> codes;
};

class AccountWriter {
public:
    explicit AccountWriter(db::Database& db) : db_(db) {}
    void group(int grpNo, const QString& name) {
        db_.exec(QStringLiteral("INSERT INTO AccMst (Id, LedgerId, AcName, GrpNo, IsGrp, AcNo, FirmNo, Active) VALUES (?, ?, ?, ?, 1, ?, 1, 1)"),
                 {++id_, QStringLiteral("%1").arg(grpNo * 10000, 6, 10, QLatin1Char('0')), name, grpNo, grpNo});
    }
    qint64 account(int grpNo, const QString& name, Firm& firm) {
        const QString prefix = QStringLiteral("%1%2").arg(grpNo, 2, 10, QLatin1Char('0')).arg(name.at(0).toUpper());
        const QString code = prefix + QStringLiteral("%1").arg(++serials_[prefix], 3, 10, QLatin1Char('0'));
        db_.exec(QStringLiteral("INSERT INTO AccMst (Id, LedgerId, AcName, GrpNo, IsGrp, FirmNo, Active) VALUES (?, ?, ?, ?, 0, 1, 1)"),
                 {++id_, code, name, grpNo});
        firm.codes[id_] = code;
        return id_;
    }
    void opening(qint64 id, Decimal amount, QChar side) {
        db_.exec(QStringLiteral("INSERT INTO AccMstOpBal (Id, OpDate, OpAmount, OpType, FirmNo) VALUES (?, ?, ?, ?, 1)"),
                 {id, QDate(2024, 4, 1), amount.toDouble(), QString(side)});
        db_.exec(QStringLiteral("UPDATE AccMst SET DrAmt = ?, CrAmt = ? WHERE Id = ?"),
                 {side == QLatin1Char('D') ? amount.toDouble() : 0.0, side == QLatin1Char('C') ? amount.toDouble() : 0.0, id});
    }

private:
    db::Database& db_;
    qint64 id_ = 0;
    std::map<QString, int> serials_;
};

Firm createAccounts(db::Database& db, int accounts) {
    static const char* first[] = {"Aarav", "Bhavesh", "Chirag", "Dinesh", "Ekta", "Falguni", "Gopal", "Harsh", "Ishwar",
                                  "Jignesh", "Kiran", "Lalit", "Mahesh", "Naresh", "Omkar", "Pankaj", "Rakesh", "Suresh",
                                  "Tushar", "Umesh", "Vipul", "Yogesh", "Zubin"};
    static const char* trade[] = {"Silk Mills", "Textiles", "Fabrics", "Sarees", "Creations", "Synthetics", "Prints", "Traders"};
    Firm f;
    db::Transaction tx(db);
    AccountWriter w(db);
    for (const auto& [no, name] : std::vector<std::pair<int, const char*>>{{1, "Sales"}, {2, "Purchase"}, {22, "Expenses"},
                                                                           {34, "Cash"}, {35, "Sundry Debtors"}, {36, "Bank"},
                                                                           {72, "Capital"}, {74, "Duties and Taxes"},
                                                                           {76, "Sundry Creditors"}})
        w.group(no, QString::fromLatin1(name));
    f.sales = w.account(1, QStringLiteral("Sales A/c"), f);
    f.purchase = w.account(2, QStringLiteral("Purchase A/c"), f);
    f.cgstOut = w.account(74, QStringLiteral("Output CGST"), f);
    f.sgstOut = w.account(74, QStringLiteral("Output SGST"), f);
    f.cgstIn = w.account(74, QStringLiteral("Input CGST"), f);
    f.sgstIn = w.account(74, QStringLiteral("Input SGST"), f);
    f.cash = w.account(34, QStringLiteral("Cash"), f);
    f.bank = w.account(36, QStringLiteral("Bank Current A/c"), f);
    f.capital = w.account(72, QStringLiteral("Capital A/c"), f);
    for (int i = 0; i < 30; ++i) f.expenses.push_back(w.account(22, QStringLiteral("%1 Expenses %2").arg(QLatin1String(first[i % 23])).arg(i), f));
    const int parties = accounts - 9 - 30;
    for (int i = 0; i < parties; ++i) {
        const QString name = QStringLiteral("%1 %2 %3").arg(QLatin1String(first[i % 23]), QLatin1String(trade[(i / 23) % 8])).arg(i);
        if (i % 4 == 3) f.suppliers.push_back(w.account(76, name, f));
        else f.customers.push_back(w.account(35, name, f));
    }
    w.opening(f.cash, Decimal(250000), QLatin1Char('D'));
    w.opening(f.bank, Decimal(4000000), QLatin1Char('D'));
    w.opening(f.capital, Decimal(4250000), QLatin1Char('C'));
    tx.commit();
    return f;
}

// Documents of one kind, with amounts and parties drawn from a fixed seed (the same books every run).
class DocumentMaker {
public:
    explicit DocumentMaker(const Firm& firm) : f_(firm), rng_(20240401) {}

    JournalDocument next(const QDate& date) {
        const int kind = std::uniform_int_distribution<int>(0, 99)(rng_);
        if (kind < 50) return invoice(DocumentType::Sale, date, customer(), f_.sales, f_.cgstOut, f_.sgstOut);
        if (kind < 67) return invoice(DocumentType::Purchase, date, supplier(), f_.purchase, f_.cgstIn, f_.sgstIn);
        if (kind < 90) return voucher(DocumentType::BankReceipt, date, f_.bank, customer());
        return voucher(DocumentType::BankPayment, date, supplier(), f_.bank);
    }
    JournalDocument sale(const QDate& date) { return invoice(DocumentType::Sale, date, customer(), f_.sales, f_.cgstOut, f_.sgstOut); }
    // A busy party: the first customer takes about one bill in twenty.
    qint64 busyCustomer() const { return f_.customers.front(); }

private:
    qint64 customer() {
        if (std::uniform_int_distribution<int>(0, 19)(rng_) == 0) return f_.customers.front();
        return f_.customers[std::uniform_int_distribution<std::size_t>(0, f_.customers.size() - 1)(rng_)];
    }
    qint64 supplier() { return f_.suppliers[std::uniform_int_distribution<std::size_t>(0, f_.suppliers.size() - 1)(rng_)]; }
    Decimal amount(int from, int to) {
        return Decimal::fromUnits(std::int64_t(std::uniform_int_distribution<int>(from * 100, to * 100)(rng_)) * 10000);
    }
    static JournalLine line(qint64 account, QChar side, Decimal amount, qint64 contra, const QString& text) {
        JournalLine l;
        l.accId = account;
        l.side = side;
        l.amount = amount;
        l.contraAccId = contra;
        l.description = text;
        return l;
    }
    JournalDocument invoice(int type, const QDate& date, qint64 party, qint64 head, qint64 cgst, qint64 sgst) {
        const bool sale = type == DocumentType::Sale;
        JournalDocument d;
        d.tableCode = type;
        d.voucherNo = ++numbers_[type];
        d.date = date;
        d.printedNo = (sale ? QStringLiteral("GST/%1") : QStringLiteral("P/%1")).arg(d.voucherNo);
        const Decimal taxable = amount(1000, 200000);
        const Decimal tax = taxable.percent(Decimal::fromUnits(2500000)).roundHalfEven(2);  // 2.5% each
        const QChar partySide = sale ? QLatin1Char('D') : QLatin1Char('C');
        const QChar other = sale ? QLatin1Char('C') : QLatin1Char('D');
        d.lines = {line(party, partySide, taxable + tax + tax, head, d.printedNo), line(head, other, taxable, party, d.printedNo),
                   line(cgst, other, tax, party, d.printedNo), line(sgst, other, tax, party, d.printedNo)};
        return d;
    }
    JournalDocument voucher(int type, const QDate& date, qint64 debit, qint64 credit) {
        JournalDocument d;
        d.tableCode = type;
        d.voucherNo = ++numbers_[type];
        d.date = date;
        d.printedNo = QStringLiteral("CHQ %1").arg(100000 + d.voucherNo);
        const Decimal value = amount(500, 150000);
        d.lines = {line(debit, QLatin1Char('D'), value, credit, d.printedNo), line(credit, QLatin1Char('C'), value, debit, d.printedNo)};
        d.lines[0].serial = d.lines[1].serial = 1;
        return d;
    }

    const Firm& f_;
    std::mt19937 rng_;
    std::map<int, qint64> numbers_;
};

// --- Outside tools -------------------------------------------------------------------------------

struct ToolRun {
    bool ran = false;
    double seconds = 0;
    long maxRssKiB = 0;
    int status = -1;
};

ToolRun runTool(const QString& program, const QStringList& arguments, const QString& outputFile) {
    ToolRun result;
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) return result;
    std::vector<QByteArray> store{path.toLocal8Bit()};
    for (const QString& a : arguments) store.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& s : store) argv.push_back(s.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray out = outputFile.toLocal8Bit();
    posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const auto start = Clock::now();
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) return result;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.seconds = secondsSince(start);
    posix_spawn_file_actions_destroy(&actions);
    result.ran = true;
    result.maxRssKiB = usage.ru_maxrss;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// --- The run ------------------------------------------------------------------------------------

struct Options {
    qint64 lines = 1000000;
    int accounts = 2000;
    int durable = 3000;
    QString folder;
    bool tools = true;
    bool reuse = false;
};

Options parse(const QStringList& args) {
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString value = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QLatin1String("--lines")) o.lines = value.toLongLong(), ++i;
        else if (a == QLatin1String("--durable")) o.durable = value.toInt(), ++i;
        else if (a == QLatin1String("--folder")) o.folder = value, ++i;
        else if (a == QLatin1String("--no-tools")) o.tools = false;
        else if (a == QLatin1String("--reuse")) o.reuse = true;
    }
    return o;
}

void row(const QString& what, const QString& ours, const QString& anchor = {}) {
    std::printf("| %s | %s | %s |\n", qPrintable(what), qPrintable(ours), qPrintable(anchor));
    std::fflush(stdout);
}

QString ms(double seconds) { return QStringLiteral("%1 ms").arg(seconds * 1000.0, 0, 'f', seconds < 0.01 ? 2 : 1); }
QString ms(const Timing& t) { return QStringLiteral("%1 (CPU %2)").arg(ms(t.wall), ms(t.cpu)); }

// The statements as the screens make them, and the day book of a busy month written to PDF.
void statements(db::Database& db, const Session& session, const QString& folder) {
    // The layouts beside the build (build/reports), as an installation would have them.
    const reports::Registers registers(db, session, QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("..")));
    auto run = [&](const char* name, const QDate& from, const QDate& to) {
        reports::RegisterChoice choice;
        choice.from = from;
        choice.to = to;
        return registers.run(*accounts::findAccountRegister(QString::fromLatin1(name)), choice);
    };
    int shown = 0;
    const Timing tb = timed(5, [&] { shown = run("trial-balance", session.yearStartDate, session.yearEndDate).data.rowCount(); });
    row(QStringLiteral("trial balance as on 31-03-2025 (%1 rows)").arg(shown), ms(tb), QStringLiteral("goal 150 ms"));
    const Timing sheet = timed(5, [&] { shown = run("balance-sheet", session.yearStartDate, session.yearEndDate).data.rowCount(); });
    row(QStringLiteral("balance sheet as on 31-03-2025 (%1 rows)").arg(shown), ms(sheet), QStringLiteral("goal 150 ms"));
    const QString pdf = QDir(folder).filePath(QStringLiteral("daybook.pdf"));
    const QDate first(2025, 2, 1), last(2025, 2, 28);
    std::optional<reports::RegisterResult> dayBook;
    const Timing screen = timed(3, [&] { dayBook = run("day-book", first, last); });
    row(QStringLiteral("day book of February on the screen: %1 rows, %2 lines with month and day totals")
            .arg(dayBook->data.rowCount()).arg(dayBook->lines.size()),
        ms(screen));
    // As `tanabana-cli report day-book --out file.pdf` makes it: the rows, no screen lines.
    const auto& definition = *accounts::findAccountRegister(QStringLiteral("day-book"));
    reports::RegisterChoice choice;
    choice.from = first;
    choice.to = last;
    choice.screenLines = false;
    const Timing rows = timed(3, [&] { dayBook = registers.run(definition, choice); });
    row(QStringLiteral("day book of February for a file: its %1 rows").arg(dayBook->data.rowCount()), ms(rows));
    const Timing written = timed(3, [&] { registers.writePdf(*dayBook, pdf); });
    row(QStringLiteral("... the same written to PDF (%1 MiB)").arg(QFileInfo(pdf).size() >> 20), ms(written));
    const Timing both = timed(3, [&] { registers.writePdf(registers.run(definition, choice), pdf); });
    row(QStringLiteral("day book of February to PDF, rows and file"), ms(both), QStringLiteral("goal 1 s"));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the day book is written to PDF
    const Options options = parse(app.arguments());
    QTemporaryDir temporary;
    const QString folder = options.folder.isEmpty() ? temporary.path() : options.folder;
    QDir().mkpath(folder);
    const QString file = QDir(folder).filePath(QStringLiteral("2025.db"));
    if (options.reuse && QFileInfo::exists(file)) {
        db::Database kept = db::Database::openSqlite(file);
        Session session;
        session.setYear(2025);
        session.firmNo = 1;
        session.loginUser = QStringLiteral("BENCH");
        session.db = &kept;
        std::printf("Machine: %s\n\n| measure | ours | anchor |\n|---|---|---|\n", qPrintable(machine()));
        statements(kept, session, folder);
        return 0;
    }
    QFile::remove(file);
    QFile::remove(file + QStringLiteral("-wal"));
    QFile::remove(file + QStringLiteral("-shm"));

    db::Database db = db::Database::openSqlite(file);
    db::migrate(db, schema::yearDatabaseSteps());
    Session session;
    session.setYear(2025);
    session.firmNo = 1;
    session.loginUser = QStringLiteral("BENCH");
    session.db = &db;
    Firm firm = createAccounts(db, options.accounts);
    DocumentMaker maker(firm);
    Journal journal(db, session);

    std::printf("Machine: %s\n\n", qPrintable(machine()));
    std::printf("| measure | ours | anchor |\n|---|---|---|\n");

    // Bulk: the year posted through Journal::post, 2,000 documents to a transaction.
    qint64 lines = 0, documents = 0;
    auto start = Clock::now();
    const double bulkCpuStart = cpuSeconds();
    const int days = 365;
    const qint64 perDay = options.lines / 3 / days + 1;  // about 3.3 lines a document
    for (int day = 0; day < days && lines < options.lines; ++day) {
        db::Transaction tx(db);
        const QDate date = session.yearStartDate.addDays(day);
        for (qint64 i = 0; i < perDay && lines < options.lines; ++i) {
            const JournalDocument doc = maker.next(date);
            journal.post(doc);
            lines += qint64(doc.lines.size());
            ++documents;
        }
        tx.commit();
    }
    const double bulk = secondsSince(start);
    const double bulkCpu = cpuSeconds() - bulkCpuStart;
    row(QStringLiteral("bulk posting, one transaction a day (%1 documents, %2 lines)").arg(documents).arg(lines),
        QStringLiteral("%1 documents/s (%2 lines/s), %3 s; by CPU time %4 documents/s")
            .arg(documents / bulk, 0, 'f', 0).arg(lines / bulk, 0, 'f', 0).arg(bulk, 0, 'f', 1).arg(documents / bulkCpu, 0, 'f', 0));

    // Durable: four-line sales bills, each in its own transaction committed to disk (synchronous=FULL, WAL).
    start = Clock::now();
    for (int i = 0; i < options.durable; ++i) {
        db::Transaction tx(db);
        journal.post(maker.sale(QDate(2025, 3, 31)));
        tx.commit();
    }
    const double durable = secondsSince(start);
    row(QStringLiteral("one four-line document per durable transaction (%1 documents)").arg(options.durable),
        QStringLiteral("%1 documents/s (%2 per document)").arg(options.durable / durable, 0, 'f', 0).arg(ms(durable / options.durable)),
        QStringLiteral("0.13-0.25 ms raw SQLite per durable WAL transaction"));

    // The disk's own price of a durable transaction: four plain inserts, same settings, no triggers.
    {
        db::Database raw = db::Database::openSqlite(QDir(folder).filePath(QStringLiteral("raw.db")));
        raw.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS Lines (AccId INTEGER, Amount REAL, Note TEXT)"));
        const int runs = std::max(50, options.durable / 5);
        start = Clock::now();
        for (int i = 0; i < runs; ++i) {
            db::Transaction tx(raw);
            for (int j = 0; j < 4; ++j)
                raw.exec(QStringLiteral("INSERT INTO Lines (AccId, Amount, Note) VALUES (?, ?, ?)"), {j, 100.5, QStringLiteral("x")});
            tx.commit();
        }
        const double rawSeconds = secondsSince(start);
        row(QStringLiteral("raw SQLite, four inserts per durable transaction, same disk (%1 transactions)").arg(runs),
            QStringLiteral("%1 transactions/s (%2 each)").arg(runs / rawSeconds, 0, 'f', 0).arg(ms(rawSeconds / runs)));
    }

    Balances balances(db, session);
    const long rssBefore = residentKiB("VmRSS:");
    std::size_t count = 0;
    const Timing all = timed(5, [&] { count = balances.allClosing().size(); });
    row(QStringLiteral("closing balance of all %1 accounts, one query").arg(count), ms(all), QStringLiteral("goal 150 ms"));
    const Timing each = timed(3, [&] {
        for (const auto& [id, code] : firm.codes) balances.closing(id);
    });
    row(QStringLiteral("closing balance of all %1 accounts, one query each").arg(firm.codes.size()), ms(each));
    const Timing bare = timed(5, [&] {
        db.query(QStringLiteral("SELECT AccId, SUM(DrAmt - CrAmt) FROM HeadDtl3 WHERE FirmNo = 1 GROUP BY AccId"));
    });
    row(QStringLiteral("bare SQL aggregate over the covering index, same database"), ms(bare),
        QStringLiteral("0.12 s covering index, 1.2 s plain index (issue's machine)"));
    const Timing bareExact = timed(3, [&] {
        db.query(QStringLiteral("SELECT AccId, %1 FROM HeadDtl3 WHERE FirmNo = 1 GROUP BY AccId")
                     .arg(db.dialect().sumRounded(QStringLiteral("DrAmt - CrAmt"))));
    });
    row(QStringLiteral("the same aggregate summed exactly in paise"), ms(bareExact));

    const qint64 busy = maker.busyCustomer();
    const int busyLines = db.scalar(QStringLiteral("SELECT COUNT(*) FROM HeadDtl3 WHERE AccId = ?"), {busy}).toInt();
    const int salesLines = db.scalar(QStringLiteral("SELECT COUNT(*) FROM HeadDtl3 WHERE AccId = ?"), {firm.sales}).toInt();
    Decimal value;
    const Timing before = timed(9, [&] { value = balances.before(busy, QDate(2025, 2, 17)); });
    row(QStringLiteral("busy party (%1 lines): balance before 17-02-2025").arg(busyLines), ms(before));
    const Timing beforeSales = timed(9, [&] { value = balances.before(firm.sales, QDate(2025, 2, 17)); });
    row(QStringLiteral("sales account (%1 lines): balance before 17-02-2025").arg(salesLines), ms(beforeSales));

    qint64 visited = 0;
    Decimal last;
    auto ledgerOf = [&](qint64 id, const QDate& from, const QDate& to) {
        visited = 0;
        balances.ledger(id, from, to, [&](const LedgerLine& l) {
            ++visited;
            last = l.balance;
        });
    };
    const Timing busyYear = timed(5, [&] { ledgerOf(busy, session.yearStartDate, session.yearEndDate); });
    row(QStringLiteral("busy party: ledger of the year with running balance (%1 lines)").arg(visited), ms(busyYear),
        QStringLiteral("goal 50 ms"));
    const Timing salesMonth = timed(5, [&] { ledgerOf(firm.sales, QDate(2025, 2, 1), QDate(2025, 2, 28)); });
    row(QStringLiteral("sales account: ledger of February with running balance (%1 lines)").arg(visited), ms(salesMonth));
    const Timing salesYear = timed(3, [&] { ledgerOf(firm.sales, session.yearStartDate, session.yearEndDate); });
    row(QStringLiteral("sales account: ledger of the year with running balance (%1 lines)").arg(visited), ms(salesYear));
    const long rssAfter = residentKiB("VmRSS:");

    std::size_t groups = 0;
    const Timing groupAll = timed(5, [&] { groups = balances.allGroups().size(); });
    row(QStringLiteral("balances of all %1 groups").arg(groups), ms(groupAll));
    const Timing group35 = timed(5, [&] { value = balances.group(35); });
    row(QStringLiteral("balance of group 35 (%1 parties)").arg(firm.customers.size()), ms(group35));
    statements(db, session, folder);
    row(QStringLiteral("memory: resident before the ledgers / after the year's ledger of the sales account / peak"),
        QStringLiteral("%1 / %2 / %3 MiB").arg(rssBefore / 1024).arg(rssAfter / 1024).arg(residentKiB("VmHWM:") / 1024));

    // The same books for ledger-cli and hledger.
    const QString journalFile = QDir(folder).filePath(QStringLiteral("books.ledger"));
    QFile out(journalFile);
    out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    start = Clock::now();
    const qint64 exported = exportJournal(db, session, out, ExportFormat::PlainText);
    out.close();
    row(QStringLiteral("plain-text journal export (%1 lines, %2 MiB)").arg(exported).arg(QFileInfo(journalFile).size() >> 20),
        QStringLiteral("%1 s").arg(secondsSince(start), 0, 'f', 1));
    if (options.tools) {
        const QString busyCode = firm.codes[busy];
        const QString sink = QDir(folder).filePath(QStringLiteral("tool.out"));
        for (const auto& [tool, args] : std::vector<std::pair<QString, QStringList>>{
                 {QStringLiteral("ledger"), {QStringLiteral("-f"), journalFile, QStringLiteral("balance")}},
                 {QStringLiteral("ledger"), {QStringLiteral("-f"), journalFile, QStringLiteral("register"), busyCode}},
                 {QStringLiteral("hledger"), {QStringLiteral("-f"), journalFile, QStringLiteral("balance")}},
                 {QStringLiteral("hledger"), {QStringLiteral("-f"), journalFile, QStringLiteral("register"), busyCode}}}) {
            const ToolRun run = runTool(tool, args, sink);
            const QString what = QStringLiteral("%1 %2").arg(tool, args.at(2));
            if (!run.ran) row(what, QStringLiteral("not installed"));
            else row(what + QStringLiteral(" (exit %1)").arg(run.status), QString(),
                     QStringLiteral("%1 s, %2 MiB").arg(run.seconds, 0, 'f', 2).arg(run.maxRssKiB / 1024));
        }
        // The tools' balance of the busy party against ours.
        const QString ours = balances.closing(busy).toString(2);
        for (const auto& [tool, flag] : {std::pair{QStringLiteral("ledger"), QStringLiteral("--no-total")},
                                         std::pair{QStringLiteral("hledger"), QStringLiteral("-N")}}) {
            const ToolRun run = runTool(tool, {QStringLiteral("-f"), journalFile, QStringLiteral("balance"), QStringLiteral("--flat"),
                                               flag, busyCode},
                                        sink);
            if (!run.ran) continue;
            QFile result(sink);
            result.open(QIODevice::ReadOnly);
            const QString theirs = QString::fromUtf8(result.readAll()).simplified().section(QLatin1Char(' '), 0, 0);
            row(QStringLiteral("%1 balance of %2 against ours").arg(tool, busyCode), ours,
                theirs == ours ? QStringLiteral("%1, the same").arg(theirs) : QStringLiteral("%1, DIFFERENT").arg(theirs));
        }
    }
    return 0;
}
