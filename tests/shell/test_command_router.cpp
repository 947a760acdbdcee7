#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "document/CChannelTable.h"
#include "document/CImproperArgument.h"
#include "document/GuardedCall.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "shell/CCommandRouter.h"
#include "shell/CCommandState.h"
#include "support/CScriptedMessages.h"

namespace {

// A subsystem's module as a later feature writes it: a flag of its own that
// its rule reads through the context.
class CCountingModule final : public ICommandModule {
public:
    void Register(ICommandRegistry& registry) override {
        registry.AddCommand(cmd::PatternClock, [this] { ++Runs; },
                            [](const COMMAND_CONTEXT& c) { return COMMAND_UI{c.PatternCreated, false, false}; });
        registry.AddCommand(cmd::ZoomIn, [this] { ++Zooms; });
    }
    void FillContext(COMMAND_CONTEXT& context, IDocumentWindow*) const override {
        context.PatternCreated = Ready;
        ++Fills;
    }

    bool Ready = false;
    int Runs = 0;
    int Zooms = 0;
    mutable int Fills = 0;
};

struct RouterTest : ::testing::Test {
    CScriptedMessages messages;
    CCommandRouter router{messages};
    CCountingModule* module = nullptr;

    void SetUp() override {
        auto owned = std::make_unique<CCountingModule>();
        module = owned.get();
        router.AddModule(std::move(owned));
    }
    COMMAND_CONTEXT Context() const {
        COMMAND_CONTEXT context;
        context.HasFrame = true;
        router.FillContext(context, nullptr);
        return context;
    }
};

}  // namespace

TEST_F(RouterTest, ModuleRuleDecidesAndTheHandlerRunsOnlyWhenEnabled) {
    EXPECT_TRUE(router.HasHandler(cmd::PatternClock));
    EXPECT_FALSE(router.Query(cmd::PatternClock, Context()).Enabled);
    EXPECT_FALSE(router.Execute(cmd::PatternClock, Context()));
    EXPECT_EQ(module->Runs, 0);
    module->Ready = true;
    EXPECT_TRUE(router.Query(cmd::PatternClock, Context()).Enabled);
    EXPECT_TRUE(router.Execute(cmd::PatternClock, Context()));
    EXPECT_EQ(module->Runs, 1);
    EXPECT_GT(module->Fills, 0);
}

TEST_F(RouterTest, CommandsWithoutARuleFollowTheEnablementTable) {
    COMMAND_CONTEXT context = Context();
    context.GraphActive = false;
    EXPECT_EQ(router.Query(cmd::ZoomIn, context), CCommandState::Query(cmd::ZoomIn, context));
    EXPECT_FALSE(router.Execute(cmd::ZoomIn, context));
    context.GraphActive = true;
    EXPECT_TRUE(router.Execute(cmd::ZoomIn, context));
    EXPECT_EQ(module->Zooms, 1);
}

TEST_F(RouterTest, CommandsWithoutAHandlerOrBlockedAreRefused) {
    COMMAND_CONTEXT context = Context();
    context.GraphActive = true;
    EXPECT_FALSE(router.HasHandler(cmd::ZoomOut));
    EXPECT_FALSE(router.Execute(cmd::ZoomOut, context));
    router.AddCommand(cmd::FrameworkSave, [] {}, [](const COMMAND_CONTEXT&) { return COMMAND_UI{true, false, false}; });
    EXPECT_FALSE(router.Query(cmd::FrameworkSave, context).Enabled);
    EXPECT_FALSE(router.Execute(cmd::FrameworkSave, context));
}

TEST_F(RouterTest, AnIndexOutsideATableEndsTheCommandWithMessage61477) {
    CChannelTable table;
    router.AddCommand(cmd::ZoomOut, [&table] { table.At(40).IsShown = 0; });
    COMMAND_CONTEXT context = Context();
    context.GraphActive = true;
    EXPECT_TRUE(router.Execute(cmd::ZoomOut, context));
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].first, LoadText(IDS_IMPROPER_ARGUMENT));
    EXPECT_EQ(messages.Shown[0].first, "Encountered an improper argument.");
    EXPECT_EQ(messages.Shown[0].second, MessageIcon::Error);
    // The routing goes on: the next command runs as usual.
    EXPECT_TRUE(router.Execute(cmd::ZoomIn, context));
    EXPECT_EQ(module->Zooms, 1);
}

namespace {

// A module that follows the active window, as the bookmark list does.
class CFollowingModule final : public ICommandModule {
public:
    void Register(ICommandRegistry&) override {}
    void OnWindowActivated(IDocumentWindow* active) override { Activations.push_back(active); }
    std::vector<IDocumentWindow*> Activations;
};

}  // namespace

TEST_F(RouterTest, EveryModuleFollowsTheActiveWindowAndIsFoundByItsClass) {
    auto owned = std::make_unique<CFollowingModule>();
    CFollowingModule* following = owned.get();
    router.AddModule(std::move(owned));
    EXPECT_EQ(router.FindModule<CCountingModule>(), module);
    EXPECT_EQ(router.FindModule<CFollowingModule>(), following);
    router.OnWindowActivated(nullptr);
    EXPECT_EQ(following->Activations, std::vector<IDocumentWindow*>{nullptr});
    // The same class twice: the first added is the one found.
    router.AddModule(std::make_unique<CFollowingModule>());
    EXPECT_EQ(router.FindModule<CFollowingModule>(), following);
    router.OnWindowActivated(nullptr);
    EXPECT_EQ(following->Activations.size(), 2u);
}

TEST(GuardedCall, PassesOtherFailuresOnAndReportsSuccess) {
    CScriptedMessages messages;
    int runs = 0;
    EXPECT_TRUE(GuardedCall(messages, [&] { ++runs; }));
    EXPECT_FALSE(GuardedCall(messages, [] { throw CImproperArgument("row"); }));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(messages.Shown.size(), 1u);
    EXPECT_THROW((void)GuardedCall(messages, [] { throw std::runtime_error("other"); }), std::runtime_error);
}
