// messages.h — message boxes, questions, the alternative-row choice and the wait cursor,
// all through one replaceable handler (Qt dialogs, console, or a recorder in tests).
#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

namespace qx {

enum class MessageKind { Warning, Error, Info, Confirm, ConfirmAbort, Buttons, Choice };

// A list of rows shown for a choice (the alternative articles of an element, for example).
struct ChoiceRequest {
    QString Caption;
    QString Text;
    QStringList Columns;
    QList<QStringList> Rows;
    int Current = 0;  // row under the cursor when the dialog opens
};

class MessageHandler {
public:
    virtual ~MessageHandler() = default;
    // Warning, error and information boxes with an OK button.
    virtual void Show(MessageKind kind, const QString& text) = 0;
    // OK/Cancel (abortButton false) or OK/Abort question; true when OK was pressed.
    virtual bool Confirm(const QString& text, bool abortButton) = 0;
    // Two-button question: 1 first button, 2 second button, 0 closed otherwise.
    virtual int Buttons(const QString& text, const QString& first, const QString& second, const QString& caption) = 0;
    // The row that is current when the choice closes (confirmed or cancelled).
    virtual int ChooseRow(const ChoiceRequest& request) = 0;
    virtual void SetWaitCursor(bool /*wait*/) {}
};

// Installs a handler (not owned) and returns the previous one; nullptr restores the console default.
MessageHandler* SetMessageHandler(MessageHandler* handler);
MessageHandler& CurrentMessageHandler();

// Console handler: messages to stderr; questions answered by a fixed policy.
class ConsoleMessageHandler : public MessageHandler {
public:
    explicit ConsoleMessageHandler(bool answerYes = false) : answerYes_(answerYes) {}
    void Show(MessageKind kind, const QString& text) override;
    bool Confirm(const QString& text, bool abortButton) override;
    int Buttons(const QString& text, const QString& first, const QString& second, const QString& caption) override;
    int ChooseRow(const ChoiceRequest& request) override;
    void setAnswerYes(bool yes) { answerYes_ = yes; }
    bool answerYes() const { return answerYes_; }

private:
    bool answerYes_;
};

// Recording handler for tests: keeps every message, answers from scripted queues
// (defaults: Confirm true, Buttons 1, ChooseRow the request's Current row).
class RecordingMessageHandler : public MessageHandler {
public:
    struct Record {
        MessageKind Kind;
        QString Text;
    };
    void Show(MessageKind kind, const QString& text) override;
    bool Confirm(const QString& text, bool abortButton) override;
    int Buttons(const QString& text, const QString& first, const QString& second, const QString& caption) override;
    int ChooseRow(const ChoiceRequest& request) override;
    void SetWaitCursor(bool wait) override;

    std::vector<Record> Records;
    std::vector<ChoiceRequest> Choices;
    std::deque<bool> ConfirmAnswers;
    std::deque<int> ButtonAnswers;
    std::deque<int> ChoiceAnswers;
    bool DefaultConfirm = true;
    int WaitDepth = 0;

    QStringList texts(MessageKind kind) const;
    QString lastText() const { return Records.empty() ? QString() : Records.back().Text; }
    void clear() { Records.clear(); Choices.clear(); }
};

// Installs a handler for the lifetime of the object.
class ScopedMessageHandler {
public:
    explicit ScopedMessageHandler(MessageHandler& handler) : previous_(SetMessageHandler(&handler)) {}
    ~ScopedMessageHandler() { SetMessageHandler(previous_); }
    ScopedMessageHandler(const ScopedMessageHandler&) = delete;
    ScopedMessageHandler& operator=(const ScopedMessageHandler&) = delete;

private:
    MessageHandler* previous_;
};

void ShowWarning(const QString& text);
void ShowError(const QString& text);
// Shows text + " [" + detail + "]!".
void ShowErrorDetail(const QString& text, const QString& detail);
void ShowInfo(const QString& text);
bool AskConfirm(const QString& text);
bool AskConfirmAbort(const QString& text);
int AskButtons(const QString& text, const QString& first, const QString& second, const QString& caption = "Диалог");
int ChooseRow(const ChoiceRequest& request);

// One remembered cursor for the whole run; nesting is not supported.
void SetWaitCursor();
void SetSQLWaitCursor();
void RestoreCursor();

// Restores the cursor when leaving a scope, also on an exception.
class WaitCursorGuard {
public:
    WaitCursorGuard() { SetWaitCursor(); }
    ~WaitCursorGuard() { RestoreCursor(); }
    WaitCursorGuard(const WaitCursorGuard&) = delete;
    WaitCursorGuard& operator=(const WaitCursorGuard&) = delete;
};

}  // namespace qx
