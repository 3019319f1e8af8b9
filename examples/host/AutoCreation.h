#pragma once

#include <QDate>
#include <QString>

class HostWindow;

/// What a non-interactive run enters on the wizard's pages.
struct AutoInputs {
    int templatePosition = 0; ///< book list position of the template (0: the first book)
    QString operatorName;     ///< an operator of the template book
    QString password;
    QString bookName;
    QString company;
    QString director;
    QDate beginMonth; ///< any day of the new book's first month
};

/// Walks the control of `window` through its pages as a user of the window would:
/// loads the list, picks the template by its position ("BookID"), types the
/// operator into the page's fields, and enters the new book through the control's
/// properties, moving on with the window's own GoTo (so the host's checks run).
/// True when the control completed the new book; otherwise `*failure` says where
/// it stopped.
bool RunAutoCreation(HostWindow& window, const AutoInputs& inputs, QString* failure);
