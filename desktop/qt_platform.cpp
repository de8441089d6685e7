#include "qt_platform.h"

#include "app_setup.h"
#include "fonts.h"
#include "form_kit.h"
#include "program_paths.h"
#include "session_end.h"
#include "sorami_error.h"
#include "sound.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>
#include <QTime>
#include <QVBoxLayout>
#include <climits>
#include <cstdlib>
#include <memory>
#include <time.h>
#include <vector>

namespace sorami {

QString displayLineBreaks(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

namespace {

QString titleOr(const QString& caption) {
    if (!caption.isEmpty()) return caption;
    return applicationTitle();
}

// A short message would make a box too narrow for its title bar, and the
// desktop would cut the title ("LkO f... in95"): the box is made wide enough
// for the title in a bold face (as many title bars draw it). Title bars
// centre the title between the window's edges (Wayland's title bar drawn by
// Qt does), so the room of the buttons at one end is kept at both.
constexpr int TitleBarButtonsRoom = 90;
int titleWidth(const QWidget& w) {
    QFont title = QApplication::font();
    title.setBold(true);
    return QFontMetrics(title).horizontalAdvance(w.windowTitle()) + 2 * TitleBarButtonsRoom;
}
void keepTitleWhole(QMessageBox& box) {
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

// A dialog with no window of its own under it (the name box, asked before
// the drill window shows) would open in the screen's top-left corner: it
// opens in the middle of the screen instead.
void placeOnScreen(QDialog& dialog, QWidget* parent) {
    if (parent && parent->window()->isVisible()) return;
    dialog.ensurePolished();
    dialog.adjustSize();
    centreOnScreen(&dialog);
}

} // namespace

MsgResult QtPlatform::messageBox(QWidget* parent, const QString& text, MsgIcon icon,
                                 MsgButtons buttons, const QString& caption) {
    QMessageBox box(parent);
    box.setWindowTitle(titleOr(caption));
    box.setText(displayLineBreaks(text));
    switch (icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    QMessageBox::StandardButtons set;
    QMessageBox::StandardButton def = QMessageBox::Ok;
    switch (buttons) {
    case MsgButtons::Ok:
        set = QMessageBox::Ok;
        break;
    case MsgButtons::OkCancel:
        set = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case MsgButtons::YesNo:
        set = QMessageBox::Yes | QMessageBox::No;
        def = QMessageBox::Yes;
        break;
    case MsgButtons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        def = QMessageBox::Yes;
        break;
    case MsgButtons::RetryCancel:
        set = QMessageBox::Retry | QMessageBox::Cancel;
        def = QMessageBox::Retry;
        break;
    }
    box.setStandardButtons(set);
    box.setDefaultButton(def);
    keepTitleWhole(box);
    placeOnScreen(box, parent);
    const int answer = box.exec();
    // The window under the box takes the keyboard back at once, as it does
    // on a desktop whose window manager hands it back: a control given the
    // focus right after the box would otherwise take typed keys without
    // knowing it has the focus, and keep its caret when the focus moves on.
    if (parent && parent->window()->isVisible() && programPlacesWindows())
        parent->window()->activateWindow();
    switch (answer) {
    case QMessageBox::Ok:
        return MsgResult::Ok;
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    case QMessageBox::Retry:
        return MsgResult::Retry;
    default:
        // The title-bar close box of a box without Cancel answers as its
        // only or its negative button does.
        if (buttons == MsgButtons::Ok) return MsgResult::Ok;
        if (buttons == MsgButtons::YesNo) return MsgResult::No;
        return MsgResult::Cancel;
    }
}

void QtPlatform::errorBox(QWidget* parent, const QString& text) {
    messageBox(parent, text, MsgIcon::Error, MsgButtons::Ok);
}

QString QtPlatform::inputBox(QWidget* parent, const QString& title, const QString& prompt,
                             const QString& defaultText) {
    QInputDialog dlg(parent);
    dlg.setWindowTitle(title);
    dlg.setLabelText(displayLineBreaks(prompt));
    dlg.setTextValue(defaultText);
    dlg.setInputMode(QInputDialog::TextInput);
    placeOnScreen(dlg, parent);
    if (dlg.exec() != QDialog::Accepted) return defaultText;
    return dlg.textValue();
}

namespace {

// Qt's save dialog gives the typed name the extension of each filter the
// learner picks ("*.*" even turns "q.lko" into "q.*"). No extension is ever
// put on a name here: a filter only changes what the dialog lists. The name
// is noted whenever it changes, except between the choice of a filter (the
// combo box's index changes first) and the end of Qt's own handling of it
// (filterSelected comes last), after which the noted name is put back.
void keepTypedNameAcrossFilters(QFileDialog& dlg) {
    auto* nameEdit = dlg.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* types = dlg.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (!nameEdit || !types) return;
    struct Noted {
        QString name;
        bool choosing = false;
    };
    auto noted = std::make_shared<Noted>(Noted{nameEdit->text()});
    QObject::connect(nameEdit, &QLineEdit::textChanged, &dlg, [noted](const QString& text) {
        if (!noted->choosing) noted->name = text;
    });
    QObject::connect(types, &QComboBox::currentIndexChanged, &dlg,
                     [noted] { noted->choosing = true; });
    QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, [noted, nameEdit] {
        if (nameEdit->text() != noted->name) nameEdit->setText(noted->name);
        noted->choosing = false;
    });
}

} // namespace

bool QtPlatform::runFileDialog(QWidget* parent, FileDialogState& state, bool save) {
    QFileDialog dlg(parent);
    // Qt's own dialog looks and behaves the same on every desktop and can be
    // driven from the keyboard alone.
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!state.title.isEmpty()) dlg.setWindowTitle(state.title);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !(save && state.overwritePrompt));
    // The labels read exactly as the program gives them. Qt would take the
    // patterns from an ASCII "(...)" at a label's end, and from nothing else
    // ("（*.lko)" opens full-width), so the patterns are set apart from the
    // labels every time a filter is chosen.
    const QList<NameFilter> entries = parseFilterList(state.filter);
    QStringList filters;
    for (const NameFilter& entry : entries)
        filters << entry.label;
    dlg.setNameFilters(filters);
    auto* types = dlg.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    const auto listByPatterns = [&dlg, entries, types] {
        auto* model = dlg.findChild<QFileSystemModel*>();
        const int at = types ? types->currentIndex() : -1;
        if (!model || at < 0 || at >= entries.size()) return;
        QStringList patterns = entries.at(at).patterns;
        // "*.*" means every file, names without a dot included, on the
        // desktop these filter lists come from.
        for (QString& p : patterns)
            if (p == QStringLiteral("*.*")) p = QStringLiteral("*");
        model->setNameFilters(patterns);
    };
    QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, listByPatterns);
    if (state.filterIndex >= 1 && state.filterIndex <= filters.size())
        dlg.selectNameFilter(dlg.nameFilters().value(state.filterIndex - 1));
    // Qt squeezes the blanks of a label; the learner sees it as given.
    if (types && types->count() == filters.size())
        for (int i = 0; i < filters.size(); ++i)
            types->setItemText(i, filters.at(i));
    listByPatterns();
    QString dir = state.initialDir;
    if (!state.fileName.isEmpty()) {
        const QFileInfo fi(state.fileName);
        if (fi.isAbsolute()) dir = fi.absolutePath();
    }
    if (dir.isEmpty()) dir = QDir::currentPath();
    dlg.setDirectory(dir);
    if (!state.fileName.isEmpty()) dlg.selectFile(QFileInfo(state.fileName).fileName());
    if (save) keepTypedNameAcrossFilters(dlg);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
    state.fileName = QDir::cleanPath(QFileInfo(dlg.selectedFiles().first()).absoluteFilePath());
    state.filterIndex =
        types ? types->currentIndex() + 1
              : static_cast<int>(dlg.nameFilters().indexOf(dlg.selectedNameFilter())) + 1;
    state.initialDir = QFileInfo(state.fileName).absolutePath();
    return true;
}

