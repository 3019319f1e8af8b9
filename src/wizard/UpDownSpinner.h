#pragma once

#include <QSpinBox>

namespace kx::wizard {

/// A spinner that shows only its up and down arrows: its value is shown by the
/// text field it serves (its buddy), which it updates through `valueChanged`.
/// It takes no keyboard focus, so Tab goes from field to field.
class UpDownSpinner : public QSpinBox {
    Q_OBJECT

  public:
    UpDownSpinner(int minimum, int maximum, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

} // namespace kx::wizard
