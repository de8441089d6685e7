#pragma once
// The desktop as the programs really use it: Qt dialogs, PulseAudio cues,
// the system clock and logind.

#include "platform.h"

#include <QPointer>

class QPrinter;
class QTextBrowser;

namespace sorami {

class QtPlatform : public Platform {
public:
    MsgResult messageBox(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons,
                         const QString& caption = {}) override;
    void errorBox(QWidget* parent, const QString& text) override;
    QString inputBox(QWidget* parent, const QString& title, const QString& prompt,
                     const QString& defaultText) override;
    bool openFile(QWidget* parent, FileDialogState& state) override;
    bool saveFile(QWidget* parent, FileDialogState& state) override;
    bool chooseFont(QWidget* parent, FontChooser& chooser) override;
    bool chooseColour(QWidget* parent, ColourChooser& chooser) override;
    bool printDocument(QWidget* parent, const QTextDocument& doc, bool hasSelection,
                       const QTextDocument* selection) override;
    void playSound(const QString& name, bool synchronous) override;
    void playSpeech(const QByteArray& wav) override;
    void stopSpeech() override;
    QDateTime localTime() override;
    int msecsOfDay() override;
    std::uint32_t tickCount() override;
    void busyWait(int milliseconds) override;
    SessionEndResult endSession(SessionEnd how) override;
    void showHelp(QWidget* parent, const QString& helpFile) override;
    void quitHelp() override;

private:
    bool runFileDialog(QWidget* parent, FileDialogState& state, bool save);
    QPointer<QTextBrowser> help_;
};

// What printing does once the print dialog was accepted: the job is named
// by the document's title and every page is printed over the whole printable
// page, nothing added, whatever page range the
// dialog offered, with fonts sized in screen pixels printed at the size they
// have on the screen; the selection's document replaces the document when
// the dialog asked for the selection and one was given. Throws SoramiError
// when the printer or the output file cannot be opened.
void printAcceptedDocument(QPrinter& printer, const QTextDocument& doc,
                           const QTextDocument* selection);

// Texts keep the CR LF line breaks of the message catalogue; widgets want LF.
QString displayLineBreaks(const QString& text);

} // namespace sorami
