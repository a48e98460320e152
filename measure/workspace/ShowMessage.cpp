#include "measure/workspace/ShowMessage.h"

#include "measure/res/StringTable.h"

namespace tessmet {

std::string MessageRequest::caption() const { return "ID:" + std::to_string(id); }

std::string MessageRequest::text() const { return LoadString(id) + extra; }

MessageAnswer ShowMessage(MessagePresenter& presenter, int id, int icon, MessageButtons buttons,
                          const std::string& extra) {
    return presenter.present(MessageRequest{id, icon, buttons, extra});
}

}  // namespace tessmet
