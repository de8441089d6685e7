#pragma once
// The interval dialog of automatic and flash advance: how many seconds each
// question stands, 3 to 30. The number box is read-only, so the spinner
// beside it is the only way to change the number. The caller reads the
// outcome from the two unit-level values below after the dialog has closed.

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sorami {

class Platform;
class UpDownSpinner;

// The seconds taken by the last OK of this program run (0 before any).
extern int IntervalEntered;
// 1 after the cancel button (or Esc), 0 after OK. The title-bar close box
// runs neither button and leaves both values as they were.
extern int IntervalCancelled;

class TSetTimes : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 348;
    static constexpr int ClientHeight = 265;

    explicit TSetTimes(Platform& platform, QWidget* parent = nullptr);

    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Image1 = nullptr;
    QLineEdit* IntervalTime = nullptr;
    QLabel* Label4 = nullptr;
    UpDownSpinner* UpDown1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

public slots:
    void UpDown1Click();
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void layOut();
    Platform& platform_;
};

// Creates the dialog, shows it modally and releases it. Gives the text its
// number box showed when it closed, which the start of an advance puts in
// its status line; the outcome is in IntervalEntered and IntervalCancelled.
QString askInterval(Platform& platform, QWidget* parent);

} // namespace sorami
