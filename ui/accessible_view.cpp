#include "accessible_view.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QLabel>
#include <QList>

namespace rurozovizera::ui {

namespace {

// A widget's view without the labels in it that show no text.
class OfferedWidget : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    [[nodiscard]] int childCount() const override {
        return static_cast<int>(offeredChildren().size());
    }
    [[nodiscard]] QAccessibleInterface* child(int index) const override {
        return offeredChildren().value(index);
    }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override {
        return static_cast<int>(offeredChildren().indexOf(child));
    }

private:
    [[nodiscard]] QList<QAccessibleInterface*> offeredChildren() const {
        QList<QAccessibleInterface*> offered;
        for (int i = 0, count = QAccessibleWidget::childCount(); i < count; ++i) {
            QAccessibleInterface* control = QAccessibleWidget::child(i);
            const auto* label = control ? qobject_cast<const QLabel*>(control->object()) : nullptr;
            if (control && !(label && label->text().isEmpty()))
                offered.append(control);
        }
        return offered;
    }
};

// The widgets offered, each with its role. A widget leaves as soon as it
// starts being destroyed: from then on the toolkit's own view answers for
// it, which offers a widget being destroyed nothing.
QHash<const QObject*, QAccessible::Role>& offeredWidgets() {
    static QHash<const QObject*, QAccessible::Role> widgets;
    return widgets;
}

QAccessibleInterface* accessibleView(const QString&, QObject* object) {
    const auto offered = offeredWidgets().constFind(object);
    if (offered == offeredWidgets().cend())
        return nullptr;
    return new OfferedWidget(static_cast<QWidget*>(object), *offered);
}

} // namespace

void offerToScreenReaders(QWidget* widget, QAccessible::Role role) {
    static const bool installed = [] {
        QAccessible::installFactory(accessibleView);
        return true;
    }();
    (void)installed;
    offeredWidgets().insert(widget, role);
    QObject::connect(widget, &QObject::destroyed,
                     [](QObject* gone) { offeredWidgets().remove(gone); });
}

} // namespace rurozovizera::ui
