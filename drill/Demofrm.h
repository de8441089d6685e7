#pragma once
// The splash window shown while the drill window is being prepared.
#include <QFrame>
#include <QLabel>
#include <QWidget>

namespace sorami {

class TDemoForm : public QWidget {
    Q_OBJECT
public:
    explicit TDemoForm(QWidget* owner = nullptr);

    QFrame* Panel1 = nullptr; // silver, raised outer and lowered inner bevel
    QFrame* Bevel1 = nullptr; // the inner frame
    QLabel* Image1 = nullptr; // the picture in the upper right corner
    QLabel* Label1 = nullptr; // title
    QLabel* Label2 = nullptr; // "LkO for Windows95"
    QLabel* Label3 = nullptr; // version
    QFrame* Bevel2 = nullptr; // horizontal rule
    QLabel* Label4 = nullptr; // the four proverbs
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
};

} // namespace sorami
