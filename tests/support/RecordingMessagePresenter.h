#pragma once

#include "measure/workspace/ShowMessage.h"

#include <vector>

namespace testsupport {

// Stands in for the message boxes: records every request and answers at once. The preset
// answer is given to Yes/No questions; a box with only OK is always answered OK.
class RecordingMessagePresenter : public tessmet::MessagePresenter {
public:
    explicit RecordingMessagePresenter(tessmet::MessageAnswer questionAnswer = tessmet::MessageAnswer::Yes)
        : questionAnswer_(questionAnswer) {}

    tessmet::MessageAnswer present(const tessmet::MessageRequest& request) override {
        shown.push_back(request);
        return request.buttons == tessmet::MessageButtons::YesNo ? questionAnswer_ : tessmet::MessageAnswer::Ok;
    }

    void answerQuestionsWith(tessmet::MessageAnswer answer) { questionAnswer_ = answer; }

    std::vector<int> ids() const {
        std::vector<int> result;
        for (const tessmet::MessageRequest& r : shown) result.push_back(r.id);
        return result;
    }

    std::vector<tessmet::MessageRequest> shown;

private:
    tessmet::MessageAnswer questionAnswer_;
};

}  // namespace testsupport
