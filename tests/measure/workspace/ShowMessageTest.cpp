#include "measure/workspace/ShowMessage.h"
#include "support/RecordingMessagePresenter.h"

#include <gtest/gtest.h>

using namespace tessmet;
using testsupport::RecordingMessagePresenter;

namespace {

TEST(ShowMessage, CaptionIsIdAndTextIsTheStringWithTheExtraText) {
    struct Case {
        int id;
        std::string extra;
        const char* caption;
        std::string text;
    };
    const Case cases[] = {
        {10005, "", "ID:10005", "Since a setup is reflected, a screen is redrawn."},
        {12105, "\n<Pic00001jpg.inf>", "ID:12105", "Do you save at a setting file and end?\n<Pic00001jpg.inf>"},
        {10053, "", "ID:10053",
         "Since it is the midst of a calibration, a program cannot be ended.\n"
         "Please push an ESC key, for escaping from a calibration mode."},
        {99999, "x", "ID:99999", "x"},  // an id without a text still shows the extra text
    };
    for (const Case& c : cases) {
        const MessageRequest request{c.id, MessageIcon::Information, MessageButtons::Ok, c.extra};
        EXPECT_EQ(request.caption(), c.caption);
        EXPECT_EQ(request.text(), c.text);
    }
}

TEST(ShowMessage, ReachesThePresenterAsAskedAndReturnsItsAnswer) {
    RecordingMessagePresenter presenter(MessageAnswer::No);
    EXPECT_EQ(ShowMessage(presenter, 10010, MessageIcon::Information, MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(ShowMessage(presenter, 10001, MessageIcon::Exclamation), MessageAnswer::Ok);  // OK only: always OK
    presenter.answerQuestionsWith(MessageAnswer::Yes);
    EXPECT_EQ(ShowMessage(presenter, 12105, MessageIcon::Question, MessageButtons::YesNo, "\n<a.inf>"),
              MessageAnswer::Yes);
    EXPECT_EQ(ShowMessage(presenter, 10004), MessageAnswer::Ok);

    EXPECT_EQ(presenter.ids(), (std::vector<int>{10010, 10001, 12105, 10004}));
    EXPECT_EQ(presenter.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(presenter.shown[1].icon, MessageIcon::Exclamation);
    EXPECT_EQ(presenter.shown[2].extra, "\n<a.inf>");
    EXPECT_EQ(presenter.shown[3].icon, MessageIcon::Information);
    EXPECT_EQ(presenter.shown[3].buttons, MessageButtons::Ok);
}

}  // namespace
