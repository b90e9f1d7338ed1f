// The search's list of distinct gizmo states.
#include <gtest/gtest.h>

#include "support/BoardText.h"
#include "rules/StateLayer.h"

using namespace qm;

namespace {

TEST(StateLayerTest, FindReturnsTheNodeOfAnEqualStateAndAppendsNewOnes) {
    Board board = test::boardFromText(test::walledRows());
    auto copyOf = [](const GizmoStatesPtr& g) { return std::make_shared<GizmoStates>(g->copy()); };
    GizmoStatesPtr first = std::make_shared<GizmoStates>(GizmoStates::createFrom(board));
    auto root = StateLayer::create(first);
    EXPECT_EQ(root->grid[0][0], -1);
    EXPECT_EQ(root->grid[19][13], -1);

    EXPECT_EQ(root->find(copyOf(first)), root.get());
    GizmoStatesPtr powered = copyOf(first);
    powered->setPowered(1);
    StateLayer* second = root->find(powered);
    ASSERT_NE(second, root.get());
    EXPECT_EQ(second->state, powered);
    EXPECT_EQ(second->grid[3][3], -1);
    EXPECT_EQ(root->length(), 2);

    GizmoStatesPtr recall = copyOf(first);
    recall->setRecall(2, 2);
    StateLayer* third = root->find(recall);
    EXPECT_EQ(root->length(), 3);
    // Equal content finds the existing node, wherever it sits in the list.
    GizmoStatesPtr poweredAgain = copyOf(first);
    poweredAgain->setPowered(1);
    EXPECT_EQ(root->find(poweredAgain), second);
    EXPECT_EQ(second->find(recall), third);
    EXPECT_EQ(root->length(), 3);
}

TEST(StateLayerTest, ALongListIsReleasedWithoutRecursion) {
    auto root = StateLayer::create(std::make_shared<GizmoStates>());
    StateLayer* tail = root.get();
    for (int i = 0; i < 200000; ++i) {
        tail->next = StateLayer::create(nullptr);
        tail = tail->next.get();
    }
    EXPECT_EQ(root->length(), 200001);
    root.reset();  // would overflow the stack if each node freed the next recursively
}

}  // namespace
