#pragma once

#include "store/enginefactory.h"
#include "store/files.h"
#include "store/inifile.h"
#include "store/procthread.h"
#include "store/storecontext.h"
#include "support/scriptedpresenter.h"
#include "support/tempfolder.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

// Answers from a script and also notes whether a storage transaction was open while a
// message was on screen: none may be.
class WatchingPresenter : public ScriptedPresenter
{
public:
    int show(const std::string &title,
             const std::string &text,
             MessageIcon icon,
             int buttons,
             int defaultButton) override
    {
        if (engine && engine->inTransaction())
            ++shownInTransaction;
        return ScriptedPresenter::show(title, text, icon, buttons, defaultButton);
    }

    std::vector<std::string> titles() const
    {
        std::vector<std::string> result;
        for (const Shown &s : shown)
            result.push_back(s.title);
        return result;
    }

    Engine *engine = nullptr;
    int shownInTransaction = 0;
};

// The record store on a temporary folder, answered from a script. Every test runs on the
// start-up thread unless it switches.
class StoreFixture
{
public:
    explicit StoreFixture(HandleFactory handles = {}) { start(std::move(handles)); }
    // The same with the record files on a database server: the folder's settings file names
    // it, as a shop's does.
    struct OnServer
    {
        std::string connection;
    };
    explicit StoreFixture(const OnServer &server, HandleFactory handles = {})
    {
        const std::filesystem::path ini = folder.path() / std::string(IniManager::DefaultFileName);
        IniFile settings = IniFile::load(ini);
        settings.set("Datenbank", "Engine", "PostgreSQL");
        settings.set("Datenbank", "Verbindung", server.connection);
        if (!settings.save(ini))
            throw std::runtime_error("no settings file in " + folder.path().string());
        start(std::move(handles));
    }
    ~StoreFixture() { ProcThread::setCurrent(1); }

    // Tears the store down and starts it again on the same folder.
    void restart(HandleFactory handles = {})
    {
        store.reset();
        start(std::move(handles));
    }

    FileManager &fm(FileId file) { return store->fileManager(file); }
    RelationKeeper &rk(FileId file) { return store->relations(file); }
    Records &records() { return store->records(); }
    // Whether the record file is there; also while the store is down.
    bool exists(FileId file) const
    {
        return makeEngine(dataLocationOf(folder.path()))->exists(file);
    }

    // Adds a record the way a form does: a numbered placeholder, the fields, then Insert.
    void add(FileId file, const std::function<void(Records &)> &fill)
    {
        FileManager &manager = fm(file);
        manager.Open();
        if (manager.PrepareNewRecord() != Level::Benign)
            throw std::runtime_error("numbering failed");
        fill(records());
        if (manager.Insert() != Level::Benign)
            throw std::runtime_error("insert failed");
        manager.Close();
    }

    // The number of records now in the file (the file is opened for it and closed again).
    std::int64_t count(FileId file)
    {
        FileManager &manager = fm(file);
        manager.Open();
        manager.Use(2);
        const std::int64_t n = manager.handle().records();
        manager.Close();
        return n;
    }

    TempFolder folder;
    WatchingPresenter presenter;
    std::unique_ptr<StoreContext> store;

private:
    void start(HandleFactory handles)
    {
        store = std::make_unique<StoreContext>(folder.path(), presenter, std::move(handles));
        presenter.engine = &store->engine();
    }
};
