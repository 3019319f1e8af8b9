#include "wizard/FieldRules.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace kx::wizard {

FieldRules::FieldRules(QLineEdit* field, Rules rules)
    : QObject(field), field_(field), rules_(std::move(rules)) {
    field_->installEventFilter(this);
}

bool FieldRules::IsSwallowed(int key) const {
    return std::find(rules_.swallowedKeys.begin(), rules_.swallowedKeys.end(), key) !=
           rules_.swallowedKeys.end();
}

bool FieldRules::eventFilter(QObject* watched, QEvent* event) {
    if (watched != field_)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Claim the swallowed keys, so that no shortcut of the window acts on them.
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsSwallowed(key->key())) {
            key->accept();
            return true;
        }
        return false;
    }
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsSwallowed(key->key()))
            return true;
        if (rules_.enterAsTab && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(field_, &tab);
            return true;
        }
        return false;
    }
    case QEvent::FocusIn:
        if (rules_.selectAllOnFocus) {
            field_->selectAll();
            // A mouse click that brought the focus places the cursor after this
            // event; select again once it has.
            QTimer::singleShot(0, field_, [field = QPointer<QLineEdit>(field_)] {
                if (field && field->hasFocus())
                    field->selectAll();
            });
        }
        return false;
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
            reason == Qt::MenuBarFocusReason)
            return false;
        if (validate && !validate()) {
            QTimer::singleShot(0, field_, [field = QPointer<QLineEdit>(field_)] {
                if (field && field->isVisible())
                    field->setFocus(Qt::OtherFocusReason);
            });
        }
        if (focusLost)
            focusLost();
        return false;
    }
    default:
        return false;
    }
}

} // namespace kx::wizard
