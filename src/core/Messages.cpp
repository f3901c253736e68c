#include "core/Messages.h"

#include <cstdio>

namespace tanabana {

void RecordingMessages::information(const QString& title, const QString& text) {
    messages_.push_back({MessageKind::Information, title, text});
}
void RecordingMessages::critical(const QString& title, const QString& text) {
    messages_.push_back({MessageKind::Critical, title, text});
}
void RecordingMessages::warning(const QString& title, const QString& text) {
    messages_.push_back({MessageKind::Warning, title, text});
}
bool RecordingMessages::ask(const QString& title, const QString& text) {
    messages_.push_back({MessageKind::Question, title, text});
    if (answers_.empty()) return true;
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}
std::optional<QString> RecordingMessages::input(const QString& title, const QString& prompt, const QString&) {
    messages_.push_back({MessageKind::Input, title, prompt});
    if (inputs_.empty()) return std::nullopt;
    QString text = inputs_.front();
    inputs_.pop_front();
    return text;
}
int RecordingMessages::choose(const QString& title, const QString& text, const QStringList& answers) {
    messages_.push_back({MessageKind::Question, title, text});
    if (choices_.empty()) return answers.size() > 1 ? 1 : 0;
    const int answer = choices_.front();
    choices_.pop_front();
    return answer;
}
bool RecordingMessages::has(MessageKind kind, const QString& title, const QString& text) const {
    for (const Message& m : messages_)
        if (m.kind == kind && m.title == title && m.text == text) return true;
    return false;
}

void ConsoleMessages::information(const QString& title, const QString& text) {
    std::fprintf(stdout, "%s\n", qPrintable(text.trimmed()));
    (void)title;
}
void ConsoleMessages::critical(const QString& title, const QString& text) {
    ++criticals_;
    lastCritical_ = text;
    std::fprintf(stderr, "%s: %s\n", qPrintable(title.trimmed()), qPrintable(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified()));
}
bool ConsoleMessages::ask(const QString& title, const QString& text) {
    std::fprintf(stderr, "%s: %s -> %s\n", qPrintable(title), qPrintable(text.trimmed()), answerYes_ ? "Yes" : "No");
    return answerYes_;
}
std::optional<QString> ConsoleMessages::input(const QString&, const QString&, const QString&) { return std::nullopt; }

}  // namespace tanabana
