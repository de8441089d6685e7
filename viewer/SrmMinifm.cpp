#include "SrmMinifm.h"
#include "resume_record.h"
#include "text_box.h"

#include "artwork.h"
#include "error_guard.h"
#include "form_kit.h"
#include "profile_ini.h"
#include "program_paths.h"
#include "sjis_text.h"
#include "sorami_error.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTextEdit>
#include <QToolButton>
#include <algorithm>

namespace sorami {
namespace {

FontSpec boxDesignFont(ColourValue colour) {
    return pixelFontSpec(face::Gothic, 17, {}, colour);
}

FontSpec dialogDesignFont() {
    return pixelFontSpec(face::PGothic, 15);
}

QTextEdit* makeCardBox(QWidget* parent, bool wraps) {
    auto* box = new QTextEdit(parent);
    box->setReadOnly(true);
    box->setAcceptRichText(false);
    box->setLineWrapMode(wraps ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    // Narrow margins: two lines of an answer fit the lower box, and a long
    // sentence keeps room above its scroll bar.
    box->document()->setDocumentMargin(2);
    // Reachable by the mouse, never by the Tab key.
    box->setFocusPolicy(Qt::ClickFocus);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    return box;
}

} // namespace

TSoramiMiniVer::TSoramiMiniVer(Platform& platform, ViewerBuild build, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      platform_(platform), build_(build) {
    setWindowTitle(QStringLiteral("ｶﾞﾝﾊﾞﾚソラミ君ミニ"));
    OpenDialog2.filter = QStringLiteral("ソラミ君データ(*.lko)|*.lko");
    OpenDialog2.initialDir = questionFolderAtStart();
    FontDialog1.font = dialogDesignFont();
    FontDialog2.font = dialogDesignFont();
    createControls();
    layOut();
    connectHandlers();
    TangoDisp->setAccessibleName(QStringLiteral("和文"));
    ImiDisp->setAccessibleName(QStringLiteral("正解"));
    finishForm(this);
    guarded(platform_, this, [this] { FormCreate(); });
}

QString TSoramiMiniVer::viewerIniPath() {
    return settingsFilePath(QStringLiteral("ソラミ君ミニ.ini"));
}

void TSoramiMiniVer::createControls() {
    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    TangoDisp = makeCardBox(Panel1, false);
    ImiDisp = makeCardBox(Panel1, true);
    applyBoxFont(TangoDisp, boxDesignFont(SysColour::WindowText));
    applyBoxFont(ImiDisp, boxDesignFont(Colours::Red));

    buttonPanel = new QFrame(this);
    buttonPanel->setFrameShape(QFrame::Panel);
    buttonPanel->setFrameShadow(QFrame::Raised);
    // The forward button has no hint of its own and shows the panel's.
    buttonPanel->setToolTip(QStringLiteral("進む"));
    Yomikomi = makeSpeedButton(buttonPanel, SpeedGlyph::Open, QStringLiteral("ファイルを開く"));
    Tojiru = makeSpeedButton(buttonPanel, SpeedGlyph::Exit, QStringLiteral("ソラミミニ終了"));
    Modoru = makeSpeedButton(buttonPanel, SpeedGlyph::Back, QStringLiteral("戻す"));
    Susumeru = makeSpeedButton(buttonPanel, SpeedGlyph::Forward, QString());
    Susumeru->setAccessibleName(buttonPanel->toolTip());
    Imi = makeSpeedButton(buttonPanel, SpeedGlyph::Answer, QStringLiteral("正解"));
    Ideom = makeSpeedButton(buttonPanel, SpeedGlyph::Idiom, QStringLiteral("イデオム"));

    PopupMenu1 = new QMenu(this);
    SelectWabunFont = PopupMenu1->addAction(QStringLiteral("和文フォントの選択"));
    PopupMenu1->addSeparator();
    SelectSeikaiFont = PopupMenu1->addAction(QStringLiteral("正解フォントの選択"));
    PopupMenu1->addSeparator();
    Exit1 = PopupMenu1->addAction(QStringLiteral("終了"));
}

void TSoramiMiniVer::layOut() {
    // The window keeps one fixed size and is not scaled to the desktop's text size.
    setFixedSize(732, 98);
    Panel1->setGeometry(0, 0, 668, 98);
    TangoDisp->setGeometry(4, 4, 660, 38);
    ImiDisp->setGeometry(4, 44, 660, 50);
    buttonPanel->setGeometry(670, 2, 60, 94);
    const int col[2] = {4, 31};
    const int row[3] = {4, 33, 62};
    QToolButton* const grid[3][2] = {{Yomikomi, Tojiru}, {Modoru, Susumeru}, {Imi, Ideom}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            grid[r][c]->setGeometry(col[c], row[r], 25, 27);
}

void TSoramiMiniVer::connectHandlers() {
    connectGuarded(platform_, Yomikomi, &QToolButton::clicked, this,
                   &TSoramiMiniVer::YomikomiClick);
    connectGuarded(platform_, Tojiru, &QToolButton::clicked, this, &TSoramiMiniVer::TojiruClick);
    connectGuarded(platform_, Modoru, &QToolButton::clicked, this, &TSoramiMiniVer::ModoruClick);
    connectGuarded(platform_, Susumeru, &QToolButton::clicked, this,
                   &TSoramiMiniVer::SusumeruClick);
    connectGuarded(platform_, Imi, &QToolButton::clicked, this, &TSoramiMiniVer::ImiClick);
    connectGuarded(platform_, Ideom, &QToolButton::clicked, this, &TSoramiMiniVer::IdeomClick);
    connectGuarded(platform_, SelectWabunFont, &QAction::triggered, this,
                   &TSoramiMiniVer::SelectWabunFontClick);
    connectGuarded(platform_, SelectSeikaiFont, &QAction::triggered, this,
                   &TSoramiMiniVer::SelectSeikaiFontClick);
    connectGuarded(platform_, Exit1, &QAction::triggered, this, &TSoramiMiniVer::TojiruClick);
    speak_ = addCardSpeakCommand(platform_, this, cards_);
    PopupMenu1->insertAction(Exit1, speak_.action);
    PopupMenu1->insertSeparator(Exit1);
    for (QTextEdit* box : {TangoDisp, ImiDisp})
        connectGuarded(platform_, box, &QWidget::customContextMenuRequested, this,
                       [this, box](const QPoint& pos) {
                           PopupMenu1->popup(box->viewport()->mapToGlobal(pos));
                       });
}

void TSoramiMiniVer::FormCreate() {
    if (build_ == ViewerBuild::InDrill) setFixedSize(732, 98);
    centreOnScreen(this);
    cards_.clear();
}

void TSoramiMiniVer::showModal() {
    const QPointer<TSoramiMiniVer> self(this);
    setWindowModality(Qt::ApplicationModal);
    show();
    // Closing hides the window; the owner may also delete it on close.
    while (self && isVisible())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TSoramiMiniVer::YomikomiClick() {
    if (build_ == ViewerBuild::InDrill &&
        platform_.messageBox(this, QStringLiteral("前回の続きから始めますか？"), MsgIcon::Question,
                             MsgButtons::YesNo) != MsgResult::No) {
        resumeFromRecord();
        return;
    }
    loadThroughDialog();
}

void TSoramiMiniVer::openFile(const QString& path) {
    guarded(platform_, this, [&] { loadThroughDialog(path); });
}

void TSoramiMiniVer::loadThroughDialog(const QString& picked) {
    if (!openCardFile(platform_, this, OpenDialog2, cards_, picked)) return;
    setWindowTitle(QStringLiteral("単語カード(") + cards_.fileName + QStringLiteral(")"));
    showCard();
}

void TSoramiMiniVer::resumeFromRecord() {
    const ProfileIni ini(viewerIniPath());
    const std::string stored = resume::readFile(ini);
    if (stored != resume::NoFile) {
        cards_.fileName = fromSjis(stored);
        if (!cards_.fileName.isEmpty())
            cards_.lines = readQuestionFile(cards_.fileName); // a failure ends the resume here
        else
            platform_.messageBox(this, QStringLiteral("前回の問題は記憶されていません!"),
                                 MsgIcon::None, MsgButtons::Ok);
    }
    const int number = resume::readNumber(ini);
    if (number != resume::NoNumber) {
        // One card before the stored one, so that the step forward lands on
        // it; a number outside the file's cards wraps round to card 1.
        const long long before = (static_cast<long long>(number) - 2) * 3;
        cards_.line = static_cast<int>(std::clamp(before, -3LL, cards_.lastCardLine() + 3LL));
        SusumeruClick();
    }
}

void TSoramiMiniVer::writeResumeRecord() {
    ProfileIni ini(viewerIniPath());
    resume::write(ini, cards_.fileName, cards_.number());
}

void TSoramiMiniVer::TojiruClick() {
    if (build_ == ViewerBuild::InDrill) writeResumeRecord();
    close();
}

void TSoramiMiniVer::SusumeruClick() {
    cards_.next();
    showCard();
}

void TSoramiMiniVer::ModoruClick() {
    cards_.previous();
    showCard();
}

void TSoramiMiniVer::showCard() {
    view().showCard(cards_);
}

void TSoramiMiniVer::ImiClick() {
    view().showAnswer(cards_);
}

void TSoramiMiniVer::IdeomClick() {
    view().showIdiom(cards_);
}

void TSoramiMiniVer::SelectWabunFontClick() {
    if (platform_.chooseFont(this, FontDialog1)) applyBoxFont(TangoDisp, FontDialog1.font);
}

void TSoramiMiniVer::SelectSeikaiFontClick() {
    if (platform_.chooseFont(this, FontDialog2)) applyBoxFont(ImiDisp, FontDialog2.font);
}

} // namespace sorami
