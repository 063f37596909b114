// What a screen reader meets of the program's own windows and of the areas
// that hold their controls. The toolkit offers a plain widget, even a window
// of its own, as a nameless filler, and offers every label, even one that
// shows no text.
#pragma once

#include <QAccessible>

class QWidget;

namespace rurozovizera::ui {

// Offers `widget` to screen readers in `role` (a window by its title or
// accessible name), with the controls in it except the labels that show no
// text: such a label has nothing to read and would be offered without a name.
// Call it as soon as the widget is made: a widget a screen reader has met
// before keeps the toolkit's view.
void offerToScreenReaders(QWidget* widget, QAccessible::Role role);

} // namespace rurozovizera::ui
