#include "platform/EventGate.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(EventGateTest, WhatCameDuringAHoldFollowsInOrderAndMayHoldAgain) {
    EventGate gate;
    std::vector<std::string> log;
    std::vector<std::string> afterHold;
    gate.SetAfterHold([&] { afterHold.push_back(log.back()); });
    gate.Dispatch([&] {
        log.push_back("stop {");
        gate.Hold();
        // What a nested loop delivers while the handler waits.
        gate.Dispatch([&] {
            log.push_back("space {");
            gate.Hold();
            gate.Dispatch([&] { log.push_back("end"); });
            log.push_back("}");
        });
        gate.Dispatch([&] { log.push_back("save"); });
        EXPECT_TRUE(gate.Holding());
        log.push_back("}");
    });
    EXPECT_FALSE(gate.Holding());
    // The second hold keeps "save" waiting behind "end", which it held back itself.
    EXPECT_EQ(log, (std::vector<std::string>{"stop {", "}", "space {", "}", "save", "end"}));
    // Each hold ends once what it held back has run.
    EXPECT_EQ(afterHold, (std::vector<std::string>{"end", "end"}));

    // A modal loop without a wait lets events through at once, nested.
    log.clear();
    gate.Dispatch([&] {
        log.push_back("f1 {");
        gate.Dispatch([&] { log.push_back("tick"); });
        log.push_back("}");
    });
    EXPECT_EQ(log, (std::vector<std::string>{"f1 {", "tick", "}"}));
    // Outside a handler there is nothing to hold.
    gate.Hold();
    EXPECT_FALSE(gate.Holding());
}

} // namespace
