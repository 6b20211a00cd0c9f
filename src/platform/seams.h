#pragma once
// The program's seams: every modal dialog, every message box and every
// "end the process now" goes through here, so tests can answer dialogs and
// catch the end of the process instead of waiting or exiting.

#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace pel {

// Runs a dialog modally and returns its result code. The hook, when set,
// replaces QDialog::exec(); it receives the ready dialog and returns the
// result (it may show the dialog, press keys and read d.result()).
using ModalHook = std::function<int(QDialog&)>;
void setModalHook(ModalHook hook);
int execModal(QDialog& dialog);

// Ends the process at once with `code`. The hook, when set, runs instead
// of the exit; if it returns, ProcessEnded is thrown so that nothing after
// the call runs.
struct ProcessEnded {
    int code;
};
using EndProcessHook = std::function<void(int)>;
void setEndProcessHook(EndProcessHook hook);
[[noreturn]] void endProcess(int code);

// System sounds of the message kinds (the Windows message-beep values
// 0x30 exclamation, 0x10 hand, 0x40 asterisk, 0x20 question).
using SoundHook = std::function<void(unsigned kind)>;
void setSoundHook(SoundHook hook);
void playSystemSound(unsigned kind);

// The shell's "open" action on a file or URL, with optional arguments, in
// a normal window. The hook, when set, replaces it. Answers whether the
// system took it.
using ShellOpenHook = std::function<bool(const QString& target, const QString& arguments)>;
void setShellOpenHook(ShellOpenHook hook);
bool shellOpen(const QString& target, const QString& arguments = {});

// A plain message box: program title, the text, one OK button.
void plainMessage(const QString& text, QWidget* parent = nullptr);

// The message-dialog font size of the whole program (0: the default font).
void setMessageFontPointSize(int points);
int messageFontPointSize();

// The program title used by plain boxes.
QString programTitle();

} // namespace pel
