#include "measure/workspace/ShowMessage.h"

#include "measure/res/StringTable.h"

namespace tessmet {

std::string MessageRequest::caption() const {
    return id == 0 && !plainCaption.empty() ? plainCaption : "ID:" + std::to_string(id);
}

std::string MessageRequest::text() const { return id == 0 ? plainText + extra : LoadString(id) + extra; }

MessageAnswer ShowMessage(MessagePresenter& presenter, int id, int icon, MessageButtons buttons,
                          const std::string& extra) {
    return presenter.present(MessageRequest{id, icon, buttons, extra, {}, {}});
}

void ShowPlainMessage(MessagePresenter& presenter, const std::string& caption, const std::string& text, int icon) {
    presenter.present(MessageRequest{0, icon, MessageButtons::Ok, {}, caption, text});
}

}  // namespace tessmet
