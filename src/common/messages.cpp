// messages.cpp — the message functions over the replaceable handler.
#include "common/messages.h"

#include <QTextStream>
#include <cstdio>

namespace qx {

namespace {

ConsoleMessageHandler& defaultHandler() {
    static ConsoleMessageHandler handler;
    return handler;
}

MessageHandler* g_handler = nullptr;
bool g_cursorWaiting = false;

QString consoleText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

void writeStderr(const QString& text) {
    QByteArray bytes = consoleText(text).toUtf8();
    bytes.append('\n');
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

const char* kindCaption(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning: return "Предупреждение";
        case MessageKind::Error: return "Ошибка";
        case MessageKind::Info: return "Информация";
        default: return "Вопрос";
    }
}

}  // namespace

MessageHandler* SetMessageHandler(MessageHandler* handler) {
    MessageHandler* previous = g_handler;
    g_handler = handler;
    return previous;
}

MessageHandler& CurrentMessageHandler() { return g_handler ? *g_handler : defaultHandler(); }

void ConsoleMessageHandler::Show(MessageKind kind, const QString& text) {
    writeStderr(QString::fromUtf8(kindCaption(kind)) + QStringLiteral(": ") + text);
}

bool ConsoleMessageHandler::Confirm(const QString& text, bool abortButton) {
    writeStderr(QStringLiteral("Вопрос: ") + text);
    writeStderr(answerYes_ ? QStringLiteral("  -> OK") : (abortButton ? QStringLiteral("  -> Abort") : QStringLiteral("  -> Cancel")));
    return answerYes_;
}

int ConsoleMessageHandler::Buttons(const QString& text, const QString& first, const QString& second, const QString&) {
    writeStderr(QStringLiteral("Вопрос: ") + text);
    writeStderr(QStringLiteral("  -> ") + (answerYes_ ? first : second));
    return answerYes_ ? 1 : 2;
}

int ConsoleMessageHandler::ChooseRow(const ChoiceRequest& request) { return request.Rows.isEmpty() ? -1 : 0; }

void RecordingMessageHandler::Show(MessageKind kind, const QString& text) { Records.push_back({kind, text}); }

bool RecordingMessageHandler::Confirm(const QString& text, bool abortButton) {
    Records.push_back({abortButton ? MessageKind::ConfirmAbort : MessageKind::Confirm, text});
    if (ConfirmAnswers.empty()) return DefaultConfirm;
    bool answer = ConfirmAnswers.front();
    ConfirmAnswers.pop_front();
    return answer;
}

int RecordingMessageHandler::Buttons(const QString& text, const QString&, const QString&, const QString&) {
    Records.push_back({MessageKind::Buttons, text});
    if (ButtonAnswers.empty()) return 1;
    int answer = ButtonAnswers.front();
    ButtonAnswers.pop_front();
    return answer;
}

int RecordingMessageHandler::ChooseRow(const ChoiceRequest& request) {
    Records.push_back({MessageKind::Choice, request.Text});
    Choices.push_back(request);
    if (ChoiceAnswers.empty()) return request.Current;
    int answer = ChoiceAnswers.front();
    ChoiceAnswers.pop_front();
    return answer;
}

void RecordingMessageHandler::SetWaitCursor(bool wait) { WaitDepth += wait ? 1 : -1; }

QStringList RecordingMessageHandler::texts(MessageKind kind) const {
    QStringList result;
    for (const Record& r : Records)
        if (r.Kind == kind) result << r.Text;
    return result;
}

// The boxes show the arrow while open; the handler owns the visual side of that.
void ShowWarning(const QString& text) { CurrentMessageHandler().Show(MessageKind::Warning, text); }
void ShowError(const QString& text) { CurrentMessageHandler().Show(MessageKind::Error, text); }
void ShowErrorDetail(const QString& text, const QString& detail) {
    CurrentMessageHandler().Show(MessageKind::Error, text + QStringLiteral(" [") + detail + QStringLiteral("]!"));
}
void ShowInfo(const QString& text) { CurrentMessageHandler().Show(MessageKind::Info, text); }
bool AskConfirm(const QString& text) { return CurrentMessageHandler().Confirm(text, false); }
bool AskConfirmAbort(const QString& text) { return CurrentMessageHandler().Confirm(text, true); }
int AskButtons(const QString& text, const QString& first, const QString& second, const QString& caption) {
    return CurrentMessageHandler().Buttons(text, first, second, caption);
}
int ChooseRow(const ChoiceRequest& request) { return CurrentMessageHandler().ChooseRow(request); }

void SetWaitCursor() {
    if (g_cursorWaiting) CurrentMessageHandler().SetWaitCursor(false);
    g_cursorWaiting = true;
    CurrentMessageHandler().SetWaitCursor(true);
}
void SetSQLWaitCursor() { SetWaitCursor(); }
void RestoreCursor() {
    if (!g_cursorWaiting) return;
    g_cursorWaiting = false;
    CurrentMessageHandler().SetWaitCursor(false);
}

}  // namespace qx
