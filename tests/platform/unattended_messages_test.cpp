#include <gtest/gtest.h>

#include "fake_messages.h"
#include "message_box.h"

using namespace platform;

TEST(UnattendedMessages, AnswersAsSomeoneWhoIsGoneAndPutsThePortBack) {
    FakeMessages user;
    struct Case {
        std::vector<int> buttons;
        int defaultButton;
        int answer;
    } cases[] = {
        {{kBtnYes, kBtnNo}, 0, kBtnNo},
        {{kBtnYes, kBtnNo, kBtnCancel}, kBtnYes, kBtnCancel},
        {{kBtnOk, kBtnCancel}, 0, kBtnCancel},
        {{kBtnAbort, kBtnRetry, kBtnIgnore}, kBtnRetry, kBtnRetry},
        {{kBtnAbort, kBtnRetry, kBtnIgnore}, 0, kBtnAbort},
        {{kBtnOk}, 0, kBtnOk},
        {{}, 0, kBtnOk},
    };
    {
        UnattendedMessages unattended;
        for (const Case& c : cases)
            EXPECT_EQ(MessageDlg(QStringLiteral("q"), MsgKind::Warning, c.buttons, c.defaultButton),
                      c.answer);
        {
            UnattendedMessages inner;
            ShowMessage(QStringLiteral("inner"));
            EXPECT_EQ(inner.Texts(), std::vector<QString>{QStringLiteral("inner")});
        }
        ShowMessage(QStringLiteral("予定を格納するディレクトリが見つかりません。"));
        EXPECT_EQ(unattended.Texts().size(), std::size(cases) + 1);
        EXPECT_TRUE(user.shown.empty());
    }
    ShowMessage(QStringLiteral("back"));
    ASSERT_EQ(user.shown.size(), 1u);
    EXPECT_EQ(user.shown[0].text, QStringLiteral("back"));
}
