#include "gui/trade/SellingMenu.h"

#include "gui/shell/MainWindow.h"
#include "gui/trade/ChallanScreen.h"
#include "gui/trade/OpeningSalesScreen.h"
#include "gui/trade/ProductionScreen.h"
#include "gui/trade/SalesScreen.h"

#include <QMenu>
#include <QMenuBar>

namespace tanabana::gui {

void installSellingMenu(MainWindow& window, std::function<db::Database*()> openYear, Session& session, Messages& messages) {
    QMenu* menu = window.menuBar()->addMenu(QStringLiteral("&Transaction"));
    menu->setObjectName(QStringLiteral("mnuTransaction"));
    auto open = [&window, openYear, &session, &messages](auto make) {
        return [&window, openYear, &session, &messages, make] {
            db::Database* year = openYear();
            if (!year || session.firmNo <= 0) return;
            window.openChild(make(*year, session, messages));
        };
    };
    menu->addAction(QStringLiteral("&Sales Invoice"), &window, open([](db::Database& db, Session& s, Messages& m) -> QWidget* {
                        return new SalesScreen(db, s, m);
                    }));
    QAction* period = menu->addAction(QStringLiteral("Sales Between Dates"));
    period->setEnabled(false);
    menu->addAction(QStringLiteral("&Opening Sales Bills"), &window, open([](db::Database& db, Session& s, Messages& m) -> QWidget* {
                        return new OpeningSalesScreen(db, s, m);
                    }));
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Delivery Challan"), &window, open([](db::Database& db, Session& s, Messages& m) -> QWidget* {
                        return new ChallanScreen(db, s, m, false);
                    }));
    menu->addAction(QStringLiteral("Delivery Challan (&Takas)"), &window, open([](db::Database& db, Session& s, Messages& m) -> QWidget* {
                        return new ChallanScreen(db, s, m, true);
                    }));
    menu->addAction(QStringLiteral("&Production Challan"), &window, open([](db::Database& db, Session& s, Messages& m) -> QWidget* {
                        return new ProductionScreen(db, s, m);
                    }));
}

}  // namespace tanabana::gui
