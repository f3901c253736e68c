// Gujarati and Hindi names of a Surat firm's brokers printed as the broker master prints its list: the
// text comes back from the PDF as it was typed, conjuncts and all (drawn with real glyphs, not empty
// boxes, and searchable),
// every column stays inside the page's right margin, a party's envelope prints its Gujarati
// address, and the screens' font carries the same scripts.
#include "domain/masters/AccountPrints.h"
#include "domain/products/SmallMasters.h"
#include "domain/reports/Fonts.h"
#include "domain/reports/ReportService.h"
#include "gui/common/Style.h"
#include "support/FirmBooks.h"
#include "support/PdfProbe.h"
#include "support/YearFixture.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <gtest/gtest.h>

using namespace tanabana;
using namespace tanabana::reports;

namespace {

const QString kGujaratiBroker = QStringLiteral("રમેશભાઈ પટેલ");
const QString kGujaratiCity = QStringLiteral("સુરત");
const QString kHindiBroker = QStringLiteral("राजेश शर्मा");
const QString kHindiAddress = QStringLiteral("कपड़ा बाज़ार, दिल्ली");

}  // namespace

TEST(IndianScripts, BrokerListPrintsGujaratiAndHindiInsideTheMargins) {
    ASSERT_FALSE(indianScriptFamilies().isEmpty()) << "no Gujarati or Devanagari font installed (scripts/install-deps.sh)";
    test::YearFixture year;
    auto& db = year.db();
    db.exec(QStringLiteral("UPDATE FirmMst SET Add1 = ? WHERE Srno = 1"), {QStringLiteral("ભાગળ, સુરત")});
    const QVariantList brokers[] = {
        {1, kGujaratiBroker, QStringLiteral("12, ટાવર રોડ"), kGujaratiCity, 1.0, QStringLiteral("9825012345"), QStringLiteral("S")},
        {2, kHindiBroker, kHindiAddress, QStringLiteral("दिल्ली"), 0.5, QStringLiteral("9811012345"), QStringLiteral("P")},
        {3, QStringLiteral("Mehta & \"Sons\" Agency"), QStringLiteral("Ring Road"), QStringLiteral("Surat"), 1.5, QString(), QStringLiteral("S")}};
    for (const QVariantList& b : brokers)
        db.exec(QStringLiteral("INSERT INTO BrokerMst (Srno, PName, Add1, City, CST, Ph, PType, FirmNO) VALUES (?, ?, ?, ?, ?, ?, ?, 1)"), b);

    ReportService service(year.folder());
    const ReportRequest request = products::BrokerMaster(db, year.session, year.messages).listReport(QDate(2024, 4, 1));
    auto document = service.prepare(&db, request);
    const QString pdf = year.folder() + QStringLiteral("/brokers.pdf");
    service.writePdf(*document, pdf);
    test::keepForLooking(pdf);

    // Every name comes back as typed, also where shaping made one glyph of a conjunct joined by a
    // virama ("शर्मा", "दिल्ली") or moved a vowel sign before its consonant ("પટેલ"): a reader can
    // copy and search them.
    const QString text = test::pdfText(pdf, false).normalized(QString::NormalizationForm_C);
    for (const QString& typed : {kGujaratiBroker, kGujaratiCity, QStringLiteral("12, ટાવર રોડ"), QStringLiteral("ભાગળ, સુરત"),
                                 kHindiBroker, kHindiAddress, QStringLiteral("दिल्ली")})
        EXPECT_TRUE(text.contains(typed.normalized(QString::NormalizationForm_C))) << typed.toStdString() << " not in\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Mehta & \"Sons\" Agency")));
    EXPECT_TRUE(text.contains(QStringLiteral("Broker List as On : 01-04-2024")));
    EXPECT_TRUE(text.contains(QStringLiteral("Shree Ganesh Textiles")));

    // A4 is 595.3 points wide; the layout keeps 12 mm (34.0 points) on the right
    const double rightEdge = 595.3 - 34.0 + 0.5;
    bool sawType = false;
    for (const test::PdfWord& w : test::pdfWords(pdf)) {
        EXPECT_LE(w.xMax, rightEdge) << w.text.toStdString();
        if (w.text == QStringLiteral("Type")) sawType = true;
    }
    EXPECT_TRUE(sawType);
}

TEST(IndianScripts, EnvelopeOfAGujaratiPartyPrintsItsAddress) {
    test::YearFixture year;
    auto& db = year.db();
    db.exec(QStringLiteral("UPDATE FirmMst SET Add1 = ? WHERE Srno = 1"), {QStringLiteral("Ring Road")});
    const qint64 party = test::addAccount(db, QStringLiteral("Patel Saree Kendra"), 35);
    db.exec(QStringLiteral("UPDATE AccMst SET Add1 = ?, Add2 = ?, City = ?, PinCode = ?, Phone = ? WHERE Id = ?"),
            {QStringLiteral("૧૨, ટાવર રોડ"), QStringLiteral("Opp. \"Kapad\" Bazar"), kGujaratiCity, QStringLiteral("395003"),
             QStringLiteral("9825012345"), party});
    ReportService service(year.folder());
    auto document = service.prepare(&db, masters::envelopeReport(year.session, party));
    const QString pdf = year.folder() + QStringLiteral("/envelope.pdf");
    service.writePdf(*document, pdf);
    test::keepForLooking(pdf);
    const QString text = test::pdfText(pdf, false);
    for (const QString& line : {QStringLiteral("To,"), QStringLiteral("Patel Saree Kendra"), QStringLiteral("ટાવર રોડ"),
                                QStringLiteral("Opp. \"Kapad\" Bazar"), QStringLiteral("સુરત 395003"), QStringLiteral("9825012345"),
                                QStringLiteral("From : Shree Ganesh Textiles"), QStringLiteral("Ring Road Surat")})
        EXPECT_TRUE(text.contains(line)) << line.toStdString() << " not in\n" << text.toStdString();
    EXPECT_EQ(test::pdfPageCount(pdf), 1);
}

TEST(IndianScripts, ScreensFallBackToTheScriptFonts) {
    gui::applyApplicationStyle(*qApp);
    const QStringList families = QApplication::font().families();
    for (const QString& family : indianScriptFamilies()) EXPECT_TRUE(families.contains(family)) << family.toStdString();
    // a label of a Gujarati name has glyphs for every letter in the screens' font
    QLabel label(kGujaratiBroker + QLatin1Char(' ') + kHindiBroker);
    const QFontMetrics metrics(label.font());
    EXPECT_GT(metrics.horizontalAdvance(label.text()), 0);
    bool gujarati = false, devanagari = false;
    for (const QString& family : families) {
        gujarati = gujarati || QFontDatabase::writingSystems(family).contains(QFontDatabase::Gujarati);
        devanagari = devanagari || QFontDatabase::writingSystems(family).contains(QFontDatabase::Devanagari);
    }
    EXPECT_TRUE(gujarati);
    EXPECT_TRUE(devanagari);
}
