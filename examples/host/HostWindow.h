#pragma once

#include <QMainWindow>
#include <QString>

#include <array>

class QPushButton;
class QTableWidget;

/// The main window of the example host: the wizard control above, the book list
/// (shown once a new book is completed), and the Back, Next and Cancel buttons
/// that move the control's pages through its "Step" property. The control's
/// events are connected by name and shown in the status bar.
///
/// The window knows the control only as a QWidget: every property, method and
/// event is reached through Qt's meta-object.
class HostWindow : public QMainWindow {
    Q_OBJECT

  public:
    /// Creates the control through the library's entry points and hands it the
    /// application folder `appFolder` and the book list `listFile` in it.
    HostWindow(const QString& appFolder, const QString& listFile);

    QWidget* Control() const { return control_; }

    /// Loads the book list into the control and shows page 0; false (with the
    /// reason in the status bar) when it could not be loaded.
    bool Start();
    /// Asks the control for page `step`, as the Back and Next buttons do; true
    /// when the control shows it afterwards (the host or the control may refuse).
    bool GoTo(int step);
    /// The page the control shows.
    int Step() const;
    /// Whether the control has completed a new book.
    bool Completed() const;
    /// The last notice shown in the status bar.
    QString LastNotice() const { return lastNotice_; }

  signals:
    /// The control completed a new book; the book list is shown.
    void BookCompleted();

  private slots:
    void OnBeforeStep(short stepNo, bool& cancel);
    void OnAfterStep(short stepNo);
    void OnCommand(const QString& name, bool& cancel);
    void OnNotify(const QString& message, bool showBox);
    void OnProcess(short indicator);
    void ReadButtons();

  private:
    void ShowNotice(const QString& text);
    void ShowBookList();

    QString appFolder_;
    QString listFile_;
    QWidget* control_ = nullptr;
    // Cancel, Back and Next, in the control's button order 0, 1, 2.
    std::array<QPushButton*, 3> buttons_{};
    QTableWidget* books_ = nullptr;
    QString lastNotice_;
    bool completedShown_ = false;
};
