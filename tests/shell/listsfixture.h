#pragma once

#include "framework/appcontext.h"
#include "framework/listcontrol.h"
#include "framework/procwindow.h"
#include "shell/lists/listprocedure.h"
#include "shell/lists/lists.h"
#include "store/files.h"
#include "store/inifile.h"
#include "store/inimanager.h"
#include "store/storecontext.h"
#include "support/guiharness.h"
#include "support/scriptedpresenter.h"
#include "support/storedrecords.h"
#include "support/storefixture.h"

#include <QTabWidget>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <string>

// The record store on an empty folder with every list window registered, driven offscreen.
// Records are added from the test's own thread, as another station would add them.
class ListsFixture
{
public:
    ListsFixture() { start(); }
    // The same with the record files on a database server, named in the folder's settings
    // file as a shop names it.
    struct OnServer
    {
        std::string connection;
    };
    explicit ListsFixture(const OnServer &server)
    {
        const std::filesystem::path ini = folder.path() / std::string(IniManager::DefaultFileName);
        IniFile settings = IniFile::load(ini);
        settings.set("Datenbank", "Engine", "PostgreSQL");
        settings.set("Datenbank", "Verbindung", server.connection);
        settings.save(ini);
        start();
    }

    void start()
    {
        store = std::make_unique<StoreContext>(folder.path(), startUpMessages);
        store->errors().setPresenter(gui.messages());
        app = std::make_unique<AppContext>(*store, gui.threads(), gui.area());
        registerLists(app->procedures());
    }
    ~ListsFixture() { gui.threads().endAll(); }

    void add(FileId file, const std::function<void(Records &)> &fill)
    {
        addRecord(*store, file, fill);
    }

    std::int64_t count(FileId file)
    {
        FileManager &manager = store->fileManager(file);
        manager.Open();
        manager.Use(2);
        const std::int64_t n = manager.handle().records();
        manager.Close();
        return n;
    }

    // Starts a list from the menu: a thread of its own, no request. Its window, when it
    // opened.
    ProcWindow *open(const std::string &procedure, const QString &title)
    {
        app->start(procedure);
        gui.settle();
        return gui.window(title);
    }

    // The column `column` (from 0) of every shown row.
    static QStringList shown(ProcWindow *window, int column = 0)
    {
        QStringList values;
        ListControl *list = window->list(ListProcedure::kList);
        for (int r = 1; r <= list->rowCount(); ++r)
            values << list->row(r).value(column);
        return values;
    }

    static QString highlighted(ProcWindow *window, int column = 0)
    {
        ListControl *list = window->list(ListProcedure::kList);
        return list->row(list->highlighted()).value(column);
    }

    static QStringList headings(ProcWindow *window)
    {
        QStringList texts;
        QTreeWidgetItem *header = window->list(ListProcedure::kList)->view()->headerItem();
        for (int c = 0; c < header->columnCount(); ++c)
            texts << header->text(c);
        return texts;
    }

    static QStringList tabTexts(ProcWindow *window)
    {
        QStringList texts;
        auto *sheet = qobject_cast<QTabWidget *>(window->control(ListProcedure::kSheet));
        for (int t = 0; sheet && t < sheet->count(); ++t)
            texts << sheet->tabText(t);
        return texts;
    }

    TempFolder folder;
    ScriptedPresenter startUpMessages;
    std::unique_ptr<StoreContext> store;
    std::unique_ptr<AppContext> app;
    GuiHarness gui;
};