bool QtPlatform::openFile(QWidget* parent, FileDialogState& state) {
    return runFileDialog(parent, state, false);
}

bool QtPlatform::saveFile(QWidget* parent, FileDialogState& state) {
    return runFileDialog(parent, state, true);
}

namespace {

// The sixteen colours a font's colour can take, as the classic font dialog offers them.
struct NamedColour {
    const char* name;
    ColourValue value;
};
constexpr NamedColour fontColours[] = {
    {"黒", Colours::Black},       {"栗色", Colours::Maroon},  {"緑", Colours::Green},
    {"オリーブ", Colours::Olive}, {"濃紺", Colours::Navy},    {"紫", Colours::Purple},
    {"青緑", Colours::Teal},      {"灰色", Colours::Gray},    {"銀色", Colours::Silver},
    {"赤", Colours::Red},         {"黄緑", Colours::Lime},    {"黄", Colours::Yellow},
    {"青", Colours::Blue},        {"赤紫", Colours::Fuchsia}, {"水色", Colours::Aqua},
    {"白", Colours::White},
};

// The installed style of a face closest to the weight and slant asked for;
// empty when the face has no style of that slant.
QString styleOf(const QString& family, bool bold, bool italic) {
    QString best;
    int bestDistance = INT_MAX;
    for (const QString& style : QFontDatabase::styles(family)) {
        if (QFontDatabase::italic(family, style) != italic) continue;
        const int distance =
            std::abs(QFontDatabase::weight(family, style) - (bold ? QFont::Bold : QFont::Normal));
        if (distance < bestDistance) {
            best = style;
            bestDistance = distance;
        }
    }
    return best;
}

// Esc and Enter pressed anywhere in a composed dialog close the dialog;
// Enter on a focused button presses that button instead, as in every dialog.
class DialogKeys : public QObject {
public:
    explicit DialogKeys(QDialog* dialog) : QObject(dialog), dialog_(dialog) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape) {
                dialog_->reject();
                return true;
            }
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                if (auto* button = qobject_cast<QPushButton*>(watched)) {
                    button->click();
                    return true;
                }
                dialog_->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QDialog* dialog_;
};

} // namespace

