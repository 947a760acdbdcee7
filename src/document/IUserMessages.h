#pragma once
#include <string>

// How the core asks the user something or tells them something. The window
// layer answers with message boxes (application title as caption); the
// command-line tool and the tests answer with their own implementations.
enum class MessageIcon { None, Error, Warning, Question, Information };
enum class MessageAnswer { Yes, No, Cancel, Ok };

class IUserMessages {
public:
    virtual ~IUserMessages() = default;
    virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
    // Yes / No question.
    [[nodiscard]] virtual MessageAnswer AskYesNo(const std::string& text, MessageIcon icon) = 0;
    // Yes / No / Cancel question.
    [[nodiscard]] virtual MessageAnswer AskYesNoCancel(const std::string& text, MessageIcon icon) = 0;
};
