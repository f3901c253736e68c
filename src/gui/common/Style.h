#pragma once
// One look for every screen: Qt's Fusion style with one application stylesheet, the light-blue
// background (192, 192, 255) on the field being typed, white elsewhere, one style for the title
// line of every screen (a QLabel named "lblCaption"), and the program's own icon on its windows.
#include <QColor>
#include <QString>

class QApplication;
class QIcon;

namespace tanabana::gui {

QColor focusColour();
QString applicationStyleSheet();
// Warp and weft on the system's blue, drawn at the sizes window managers ask for.
QIcon programIcon();
void applyApplicationStyle(QApplication& app);

}  // namespace tanabana::gui
