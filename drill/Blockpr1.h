#pragma once
// The block-size dialog: how many questions the block run asks, 10 to 100.
// The number box is read-only, so the spinner beside it is the only way to
// change the number. The caller reads the outcome from the two unit-level
// values below after the dialog has closed.

#include <QDialog>
#include <QIcon>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace sorami {

class Platform;

// The number taken by the last OK of this program run (0 before any).
extern int BlockCountEntered;
// 1 once the cancel button (or Esc) closed the dialog; the block start reads
// it and sets it back to 0.
extern int BlockCancelled;

class TBlockProblem : public QDialog {
    Q_OBJECT
public:
    explicit TBlockProblem(Platform& platform, QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* BlockNum = nullptr;
    QLabel* Label4 = nullptr;
    QSpinBox* UpDown1 = nullptr;
    QPushButton* BlockOk = nullptr;
    QPushButton* BlockCancel = nullptr;

public slots:
    void UpDown1Click();
    void BlockOkClick();
    void BlockCancelClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void layOut();
    Platform& platform_;
};

// Shows the block-size dialog modally and releases it. Gives the size of the
// run to start (the number entered, raised to at least 10), or nothing when
// the learner cancelled; BlockCancelled is then back at 0.
std::optional<int> askBlockSize(Platform& platform, QWidget* parent);

} // namespace sorami
