#include "gui/common/Style.h"

#include "domain/reports/Fonts.h"

#include <QApplication>
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
               "QStatusBar QLabel { padding: 0 6px; }\n")
        .arg(focus);
}

void applyApplicationStyle(QApplication& app) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);
    app.setStyleSheet(applicationStyleSheet());
    // Gujarati and Hindi names on every screen: the scripts' families stand behind the screens' font
    app.setFont(reports::withIndianScripts(app.font()));
}

}  // namespace tanabana::gui
