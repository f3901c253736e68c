#pragma once
// One look for every screen: Qt's Fusion style with one application stylesheet, the light-blue
// background (192, 192, 255) on the field being typed, white elsewhere.
#include <QColor>
#include <QString>

class QApplication;

namespace tanabana::gui {

QColor focusColour();
QString applicationStyleSheet();
void applyApplicationStyle(QApplication& app);

}  // namespace tanabana::gui
