// The Print buttons of the master screens, as the operator of a small Surat firm uses them: the
// item master asks which group to list, the opening balance screen which of its three lists, and
// the preview saves the list as an Excel workbook the accountant can add up again.
#include "domain/masters/OpeningBalances.h"
#include "domain/products/ItemMaster.h"
#include "domain/reports/Xlsx.h"
#include "gui/common/MasterForm.h"
#include "gui/common/Style.h"
#include "gui/masters/AccountScreens.h"
#include "gui/products/ItemScreen.h"
#include "gui/reports/PreviewWindow.h"
#include "support/FirmBooks.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QtTest>
#include <gtest/gtest.h>

using namespace tanabana;

namespace {

gui::PreviewWindow* openPreview() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<gui::PreviewWindow*>(w); p && p->isVisible()) return p;
    return nullptr;
}

void closePreviews() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<gui::PreviewWindow*>(w)) p->close();
    QApplication::processEvents();
}

bool sheetHas(const QString& book, const QVariant& value) {
    for (const reports::XlsxSheet& sheet : reports::readXlsx(book))
        for (const reports::XlsxCell& c : sheet.cells)
            if (c.value == value) return true;
    return false;
}

class MasterPrints : public ::testing::Test {
protected:
    void SetUp() override {
        gui::applyApplicationStyle(*qApp);
        test::seedDefaultChart(year.db());
        year.session.dataRoot = year.folder();
        year.session.loginDate = QDate(2024, 7, 1);
    }
    void TearDown() override { closePreviews(); }
    test::YearFixture year;
};

}  // namespace

TEST_F(MasterPrints, ItemPrintAsksTheGroupAndThePreviewSavesAWorkbook) {
    products::ItemMaster items(year.db(), year.session, year.messages);
    products::Item georgette;
    georgette.code = QStringLiteral("101");
    georgette.name = QStringLiteral("Rangoli Georgette");
    georgette.group = QStringLiteral("Georgette");
    georgette.rateRetail = *Decimal::parse(QStringLiteral("1,250.00"));
    ASSERT_TRUE(items.save(georgette));
    products::Item crepe = georgette;
    crepe.code = QStringLiteral("102");
    crepe.name = QStringLiteral("Moss Crepe");
    crepe.group = QStringLiteral("Crepe");
    ASSERT_TRUE(items.save(crepe));

    gui::ItemScreen screen(year.session, false, nullptr, &year.messages);
    // the operator cancels the question: no preview
    year.messages.clear();
    screen.button(QStringLiteral("Cmd_Print"))->click();
    EXPECT_EQ(openPreview(), nullptr);

    year.messages.inputNext(QStringLiteral("Georgette"));
    screen.button(QStringLiteral("Cmd_Print"))->click();
    gui::PreviewWindow* preview = openPreview();
    ASSERT_TRUE(preview) << qPrintable(year.messages.empty() ? QString() : year.messages.last().text);
    const QString book = year.folder() + QStringLiteral("/Georgette price list");
    preview->setFileAsker([&](const QString& suggested) {
        EXPECT_TRUE(suggested.endsWith(QStringLiteral("Shree Ganesh Textiles_ItemPriceList.xlsx"))) << suggested.toStdString();
        return book;  // typed without the ending
    });
    QSignalSpy written(preview, &gui::PreviewWindow::xlsxExported);
    preview->findChild<QPushButton*>(QStringLiteral("Cmd_Excel"))->click();
    ASSERT_EQ(written.count(), 1);
    const QString path = written.at(0).at(0).toString();
    EXPECT_EQ(path, book + QStringLiteral(".xlsx"));
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_TRUE(sheetHas(path, QStringLiteral("Item Price List as On : 01-07-2024  (Group : Georgette)")));
    EXPECT_TRUE(sheetHas(path, QStringLiteral("Rangoli Georgette")));
    EXPECT_TRUE(sheetHas(path, 1250.0));
    EXPECT_FALSE(sheetHas(path, QStringLiteral("Moss Crepe")));
}

TEST_F(MasterPrints, OpeningBalancePrintOffersItsThreeLists) {
    const qint64 debtor = test::addAccount(year.db(), QStringLiteral("Mahavir Fabrics"), 35);
    masters::OpeningBalances balances(year.db(), year.session, year.messages);
    ASSERT_TRUE(balances.save({debtor, QDate(2024, 4, 1), *Decimal::parse(QStringLiteral("24500")), QStringLiteral("D")}));

    gui::OpeningBalanceScreen screen(year.session, nullptr, &year.messages);
    year.messages.clear();
    year.messages.chooseNext(3);  // Cancel
    screen.button(QStringLiteral("Cmd_Print"))->click();
    ASSERT_FALSE(year.messages.empty());
    EXPECT_EQ(year.messages.last().kind, MessageKind::Question);
    EXPECT_EQ(openPreview(), nullptr);

    year.messages.chooseNext(1);  // HeadWise Print
    screen.button(QStringLiteral("Cmd_Print"))->click();
    gui::PreviewWindow* preview = openPreview();
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->suggestedPdfName(), QStringLiteral("Shree Ganesh Textiles_OpeningBalance_HeadWise"));
}
