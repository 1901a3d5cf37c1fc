#pragma once
// Every modal message of the program goes through one MessageService, owned by
// the application: a plain message, the error dialog, a confirmation and the
// default error box. The application installs the one that shows message boxes;
// tests install one that answers at once and keeps what was shown.

#include <QString>

// The caption of every plain message and of the default error box.
QString applicationTitle();
void setApplicationTitle(const QString& title);

// A message text as the default error box shows it: a period is added when the
// last character sorts after "." (a letter or a digit), never after ".", "!" or a blank.
QString withClosingPeriod(const QString& message);

enum class MessageKind {
    Message,      // application title as caption, no icon, OK
    ErrorDialog,  // beep first; caption "Error", error icon, OK
    Confirmation, // caption "Confirm", question icon, OK and Cancel
    DefaultError, // application title as caption, error icon, OK
};

struct ShownMessage {
    MessageKind kind;
    QString caption;
    QString text;
};

class MessageService {
public:
    virtual ~MessageService() = default;

    void showMessage(const QString& text);
    void showErrorDialog(const QString& text);
    // True only when the user chose OK.
    bool confirm(const QString& text);
    // The box for an error no handler dealt with; the text gets its closing period here.
    void showDefaultError(const QString& message);
    // The default beep, with no box.
    virtual void beep() {}

protected:
    // Shows one message and waits for the answer: true for OK.
    virtual bool present(const ShownMessage& message) = 0;
};

// The service in force for the whole process. Until one is installed, messages
// are written to the standard error stream and confirmations are refused.
MessageService& messageService();
// Installs a service (not owned; null goes back to the standard error stream) and
// returns the one it replaces.
MessageService* setMessageService(MessageService* service);
