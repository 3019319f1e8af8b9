#pragma once

#include <QObject>

#include <functional>
#include <vector>

class QLineEdit;

namespace kx::wizard {

/// The keyboard and focus rules of one wizard text field, installed as an event
/// filter on it: swallowed keys, Enter moving on like Tab, the whole text
/// selected when the field gets the focus, and a check when it loses the focus.
class FieldRules : public QObject {
    Q_OBJECT

  public:
    struct Rules {
        /// Qt key codes that the field ignores (also as shortcuts).
        std::vector<int> swallowedKeys;
        /// Enter and Return send a Tab keystroke instead.
        bool enterAsTab = true;
        /// Getting the focus selects the whole text.
        bool selectAllOnFocus = false;
    };

    /// Installs itself on `field`, which becomes its parent.
    FieldRules(QLineEdit* field, Rules rules);

    /// Runs when the focus leaves the field for another part of the window (not
    /// when the window itself loses it). Returns false to call the focus back.
    std::function<bool()> validate;
    /// Runs after `validate` whenever the focus leaves for another part of the window.
    std::function<void()> focusLost;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool IsSwallowed(int key) const;

    QLineEdit* field_;
    Rules rules_;
};

} // namespace kx::wizard
