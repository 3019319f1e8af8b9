#include "wizard/BookListDropDown.h"

#include "wizard/BookListModel.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace kx::wizard {

BookListDropDown::BookListDropDown(QLineEdit* field, QWidget* page, QObject* modelOwner)
    : QFrame(page), field_(field), grid_(new QTableView(this)), model_(new BookListModel(modelOwner)) {
    setObjectName(QStringLiteral("C1EList"));
    auto* panelLayout = new QVBoxLayout(this);
    panelLayout->setContentsMargins(0, 0, 0, 0);

    grid_->setObjectName(QStringLiteral("fg"));
    grid_->setModel(model_);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setShowGrid(false);
    grid_->setWordWrap(false);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setMouseTracking(true);
    constexpr std::array<int, BookListModel::ColumnCount> kWidthsInTwips{2310, 2025, 1065, 900, 900, 900};
    for (int c = 0; c < BookListModel::ColumnCount; ++c) {
        grid_->setColumnWidth(c, kWidthsInTwips[static_cast<std::size_t>(c)] / 15);
        grid_->setColumnHidden(c, c != BookListModel::BookName);
    }
    grid_->horizontalHeader()->setSectionResizeMode(BookListModel::BookName, QHeaderView::Stretch);
    panelLayout->addWidget(grid_);
    hide();

    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);
}

void BookListDropDown::OpenUnderField(long long preferredRow) {
    QWidget* page = parentWidget();
    const QPoint topLeft = field_->mapTo(page, QPoint(0, field_->height()));
    int shownRows = 0;
    for (int row = 0; row < model_->rowCount(); ++row)
        shownRows += grid_->isRowHidden(row) ? 0 : 1;
    const int rowHeight = grid_->verticalHeader()->defaultSectionSize();
    const int wanted = std::clamp(shownRows, 3, 10) * rowHeight + 2 * grid_->frameWidth();
    const int room = page->height() - topLeft.y() - 4;
    setGeometry(topLeft.x(), topLeft.y(), field_->width(),
                std::max(std::min(wanted, room), rowHeight + 2 * grid_->frameWidth()));
    show();
    raise();
    grid_->setFocus();
    if (!grid_->currentIndex().isValid() && preferredRow < model_->rowCount())
        grid_->setCurrentIndex(model_->index(static_cast<int>(preferredRow), BookListModel::BookName));
}

void BookListDropDown::OnHover(int row) {
    if (row < 0 || row >= model_->rowCount() || row == lastHoverRow_)
        return;
    if (lastHoverRow_ >= 0 && lastHoverRow_ < model_->rowCount())
        model_->SetRowBold(lastHoverRow_, false, grid_->font());
    lastHoverRow_ = row;
    const QString hint = model_->Text(row, BookListModel::UserName) + u' ' +
                         model_->Text(row, BookListModel::BookPath) +
                         (model_->IsSqlBookRow(row) ? u':' : u'\\') + model_->Text(row, BookListModel::BookFile);
    if (hint != grid_->toolTip())
        grid_->setToolTip(hint);
    model_->SetRowBold(row, true, grid_->font());
}

bool BookListDropDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport()) {
        switch (event->type()) {
        case QEvent::MouseMove:
            OnHover(grid_->rowAt(static_cast<QMouseEvent*>(event)->position().toPoint().y()));
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // Only the left button picks a row; the others leave the list as it is.
            return static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            emit RowChosen(mouse->button(), grid_->rowAt(mouse->position().toPoint().y()));
            return false;
        }
        case QEvent::ToolTip: {
            auto* help = static_cast<QHelpEvent*>(event);
            if (grid_->toolTip().isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), grid_->toolTip(), grid_->viewport());
            return true;
        }
        default:
            return false;
        }
    }
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit RowChosen(Qt::LeftButton, -1);
            return true;
        }
        if (key == Qt::Key_Escape) {
            hide();
            field_->setFocus();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace kx::wizard
