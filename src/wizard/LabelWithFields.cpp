#include "wizard/LabelWithFields.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace kx::wizard {

namespace {

// Room left between neighbouring widgets and at the edges of a gap.
constexpr int kGapMargin = 2;

} // namespace

LabelWithFields::LabelWithFields(const QString& text, std::vector<std::vector<GapItem>> gaps, QWidget* parent)
    : QLabel(text, parent), items_(std::move(gaps)) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    int gapCount = 0;
    for (qsizetype i = 0; i < text.size();) {
        const bool space = text[i] == u' ';
        qsizetype end = i;
        while (end < text.size() && (text[end] == u' ') == space)
            ++end;
        pieces_.push_back({text.mid(i, end - i), space ? gapCount++ : -1});
        i = end;
    }
    for (const auto& gap : items_)
        for (const GapItem& item : gap)
            item.widget->setParent(this);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    Relayout();
}

int LabelWithFields::ItemWidth(const GapItem& item) const {
    auto* edit = qobject_cast<QLineEdit*>(item.widget);
    if (edit == nullptr)
        return item.widget->sizeHint().width();
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QFontMetrics metrics(edit->font());
    const QMargins margins = edit->textMargins();
    // The line edit's own inner margins and its cursor need a few pixels beyond the text.
    const QSize content(metrics.horizontalAdvance(item.sampleText) + margins.left() + margins.right() + 6,
                        metrics.height());
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, content, edit).width();
}

int LabelWithFields::PieceWidth(const Piece& piece) const {
    const int natural = fontMetrics().horizontalAdvance(piece.text);
    if (piece.gap < 0 || static_cast<std::size_t>(piece.gap) >= items_.size())
        return natural;
    int needed = kGapMargin;
    for (const GapItem& item : items_[static_cast<std::size_t>(piece.gap)])
        needed += ItemWidth(item) + kGapMargin;
    return std::max(natural, needed);
}

QSize LabelWithFields::sizeHint() const {
    int width = 0;
    for (const Piece& piece : pieces_)
        width += PieceWidth(piece);
    int height = fontMetrics().height();
    for (const auto& gap : items_)
        for (const GapItem& item : gap)
            height = std::max(height, item.widget->sizeHint().height());
    const QMargins margins = contentsMargins();
    return {width + margins.left() + margins.right(), height + margins.top() + margins.bottom()};
}

QSize LabelWithFields::minimumSizeHint() const {
    return sizeHint();
}

void LabelWithFields::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect contents = contentsRect();
    int x = contents.left();
    for (const Piece& piece : pieces_) {
        const int width = PieceWidth(piece);
        if (piece.gap < 0)
            style()->drawItemText(&painter, QRect(x, contents.top(), width, contents.height()),
                                  Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), piece.text,
                                  foregroundRole());
        x += width;
    }
}

void LabelWithFields::Relayout() {
    const QRect contents = contentsRect();
    int x = contents.left();
    for (const Piece& piece : pieces_) {
        if (piece.gap >= 0 && static_cast<std::size_t>(piece.gap) < items_.size()) {
            int left = x + kGapMargin;
            for (const GapItem& item : items_[static_cast<std::size_t>(piece.gap)]) {
                const int width = ItemWidth(item);
                const int h = std::min(item.widget->sizeHint().height(), height());
                item.widget->setGeometry(left, (height() - h) / 2, width, h);
                left += width + kGapMargin;
            }
        }
        x += PieceWidth(piece);
    }
}

void LabelWithFields::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Relayout();
}

void LabelWithFields::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateGeometry();
        Relayout();
    }
}

} // namespace kx::wizard
