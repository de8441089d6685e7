#include "Demofrm.h"

#include "artwork.h"
#include "colour_qt.h"
#include "form_kit.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>

namespace sorami {
namespace {

QFont splashFont(int pixels, bool bold = false, bool italic = false) {
    return pixelFont(face::PGothic, pixels, {.bold = bold, .italic = italic});
}

} // namespace

TDemoForm::TDemoForm(QWidget* owner) : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setFixedSize(518, 328);
    centreOnScreen(this);

    Panel1 = new QFrame(this);
    Panel1->setGeometry(0, 0, 518, 328);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    QPalette silver = Panel1->palette();
    silver.setColor(QPalette::Window, toQColor(Colours::Silver));
    silver.setColor(QPalette::WindowText, Qt::black);
    Panel1->setPalette(silver);
    Panel1->setAutoFillBackground(true);

    Bevel1 = new QFrame(Panel1);
    Bevel1->setGeometry(8, 8, 502, 312);
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel1->setLineWidth(2);

    Image1 = new QLabel(Panel1);
    Image1->setGeometry(370, 16, 132, 100);
    showDrawnPicture(Image1, [](qreal dpr) { return splashPicture(132, 100, dpr); });

    Label1 = new QLabel(QStringLiteral("ガンバレソラミ君"), Panel1);
    Label1->setGeometry(28, 22, 330, 44);
    Label1->setFont(splashFont(34, true));
    QPalette navy = Label1->palette();
    navy.setColor(QPalette::WindowText, toQColor(Colours::Navy));
    Label1->setPalette(navy);

    Label2 = new QLabel(QStringLiteral("LkO for Windows95"), Panel1);
    Label2->setGeometry(32, 70, 300, 26);
    Label2->setFont(splashFont(20, true, true));

    Label3 = new QLabel(QStringLiteral("Ver1.0５"), Panel1);
    Label3->setGeometry(32, 98, 200, 22);
    Label3->setFont(splashFont(16));

    Bevel2 = new QFrame(Panel1);
    Bevel2->setGeometry(24, 132, 470, 4);
    Bevel2->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    const QStringList proverbs = {QStringLiteral("Being young is not everthing."),
                                  QStringLiteral("Adversity makes a man wise, not rich."),
                                  QStringLiteral("A Friend in need is a friend indeed."),
                                  QStringLiteral("A drowning man will catch at a straw.")};
    QLabel** labels[] = {&Label4, &Label5, &Label6, &Label7};
    for (int i = 0; i < 4; ++i) {
        auto* l = new QLabel(proverbs[i], Panel1);
        l->setGeometry(48, 150 + i * 38, 440, 30);
        l->setFont(splashFont(19, false, true));
        *labels[i] = l;
    }
    finishForm(this);
}

} // namespace sorami
