#include "Ombrapop/Dismiss.h"
#include "Ombrapop/Presentation.h"
#include "Ombrapop/Stack.h"

#include <QJSEngine>
#include <QQuickItem>
#include <QSignalSpy>

#include <gtest/gtest.h>


using Ombrapop::Stack;
using Ombrapop::StackItem;

namespace {

StackItem item(const char *id, int value = 0)
{
    return StackItem{QString::fromLatin1(id), nullptr, value, {}};
}

} // namespace

// A shown id is not pushed again (it keeps its first value); removing one keeps the others'
// order, and a removed id pushed again goes on top.
TEST(Stack, PushAndRemoveKeepTheOrder)
{
    Stack stack;
    QSignalSpy changed(&stack, &Stack::popupsChanged);
    QSignalSpy removed(&stack, &QAbstractItemModel::rowsRemoved);
    EXPECT_TRUE(stack.push(item("a", 1)) && stack.push(item("b", 2)) && stack.push(item("c", 3)));
    EXPECT_FALSE(stack.push(item("b", 99)));
    EXPECT_FALSE(stack.push(item("a", 99)));
    EXPECT_EQ(stack.ids(), QStringList({"a", "b", "c"}));
    EXPECT_EQ(stack.valueOf(QStringLiteral("b")).toInt(), 2);
    EXPECT_EQ(stack.data(stack.index(2), Stack::IdRole).toString(), QStringLiteral("c"));
    EXPECT_EQ(changed.count(), 3);
    EXPECT_TRUE(stack.remove(QStringLiteral("b")));
    EXPECT_FALSE(stack.remove(QStringLiteral("b")));
    EXPECT_FALSE(stack.remove(QString()));
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(1).toInt(), 1);
    EXPECT_EQ(changed.count(), 4);
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

// Stacking, blur, shrink and dimming are checked on real popups in tst_popups.qml.
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
