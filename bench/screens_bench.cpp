// How quickly the sales invoice screen opens and answers the operator on a big firm: the
// demonstration firm with 10,000 more parties and 10,000 more qualities, the screen built and
// shown offscreen, then a party and a quality searched letter by letter as an operator types.
//   screens_bench [--parties N] [--items N] [--runs N] [--db URL]
// Prints the median and the slowest time of each step.
#include "DemoYear.h"
#include "core/Messages.h"
#include "gui/common/LookupField.h"
#include "gui/trade/SalesScreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tanabana;

namespace {

struct Timings {
    std::vector<double> millis;
    void print(const char* what) {
        std::sort(millis.begin(), millis.end());
        std::printf("%-44s median %7.2f ms   slowest %7.2f ms   (%zu runs)\n", what, millis[millis.size() / 2], millis.back(),
                    millis.size());
    }
};

// Types `text` into a search field key by key and waits for each list to be drawn.
void typeInto(QWidget* field, const QString& text) {
    field->setFocus();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QApplication::processEvents();
    }
}

gui::LookupField* lookup(QWidget* screen, const char* name) {
    return screen->findChild<gui::LookupField*>(QString::fromLatin1(name));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int runs = bench::option(args, QStringLiteral("--runs"), 20);
    bench::DemoYear demoYear(args, 20, 10000);
    db::Database& year = demoYear.year();
    Session& session = demoYear.session;

    RecordingMessages messages;
    Timings open, party, quality;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer clock;
        clock.start();
        auto* screen = new gui::SalesScreen(year, session, messages);
        screen->show();
        QApplication::processEvents();
        open.millis.push_back(double(clock.nsecsElapsed()) / 1e6);

        gui::LookupField* partyField = lookup(screen, "txtParty");
        gui::LookupField* qualityField = lookup(screen, "txtQuality");
        if (!partyField || !qualityField) {
            std::fprintf(stderr, "the sales screen has no party or quality search field\n");
            return 1;
        }
        clock.restart();
        typeInto(partyField, QStringLiteral("Ra"));
        party.millis.push_back(double(clock.nsecsElapsed()) / 1e6 / 2);
        clock.restart();
        typeInto(qualityField, QStringLiteral("Ch"));
        quality.millis.push_back(double(clock.nsecsElapsed()) / 1e6 / 2);
        delete screen;
    }
    open.print("sales screen built and shown");
    party.print("party list after one keystroke");
    quality.print("quality list after one keystroke");
    return 0;
}
