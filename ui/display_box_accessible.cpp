#include "display_box_accessible.h"

#include "display_box.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace rurozovizera::ui {

namespace {

class DisplayBoxAccessible : public QAccessibleWidget,
                             public QAccessibleTextInterface,
                             public QAccessibleEditableTextInterface {
public:
    explicit DisplayBoxAccessible(DisplayBox* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.selectableText = true;
        return state;
    }

    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? box()->text() : QAccessibleWidget::text(kind);
    }

    void setText(QAccessible::Text kind, const QString& text) override {
        if (kind == QAccessible::Value)
            edit(0, characterCount(), text);
        else
            QAccessibleWidget::setText(kind, text);
    }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = box()->selectionEnd();
        }
    }
    [[nodiscard]] int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0)
            box()->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0)
            box()->setSelection(start, end - start);
    }
    [[nodiscard]] int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    [[nodiscard]] QString text(int start, int end) const override {
        return box()->text().mid(start, end - start);
    }
    [[nodiscard]] int characterCount() const override {
        return static_cast<int>(box()->text().size());
    }
    [[nodiscard]] QRect characterRect(int offset) const override {
        const QRect local = box()->characterRect(offset);
        return local.isEmpty() ? QRect() : QRect(box()->mapToGlobal(local.topLeft()), local.size());
    }
    [[nodiscard]] int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override {
        box()->setCursorPosition(end);
        box()->setCursorPosition(start);
    }
    [[nodiscard]] QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    void deleteText(int start, int end) override { edit(start, end, {}); }
    void insertText(int offset, const QString& text) override { edit(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override { edit(start, end, text); }

private:
    [[nodiscard]] DisplayBox* box() const { return static_cast<DisplayBox*>(widget()); }

    // Replaces the characters from `start` to `end` as the user's own edit:
    // selected, then typed over or deleted.
    void edit(int start, int end, const QString& text) {
        start = std::clamp(start, 0, characterCount());
        end = std::clamp(end, start, characterCount());
        if ((start == end && text.isEmpty()) || !box()->allowsEdit(end - start, text.size()))
            return;
        box()->setSelection(start, end - start);
        if (text.isEmpty())
            box()->del();
        else
            box()->insert(text);
    }
};

} // namespace

QAccessibleInterface* accessibleDisplayBox(const QString& className, QObject* object) {
    if (object && object->isWidgetType() &&
        className == QLatin1String(DisplayBox::staticMetaObject.className()))
        return new DisplayBoxAccessible(static_cast<DisplayBox*>(object));
    return nullptr;
}

} // namespace rurozovizera::ui