bool QtPlatform::chooseFont(QWidget* parent, FontChooser& chooser) {
    QDialog dlg(parent);
    dlg.setWindowTitle(QStringLiteral("フォント"));
    auto* layout = new QVBoxLayout(&dlg);
    auto* fonts = new QFontDialog(&dlg);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    // The dialog lists installed families only: show the face that the
    // stored name stands for here.
    QFont current = toQFont(chooser.font);
    const QString shownFamily = QFontInfo(current).family();
    current.setFamily(shownFamily);
    if (current.pixelSize() > 0) current.setPointSizeF(QFontInfo(current).pointSizeF());
    // Name the style outright: left to guess, the dialog may settle on the
    // first style of the face's list, which is "Bold" for some faces.
    if (const QString style = styleOf(shownFamily, chooser.font.bold, chooser.font.italic);
        !style.isEmpty())
        current.setStyleName(style);
    fonts->setCurrentFont(current);
    // Every face chosen here shows Japanese or mixed text: the sample shows
    // kana and kanji beside the Latin letters.
    for (QLineEdit* sample : fonts->findChildren<QLineEdit*>())
        if (sample->text() == QLatin1String("AaBbYyZz"))
            sample->setText(QStringLiteral("AaYy あア漢字"));
    const QFont opened = fonts->currentFont();
    layout->addWidget(fonts);
    // The embedded dialog would close only itself on Esc or Enter and leave
    // an empty frame: the keys answer for the whole dialog.
    QObject::connect(fonts, &QDialog::rejected, &dlg, &QDialog::reject);
    QObject::connect(fonts, &QDialog::accepted, &dlg, &QDialog::accept);
    QComboBox* colour = nullptr;
    if (chooser.effects) {
        auto* row = new QHBoxLayout;
        auto* label = new QLabel(QStringLiteral("色(&C):"), &dlg);
        colour = new QComboBox(&dlg);
        label->setBuddy(colour);
        int selected = -1;
        for (const auto& c : fontColours) {
            QPixmap swatch(16, 12);
            swatch.fill(toQColor(c.value));
            colour->addItem(QIcon(swatch), QString::fromUtf8(c.name), c.value);
            if (c.value == chooser.font.colour) selected = colour->count() - 1;
        }
        if (selected < 0) {
            // A colour outside the list (a system colour, say) stays selectable as it is.
            QPixmap swatch(16, 12);
            swatch.fill(toQColor(chooser.font.colour));
            colour->addItem(QIcon(swatch), QStringLiteral("現在の色"), chooser.font.colour);
            selected = colour->count() - 1;
        }
        colour->setCurrentIndex(selected);
        row->addWidget(label);
        row->addWidget(colour);
        row->addStretch();
        layout->addLayout(row);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    layout->addWidget(buttons);
    auto* keys = new DialogKeys(&dlg);
    dlg.installEventFilter(keys);
    for (QWidget* child : dlg.findChildren<QWidget*>())
        child->installEventFilter(keys);
    if (dlg.exec() != QDialog::Accepted) return false;

    const QFont chosen = fonts->currentFont();
    FontSpec fontSpec = chooser.font;
    // The face keeps its stored name while the learner did not pick another
    // one: "System" stays "System" rather than the face it stands for here.
    if (shownFamily != chosen.family()) fontSpec.face = chosen.family();
    fontSpec.size = chosen.pointSize() > 0 ? chosen.pointSize() : fontSpec.size;
    fontSpec.height = 0;
    // What the learner did not change stays as the chooser had it.
    if (chosen.bold() != opened.bold()) fontSpec.bold = chosen.bold();
    if (chosen.italic() != opened.italic()) fontSpec.italic = chosen.italic();
    if (chooser.effects) {
        if (chosen.underline() != opened.underline()) fontSpec.underline = chosen.underline();
        if (chosen.strikeOut() != opened.strikeOut()) fontSpec.strikeOut = chosen.strikeOut();
        fontSpec.colour = colour->currentData().toInt();
    }
    chooser.font = fontSpec;
    return true;
}

bool QtPlatform::chooseColour(QWidget* parent, ColourChooser& chooser) {
    // The custom colour slots belong to this chooser for the run.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, i < chooser.customColours.size()
                                            ? toQColor(chooser.customColours[i])
                                            : QColor(Qt::white));
    QColorDialog dlg(toQColor(chooser.colour), parent);
    dlg.setOption(QColorDialog::DontUseNativeDialog, true);
    const bool ok = dlg.exec() == QDialog::Accepted;
    chooser.customColours.clear();
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        chooser.customColours << fromQColor(QColorDialog::customColor(i));
    if (!ok) return false;
    chooser.colour = fromQColor(dlg.selectedColor());
    return true;
}

