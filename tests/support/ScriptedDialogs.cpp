#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace dovra::test {

QString ScriptedDialogs::chooseFile(const toolkit::FileDialogRequest& request) {
    fileRequests_.push_back(request);
    if (files_.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << request.title.toStdString();
        return QString();
    }
    const QString answer = files_.front();
    files_.pop_front();
    return answer;
}

bool ScriptedDialogs::askYesNo(const QString& title, const QString& text) {
    questions_.push_back({title, text});
    if (whileAsking) {
        whileAsking();
    }
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    const bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

} // namespace dovra::test
