#pragma once

#include "ui/toolkit/Dialogs.h"

#include <deque>
#include <functional>
#include <vector>

namespace dovra::test {

// Answers the program's dialogs from a script instead of a user, and remembers what was asked.
// A dialog nobody scripted an answer for fails the test and is cancelled.
class ScriptedDialogs : public toolkit::Dialogs {
public:
    struct Question {
        QString title;
        QString text;
    };

    void answerFile(const QString& path) { files_.push_back(path); }
    void cancelFile() { files_.push_back(QString()); }
    void answerYesNo(bool yes) { answers_.push_back(yes); }

    QString chooseFile(const toolkit::FileDialogRequest& request) override;
    bool askYesNo(const QString& title, const QString& text) override;

    const std::vector<toolkit::FileDialogRequest>& fileRequests() const { return fileRequests_; }
    const std::vector<Question>& questions() const { return questions_; }
    bool allAnswersUsed() const { return files_.empty() && answers_.empty(); }

    // Runs while a question is on screen, to look at the program as the user sees it then.
    std::function<void()> whileAsking;

private:
    std::deque<QString> files_;
    std::deque<bool> answers_;
    std::vector<toolkit::FileDialogRequest> fileRequests_;
    std::vector<Question> questions_;
};

} // namespace dovra::test
