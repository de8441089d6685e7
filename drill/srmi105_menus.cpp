// The main menu, the text boxes' pop-up menu, and the rule that their
// short-cuts win over the text boxes' own key bindings.
#include "srmi105.h"

#include "error_guard.h"

#include <QKeyEvent>
#include <QMenuBar>

namespace sorami {
namespace {

QAction* item(QMenu* menu, const QString& caption, QKeySequence shortcut = {}) {
    auto* a = menu->addAction(caption);
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
}

QKeySequence ctrl(Qt::Key key) {
    return QKeySequence(Qt::CTRL | key);
}

} // namespace

void TSorami::createMenus() {
    QMenuBar* bar = menuBar();
    MainMenu1 = bar;

    // "［ﾌｧｲﾙ(&F)］". Ctrl+N reaches the save-as item; a menu title of its own
    // cannot take a short-cut here.
    DataFile = bar->addMenu(QStringLiteral("［ﾌｧｲﾙ(&F)］"));
    FileOpn = item(DataFile, QStringLiteral("ファイル(*.lko)を開く(&O)"), ctrl(Qt::Key_O));
    FileStore =
        item(DataFile, QStringLiteral("ファイル(*.lko)を上書き保存する(&S)"), ctrl(Qt::Key_S));
    NewFileName =
        item(DataFile, QStringLiteral("ファイルに名前を付けて保存する(&N)"), ctrl(Qt::Key_N));
    N1 = DataFile->addSeparator();
    Closed = item(DataFile, QStringLiteral("終了(&X)"), ctrl(Qt::Key_X));

    DataKakou = bar->addMenu(QStringLiteral("［ﾃﾞｰﾀ(&D)］"));
    DataTuika = item(DataKakou, QStringLiteral("データの追加"));
    DataHenkou = item(DataKakou, QStringLiteral("データの変更"));
    DataSakuzyo = item(DataKakou, QStringLiteral("データの削除"));
    DataAllSakuzyo = item(DataKakou, QStringLiteral("データを総て削除"));
    N5 = DataKakou->addSeparator();
    CopyClipBoard = DataKakou->addMenu(QStringLiteral("(To ClipBord）　 コピー"));
    CWabun_Box = item(CopyClipBoard, QStringLiteral("和文箱"));
    CSeikai_Box = item(CopyClipBoard, QStringLiteral("正解箱"));
    CKaitou_Box = item(CopyClipBoard, QStringLiteral("解答箱"));
    FromClipBoard = DataKakou->addMenu(QStringLiteral("(From ClipBoard）貼リ付け"));
    FWabun_Box = item(FromClipBoard, QStringLiteral("和文箱"));
    FSeikai_Box = item(FromClipBoard, QStringLiteral("正解箱"));
    FKaitou_Box = item(FromClipBoard, QStringLiteral("解答箱"));
    KiritoriClipBoard = DataKakou->addMenu(QStringLiteral("(To ClipBoard）　切り取り"));
    KWabun_Box = item(KiritoriClipBoard, QStringLiteral("和文箱"));
    KSeikai_Box = item(KiritoriClipBoard, QStringLiteral("正解箱"));
    KKaitouBox = item(KiritoriClipBoard, QStringLiteral("解答箱"));
    N7 = DataKakou->addSeparator();
    SoramiReport = item(DataKakou, QStringLiteral("ソラミ君の成績をﾚﾎﾟｰﾄする"));
    BlockReport = item(DataKakou, QStringLiteral("Block出題成績をﾚﾎﾟｰﾄする"));
    EraseSeiseki = item(DataKakou, QStringLiteral("成績の結果を消去する"));

    Font = bar->addMenu(QStringLiteral("［環境(&K)］"));
    Wabun = item(Font, QStringLiteral("和文フォントの選択"));
    Seikai = item(Font, QStringLiteral("正解フォントの選択"));
    Kaito = item(Font, QStringLiteral("解答フォントの選択"));
    N2 = Font->addSeparator();
    WabunBox = item(Font, QStringLiteral("和文問題箱の色"));
    SeikaiBox = item(Font, QStringLiteral("正解問題箱の色"));
    KaitouBox = item(Font, QStringLiteral("解答問題箱の色"));
    N3 = Font->addSeparator();
    K1 = Font->addMenu(QStringLiteral("効果（音声/音/なし）"));
    Onsei = item(K1, QStringLiteral("音声"));
    EffectSound = item(K1, QStringLiteral("効果音"));
    SoundNothing = item(K1, QStringLiteral("なし"));
    N4 = Font->addSeparator();
    K5 = Font->addMenu(QStringLiteral("出題形式"));
    SirialSyutudai = item(K5, QStringLiteral("シリアル出題"));
    RandomSyutudai = item(K5, QStringLiteral("ランダム出題"));
    MatigaiSyutudaiOnly = item(K5, QStringLiteral("間違問題のみ"));

    EMemoNote = bar->addAction(QStringLiteral("［メモ(&M)]"));
    EMemNote = bar->addAction(QStringLiteral("[ﾍﾙﾌﾟ(&H)]"));
    EMemoDispVersion = bar->addAction(QStringLiteral("[ﾊﾞｰｼﾞｮﾝ(&V)]"));

    PopupMenu1 = new QMenu(this);
    N6 = item(PopupMenu1, QStringLiteral("ファイルを開く(&O)"), ctrl(Qt::Key_O));
    Save1 = item(PopupMenu1, QStringLiteral("上書き保存(&S)"), ctrl(Qt::Key_S));
    SaveAs1 = item(PopupMenu1, QStringLiteral("名前を付けて保存(&N)"), ctrl(Qt::Key_N));
    N8 = PopupMenu1->addSeparator();
    N9 = item(PopupMenu1, QStringLiteral("シリアル出題(&P)"), ctrl(Qt::Key_P));
    N10 = item(PopupMenu1, QStringLiteral("ランダム出題(&R)"), ctrl(Qt::Key_R));
    N11 = item(PopupMenu1, QStringLiteral("間違い問題のみ(&D)"), ctrl(Qt::Key_D));
    N12 = PopupMenu1->addSeparator();
    N13 = item(PopupMenu1, QStringLiteral("ソラミ君成績(&E)"), ctrl(Qt::Key_E));
    N14 = item(PopupMenu1, QStringLiteral("ブロック問題成績(&B)"), ctrl(Qt::Key_B));
    N16 = PopupMenu1->addSeparator();
    N15 = item(PopupMenu1, QStringLiteral("成績結果の削除"), ctrl(Qt::Key_Delete));
    N21 = PopupMenu1->addSeparator();
    FlashWav = item(PopupMenu1, QStringLiteral("フラッシュ送りの音"));
    N17 = PopupMenu1->addSeparator();
    SeisekiTone = item(PopupMenu1, QStringLiteral("成績発表の派手な音"));
    N19 = PopupMenu1->addSeparator();
    N20 = item(PopupMenu1, QStringLiteral("ソラミ君メモ(&M)"), ctrl(Qt::Key_M));
    N18 = PopupMenu1->addSeparator();
    X1 = item(PopupMenu1, QStringLiteral("ガンバレソラミ君終了(&X)"), ctrl(Qt::Key_X));

    createFeedbackMenus();

    // The pop-up's short-cuts act while the pop-up is closed. Those it shares
    // with the main menu already reach the same handler through the menu bar;
    // registering them twice would make the key ambiguous and act on neither.
    QSet<QKeySequence> mainMenuKeys;
    for (QAction* a : {FileOpn, FileStore, NewFileName, Closed, SpeakAnswer})
        mainMenuKeys.insert(a->shortcut());
    for (QAction* a : PopupMenu1->actions()) {
        if (a->shortcut().isEmpty() || mainMenuKeys.contains(a->shortcut())) continue;
        addAction(a);
    }

    for (RichEdit* box : {WabunDisp, SeikaiDisp, KaitouDisp}) {
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QWidget::customContextMenuRequested, this,
                [this, box](const QPoint& at) { PopupMenu1->popup(box->mapToGlobal(at)); });
    }

