#pragma once

#include <QLabel>
#include <QString>

#include <vector>

namespace kx::wizard {

/// A label whose runs of spaces leave room for fields: the widgets of each gap
/// are children of the label and sit over that run of spaces, left to right. The
/// label keeps its text exactly; it draws each run of spaces as wide as the
/// widgets of that gap need (or wider, when the spaces already are), whatever the
/// font and its size.
class LabelWithFields : public QLabel {
    Q_OBJECT

  public:
    /// One widget in a gap. A line edit is made as wide as `sampleText` needs;
    /// any other widget gets its size hint.
    struct GapItem {
        QWidget* widget;
        QString sampleText;
    };

    /// `gaps[i]` are the widgets of the i-th run of spaces in `text`.
    LabelWithFields(const QString& text, std::vector<std::vector<GapItem>> gaps, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    /// A run of the text: either words or a gap (a run of spaces).
    struct Piece {
        QString text;
        int gap; // index into the gap widgets, -1 for words
    };

    int ItemWidth(const GapItem& item) const;
    int PieceWidth(const Piece& piece) const;
    void Relayout();

    std::vector<Piece> pieces_;
    std::vector<std::vector<GapItem>> items_;
};

} // namespace kx::wizard
