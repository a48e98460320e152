#pragma once

#include <string>

namespace tessmet {

// Every numbered message of the program goes through one presenter, so the message boxes can
// be replaced in tests by a recorder that answers with a preset button.

// The icon of a message box, as the callers name it by number.
namespace MessageIcon {
constexpr int Information = 1;
constexpr int Question = 2;
constexpr int Exclamation = 3;
constexpr int Stop = 4;
}  // namespace MessageIcon

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    int id = 0;                               // string id of the message
    int icon = MessageIcon::Information;      // 1..4; any other value shows information
    MessageButtons buttons = MessageButtons::Ok;
    std::string extra;                        // appended to the message text, may be empty
    // A message that is not in the string table (id 0): its own caption and text, such as the
    // encoder's "JPEG Fatal Error" with the library's message.
    std::string plainCaption{};
    std::string plainText{};

    // "ID:" and the id in decimal ("ID:10005").
    std::string caption() const;
    // The message text in the current language followed by the extra text.
    std::string text() const;
};

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Shows the message and waits for the user; returns the button pressed.
    virtual MessageAnswer present(const MessageRequest& request) = 0;
};

MessageAnswer ShowMessage(MessagePresenter& presenter, int id, int icon = MessageIcon::Information,
                          MessageButtons buttons = MessageButtons::Ok, const std::string& extra = std::string());

// A box with its own caption and text, OK only.
void ShowPlainMessage(MessagePresenter& presenter, const std::string& caption, const std::string& text, int icon);

}  // namespace tessmet