    connectScoreHandlers();
}

void TSorami::connectScoreHandlers() {
    // Main menu, pop-up twin and its short-cut run one handler.
    for (QAction* a : {SoramiReport, N13})
        connectGuarded(platform_, a, &QAction::triggered, this, &TSorami::SoramiReportClick);
    for (QAction* a : {BlockReport, N14})
        connectGuarded(platform_, a, &QAction::triggered, this, &TSorami::BlockReportClick);
    for (QAction* a : {EraseSeiseki, N15})
        connectGuarded(platform_, a, &QAction::triggered, this, &TSorami::EraseSeisekiReportClick);
    connectGuarded(platform_, ProblemReset, &QAbstractButton::clicked, this,
                   &TSorami::ProblemResetClick);
    connectGuarded(platform_, BlockSyutudai, &QAbstractButton::clicked, this,
                   &TSorami::BlockSyutudaiClick);
}

void TSorami::installShortcutPriority() {
    windowShortcuts_.clear();
    const auto collect = [this](const QList<QAction*>& actions, auto&& self) -> void {
        for (QAction* a : actions) {
            if (!a->shortcut().isEmpty()) windowShortcuts_.insert(a->shortcut());
            if (a->menu()) self(a->menu()->actions(), self);
        }
    };
    collect(menuBar()->actions(), collect);
    collect(PopupMenu1->actions(), collect);
    // Every text-holding child gives way to the menus' keys.
    for (QWidget* w : Client->findChildren<QWidget*>()) {
        if (qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
            qobject_cast<QLineEdit*>(w))
            w->installEventFilter(this);
    }
    KaitouSakusei->installEventFilter(this);
}

} // namespace sorami
