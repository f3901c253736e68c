#include "gui/common/Style.h"

#include "domain/reports/Fonts.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>

namespace tanabana::gui {

QColor focusColour() { return QColor(192, 192, 255); }

QString applicationStyleSheet() {
    const QString focus = focusColour().name();
    return QStringLiteral(
               "QLineEdit, QComboBox, QDateEdit, QSpinBox, QDoubleSpinBox, QPlainTextEdit, QTextEdit { background-color: white; }\n"
               "QLineEdit:focus, QComboBox:focus, QDateEdit:focus, QSpinBox:focus, QDoubleSpinBox:focus,"
               " QPlainTextEdit:focus, QTextEdit:focus { background-color: %1; }\n"
               "QLineEdit:read-only { background-color: #f0f0f0; }\n"
               "QTableView { gridline-color: #c8c8c8; selection-background-color: #3d6fb4; selection-color: white; }\n"
               "QHeaderView::section { font-weight: bold; padding: 3px; }\n"
               "QStatusBar QLabel { padding: 0 6px; }\n"
               // one title style: every screen's caption line
               "QLabel#lblCaption { font-weight: bold; font-size: 13pt; color: #2c4a73; padding: 2px; }\n")
        .arg(focus);
}

QIcon programIcon() {
    // warp and weft: light threads crossing over and under on the system's blue
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        const double unit = size / 16.0;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(44, 74, 115));
        p.drawRoundedRect(QRectF(0, 0, size, size), 3 * unit, 3 * unit);
        const QColor warp(240, 200, 90), weft(235, 240, 250);
        for (int i = 0; i < 3; ++i) {
            const double at = (3 + 4 * i) * unit;
            p.setBrush(weft);
            p.drawRect(QRectF(2 * unit, at - unit, 12 * unit, 2 * unit));
        }
        for (int i = 0; i < 3; ++i) {
            const double at = (3 + 4 * i) * unit;
            p.setBrush(warp);
            for (int j = 0; j < 3; ++j)
                if ((i + j) % 2 == 0) p.drawRect(QRectF(at - unit, (2 + 4 * j) * unit, 2 * unit, 3 * unit));
                else {
                    p.drawRect(QRectF(at - unit, (1.5 + 4 * j) * unit, 2 * unit, 0.5 * unit));
                    p.drawRect(QRectF(at - unit, (4.5 + 4 * j) * unit, 2 * unit, 0.5 * unit));
                }
        }
        p.end();
        icon.addPixmap(picture);
    }
    return icon;
}

void applyApplicationStyle(QApplication& app) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);
    app.setStyleSheet(applicationStyleSheet());
    // Gujarati and Hindi names on every screen: the scripts' families stand behind the screens' font
    app.setFont(reports::withIndianScripts(app.font()));
    app.setWindowIcon(programIcon());
}

}  // namespace tanabana::gui
