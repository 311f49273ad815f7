#include "core/message_queue.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace quorvel {
namespace {

// A box that records what it shows and can raise more while it is open.
class Box final : public UserMessages {
public:
    void showMessage(std::string_view text) override
    {
        shown.emplace_back(text);
        if (whileOpen) {
            auto raise = std::move(whileOpen);
            raise();
        }
    }
    std::function<void()> whileOpen;
    std::vector<std::string> shown;
};

TEST(MessageQueue, WaitsInOrderOnceEachAndOpensNoBoxOnTopOfAnother)
{
    MessageQueue queue;
    Box box;
    queue.showMessage("first");
    queue.showMessage("second");
    queue.showMessage("first"); // the same page filled twice
    EXPECT_TRUE(box.shown.empty());

    box.whileOpen = [&] {
        queue.showMessage("raised in the box");
        queue.deliver(box); // a tick inside the box
        EXPECT_EQ(box.shown.size(), 1U);
    };
    queue.deliver(box);
    EXPECT_EQ(box.shown, (std::vector<std::string>{"first", "second", "raised in the box"}));
    EXPECT_TRUE(queue.empty());

    queue.showMessage("first");
    queue.deliver(box);
    EXPECT_EQ(box.shown.back(), "first") << "a message shown before may come again";
}

} // namespace
} // namespace quorvel
