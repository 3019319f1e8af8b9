#include "wizard/UpDownSpinner.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>

namespace kx::wizard {

UpDownSpinner::UpDownSpinner(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setSingleStep(1);
    setValue(minimum);
    setFocusPolicy(Qt::NoFocus);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    lineEdit()->hide();
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize UpDownSpinner::sizeHint() const {
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QRect up = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
    const int frame = style()->pixelMetric(QStyle::PM_SpinBoxFrameWidth, &option, this);
    const int width = std::max(up.width(), 14) + 2 * frame;
    return {width, QSpinBox::sizeHint().height()};
}

QSize UpDownSpinner::minimumSizeHint() const {
    return sizeHint();
}

} // namespace kx::wizard
