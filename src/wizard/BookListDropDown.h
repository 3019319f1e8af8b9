#pragma once

#include <QFrame>

class QLineEdit;
class QTableView;

namespace kx::wizard {

class BookListModel;

/// The book list drop-down of the template field ("C1EList"): a frame floating
/// over the page under the field, holding the grid "fg" of the book list rows.
/// Moving the pointer over a row makes it bold and shows its company and
/// location as the tip; a button release on a row, or Enter, reports the row
/// through `RowChosen`; Escape closes the list and gives the field the focus.
class BookListDropDown : public QFrame {
    Q_OBJECT

  public:
    /// Builds the hidden drop-down on `page` under `field`; `modelOwner` owns the
    /// rows' model.
    BookListDropDown(QLineEdit* field, QWidget* page, QObject* modelOwner);

    QTableView* Grid() const noexcept { return grid_; }
    BookListModel* Model() const noexcept { return model_; }

    /// Shows the list under the field, 3 to 10 shown rows high as the page has
    /// room, gives it the focus and makes row `preferredRow` current when none
    /// is and the row exists.
    void OpenUnderField(long long preferredRow);

  signals:
    /// A row was picked: `clickedRow` is the row under the pointer (-1 for the
    /// current row, as Enter picks it).
    void RowChosen(Qt::MouseButton button, int clickedRow);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnHover(int row);

    QLineEdit* field_;
    QTableView* grid_;
    BookListModel* model_;
    int lastHoverRow_ = 0;
};

} // namespace kx::wizard
