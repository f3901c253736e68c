#pragma once
// What every screen does the same way when it opens and when the operator leaves it: the cursor
// starts in the first field, a screen with unsaved changes asks "save, discard or go back" before
// it goes (Exit, New, Esc from the first field, closing the program), Exit closes the whole child
// window, and a window never opens beyond the edges of the screen.
//
//   void MyScreen::closeEvent(QCloseEvent* e) {
//       if (!mayLeave(messages_, hasUnsavedChanges(), [this] { return save(); })) e->ignore();
//   }
#include "core/Messages.h"

#include <functional>

class QWidget;

namespace tanabana::gui {

// The question asked before unsaved changes are left.
QString unsavedTitle();
QString unsavedText();

// True when the screen may be left: nothing unsaved, or the operator chose Discard, or chose Save
// and `save` succeeded. Go Back (or a failed save) keeps the operator on the screen.
bool mayLeave(Messages& messages, bool unsaved, const std::function<bool()>& save);

// Closes the screen with the child window that holds it (or the screen itself when it stands
// alone); the screen's close event still decides.
void closeScreen(QWidget* screen);

// The first field of the screen the operator types in (a text, number, date or list box, in the
// order Tab walks), or null.
QWidget* firstField(QWidget* screen);
// Puts the cursor in the widget the screen chose (its focus widget), else in its first field.
void focusFirstField(QWidget* screen);

// Moves and if need be shrinks a top-level window so that all of it lies on the available area
// of the screen it opens on.
void keepOnScreen(QWidget* window);

}  // namespace tanabana::gui
