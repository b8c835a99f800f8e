#include "Ombrapop/Dismiss.h"
#include "Ombrapop/Presentation.h"
#include "Ombrapop/Stack.h"

#include <QJSEngine>
#include <QQuickItem>
#include <QSignalSpy>
#include <QUuid>

#include <gtest/gtest.h>

#include <cmath>

using Ombrapop::Stack;
using Ombrapop::StackItem;
namespace Look = Ombrapop::Look;

namespace {

StackItem item(const char *id, int value = 0)
{
    return StackItem{QString::fromLatin1(id), nullptr, value, {}};
}

} // namespace

TEST(Stack, PushesOnTopAndIgnoresAShownId)
{
    Stack stack;
    QSignalSpy changed(&stack, &Stack::popupsChanged);
    QSignalSpy inserted(&stack, &QAbstractItemModel::rowsInserted);
    EXPECT_TRUE(stack.push(item("a", 1)));
    EXPECT_TRUE(stack.push(item("b", 2)));
    EXPECT_TRUE(stack.push(item("c", 3)));
    EXPECT_EQ(stack.ids(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(inserted.count(), 3);

    // The item keeps the value it was first pushed with.
    EXPECT_FALSE(stack.push(item("b", 99)));
    EXPECT_EQ(stack.count(), 3);
    EXPECT_EQ(stack.valueOf(QStringLiteral("b")).toInt(), 2);
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(stack.data(stack.index(2), Stack::IdRole).toString(), QStringLiteral("c"));
}

TEST(Stack, RemovingTheMiddleKeepsTheOrder)
{
    Stack stack;
    for (const char *id : {"a", "b", "c"})
        stack.push(item(id));
    QSignalSpy changed(&stack, &Stack::popupsChanged);
    QSignalSpy removed(&stack, &QAbstractItemModel::rowsRemoved);
    EXPECT_TRUE(stack.remove(QStringLiteral("b")));
    EXPECT_EQ(stack.ids(), QStringList({"a", "c"}));
    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(1).toInt(), 1);

    EXPECT_FALSE(stack.remove(QStringLiteral("b")));
    EXPECT_FALSE(stack.remove(QString()));
    EXPECT_EQ(changed.count(), 1);
    // Pushing an id again after its removal puts it on top.
    EXPECT_TRUE(stack.push(item("b")));
    EXPECT_EQ(stack.ids(), QStringList({"a", "c", "b"}));
}

TEST(Stack, CloseRemovesBeforeItDismisses)
{
    QJSEngine engine;
    Stack stack;
    engine.globalObject().setProperty(QStringLiteral("stack"), engine.newQObject(&stack));
    QJSEngine::setObjectOwnership(&stack, QJSEngine::CppOwnership);
    const QJSValue dismiss = engine.evaluate(QStringLiteral("(function() { seen = stack.count; })"));
    ASSERT_TRUE(dismiss.isCallable());
    stack.push(item("a"));
    stack.push(StackItem{QStringLiteral("b"), nullptr, {}, dismiss});
    EXPECT_TRUE(stack.close(QStringLiteral("b")));
    EXPECT_EQ(engine.globalObject().property(QStringLiteral("seen")).toInt(), 1);
    EXPECT_FALSE(stack.close(QStringLiteral("b")));
    // No dismiss action: closing only removes.
    EXPECT_TRUE(stack.close(QStringLiteral("a")));
    EXPECT_EQ(stack.count(), 0);
}

struct LookCase {
    int index;
    int count;
    double z;
    double blur;
    double scale;
};

class PopupLook : public testing::TestWithParam<LookCase> {};

TEST_P(PopupLook, DependsOnIndexAndCount)
{
    const LookCase c = GetParam();
    EXPECT_EQ(Look::popupZ(c.index), c.z);
    EXPECT_EQ(Look::popupBlur(c.index, c.count), c.blur);
    EXPECT_EQ(Look::popupScale(c.index, c.count), c.scale);
}

INSTANTIATE_TEST_SUITE_P(Stacks, PopupLook,
                         testing::Values(LookCase{0, 1, 100, 0, 1}, LookCase{0, 3, 100, 2, 0.9},
                                         LookCase{1, 3, 200, 2, 0.9}, LookCase{2, 3, 300, 0, 1},
                                         LookCase{0, 2, 100, 2, 0.9}, LookCase{1, 2, 200, 0, 1},
                                         // one that has already left, animating out on top of all
                                         LookCase{Look::absentIndex, 2, 100100, 0, 1},
                                         LookCase{Look::absentIndex, 0, 100100, 0, 1}));

TEST(PopupLook, DimmingSitsRightUnderTheTop)
{
    EXPECT_EQ(Look::dimmingZ(0), 99);
    EXPECT_EQ(Look::dimmingZ(1), 99);
    EXPECT_EQ(Look::dimmingZ(3), 299);
    for (int n = 1; n < 6; ++n) {
        EXPECT_LT(Look::dimmingZ(n), Look::popupZ(n - 1));
        if (n > 1) {
            EXPECT_GT(Look::dimmingZ(n), Look::popupZ(n - 2));
        }
    }
    EXPECT_EQ(Look::dimmingOpacity(0), 0);
    EXPECT_EQ(Look::dimmingOpacity(2), 1);
    EXPECT_EQ(Look::contentBlur(0), 0);
    EXPECT_EQ(Look::contentBlur(1), 3);
}

namespace {

struct Settle {
    double seconds;
    double overshoot;
};

// Runs Qt's SpringAnimation step from 0 towards 1; the time from which it stays within 1 %.
Settle simulate(double response, double fraction)
{
    const double spring = Look::springStiffness(response);
    const double damping = Look::springDamping(response, fraction);
    double x = 0, v = 0, peak = 0, settled = -1;
    for (int step = 1; step < 1000; ++step) {
        v = v + spring * (1 - x) - damping * v;
        x += v * 0.016;
        peak = std::max(peak, x);
        if (std::abs(1 - x) < 0.01 && settled < 0)
            settled = step * 0.016;
        if (std::abs(1 - x) >= 0.01)
            settled = -1;
    }
    return {settled, peak - 1};
}

} // namespace

TEST(PopupLook, SpringsSettleLikeTheirResponse)
{
    // A critically damped spring of response r comes within 1 % after about 1.06 r.
    const Settle slow = simulate(0.5, 1.0);
    EXPECT_GT(slow.seconds, 0.4);
    EXPECT_LT(slow.seconds, 0.65);
    EXPECT_LT(slow.overshoot, 0.01);

    const Settle quick = simulate(0.3, 0.85);
    EXPECT_GT(quick.seconds, 0.2);
    EXPECT_LT(quick.seconds, 0.45);
    EXPECT_LT(quick.overshoot, 0.03);
    EXPECT_EQ(Look::springStiffness(0), 0);
    EXPECT_EQ(Look::springStiffness(-1), 0);
}

TEST(Presentation, FreshIdsAreUuids)
{
    const QString a = Ombrapop::Presentation::newId();
    const QString b = Ombrapop::Presentation::newId();
    EXPECT_EQ(a.size(), 36);
    EXPECT_NE(a, b);
    EXPECT_FALSE(QUuid::fromString(a).isNull());
}

TEST(Presentation, ContentFindsTheNearestStackAndPopup)
{
    Stack stack;
    stack.push(item("top"));
    QQuickItem view;
    view.setProperty("ombrapopStack", QVariant::fromValue(&stack));
    QQuickItem wrapper(&view);
    wrapper.setParentItem(&view);
    wrapper.setProperty("ombrapopStack", QVariant::fromValue(&stack));
    wrapper.setProperty("ombrapopId", QStringLiteral("top"));
    QQuickItem content;
    content.setParentItem(&wrapper);
    QQuickItem outside;
    outside.setParentItem(&view);

    EXPECT_EQ(Ombrapop::Presentation::stackFor(&content), &stack);
    EXPECT_EQ(Ombrapop::Presentation::stackFor(&outside), &stack);
    QQuickItem alone;
    EXPECT_EQ(Ombrapop::Presentation::stackFor(&alone), nullptr);
    EXPECT_EQ(Ombrapop::Presentation::stackFor(nullptr), nullptr);

    Ombrapop::Dismiss away(&outside);
    EXPECT_FALSE(away.hasCallback());
    away.callback();
    EXPECT_EQ(stack.count(), 1);

    Ombrapop::Dismiss dismiss(&content);
    EXPECT_TRUE(dismiss.hasCallback());
    dismiss.callback();
    EXPECT_EQ(stack.count(), 0);
    content.setParentItem(nullptr);
    outside.setParentItem(nullptr);
}
