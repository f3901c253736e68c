#pragma once
// Every message box of the system goes through this interface with the system's exact title and
// text: the screens show Qt message boxes, the tests record what would have been shown and answer
// questions from a script, and the command line prints refusals to standard error.
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace tanabana {

enum class MessageKind { Information, Critical, Warning, Question, Input };

struct Message {
    MessageKind kind;
    QString title;
    QString text;
};

class Messages {
public:
    virtual ~Messages() = default;
    virtual void information(const QString& title, const QString& text) = 0;
    virtual void critical(const QString& title, const QString& text) = 0;
    virtual void warning(const QString& title, const QString& text) { critical(title, text); }
    // A Yes/No question; true means Yes.
    virtual bool ask(const QString& title, const QString& text) = 0;
    // A line of text from the operator; nullopt when cancelled.
    virtual std::optional<QString> input(const QString& title, const QString& prompt, const QString& initial = {}) = 0;
    // One of several answers ("&Save", "&Discard", "Go &Back"): its index, the last one when the
    // box is closed. Without a box of its own, the Yes/No question picks the first or second.
    virtual int choose(const QString& title, const QString& text, const QStringList& answers) {
        return ask(title, text) ? 0 : 1;
    }
};

// Keeps every message, answers questions from a queue (Yes when the queue is empty) and inputs
// from a second queue (cancel when empty).
class RecordingMessages : public Messages {
public:
    void information(const QString& title, const QString& text) override;
    void critical(const QString& title, const QString& text) override;
    void warning(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;
    std::optional<QString> input(const QString& title, const QString& prompt, const QString& initial = {}) override;
    // Recorded as a question; answered from its own queue, the second answer ("Discard") when empty.
    int choose(const QString& title, const QString& text, const QStringList& answers) override;

    void answerNext(bool yes) { answers_.push_back(yes); }
    void chooseNext(int answer) { choices_.push_back(answer); }
    void inputNext(const QString& text) { inputs_.push_back(text); }
    const std::vector<Message>& all() const { return messages_; }
    bool empty() const { return messages_.empty(); }
    const Message& last() const { return messages_.back(); }
    // True when some message of this kind has this title and text.
    bool has(MessageKind kind, const QString& title, const QString& text) const;
    void clear() { messages_.clear(); }

private:
    std::vector<Message> messages_;
    std::deque<bool> answers_;
    std::deque<QString> inputs_;
    std::deque<int> choices_;
};

// Writes to standard error / output; questions take their default answer.
class ConsoleMessages : public Messages {
public:
    explicit ConsoleMessages(bool answerYes = false) : answerYes_(answerYes) {}
    void information(const QString& title, const QString& text) override;
    void critical(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;
    std::optional<QString> input(const QString& title, const QString& prompt, const QString& initial = {}) override;
    int criticalCount() const { return criticals_; }
    QString lastCritical() const { return lastCritical_; }

private:
    bool answerYes_;
    int criticals_ = 0;
    QString lastCritical_;
};

}  // namespace tanabana
