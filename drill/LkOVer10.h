#pragma once
// TLkOVer10, the version dialog: the program's icon, name and version.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace sorami {

class TLkOVer10 : public QDialog {
    Q_OBJECT
public:
    explicit TLkOVer10(QWidget* parent = nullptr);

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QFrame* Bevel1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

} // namespace sorami