bool QtPlatform::printDocument(QWidget* parent, const QTextDocument& doc, bool hasSelection,
                               const QTextDocument* selection) {
    QPrinter printer(QPrinter::HighResolution);
    // The dialog proposes a PDF in the home folder named after the job;
    // the title is a full path, which would name a folder that is not there.
    printer.setDocName(QFileInfo(doc.metaInformation(QTextDocument::DocumentTitle)).fileName());
    QPrintDialog dlg(&printer, parent);
    dlg.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, true);
    // The list of single pages is never enabled here and is the one choice
    // Qt leaves in English.
    for (const char* name : {"pagesRadioButton", "pagesLineEdit"})
        if (auto* w = dlg.findChild<QWidget*>(QLatin1String(name))) w->hide();
    if (dlg.exec() != QDialog::Accepted) return false;
    printAcceptedDocument(printer, doc, selection);
    return true;
}

namespace {

// Pixel sizes are screen pixels at 96 to the inch, the measure the
// notebook's files are written in too.
constexpr double PointsPerPixel = 72.0 / 96.0;

// A copy of the document with its pixel-sized fonts sized in points. A
// printer takes pixels for its own dots, 1200 to the inch, and would print
// the notes at a twelfth of their size.
std::unique_ptr<QTextDocument> withPointSizes(const QTextDocument& doc) {
    std::unique_ptr<QTextDocument> copy(doc.clone());
    QFont base = copy->defaultFont();
    if (base.pixelSize() > 0) {
        base.setPointSizeF(base.pixelSize() * PointsPerPixel);
        copy->setDefaultFont(base);
    }
    // Collected first: changing a fragment's format merges fragments.
    struct Run {
        int from, to;
        QTextCharFormat format;
    };
    std::vector<Run> runs;
    for (QTextBlock b = copy->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            QTextCharFormat format = f.charFormat();
            const int pixels = format.intProperty(QTextFormat::FontPixelSize);
            if (pixels <= 0) continue;
            format.clearProperty(QTextFormat::FontPixelSize);
            format.setFontPointSize(pixels * PointsPerPixel);
            runs.push_back({f.position(), f.position() + f.length(), format});
        }
    QTextCursor c(copy.get());
    for (const Run& run : runs) {
        c.setPosition(run.from);
        c.setPosition(run.to, QTextCursor::KeepAnchor);
        c.setCharFormat(run.format);
    }
    return copy;
}

// The resolution a document without a device of its own is laid out at.
double layoutDpi() {
    if (QCoreApplication::testAttribute(Qt::AA_Use96Dpi)) return 96;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return qRound(screen->logicalDotsPerInchY());
    return 100;
}

} // namespace

