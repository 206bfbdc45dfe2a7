// The lists as the program's menu starts them.

#include "framefixture.h"

#include "shell/lists/listprocedure.h"
#include "shell/menutree.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

namespace {

void collectLists(const std::vector<MenuItem> &items, std::vector<const MenuItem *> &found)
{
    for (const MenuItem &item : items) {
        collectLists(item.children, found);
        if (item.command == MenuCommand::Procedure && shell::findList(item.procedure))
            found.push_back(&item);
    }
}

TEST(ListsMenu, EveryMenuEntryOfAListOpensIt)
{
    std::vector<const MenuItem *> entries;
    for (const Menu &menu : mainMenuTree())
        collectLists(menu.items, entries);
    // Every list but the two selection lists, which other procedures call.
    EXPECT_EQ(entries.size(), shell::listDefinitions().size() - 2);

    FrameFixture f;
    f.start();
    for (const MenuItem *entry : entries) {
        SCOPED_TRACE(std::string(entry->text));
        const shell::ListDef *def = shell::findList(entry->procedure);
        ASSERT_TRUE(f.choose(
            QString::fromUtf8(entry->text.data(), static_cast<qsizetype>(entry->text.size()))));
        ProcWindow *window = f.window(QString::fromStdString(def->title));
        ASSERT_NE(window, nullptr);
        auto *close = qobject_cast<QAbstractButton *>(window->control(ListProcedure::kClose));
        ASSERT_NE(close, nullptr);
        close->click();
        f.settle();
        EXPECT_EQ(f.window(QString::fromStdString(def->title)), nullptr);
        EXPECT_EQ(f.app().ListWindowOpen, 0);
    }
}

} // namespace
