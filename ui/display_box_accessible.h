// What a screen reader sees of a display box: its text, caret and
// selection, and the same edits the user makes by hand, each through the
// box's limit and each reported as the user's edit. The toolkit's own view
// of a line edit writes a screen reader's edits with setText(), which
// neither checks nor reports them.
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace rurozovizera::ui {

// The accessibility factory for display boxes; null for any other object.
QAccessibleInterface* accessibleDisplayBox(const QString& className, QObject* object);

} // namespace rurozovizera::ui
