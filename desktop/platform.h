#pragma once
// Everything the forms need from the desktop: dialogs, message boxes, sound,
// time, ending the session and the help viewer. Forms get a Platform& and
// never call the Qt dialogs, the clock or the sound system themselves, so
// tests can answer every dialog from a script and set the clock.

#include "colour_qt.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

class QWidget;
class QTextDocument;

namespace sorami {

enum class MsgIcon { None, Warning, Information, Question, Error };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgResult { Ok, Cancel, Yes, No, Retry };

// State of a file open/save dialog component; it survives between showings
// as the dialog component of a form does.
struct FileDialogState {
    QString filter;      // "label|pattern|label|pattern..."
    int filterIndex = 1; // 1-based, the entry selected when the dialog opens
    QString fileName;    // proposed name in, chosen full path out
    QString initialDir;
    QString title;
    bool overwritePrompt = false; // save dialogs: ask before replacing a file
};

// Leaves `state` as the open dialog leaves it when the learner picks `path`
// there, so that a file named on the command line is opened as if chosen.
void pickInDialog(FileDialogState& state, const QString& path);

// One entry of a filter list: the label the dialog shows, exactly as the
// program gives it, and the patterns of the files it lists.
struct NameFilter {
    QString label;
    QStringList patterns;
    bool operator==(const NameFilter&) const = default;
};

// Splits "label|pattern;pattern|label|pattern..." into its entries; a label
// without patterns at the end is ignored.
QList<NameFilter> parseFilterList(const QString& filter);

// A font as the forms and the INI files hold it.
struct FontSpec {
    QString face = QStringLiteral("System");
    int size = 10;  // points; 0 when only the pixel height is known
    int height = 0; // character height in pixels (negative: without internal leading); 0 = use size
    ColourValue colour = SysColour::WindowText;
    bool bold = false, italic = false, underline = false, strikeOut = false;
    int charset = 128; // Shift-JIS
    bool operator==(const FontSpec&) const = default;
};

// A font chooser owns one font and keeps the last accepted one.
struct FontChooser {
    FontSpec font;
    bool effects = true; // underline, strike-out and colour offered
};

// A colour chooser owns one colour and the custom colours defined in its
// dialog for the rest of the run.
struct ColourChooser {
    ColourValue colour = 0;
    QList<ColourValue> customColours;
};

// The ways of ending the user's work on the computer, one request each.
enum class SessionEnd {
    ForcedLogOff, // the session ends at once; its programs are not asked
    LogOff,       // the desktop's session manager asks the programs first
    PowerOff,
    Reboot,
    Halt, // the system stops without switching the power off
};
enum class SessionEndResult {
    Requested,
    Refused,          // the bus or the service turned it down
    NoSessionManager, // a plain log-off found no session manager to ask
};

class Platform {
public:
    virtual ~Platform() = default;

    // Modal message box; caption empty means the application title.
    virtual MsgResult messageBox(QWidget* parent, const QString& text, MsgIcon icon,
                                 MsgButtons buttons, const QString& caption = {}) = 0;
    // The standard error box: the error's text, an error icon, OK.
    virtual void errorBox(QWidget* parent, const QString& text) = 0;
    // One-line input box; Cancel gives the default back.
    virtual QString inputBox(QWidget* parent, const QString& title, const QString& prompt,
                             const QString& defaultText) = 0;

    // File dialogs: true when the user confirmed; the chosen full path is then in state.fileName.
    virtual bool openFile(QWidget* parent, FileDialogState& state) = 0;
    virtual bool saveFile(QWidget* parent, FileDialogState& state) = 0;

    // Font and colour dialogs; on OK the chooser holds the new value.
    virtual bool chooseFont(QWidget* parent, FontChooser& chooser) = 0;
    virtual bool chooseColour(QWidget* parent, ColourChooser& chooser) = 0;

    // Print dialog followed by printing the document, every page of it,
    // as a job named by its title; false when cancelled.
    virtual bool printDocument(QWidget* parent, const QTextDocument& doc, bool hasSelection,
                               const QTextDocument* selection) = 0;

    // Sound cue by bare file name. Synchronous play returns when it has ended.
    virtual void playSound(const QString& name, bool synchronous) = 0;
    // Speech as WAV bytes, played without waiting, beside the cues; new
    // speech replaces the one playing, and stopSpeech ends it at once.
    virtual void playSpeech(const QByteArray& wav) = 0;
    virtual void stopSpeech() = 0;

    virtual QDateTime localTime() = 0;
    virtual int msecsOfDay() = 0;          // time of day in milliseconds
    virtual std::uint32_t tickCount() = 0; // milliseconds since an arbitrary start
    // Waits without letting any window message through.
    virtual void busyWait(int milliseconds) = 0;

    // Ends the user's session, or asks the desktop to.
    virtual SessionEndResult endSession(SessionEnd how) = 0;

    virtual void showHelp(QWidget* parent, const QString& helpFile) = 0;
    virtual void quitHelp() = 0;
};

} // namespace sorami