void printAcceptedDocument(QPrinter& printer, const QTextDocument& doc,
                           const QTextDocument* selection) {
    // The print job is named by the document's title (the memo's file).
    printer.setDocName(doc.metaInformation(QTextDocument::DocumentTitle));
    printer.setFromTo(0, 0); // the range offered is not applied: every page prints
    const bool onlySelection = printer.printRange() == QPrinter::Selection && selection;
    const std::unique_ptr<QTextDocument> copy = withPointSizes(onlySelection ? *selection : doc);
    // Given the printable page as its page size, the document prints over
    // the whole of it as it is: without a page size of its own, Qt would add
    // margins of 2 cm and a page number to every page, and lay it out at the
    // printer's resolution, where indents are taken as the printer's dots.
    // Laid out in the screen's units, as in the box, it is scaled to the page.
    const QRectF page = printer.pageRect(QPrinter::Inch);
    const double dpi = layoutDpi();
    copy->setDocumentMargin(0);
    copy->setPageSize(QSizeF(page.width() * dpi, page.height() * dpi));
    copy->print(&printer);
    // The document prints nothing, and says nothing, when the printer or
    // the file cannot be opened.
    if (printer.printerState() == QPrinter::Error) {
        if (!printer.outputFileName().isEmpty())
            throw SoramiError(fillTemplate(QStringLiteral("ﾌｧｲﾙ %s を作成できません"),
                                           QDir::toNativeSeparators(printer.outputFileName())));
        throw SoramiError(QStringLiteral("印刷できませんでした"));
    }
}

namespace {

// What a handler changed on screen is painted before it waits: a caption
// set just before a cue that holds the program would otherwise appear only
// after it. Only layout and paint requests run here, no input and no timer.
void paintPendingChanges() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

} // namespace

void QtPlatform::playSound(const QString& name, bool synchronous) {
    if (synchronous) paintPendingChanges();
    playSoundCue(name, synchronous);
}

void QtPlatform::playSpeech(const QByteArray& wav) {
    playWaveBytes(wav);
}

void QtPlatform::stopSpeech() {
    stopWaveBytes();
}

QDateTime QtPlatform::localTime() {
    return QDateTime::currentDateTime();
}

int QtPlatform::msecsOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay();
}

std::uint32_t QtPlatform::tickCount() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const auto ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms); // wraps after 49.7 days, as such a counter does
}

void QtPlatform::busyWait(int milliseconds) {
    // Sleeping holds the thread just as spinning would: no window message
    // is handled meanwhile, but the processor stays free.
    paintPendingChanges();
    if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

SessionEndResult QtPlatform::endSession(SessionEnd how) {
    DBusSessionBuses buses;
    return requestSessionEnd(how, buses);
}

void QtPlatform::showHelp(QWidget* parent, const QString& helpFile) {
    // The help pages are HTML files named after the help file ("Sorami10.hlp"
    // -> "Sorami10.html") in the program's help folder or beside it.
    const QString stem = QFileInfo(helpFile).completeBaseName();
    QString page;
    for (const QString& candidate : {shippedFilePath(QStringLiteral("help/%1.html").arg(stem)),
                                     shippedFilePath(QStringLiteral("%1.html").arg(stem))}) {
        if (QFileInfo::exists(candidate)) {
            page = candidate;
            break;
        }
    }
    if (page.isEmpty()) {
        messageBox(parent, QStringLiteral("ヘルプファイル %1 が見つかりません。").arg(helpFile),
                   MsgIcon::Error, MsgButtons::Ok, QStringLiteral("ヘルプ"));
        return;
    }
    if (!help_) {
        help_ = new QTextBrowser;
        help_->setAttribute(Qt::WA_DeleteOnClose);
        help_->resize(640, 520);
    }
    help_->setWindowTitle(QStringLiteral("ヘルプ - %1").arg(helpFile));
    help_->setSource(QUrl::fromLocalFile(page));
    help_->show();
    bringToFront(help_);
}

void QtPlatform::quitHelp() {
    if (help_) help_->close();
}

} // namespace sorami
